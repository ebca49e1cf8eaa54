// libFuzzer entry point for the PCX loader.
#include "fuzz_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::RunLoader(data, size, [](C_Image& image, C_Stream* stream) { return image.LoadPCX(stream); });
}
