// The PCX loader: one and three planes, the sixteen-colour kinds, and the
// kinds and runs it refuses.
#include <gtest/gtest.h>

#include "image_test_util.h"

using namespace image_test;

namespace {

PcxLayout Layout(uint16_t width, uint16_t height, uint8_t bits, uint8_t planes) {
    PcxLayout s;
    s.xMax = static_cast<uint16_t>(width - 1), s.yMax = static_cast<uint16_t>(height - 1);
    s.bitsPerPlane = bits, s.planes = planes;
    return s;
}

std::vector<uint32_t> Ramp() {
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; ++i) palette[i] = i << 16 | (255 - i) << 8 | (i ^ 0x5A);
    return palette;
}

}  // namespace

TEST(LoadPcx, OnePlaneReadsRunsAcrossLinesAndTheTrailingPalette) {
    // 3 x 2 with 4 bytes a line: 0xC3 0x07 gives three 7s; the run of two 1s
    // carries on into the second line.
    PcxLayout s = Layout(3, 2, 8, 1);
    s.bytesPerLine = 4;
    std::vector<uint32_t> palette = Ramp();
    palette[0] = 0x010203;
    C_Image image;
    ASSERT_TRUE(LoadBytes(image, Loader::Pcx, MakePcx(s, {0xC3, 7, 0xC2, 1, 0xC1, 0xC5, 2, 3}, palette)));
    EXPECT_TRUE(image.format == GFX_FMT_PAL8 && image.paletteFormat == GFX_FMT_R8G8B8 && image.pitch == 3);
    EXPECT_EQ(Bytes(image.data, image.data + 6), (Bytes{7, 7, 7, 1, 0xC5, 2}));
    EXPECT_EQ(Bytes(image.m_palette, image.m_palette + 3), (Bytes{3, 2, 1}));
    EXPECT_EQ(PixelArgb(image, 2, 1), 0xFF000000 | palette[2]);

    s.version = 3;  // only version 5 carries the palette
    EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Pcx, MakePcx(s, {0xC8, 0}, Ramp())));
    s.version = 5;
    EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Pcx, MakePcx(s, {0xC8, 0}, Ramp(), 11)));
    EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Pcx, MakePcx(s, {0xC8, 0})));
}

TEST(LoadPcx, ThreePlanesGiveR8G8B8) {
    Bytes raw;  // each line: red, green and blue planes of 4 bytes
    for (uint8_t y = 0; y < 2; ++y)
        for (uint8_t plane = 0; plane < 3; ++plane)
            for (uint8_t x = 0; x < 4; ++x) raw.push_back(static_cast<uint8_t>(y * 100 + plane * 10 + x));
    C_Image image;
    ASSERT_TRUE(LoadBytes(image, Loader::Pcx, MakePcx(Layout(3, 2, 8, 3), PcxEncode(raw))));
    EXPECT_EQ(image.format, GFX_FMT_R8G8B8);
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 3; ++x)
            EXPECT_EQ(PixelArgb(image, x, y), 0xFF000000 | ((y * 100 + x) * 0x010101 + 0x000A14));
}

TEST(LoadPcx, SixteenColourKindsUseTheHeaderPalette) {
    Bytes header;
    for (uint8_t i = 0; i < 16; ++i) header.insert(header.end(), {uint8_t(i * 16), i, uint8_t(255 - i)});
    // Four planes of one bit, plane p giving bit p of the index: 5, 10, 15.
    PcxLayout planar = Layout(3, 1, 1, 4);
    planar.headerPalette = header;
    C_Image image;
    ASSERT_TRUE(LoadBytes(image, Loader::Pcx, MakePcx(planar, PcxEncode({0xA0, 0, 0x60, 0, 0xA0, 0, 0x60, 0}))));
    const Bytes indices = {5, 10, 15};
    EXPECT_EQ(Bytes(image.data, image.data + 3), indices);
    EXPECT_EQ(PixelArgb(image, 1, 0), 0xFFA00AF5u);
    EXPECT_EQ(image.m_palette[48], 0);

    PcxLayout packed = Layout(3, 1, 4, 1);  // one plane of four bits
    ASSERT_TRUE(LoadBytes(image, Loader::Pcx, MakePcx(packed, PcxEncode({0x5A, 0xF0}))));
    EXPECT_EQ(Bytes(image.data, image.data + 3), indices);

    // Monochrome with an empty header palette is black on white.
    PcxLayout mono = Layout(10, 1, 1, 1);
    ASSERT_TRUE(LoadBytes(image, Loader::Pcx, MakePcx(mono, PcxEncode({0x81, 0x40}))));
    EXPECT_EQ(Bytes(image.data, image.data + 10), (Bytes{1, 0, 0, 0, 0, 0, 0, 1, 0, 1}));
    EXPECT_TRUE(PixelArgb(image, 0, 0) == 0xFFFFFFFFu && PixelArgb(image, 1, 0) == 0xFF000000u);
    mono.headerPalette = {0, 0, 90, 200, 0, 0};
    ASSERT_TRUE(LoadBytes(image, Loader::Pcx, MakePcx(mono, PcxEncode({0x81, 0x40}))));
    EXPECT_EQ(PixelArgb(image, 0, 0), 0xFFC80000u);
}

TEST(LoadPcx, RefusesFilesOutsideTheAcceptedKindsAndBrokenRuns) {
    void (*edits[])(PcxLayout&) = {
        [](PcxLayout& s) { s.xMax = 0xFFFF; },  // xMax = xMin - 1
        [](PcxLayout& s) { s.yMax = 0xFFFF; },
        [](PcxLayout& s) { s.bytesPerLine = 1; },
        [](PcxLayout& s) { s.planes = 2; },
        [](PcxLayout& s) { s.planes = 4; },
        [](PcxLayout& s) { s.bitsPerPlane = 2; },
        [](PcxLayout& s) { s.bitsPerPlane = 1, s.planes = 5; },
    };
    C_Image image;
    for (auto edit : edits) {
        PcxLayout s = Layout(2, 2, 8, 3);
        edit(s);
        EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Pcx, MakePcx(s, Bytes(64, 0))));
    }
    Bytes file = MakePcx(Layout(2, 2, 8, 3), {0xCC, 0});  // 2 lines of 3 planes of 2 bytes
    ASSERT_TRUE(LoadBytes(image, Loader::Pcx, file));
    file[0] = 11;  // not a PCX file
    EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Pcx, file));
    file[0] = 10, file[2] = 0;  // uncompressed
    EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Pcx, file));

    // 11 or 13 of 12 bytes; a lone run byte.
    for (const Bytes& data : {Bytes{0xCB, 0}, Bytes{0xCD, 0}, Bytes{0xCB, 0, 0xC2}})
        EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Pcx, MakePcx(Layout(2, 2, 8, 3), data)));
}
