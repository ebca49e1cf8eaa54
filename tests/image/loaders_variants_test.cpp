// The BMP, TGA and PCX loaders over the variants they read, each to its exact
// pixels, and every truncation of those files.
#include "image_test_util.h"

TEST(LoadBmp, EveryVariantGivesItsPixels) {
    const uint32_t k0 = 0xFF102030, k1 = 0xFF405060, bk = 0xFF000000;  // black beyond colours-used
    const struct {
        void (*shape)(BmpLayout&);
        Bytes pixels;
        int32_t format;
        std::vector<uint32_t> want;  // top row first; indices for run-length files
    } cases[] = {
        // Rows padded to 4 bytes whatever the image-size field says, bottom row first.
        {[](BmpLayout& s) { s.height = 2; }, {1, 2, 3, 0, 4, 5, 6, 0}, GFX_FMT_R8G8B8, {0xFF060504, 0xFF030201}},
        {[](BmpLayout& s) { s.height = -2, s.imageSize = 6; }, {1, 2, 3, 0, 4, 5, 6, 0}, GFX_FMT_R8G8B8,
         {0xFF030201, 0xFF060504}},
        {[](BmpLayout& s) { s.width = 5, s.height = 2, s.bitCount = 1; }, {0xA8, 0, 0, 0, 0x50, 0, 0, 0},
         GFX_FMT_PAL8, {k0, k1, k0, k1, k0, k1, k0, k1, k0, k1}},
        {[](BmpLayout& s) { s.width = 5, s.height = 2, s.bitCount = 4, s.headerSize = 108; },
         {0x12, 0x30, 0x40, 0, 0x01, 0x23, 0x10, 0}, GFX_FMT_PAL8, {k0, k1, bk, bk, k1, k1, bk, bk, k0, bk}},
        {[](BmpLayout& s) { s.width = 5, s.height = 2, s.bitCount = 8, s.headerSize = 124; },
         {1, 1, 0, 2, 2, 0, 0, 0, 3, 3, 2, 1, 0, 0, 0, 0}, GFX_FMT_PAL8, {bk, bk, bk, k1, k0, k1, k1, k0, bk, bk}},
        {[](BmpLayout& s) { s.bitCount = 16; }, {0x10, 0x20, 0, 0}, GFX_FMT_R5G5B5, {0x2010}},
        {[](BmpLayout& s) { s.bitCount = 16, s.compression = 3, s.masks = {0xF800, 0x7E0, 0x1F}; },
         {0x10, 0x20, 0, 0}, GFX_FMT_R5G6B5, {0x2010}},
        {[](BmpLayout& s) { s.bitCount = 32; }, {0x10, 0x20, 0x30, 0x40}, GFX_FMT_A8R8G8B8, {0xFF302010}},
        {[](BmpLayout& s) {
             s.bitCount = 32, s.compression = 3, s.headerSize = 124, s.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
         }, {0x10, 0x20, 0x30, 0x40}, GFX_FMT_A8R8G8B8, {0x40302010}},
        // Run-length rows: bottom row 3 x 7, a padded literal 1 2 3, end of
        // line; a delta (2, 1), 2 x 9, end of bitmap. Skipped pixels are 0.
        {[](BmpLayout& s) { s.width = 6, s.height = 3, s.bitCount = 8, s.compression = 1; },
         {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 1, 2, 9, 0, 1}, GFX_FMT_PAL8,
         {0, 0, 9, 9, 0, 0, 0, 0, 0, 0, 0, 0, 7, 7, 7, 1, 2, 3}},
        // Runs alternate two nibbles; a literal of 5 nibbles pads to 4 bytes.
        {[](BmpLayout& s) { s.width = 6, s.height = 2, s.bitCount = 4, s.compression = 2; },
         {5, 0x12, 1, 0x40, 0, 0, 0, 5, 0x45, 0x6A, 0xB0, 0, 1, 0xC0, 0, 1}, GFX_FMT_PAL8,
         {4, 5, 6, 10, 11, 12, 1, 2, 1, 2, 1, 4}},
    };
    for (const auto& c : cases) {
        BmpLayout layout;
        c.shape(layout);
        std::vector<uint32_t> want = c.want;
        if (layout.bitCount <= 8) layout.colorsUsed = 2, layout.palette = {0x102030, 0x405060};
        const bool runLength = layout.compression == 1 || layout.compression == 2;
        if (runLength) {  // grey entries show the indices
            layout.colorsUsed = 16, layout.palette.clear();
            for (uint32_t i = 0; i < 16; ++i) layout.palette.push_back(i * 0x010101);
            for (uint32_t& v : want) v = 0xFF000000 | v * 0x010101;
        }
        // The last row's padding may be missing (writers leave it out); every
        // other byte is needed.
        const uint32_t rowBytes = (uint32_t(layout.width) * layout.bitCount + 7) / 8;
        const size_t padding = runLength ? 0 : (4 - rowBytes % 4) % 4;
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        ExpectLoads(Loader::Bmp, MakeBmp(layout, c.pixels), padding, c.format, layout.width, want);
    }
}

