// Smallest program against the installed package: store a string in memory
// and read it back.
#include <softblit/softblit.h>

#include <cstdio>

int main() {
    C_String greeting("hello, softblit");
    C_Stream stream;
    stream.OpenMemoryForWrite();
    greeting.SaveToStream(&stream, 0);

    C_Stream reader;
    reader.OpenMemoryForRead(stream.buffer, stream.size);
    C_String loaded;
    if (!loaded.LoadFromStream(&reader, 0)) {
        std::printf("load failed: %s\n", Err_GetCause().message);
        return 1;
    }
    std::printf("%s\n", loaded.GetText());
    return loaded == "hello, softblit" ? 0 : 1;
}
