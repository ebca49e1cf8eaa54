// The per-pair row loops against the generic converter, bit for bit.
#include <gtest/gtest.h>

#include <algorithm>

#include "image_test_util.h"

using namespace image_test;

namespace {

struct GenericOnly {
    GenericOnly() { Gfx_Convert_EnableFastPaths(false); }
    ~GenericOnly() { Gfx_Convert_EnableFastPaths(true); }
};

// An image over a caller-owned buffer with `slack` bytes of padding per row.
struct Framed {
    std::vector<uint8_t> memory;
    C_Image image;
    Framed(uint32_t w, uint32_t h, int32_t format, uint32_t slack, bool bottomUp, std::mt19937& rng) {
        S_FormatDesc d;
        Gfx_GetFormatDesc(format, d);
        const uint32_t pitch = Image_RowBytes(w, d.bitsPerPixel) + slack;
        memory.resize(size_t(pitch) * h + 1);
        for (uint8_t& b : memory) b = RandomByte(rng);
        EXPECT_TRUE(image.CreateLocked(w, h, pitch, format, GFX_FMT_NONE, memory.data()));
        image.bottomUp = bottomUp;
    }
};

const std::pair<int32_t, int32_t> kFastPairs[] = {
    {GFX_FMT_PAL8, GFX_FMT_A8R8G8B8},  {GFX_FMT_L8, GFX_FMT_A8R8G8B8},
    {GFX_FMT_R8G8B8, GFX_FMT_A8R8G8B8}, {GFX_FMT_R5G6B5, GFX_FMT_A8R8G8B8},
    {GFX_FMT_A8B8G8R8, GFX_FMT_A8R8G8B8}, {GFX_FMT_A8R8G8B8, GFX_FMT_A8R8G8B8},
    {GFX_FMT_A8R8G8B8, GFX_FMT_L8},
};

}  // namespace

TEST(FastPaths, AllR5G6B5ValuesMatchTheWideningRule) {
    C_Image source;
    ASSERT_TRUE(source.CreateEmpty(256, 256, GFX_FMT_R5G6B5, GFX_FMT_NONE));
    for (uint32_t v = 0; v < 65536; ++v) {
        const uint16_t p = uint16_t(v);
        std::memcpy(source.data + 2 * v, &p, 2);
    }
    C_Image fast, generic;
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

TEST(FastPaths, RandomImagesOfEveryPair) {
    std::mt19937 rng(1234);
    const uint32_t widths[] = {1, 2, 3, 7, 37, 64, 641};
    for (const auto& pair : kFastPairs) {
        for (uint32_t w : widths) {
            for (uint32_t variant = 0; variant < 4; ++variant) {
                SCOPED_TRACE(::testing::Message() << pair.first << "->" << pair.second << " width " << w
                                                  << " variant " << variant);
                const uint32_t h = 1 + rng() % 9;
                const uint32_t slack = variant & 1 ? 1 + rng() % 13 : 0;
                Framed source(w, h, pair.first, slack, variant & 2, rng);
                C_Image palette;
                if (pair.first == GFX_FMT_PAL8) {
                    ASSERT_TRUE(palette.CreateEmpty(1, 1, GFX_FMT_L8, GFX_FMT_R8G8B8));
                    Randomize(palette, rng);
                    source.image.m_palette = palette.m_palette;  // borrowed for the conversion
                    source.image.paletteSize = palette.paletteSize;
                    source.image.paletteFormat = GFX_FMT_R8G8B8;
                }
                Framed fast(w, h, pair.second, variant & 1 ? 3 : 0, variant == 1, rng);
                Framed generic(w, h, pair.second, variant & 1 ? 3 : 0, variant == 1, rng);
                std::copy(fast.memory.begin(), fast.memory.end(), generic.memory.begin());  // same padding
                ASSERT_TRUE(Gfx_Image_Copy_24to32(&source.image, &fast.image));
                {
                    GenericOnly reference;
                    ASSERT_TRUE(Gfx_Image_Copy_24to32(&source.image, &generic.image));
                }
                source.image.m_palette = nullptr;
                source.image.paletteSize = 0;
                // Pixels and padding alike.
                ASSERT_EQ(fast.memory, generic.memory);
            }
        }
    }
}
