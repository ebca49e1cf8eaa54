// Helpers shared by the imaging tests: loading from bytes, failure checks,
// seeded random images and pixel reads.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "image/loaders_files.h"
#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/image/all.h"
#include "softblit/math/color.h"

using namespace loader_test;

// The last specific failure recorded, and that the fatal record followed it.
inline ::testing::AssertionResult FailedWith(int32_t code, const char* message) {
    const S_ErrCause& cause = Err_GetCause();
    if (cause.code != code || std::strcmp(cause.message, message) != 0 || Sys_Status.errorCode != ERR_FATAL)
        return ::testing::AssertionFailure() << "cause was " << cause.code << " \"" << cause.message << "\"";
    return ::testing::AssertionSuccess();
}

enum class Loader { Bmp, Pcx, Tga, Img };  // Img: the C_Image record

// Clears the last failure first, so that a check of it sees this load only.
inline bool LoadBytes(C_Image& image, Loader loader, const Bytes& bytes) {
    Err_Set(0, 0, 0, "none");
    C_Stream stream;
    if (!stream.OpenMemoryForRead(bytes.data(), static_cast<uint32_t>(bytes.size()))) return false;
    switch (loader) {
        case Loader::Bmp: return image.LoadBMP(&stream);
        case Loader::Pcx: return image.LoadPCX(&stream);
        case Loader::Tga: return image.LoadTGA(&stream);
        default: return image.LoadFromStream(&stream, 0);
    }
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
    const char* const texts[] = {"C_Image::LoadBMP(stream)", "C_Image::LoadPCX(stream)", "C_Image::LoadTGA(stream)"};
    return !LoadBytes(image, loader, file) && FailedWith(ERR_DATA, texts[int(loader)]) && IsReset(image);
}

// Random bytes biased towards 00 and FF, where conversions tend to go wrong.
inline uint8_t RandomByte(std::mt19937& rng) {
    const uint32_t r = rng();
    return (r & 7) == 0 ? 0x00 : (r & 7) == 1 ? 0xFF : uint8_t(r >> 8);
}
inline void Randomize(C_Image& image, std::mt19937& rng) {
    for (uint32_t i = 0; i < image.dataSize; ++i) image.data[i] = RandomByte(rng);
    for (uint32_t i = 0; i < image.paletteSize; ++i) image.m_palette[i] = RandomByte(rng);
}

// Pixel (x, y) as 0xAARRGGBB for the formats the loaders make, else the
// pixel's little-endian value.
inline uint32_t PixelArgb(const C_Image& image, uint32_t x, uint32_t y) {
    const uint8_t* p = image.GetRow(y);
    auto argb = [](uint32_t a, const uint8_t* bgr) { return a << 24 | bgr[2] << 16 | bgr[1] << 8 | bgr[0]; };
    switch (image.format) {
        case GFX_FMT_PAL8: return argb(255, image.m_palette + 3 * p[x]);
        case GFX_FMT_L8: return 0xFF000000 | p[x] * 0x010101u;
        case GFX_FMT_R8G8B8: return argb(255, p + 3 * x);
        case GFX_FMT_A8R8G8B8: return argb(p[4 * x + 3], p + 4 * x);
        default: break;
    }
    uint32_t v = 0;
    std::memcpy(&v, p + x * (image.bitsPerPixel / 8), std::min(4u, image.bitsPerPixel / 8));
    return v;
}

// The image has this format and these pixels, row by row.
inline ::testing::AssertionResult Shows(const C_Image& image, int32_t format, uint32_t w,
                                        const std::vector<uint32_t>& pixels) {
    if (image.format != format || image.width != w || image.width * image.height != pixels.size())
        return ::testing::AssertionFailure() << "format " << image.format << ", width " << image.width;
    for (uint32_t i = 0; i < pixels.size(); ++i)
        if (PixelArgb(image, i % w, i / w) != pixels[i])
            return ::testing::AssertionFailure() << "pixel " << i << ": " << std::hex << PixelArgb(image, i % w, i / w);
    return ::testing::AssertionSuccess();
}

// Every copy of `file` cut before its last `optionalTail` bytes fails as a bad
// file and frees all it took; `file` and the copies that lack only part of
// that tail load to `want` as Shows describes it.
inline void ExpectLoads(Loader loader, const Bytes& file, size_t optionalTail, int32_t format, uint32_t width,
                        const std::vector<uint32_t>& want) {
    C_Image image;
    const uint32_t baseline = Sys_Status.memoryInUse;
    const size_t needed = file.size() - optionalTail;
    for (size_t n = 0; n < needed; ++n) {
        ASSERT_TRUE(LoadFailsAsBadFile(image, loader, Bytes(file.begin(), file.begin() + n))) << "at " << n;
        ASSERT_EQ(Sys_Status.memoryInUse, baseline);
    }
    for (size_t n = needed; n <= file.size(); ++n) {
        ASSERT_TRUE(LoadBytes(image, loader, Bytes(file.begin(), file.begin() + n))) << "at " << n;
        EXPECT_TRUE(Shows(image, format, width, want)) << "at " << n;
    }
}
