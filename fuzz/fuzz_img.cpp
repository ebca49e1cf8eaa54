// libFuzzer entry point for the ".img" stream form: what loads must also save
// and load back to the same image.
#include <cstring>

#include "fuzz_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::RunLoader(data, size, [](C_Image& image, C_Stream* stream) {
        if (!image.LoadFromStream(stream, 0)) return false;
        C_Stream out;
        out.OpenMemoryForWrite();
        fuzz::Require(image.SaveToStream(&out, 0));
        C_Stream in;
        in.OpenMemoryForRead(out.buffer, out.size);
        C_Image again;
        fuzz::Require(again.LoadFromStream(&in, 0));
        fuzz::Require(again.width == image.width && again.height == image.height && again.format == image.format &&
                      again.paletteSize == image.paletteSize);
        if (image.paletteSize) fuzz::Require(memcmp(again.m_palette, image.m_palette, image.paletteSize) == 0);
        out.Close();
        in.Close();
        return true;
    }, true);
}
