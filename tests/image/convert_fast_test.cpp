// The per-pair row loops against the generic converter, bit for bit.
#include <gtest/gtest.h>

#include "image_test_util.h"

using namespace image_test;

namespace {

struct GenericOnly {
    GenericOnly() { Gfx_Convert_EnableFastPaths(false); }
    ~GenericOnly() { Gfx_Convert_EnableFastPaths(true); }
};

// An image over a random caller-owned buffer with `slack` bytes of padding per
// row; indexed images borrow a random palette from the same buffer.
struct Framed {
    std::vector<uint8_t> memory;
    C_Image image;
    Framed(uint32_t w, uint32_t h, int32_t format, uint32_t slack, bool bottomUp, std::mt19937& rng) {
        S_FormatDesc d;
        Gfx_GetFormatDesc(format, d);
        const uint32_t pitch = Image_RowBytes(w, d.bitsPerPixel) + slack;
        memory.resize(size_t(pitch) * h + 1 + 768);
        for (uint8_t& b : memory) b = RandomByte(rng);
        EXPECT_TRUE(image.CreateLocked(w, h, pitch, format, d.indexed ? GFX_FMT_R8G8B8 : GFX_FMT_NONE, memory.data()));
        image.bottomUp = bottomUp;
        if (d.indexed) image.m_palette = memory.data() + memory.size() - 768, image.paletteSize = 768;
    }
    ~Framed() { image.m_palette = nullptr, image.paletteSize = 0; }
};

const std::pair<int32_t, int32_t> kFastPairs[] = {
    {GFX_FMT_PAL8, GFX_FMT_A8R8G8B8},  {GFX_FMT_L8, GFX_FMT_A8R8G8B8},
    {GFX_FMT_R8G8B8, GFX_FMT_A8R8G8B8}, {GFX_FMT_R5G6B5, GFX_FMT_A8R8G8B8},
    {GFX_FMT_A8B8G8R8, GFX_FMT_A8R8G8B8}, {GFX_FMT_A8R8G8B8, GFX_FMT_A8R8G8B8},
    {GFX_FMT_A8R8G8B8, GFX_FMT_L8},
};

}  // namespace

TEST(FastPaths, AllR5G6B5ValuesMatchTheWideningRule) {
    C_Image source, fast, generic;
    ASSERT_TRUE(source.CreateEmpty(256, 256, GFX_FMT_R5G6B5, GFX_FMT_NONE));
    for (uint32_t v = 0; v < 65536; ++v) source.data[2 * v] = uint8_t(v), source.data[2 * v + 1] = uint8_t(v >> 8);
    ASSERT_TRUE(Gfx_Image_Clone(&source, &fast, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    {
        GenericOnly reference;
        ASSERT_TRUE(Gfx_Image_Clone(&source, &generic, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    }
    for (uint32_t v = 0; v < 65536; ++v) {
        const uint32_t r = v >> 11, g = (v >> 5) & 63, b = v & 31;
        const uint32_t want = (((r << 3) + (r & 7)) << 16) | (((g << 2) + (g & 3)) << 8) | ((b << 3) + (b & 7));
        ASSERT_EQ(Pixel32(fast, v & 255, v >> 8), want) << std::hex << v;
        ASSERT_EQ(Pixel32(generic, v & 255, v >> 8), want) << std::hex << v;
    }
}

// Pixels and padding alike, on odd widths, padded pitches and bottom-up rows.
TEST(FastPaths, RandomImagesOfEveryPair) {
    std::mt19937 rng(1234);
    for (const auto& pair : kFastPairs) {
        for (uint32_t w : {1, 2, 3, 7, 37, 64, 641}) {
            for (uint32_t variant = 0; variant < 4; ++variant) {
                SCOPED_TRACE(::testing::Message() << pair.first << "->" << pair.second << " width " << w
                                                  << " variant " << variant);
                const uint32_t h = 1 + rng() % 9;
                Framed source(w, h, pair.first, variant & 1 ? 1 + rng() % 13 : 0, variant & 2, rng);
                Framed fast(w, h, pair.second, variant & 1 ? 3 : 0, variant == 1, rng);
                Framed generic(w, h, pair.second, variant & 1 ? 3 : 0, variant == 1, rng);
                std::memcpy(generic.memory.data(), fast.memory.data(), fast.memory.size());  // same padding
                ASSERT_TRUE(Gfx_Image_Copy_24to32(&source.image, &fast.image));
                GenericOnly reference;
                ASSERT_TRUE(Gfx_Image_Copy_24to32(&source.image, &generic.image));
                ASSERT_EQ(fast.memory, generic.memory);
            }
        }
    }
}
