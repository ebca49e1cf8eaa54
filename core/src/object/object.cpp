#include "softblit/core/object.h"

#include "softblit/core/status.h"
#include "softblit/core/stream.h"

bool C_Object::LoadFromStream(C_Stream* stream, uint32_t) { return stream != nullptr; }

bool C_Object::SaveToStream(C_Stream* stream, uint32_t) { return stream != nullptr; }

bool C_Object::LoadFromFile(const char* fileName, uint32_t flags) {
    C_Stream stream;
    if (!stream.OpenFileForRead(fileName)) {
        Err_Set(ERR_OPEN_READ, 0, 0, "C_Object::LoadFromFile(%s)", fileName ? fileName : "");
        Err_Fatal("C_Object::LoadFromFile");
        return false;
    }
    bool loaded = LoadFromStream(&stream, flags);
    stream.CloseFile();
    return loaded;
}

bool C_Object::SaveToFile(const char* fileName, uint32_t) {
    C_Stream stream;
    if (!stream.OpenFileForWrite(fileName)) {
        Err_Set(ERR_OPEN_WRITE, 0, 0, "C_Object::SaveToFile(%s)", fileName ? fileName : "");
        Err_Fatal("C_Object::SaveToFile");
        return false;
    }
    bool saved = SaveToStream(&stream, 0);
    // A write that the file system refused (full disk) shows up at close.
    if (fflush(stream.file) != 0 || ferror(stream.file)) saved = false;
    stream.CloseFile();
    return saved;
}
