// Helpers shared by the imaging tests: loading from bytes, failure and
// memory checks, seeded random images and pixel reads.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "image/loaders_files.h"
#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/image/all.h"
#include "softblit/math/color.h"

namespace image_test {

using namespace loader_test;

// The last specific failure recorded, and that the fatal record followed it.
inline ::testing::AssertionResult FailedWith(int32_t code, const char* message) {
    const S_ErrCause& cause = Err_GetCause();
    if (cause.code != code || std::strcmp(cause.message, message) != 0)
        return ::testing::AssertionFailure() << "cause was " << cause.code << " \"" << cause.message << "\"";
    if (Sys_Status.errorCode != ERR_FATAL) return ::testing::AssertionFailure() << "no fatal record";
    return ::testing::AssertionSuccess();
}

inline void ClearErrors() { Err_Set(0, 0, 0, "none"); }

enum class Loader { Bmp, Pcx, Tga, Img };  // Img: the C_Image record

inline bool LoadBytes(C_Image& image, Loader loader, const Bytes& bytes) {
    C_Stream stream;
    stream.OpenMemoryForRead(bytes.data(), static_cast<uint32_t>(bytes.size()));
    switch (loader) {
        case Loader::Bmp: return image.LoadBMP(&stream);
        case Loader::Pcx: return image.LoadPCX(&stream);
        case Loader::Tga: return image.LoadTGA(&stream);
        default: return image.LoadFromStream(&stream, 0);
    }
}

inline Bytes Saved(C_Image& image) {
    C_Stream stream;
    stream.OpenMemoryForWrite();
    image.SaveToStream(&stream, 0);
    return Bytes(stream.buffer, stream.buffer + stream.size);
}

inline bool IsReset(const C_Image& image) {
    return image.data == nullptr && image.m_palette == nullptr && image.format == GFX_FMT_NONE &&
           image.paletteFormat == GFX_FMT_NONE && image.locked == 0 && image.bottomUp == 0 &&
           (image.width | image.height | image.pitch | image.dataSize | image.rowBytes | image.bitsPerPixel |
            image.paletteSize | image.paletteBitsPerPixel) == 0;
}

// Loading `file` fails with error 10, the loader's text and the fatal record,
// and leaves the image reset.
inline bool LoadFailsAsBadFile(C_Image& image, Loader loader, const Bytes& file) {
    static const char* const texts[] = {"C_Image::LoadBMP(stream)", "C_Image::LoadPCX(stream)",
                                        "C_Image::LoadTGA(stream)"};
    return !LoadBytes(image, loader, file) && FailedWith(ERR_DATA, texts[int(loader)]) && IsReset(image);
}

// Random bytes biased towards 00 and FF, where conversions tend to go wrong,
// over the whole buffer (padding included) and the palette.
inline uint8_t RandomByte(std::mt19937& rng) {
    const uint32_t r = rng();
    return (r & 7) == 0 ? 0x00 : (r & 7) == 1 ? 0xFF : uint8_t(r >> 8);
}
inline void Randomize(C_Image& image, std::mt19937& rng) {
    for (uint32_t i = 0; i < image.dataSize; ++i) image.data[i] = RandomByte(rng);
    for (uint32_t i = 0; i < image.paletteSize; ++i) image.m_palette[i] = RandomByte(rng);
}

// Logical rows compared byte for byte over rowBytes.
inline ::testing::AssertionResult SamePixels(const C_Image& a, const C_Image& b) {
    if (a.width != b.width || a.height != b.height || a.rowBytes != b.rowBytes)
        return ::testing::AssertionFailure() << "shapes differ";
    for (uint32_t y = 0; y < a.height; ++y)
        if (std::memcmp(a.GetRow(y), b.GetRow(y), a.rowBytes) != 0) return ::testing::AssertionFailure() << "row " << y;
    return ::testing::AssertionSuccess();
}

inline uint32_t Pixel32(const C_Image& image, uint32_t x, uint32_t y) {
    uint32_t v;
    std::memcpy(&v, image.GetRow(y) + 4 * x, 4);
    return v;
}

// Pixel (x, y) as 0xAARRGGBB, for the formats that the loaders produce.
inline uint32_t PixelArgb(const C_Image& image, uint32_t x, uint32_t y) {
    const uint8_t* p = image.data + size_t(y) * image.pitch;
    auto argb = [](uint32_t a, const uint8_t* bgr) { return a << 24 | bgr[2] << 16 | bgr[1] << 8 | bgr[0]; };
    switch (image.format) {
        case GFX_FMT_PAL8: return argb(255, image.m_palette + 3 * p[x]);
        case GFX_FMT_L8: return 0xFF000000 | p[x] * 0x010101u;
        case GFX_FMT_R8G8B8: return argb(255, p + 3 * x);
        case GFX_FMT_A8R8G8B8: return argb(p[4 * x + 3], p + 4 * x);
        default: return 0xDEADBEEF;
    }
}

// A fresh folder for each test, removed afterwards.
class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/softblit-image-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }
    std::string dir_;
};

}  // namespace image_test