TEST(LoadTga, EveryVariantGivesItsPixels) {
    const struct {
        void (*shape)(TgaLayout&);
        Bytes pixels;
        int32_t format;
        std::vector<uint32_t> want;  // top row first
    } cases[] = {
        {[](TgaLayout& s) { s.height = 2, s.bitCount = 32; }, {1, 2, 3, 4, 0, 0, 0, 0}, GFX_FMT_R8G8B8A8,
         {0, 0x03020104}},
        {[](TgaLayout& s) { s.bitCount = 16; }, {0x34, 0x92}, GFX_FMT_R5G5B5, {0x9234}},  // kept as it is
        // Right to left at an even width, where every pixel changes place.
        {[](TgaLayout& s) { s.width = 4, s.descriptor = 0x10; }, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         GFX_FMT_R8G8B8, {0xFF0C0B0A, 0xFF090807, 0xFF060504, 0xFF030201}},
        // An image ID and a colour map on a true-colour file are skipped; a run
        // packet crosses into the second row.
        {[](TgaLayout& s) {
             s.imageType = 10, s.width = s.height = 2, s.descriptor = 0x20, s.id = Bytes(8, 'x');
             s.mapType = 1, s.mapLength = 3, s.mapEntryBits = 16, s.map = Bytes(6, 0x77);
         }, {0x82, 1, 2, 3, 0x00, 4, 5, 6}, GFX_FMT_R8G8B8, {0xFF030201, 0xFF030201, 0xFF030201, 0xFF060504}},
        // Grey levels in file order 1 2 3 / 4 5 6, placed by the descriptor's origin bits.
        {[](TgaLayout& s) { s.imageType = 3; }, {1, 2, 3, 4, 5, 6}, GFX_FMT_L8, {4, 5, 6, 1, 2, 3}},
        {[](TgaLayout& s) { s.imageType = 3, s.descriptor = 16; }, {1, 2, 3, 4, 5, 6}, GFX_FMT_L8, {6, 5, 4, 3, 2, 1}},
        {[](TgaLayout& s) { s.imageType = 11, s.descriptor = 0x38; }, {5, 1, 2, 3, 4, 5, 6}, GFX_FMT_L8,
         {3, 2, 1, 6, 5, 4}},
        // Colour maps of 32 and 16 bits; 5-bit levels 31, 16, 1 widen to 255,
        // 128, 9, and the top bit of a 16-bit entry is dropped. Entry 7 is black.
        {[](TgaLayout& s) { s.imageType = 9, s.mapEntryBits = 32, s.map = {1, 2, 3, 9, 4, 5, 6, 9}; }, {2, 0, 1, 7},
         GFX_FMT_PAL8, {0xFF030201, 0xFF060504, 0xFF000000}},
        {[](TgaLayout& s) { s.imageType = 9, s.mapEntryBits = 16, s.map = {0x1F, 0x86, 0x00, 0xFC}; }, {2, 0, 1, 7},
         GFX_FMT_PAL8, {0xFF0980FF, 0xFFFF0000, 0xFF000000}},
    };
    for (const auto& c : cases) {
        TgaLayout layout;
        c.shape(layout);
        std::vector<uint32_t> want = c.want;
        if (layout.imageType % 8 == 3) {  // grey: 3 x 2 levels
            layout.width = 3, layout.height = 2, layout.bitCount = 8;
            for (uint32_t& v : want) v = 0xFF000000 | v * 0x010101;
        }
        if (layout.imageType % 8 == 1) layout.width = 3, layout.bitCount = 8, layout.mapType = 1, layout.mapLength = 2;
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        ExpectLoads(Loader::Tga, MakeTga(layout, c.pixels), 0, c.format, layout.width, want);
    }
}

