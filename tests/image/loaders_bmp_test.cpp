// The BMP loader: every accepted depth, header size, mask set and run-length
// coding, and the kinds it refuses.
#include <gtest/gtest.h>

#include <algorithm>

#include "image_test_util.h"

using namespace image_test;

TEST(LoadBmp, RowsArePaddedToFourBytesWhateverTheImageSizeSays) {
    // 3 x 2 at 24 bits: 9 bytes of pixels and 3 of padding a row, bottom row first.
    const Bytes rows = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0};
    for (uint32_t imageSize : {24u, 0u, 18u}) {
        BmpLayout layout;
        layout.width = 3, layout.height = 2, layout.imageSize = imageSize;
        C_Image image;
        ASSERT_TRUE(LoadBytes(image, Loader::Bmp, MakeBmp(layout, rows)));
        EXPECT_TRUE(image.format == GFX_FMT_R8G8B8 && image.pitch == 9);
        EXPECT_TRUE(memcmp(image.data, rows.data() + 12, 9) == 0 && memcmp(image.data + 9, rows.data(), 9) == 0);
        layout.height = -2;  // top-down
        ASSERT_TRUE(LoadBytes(image, Loader::Bmp, MakeBmp(layout, rows)));
        EXPECT_EQ(memcmp(image.data, rows.data(), 9), 0);
    }
}

TEST(LoadBmp, PaletteDepthsWidenIndicesAndBlackenUnusedEntries) {
    // 5 x 2, bottom row first.
    const struct { uint32_t bits, headerSize; Bytes rows; uint8_t top[5], bottom[5]; } cases[] = {
        {1, 40, {0xA8, 0, 0, 0, 0x50, 0, 0, 0}, {0, 1, 0, 1, 0}, {1, 0, 1, 0, 1}},
        {4, 108, {0x12, 0x30, 0x40, 0, 0x01, 0x23, 0x10, 0}, {0, 1, 2, 3, 1}, {1, 2, 3, 0, 4}},
        {8, 124, {1, 1, 0, 2, 2, 0, 0, 0, 3, 3, 2, 1, 0, 0, 0, 0}, {3, 3, 2, 1, 0}, {1, 1, 0, 2, 2}},
    };
    for (const auto& c : cases) {
        BmpLayout layout;
        layout.width = 5, layout.height = 2, layout.bitCount = c.bits, layout.headerSize = c.headerSize;
        layout.palette = {0x102030, 0x405060};
        layout.colorsUsed = 2;  // the palette follows the header, whatever its size
        C_Image image;
        ASSERT_TRUE(LoadBytes(image, Loader::Bmp, MakeBmp(layout, c.rows))) << c.bits;
        ASSERT_TRUE(image.format == GFX_FMT_PAL8 && image.paletteFormat == GFX_FMT_R8G8B8);
        ASSERT_EQ(image.paletteSize, 768u);
        EXPECT_TRUE(memcmp(image.data, c.top, 5) == 0 && memcmp(image.data + 5, c.bottom, 5) == 0) << c.bits;
        EXPECT_EQ(Bytes(image.m_palette, image.m_palette + 6), (Bytes{0x30, 0x20, 0x10, 0x60, 0x50, 0x40}));
        EXPECT_EQ(std::count(image.m_palette + 6, image.m_palette + 768, 0), 762);
    }
}

TEST(LoadBmp, SixteenAndThirtyTwoBitsFollowTheirMasks) {
    // `want`: the pixel 0x40302010 as ARGB, or its low 16 bits kept as they are.
    const struct {
        uint32_t bits, headerSize, compression;
        std::vector<uint32_t> masks;
        int32_t format;
        uint32_t want;
    } cases[] = {
        {16, 40, 0, {}, GFX_FMT_R5G5B5, 0x2010},
        {16, 40, 3, {0xF800, 0x7E0, 0x1F}, GFX_FMT_R5G6B5, 0x2010},
        {16, 40, 6, {0x7C00, 0x3E0, 0x1F, 0x8000}, GFX_FMT_A1R5G5B5, 0x2010},
        {32, 40, 0, {}, GFX_FMT_A8R8G8B8, 0xFF302010},
        {32, 124, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, GFX_FMT_A8R8G8B8, 0x40302010},
        {32, 108, 3, {0xFF0000, 0xFF00, 0xFF, 0}, GFX_FMT_A8R8G8B8, 0xFF302010},
        {32, 40, 6, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, GFX_FMT_A8R8G8B8, 0x40102030},
        // 10-bit channels keep their top bits; a 2-bit alpha of 1 repeats to 0x55.
        {32, 40, 6, {0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000}, GFX_FMT_A8R8G8B8, 0x55000204},
    };
    for (const auto& c : cases) {
        BmpLayout layout;
        layout.bitCount = c.bits, layout.headerSize = c.headerSize, layout.compression = c.compression, layout.masks = c.masks;
        C_Image image;
        ASSERT_TRUE(LoadBytes(image, Loader::Bmp, MakeBmp(layout, {0x10, 0x20, 0x30, 0x40})));
        EXPECT_EQ(image.format, c.format);
        EXPECT_EQ(c.bits == 16 ? uint32_t(image.data[0] | image.data[1] << 8) : PixelArgb(image, 0, 0), c.want);
    }
}

