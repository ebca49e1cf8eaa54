// The format descriptors against an independent transcription of the format
// table, in code order.
#include "image_test_util.h"

// Each row's constant has the code of its position.
const struct {
    int32_t format;
    uint32_t bits, bytes, channels, componentType, indexed;
    uint32_t channel[4][2];  // lowest bit and width of red, green, blue, alpha; {} when absent
    uint32_t mask[4];        // in the same order
} kTable[] = {
    {GFX_FMT_PAL1, 1, 1, 1, 1, 1, {{0, 1}}, {0xFF}},
    {GFX_FMT_PAL2, 2, 1, 1, 2, 1, {{0, 2}}, {0xFF}},
    {GFX_FMT_PAL4, 4, 1, 1, 2, 1, {{0, 4}}, {0xFF}},
    {GFX_FMT_PAL8, 8, 1, 1, 2, 1, {{0, 8}}, {0xFF}},
    {GFX_FMT_L1, 1, 1, 1, 1, 0, {{0, 1}}, {0xFF}},
    {GFX_FMT_L8, 8, 1, 1, 2, 0, {{0, 8}}, {0xFF}},
    {GFX_FMT_L16, 16, 2, 1, 2, 0, {{0, 16}}, {0xFFFF}},
    {GFX_FMT_L24, 24, 3, 1, 2, 0, {{0, 24}}, {0xFFFFFF}},
    {GFX_FMT_L32, 32, 4, 1, 2, 0, {{0, 32}}, {0xFFFFFFFF}},
    {GFX_FMT_L32F, 32, 4, 1, 3, 0, {{0, 32}}, {}},
    {GFX_FMT_L64F, 64, 8, 1, 4, 0, {{0, 64}}, {}},
    {GFX_FMT_R3G3B2, 8, 1, 3, 2, 0, {{5, 3}, {2, 3}, {0, 2}}, {0xE0, 0x1C, 0x3}},
    {GFX_FMT_R5G5B5, 16, 2, 3, 2, 0, {{10, 5}, {5, 5}, {0, 5}}, {0x7C00, 0x3E0, 0x1F}},
    {GFX_FMT_R5G6B5, 16, 2, 3, 2, 0, {{11, 5}, {5, 6}, {0, 5}}, {0xF800, 0x7E0, 0x1F}},
    {GFX_FMT_R6G5B5, 16, 2, 3, 2, 0, {{10, 6}, {5, 5}, {0, 5}}, {0xFC00, 0x3E0, 0x1F}},
    {GFX_FMT_R5G5B6, 16, 2, 3, 2, 0, {{11, 5}, {6, 5}, {0, 6}}, {0xF800, 0x7C0, 0x3F}},
    {GFX_FMT_R5G5B5A1, 16, 2, 4, 2, 0, {{11, 5}, {6, 5}, {1, 5}, {0, 1}}, {0xF800, 0x7C0, 0x3E, 0x1}},
    {GFX_FMT_R4G4B4A4, 16, 2, 4, 2, 0, {{12, 4}, {8, 4}, {4, 4}, {0, 4}}, {0xF000, 0xF00, 0xF0, 0xF}},
    {GFX_FMT_A1R5G5B5, 16, 2, 4, 2, 0, {{10, 5}, {5, 5}, {0, 5}, {15, 1}}, {0x7C00, 0x3E0, 0x1F, 0x8000}},
    {GFX_FMT_A4R4G4B4, 16, 2, 4, 2, 0, {{8, 4}, {4, 4}, {0, 4}, {12, 4}}, {0xF00, 0xF0, 0xF, 0xF000}},
    {GFX_FMT_R8G8B8, 24, 3, 3, 2, 0, {{16, 8}, {8, 8}, {0, 8}}, {0xFF0000, 0xFF00, 0xFF}},
    {GFX_FMT_R16G16B16, 48, 6, 3, 2, 0, {{32, 16}, {16, 16}, {0, 16}}, {}},
    {GFX_FMT_R8G8B8A8, 32, 4, 4, 2, 0, {{24, 8}, {16, 8}, {8, 8}, {0, 8}}, {0xFF000000, 0xFF0000, 0xFF00, 0xFF}},
    {GFX_FMT_A8R8G8B8, 32, 4, 4, 2, 0, {{16, 8}, {8, 8}, {0, 8}, {24, 8}}, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
    {GFX_FMT_R16G16B16A16, 64, 8, 4, 2, 0, {{48, 16}, {32, 16}, {16, 16}, {0, 16}}, {}},
    {GFX_FMT_A16R16G16B16, 64, 8, 4, 2, 0, {{32, 16}, {16, 16}, {0, 16}, {48, 16}}, {}},
    {GFX_FMT_B3G3R2, 8, 1, 3, 2, 0, {{0, 2}, {2, 3}, {5, 3}}, {0x3, 0x1C, 0xE0}},
    {GFX_FMT_B5G5R5, 16, 2, 3, 2, 0, {{0, 5}, {5, 5}, {10, 5}}, {0x1F, 0x3E0, 0x7C00}},
    {GFX_FMT_B5G6R5, 16, 2, 3, 2, 0, {{0, 5}, {5, 6}, {11, 5}}, {0x1F, 0x7E0, 0xF800}},
    {GFX_FMT_B6G5R5, 16, 2, 3, 2, 0, {{0, 5}, {5, 5}, {10, 6}}, {0x1F, 0x3E0, 0xFC00}},
    {GFX_FMT_B5G5R6, 16, 2, 3, 2, 0, {{0, 6}, {6, 5}, {11, 5}}, {0x3F, 0x7C0, 0xF800}},
    {GFX_FMT_B5G5R5A1, 16, 2, 4, 2, 0, {{1, 5}, {6, 5}, {11, 5}, {0, 1}}, {0x3E, 0x7C0, 0xF800, 0x1}},
    {GFX_FMT_B4G4R4A4, 16, 2, 4, 2, 0, {{4, 4}, {8, 4}, {12, 4}, {0, 4}}, {0xF0, 0xF00, 0xF000, 0xF}},
    {GFX_FMT_A1B5G5R5, 16, 2, 4, 2, 0, {{0, 5}, {5, 5}, {10, 5}, {15, 1}}, {0x1F, 0x3E0, 0x7C00, 0x8000}},
    {GFX_FMT_A4B4G4R4, 16, 2, 4, 2, 0, {{0, 4}, {4, 4}, {8, 4}, {12, 4}}, {0xF, 0xF0, 0xF00, 0xF000}},
    {GFX_FMT_B8G8R8, 24, 3, 3, 2, 0, {{0, 8}, {8, 8}, {16, 8}}, {0xFF, 0xFF00, 0xFF0000}},
    {GFX_FMT_B16G16R16, 48, 6, 3, 2, 0, {{0, 16}, {16, 16}, {32, 16}}, {}},
    {GFX_FMT_B8G8R8A8, 32, 4, 4, 2, 0, {{8, 8}, {16, 8}, {24, 8}, {0, 8}}, {0xFF00, 0xFF0000, 0xFF000000, 0xFF}},
    {GFX_FMT_A8B8G8R8, 32, 4, 4, 2, 0, {{0, 8}, {8, 8}, {16, 8}, {24, 8}}, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}},
    {GFX_FMT_B16G16R16A16, 64, 8, 4, 2, 0, {{16, 16}, {32, 16}, {48, 16}, {0, 16}}, {}},
    {GFX_FMT_A16B16G16R16, 64, 8, 4, 2, 0, {{0, 16}, {16, 16}, {32, 16}, {48, 16}}, {}},
    {GFX_FMT_R32G32B32F, 96, 12, 3, 3, 0, {{64, 32}, {32, 32}, {0, 32}}, {}},
    {GFX_FMT_R32G32B32A32F, 128, 16, 4, 3, 0, {{96, 32}, {64, 32}, {32, 32}, {0, 32}}, {}},
    {GFX_FMT_A32R32G32B32F, 128, 16, 4, 3, 0, {{64, 32}, {32, 32}, {0, 32}, {96, 32}}, {}},
    {GFX_FMT_B32G32R32F, 96, 12, 3, 3, 0, {{0, 32}, {32, 32}, {64, 32}}, {}},
    {GFX_FMT_B32G32R32A32F, 128, 16, 4, 3, 0, {{32, 32}, {64, 32}, {96, 32}, {0, 32}}, {}},
    {GFX_FMT_A32B32G32R32F, 128, 16, 4, 3, 0, {{0, 32}, {32, 32}, {64, 32}, {96, 32}}, {}},
};

static_assert(sizeof kTable / sizeof kTable[0] == 47, "a row for every code");

TEST(FormatTable, EveryFieldOfEveryRow) {
    for (int32_t code = 1; code <= 47; ++code) {
        const auto& row = kTable[code - 1];
        SCOPED_TRACE(code);
        S_FormatDesc d;
        ASSERT_TRUE(Gfx_GetFormatDesc(code, d));
        EXPECT_TRUE(row.format == code && d.format == code && d.bitsPerPixel == row.bits);
        EXPECT_TRUE(d.bytesPerPixel == row.bytes && d.channelCount == row.channels);
        EXPECT_TRUE(d.componentType == row.componentType && d.indexed == row.indexed);
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(d.shift[c] == row.channel[c][0] && d.bits[c] == row.channel[c][1] && d.mask[c] == row.mask[c])
                << "channel " << c;
    }
}
