// The TGA loader: depths, corners, colour maps, run-length packets and
// refused kinds.
#include <gtest/gtest.h>

#include "image_test_util.h"

using namespace image_test;

namespace {

TgaLayout Layout(uint8_t type, uint16_t width, uint16_t height, uint8_t bits) {
    TgaLayout s;
    s.imageType = type, s.width = width, s.height = height, s.bitCount = bits;
    return s;
}

}  // namespace

TEST(LoadTga, PixelDepthsGiveTheirFormats) {
    C_Image image;
    // Blue 1, green 2, red 3, alpha 4 in the first stored (bottom) row.
    ASSERT_TRUE(LoadBytes(image, Loader::Tga, MakeTga(Layout(2, 1, 2, 32), {1, 2, 3, 4, 0, 0, 0, 0})));
    EXPECT_EQ(image.format, GFX_FMT_R8G8B8A8);
    EXPECT_EQ(Pixel32(image, 0, 1), 0x03020104u);
    for (uint8_t bits : {15, 16}) {
        ASSERT_TRUE(LoadBytes(image, Loader::Tga, MakeTga(Layout(2, 1, 1, bits), {0x34, 0x92})));
        EXPECT_EQ(image.format, GFX_FMT_R5G5B5);
        EXPECT_EQ(image.data[0] | image.data[1] << 8, 0x9234);  // stored unchanged
    }
}

TEST(LoadTga, TheDescriptorChoosesTheCornerOfTheFirstPixel) {
    // File order 1 2 3 / 4 5 6 as grey levels, raw and as one packet.
    const struct {
        uint8_t descriptor;
        uint8_t expected[6];
    } cases[] = {
        {0x00, {4, 5, 6, 1, 2, 3}},  // bottom left
        {0x10, {6, 5, 4, 3, 2, 1}},  // bottom right
        {0x20, {1, 2, 3, 4, 5, 6}},  // top left
        {0x38, {3, 2, 1, 6, 5, 4}},  // top right; the alpha-depth bits do not matter
    };
    for (const auto& c : cases) {
        for (uint8_t type : {3, 11}) {
            TgaLayout s = Layout(type, 3, 2, 8);
            s.descriptor = c.descriptor;
            C_Image image;
            ASSERT_TRUE(LoadBytes(image, Loader::Tga, MakeTga(s, type == 3 ? Bytes{1, 2, 3, 4, 5, 6}
                                                                            : Bytes{5, 1, 2, 3, 4, 5, 6})));
            EXPECT_EQ(image.format, GFX_FMT_L8);
            EXPECT_EQ(memcmp(image.data, c.expected, 6), 0) << int(c.descriptor) << " type " << int(type);
        }
    }
}

TEST(LoadTga, IdFieldsAndColourMapsOnTrueColourFilesAreSkipped) {
    TgaLayout s = Layout(10, 2, 2, 24);
    s.descriptor = 0x20, s.id = Bytes(8, 'x');
    s.mapType = 1, s.mapLength = 3, s.mapEntryBits = 16, s.map = Bytes(6, 0x77);
    C_Image image;
    // A run packet that crosses into the second row, then a raw packet.
    ASSERT_TRUE(LoadBytes(image, Loader::Tga, MakeTga(s, {0x82, 1, 2, 3, 0x00, 4, 5, 6})));
    EXPECT_TRUE(image.format == GFX_FMT_R8G8B8 && image.m_palette == nullptr);
    EXPECT_EQ(Bytes(image.data, image.data + 12), (Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3, 4, 5, 6}));
}

TEST(LoadTga, ColourMapsOfEveryEntrySizeBecomeTheR8G8B8Palette) {
    const struct {
        uint8_t entryBits;
        Bytes map;  // two entries
        uint8_t expected[6];
    } cases[] = {
        {24, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
        {32, {1, 2, 3, 9, 4, 5, 6, 9}, {1, 2, 3, 4, 5, 6}},
        // Levels 31, 16, 1 widen to 255, 128, 9 as in format conversion; the
        // top bit of a 16-bit entry is dropped.
        {15, {0x1F, 0x06, 0x00, 0x7C}, {255, 128, 9, 0, 0, 255}},
        {16, {0x1F, 0x86, 0x00, 0xFC}, {255, 128, 9, 0, 0, 255}},
    };
    for (const auto& c : cases) {
        for (uint8_t type : {1, 9}) {
            TgaLayout s = Layout(type, 2, 1, 8);
            s.mapType = 1, s.mapLength = 2, s.mapEntryBits = c.entryBits, s.map = c.map;
            C_Image image;
            ASSERT_TRUE(LoadBytes(image, Loader::Tga, MakeTga(s, type == 1 ? Bytes{1, 7} : Bytes{1, 1, 7})));
            ASSERT_TRUE(image.format == GFX_FMT_PAL8 && image.paletteFormat == GFX_FMT_R8G8B8);
            ASSERT_EQ(image.paletteSize, 768u);
            EXPECT_EQ(memcmp(image.m_palette, c.expected, 6), 0) << int(c.entryBits);
            EXPECT_TRUE(image.m_palette[3 * 7] == 0 && image.data[1] == 7);  // entries beyond the map are black
        }
    }
}

TEST(LoadTga, RefusesFilesOutsideTheAcceptedKinds) {
    void (*edits[])(TgaLayout&) = {
        [](TgaLayout& s) { s.mapFirst = 1; },
        [](TgaLayout& s) { s.mapLength = 0; },
        [](TgaLayout& s) { s.mapLength = 257, s.map.resize(257 * 3); },
        [](TgaLayout& s) { s.mapEntryBits = 8; },
        [](TgaLayout& s) { s.mapType = 0; },
        [](TgaLayout& s) { s.mapType = 2; },
        [](TgaLayout& s) { s.bitCount = 16; },
        [](TgaLayout& s) { s.width = 0; },
        [](TgaLayout& s) { s.height = 0; },
        [](TgaLayout& s) { s.imageType = 32; },
        [](TgaLayout& s) { s.descriptor = 0x40; },  // interleaved rows
        [](TgaLayout& s) { s.imageType = 2; },      // true colour at 8 bits
        [](TgaLayout& s) { s.imageType = 3, s.bitCount = 16; },
    };
    C_Image image;
    for (auto edit : edits) {
        TgaLayout s = Layout(1, 2, 1, 8);
        s.mapType = 1, s.mapLength = 2, s.mapEntryBits = 24, s.map = Bytes(6, 0);
        edit(s);
        EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Tga, MakeTga(s, {0, 1, 0, 1})));
    }
}

TEST(LoadTga, RunLengthPacketsThatOverrunOrStopShortFail) {
    // 5 pixels into 4; a raw packet of 3, then 2 more; data end after 2 or 3 of 4.
    C_Image image;
    for (const Bytes& data : {Bytes{0x84, 9}, Bytes{0x02, 1, 2, 3, 0x81, 4}, Bytes{0x81, 9}, Bytes{0x82, 9}})
        EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Tga, MakeTga(Layout(11, 2, 2, 8), data)));
    EXPECT_TRUE(LoadBytes(image, Loader::Tga, MakeTga(Layout(11, 2, 2, 8), {0x83, 9})));
}