TEST(LoadBmp, RunLengthRowsDecodeWithDeltasPaddingAndEarlyEnd) {
    BmpLayout layout;
    layout.width = 6, layout.height = 3, layout.bitCount = 8, layout.compression = 1;
    // Bottom row: 3 x 7, literal 1 2 3 (padded), end of line; a delta (2, 1),
    // 2 x 9, end of bitmap. Pixels that the data skip are 0.
    C_Image image;
    ASSERT_TRUE(LoadBytes(image, Loader::Bmp, MakeBmp(layout, {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 1, 2, 9, 0, 1})));
    const uint8_t rle8[18] = {0, 0, 9, 9, 0, 0, 0, 0, 0, 0, 0, 0, 7, 7, 7, 1, 2, 3};
    EXPECT_EQ(memcmp(image.data, rle8, 18), 0);

    // Four bits: runs alternate two nibbles; a literal of 5 nibbles pads to 4 bytes.
    layout.height = 2, layout.bitCount = 4, layout.compression = 2;
    ASSERT_TRUE(LoadBytes(image, Loader::Bmp,
                          MakeBmp(layout, {5, 0x12, 1, 0x40, 0, 0, 0, 5, 0x45, 0x6A, 0xB0, 0, 1, 0xC0, 0, 1})));
    const uint8_t rle4[12] = {4, 5, 6, 10, 11, 12, 1, 2, 1, 2, 1, 4};
    EXPECT_EQ(memcmp(image.data, rle4, 12), 0);

    // Rows of 5 pixels occupy 8 bytes: runs may cover that padding, which
    // some writers code with the row.
    layout.width = 5, layout.bitCount = 8, layout.compression = 1;
    ASSERT_TRUE(LoadBytes(image, Loader::Bmp, MakeBmp(layout, {8, 3, 0, 0, 4, 4, 0, 4, 1, 2, 3, 4, 0, 1})));
    const uint8_t padded[10] = {4, 4, 4, 4, 1, 3, 3, 3, 3, 3};
    EXPECT_EQ(memcmp(image.data, padded, 10), 0);

    // A run or a literal past the padded row; data that end before the last
    // row is done, or without an end marker; a delta below the last row; an
    // end of line past the last row.
    for (const Bytes& data : {Bytes{9, 1, 0, 1}, Bytes{6, 3, 0, 3, 1, 2, 3, 0}, Bytes{5, 1, 0, 0, 2, 1},
                              Bytes{5, 1, 0, 0, 5, 1, 0, 0}, Bytes{0, 2, 0, 3},
                              Bytes{5, 1, 0, 0, 5, 1, 0, 0, 0, 0, 0, 1}})
        EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Bmp, MakeBmp(layout, data)));
    layout.height = -2;  // run-length data are never stored top-down
    EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Bmp, MakeBmp(layout, {0, 1})));
}

TEST(LoadBmp, RefusesFilesOutsideTheAcceptedKinds) {
    void (*edits[])(BmpLayout&) = {
        [](BmpLayout& s) { s.width = 0; },
        [](BmpLayout& s) { s.width = -2; },
        [](BmpLayout& s) { s.height = 0; },
        [](BmpLayout& s) { s.headerSize = 12; },
        [](BmpLayout& s) { s.headerSize = 64; },
        [](BmpLayout& s) { s.bitCount = 2; },
        [](BmpLayout& s) { s.compression = 4; },
        [](BmpLayout& s) { s.compression = 1; },  // run-length coding at 24 bits
        [](BmpLayout& s) { s.bitCount = 4, s.colorsUsed = 17; },
        [](BmpLayout& s) { s.bitCount = 8, s.colorsUsed = 1000000; },
        [](BmpLayout& s) { s.bitCount = 16, s.compression = 3, s.masks = {0xF000, 0xF00, 0xF0}; },
        [](BmpLayout& s) { s.bitCount = 32, s.compression = 3, s.masks = {0xFF0000, 0xFFFF00, 0xFF}; },
        [](BmpLayout& s) { s.bitCount = 32, s.compression = 3, s.masks = {0xFF0F00, 0xF000, 0xFF}; },
        [](BmpLayout& s) { s.dataOffset = 10; },          // inside the headers
        [](BmpLayout& s) { s.dataOffset = 0x7FFFFFFF; },  // beyond the file
    };
    C_Image image;
    for (auto edit : edits) {
        BmpLayout layout;
        layout.width = 2, layout.height = 2;
        edit(layout);
        EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Bmp, MakeBmp(layout, Bytes(16, 0))));
    }
    Bytes notBmp = MakeBmp(BmpLayout(), Bytes(4, 0));
    notBmp[0] = 'M';
    EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Bmp, notBmp));
}

TEST(LoadBmp, TheDataOffsetMayCutThePaletteShortOrLeaveAGap) {
    BmpLayout layout;
    layout.bitCount = 8, layout.palette = {0x112233, 0x445566}, layout.dataOffset = 14 + 40 + 4;
    Bytes file = MakeBmp(layout, {1, 0, 0, 0});
    file.erase(file.begin() + 58, file.begin() + 62);  // room for one entry only
    C_Image image;
    ASSERT_TRUE(LoadBytes(image, Loader::Bmp, file));
    EXPECT_EQ(PixelArgb(image, 0, 0), 0xFF000000u);
    layout.colorsUsed = 2, layout.dataOffset = 14 + 40 + 8 + 5;  // 5 bytes between palette and pixels
    ASSERT_TRUE(LoadBytes(image, Loader::Bmp, MakeBmp(layout, {1, 0, 0, 0})));
    EXPECT_EQ(PixelArgb(image, 0, 0), 0xFF445566u);
}