TEST(LoadPcx, EveryVariantGivesItsPixels) {
    auto Ramp = [](uint32_t i) { return i << 16 | (255 - i) << 8 | (i ^ 0x5A); };
    std::vector<uint32_t> ramp(256);
    for (uint32_t i = 0; i < 256; ++i) ramp[i] = Ramp(i);
    Bytes header;  // sixteen colours: red i x 16, green i, blue 255 - i
    for (uint8_t i = 0; i < 16; ++i) header.insert(header.end(), {uint8_t(i * 16), i, uint8_t(255 - i)});
    const uint32_t white = 0xFFFFFFFF, bk = 0xFF000000;
    const struct {
        uint16_t width, height;
        uint8_t bits, planes;
        Bytes headerPalette, encoded;
        bool trailingPalette;
        int32_t format;
        std::vector<uint32_t> want;
    } cases[] = {
        // 4 bytes a line; the run of two 1s carries on into the second line.
        {3, 2, 8, 1, {}, {0xC3, 7, 0xC2, 1, 0xC1, 0xC5, 2, 3}, true, GFX_FMT_PAL8,
         {Ramp(7), Ramp(7), Ramp(7), Ramp(1), Ramp(0xC5), Ramp(2)}},
        // Each line holds red, green and blue planes of 4 bytes; single bytes below 192 stand for themselves.
        {3, 2, 8, 3, {}, {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23, 100, 101, 102, 103, 110, 111, 112, 113, 120, 121,
                          122, 123},
         false, GFX_FMT_R8G8B8, {0x000A14, 0x010B15, 0x020C16, 0x646E78, 0x656F79, 0x66707A}},
        // Plane p gives bit p of the index: 5, 10, 15.
        {3, 1, 1, 4, header, PcxEncode({0xA0, 0, 0x60, 0, 0xA0, 0, 0x60, 0}), false, GFX_FMT_PAL8,
         {0x5005FA, 0xA00AF5, 0xF00FF0}},
        // Runs of 33 and 63 bytes (the count is the low six bits), the second
        // across a line: 33 x 7, 7 x 9 / 40 x 5 / 23 x 5, 0xC6, 1..16.
        {40, 3, 8, 1, {}, {0xE1, 7, 0xC7, 9, 0xFF, 5, 0xC1, 0xC6, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
         true, GFX_FMT_PAL8, {}},
        // Monochrome without a header palette is black on white.
        {10, 1, 1, 1, {}, PcxEncode({0x81, 0x40}), false, GFX_FMT_PAL8,
         {white, bk, bk, bk, bk, bk, bk, white, bk, white}},
    };
    for (const auto& c : cases) {
        PcxLayout layout;
        layout.xMax = uint16_t(c.width - 1), layout.yMax = uint16_t(c.height - 1);
        layout.bitsPerPlane = c.bits, layout.planes = c.planes, layout.headerPalette = c.headerPalette;
        if (c.trailingPalette && c.width <= 4) layout.bytesPerLine = 4;
        std::vector<uint32_t> want = c.want;
        if (c.width == 40) {
            want.assign(33, Ramp(7)), want.resize(40, Ramp(9)), want.resize(103, Ramp(5)), want.push_back(Ramp(0xC6));
            for (uint32_t i = 1; i <= 16; ++i) want.push_back(Ramp(i));
        }
        for (uint32_t& v : want) v |= 0xFF000000;
        const Bytes file = MakePcx(layout, c.encoded, c.trailingPalette ? ramp : std::vector<uint32_t>());
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        ExpectLoads(Loader::Pcx, file, 0, c.format, c.width, want);
    }
}
