// Hostile files: absurd dimensions and wrong palette sizes fail cleanly,
// without a large allocation and without leaking. The variant tables check
// every truncation.
#include "image_test_util.h"

struct Sample {
    Loader loader;
    Bytes file;
};

static Sample Bmp(void (*edit)(BmpLayout&), const Bytes& pixels = Bytes(64, 0)) {
    BmpLayout s;
    s.width = 2, s.height = 2;
    edit(s);
    return {Loader::Bmp, MakeBmp(s, pixels)};
}

static Sample Tga(void (*edit)(TgaLayout&), const Bytes& pixels = Bytes(64, 0)) {
    TgaLayout s;
    s.imageType = 1, s.width = 2, s.bitCount = 8, s.mapType = 1, s.mapLength = 2, s.mapEntryBits = 24;
    s.map = Bytes(6, 0);
    edit(s);
    if (!s.mapType) s.map.clear();
    return {Loader::Tga, MakeTga(s, pixels)};
}

static Sample Pcx(void (*edit)(PcxLayout&), const Bytes& encoded = Bytes(64, 0xC1), bool palette = true) {
    PcxLayout s;
    s.xMax = s.yMax = 1;
    edit(s);
    return {Loader::Pcx, MakePcx(s, encoded, std::vector<uint32_t>(palette ? 256 : 0, 0x808080))};
}

TEST(LoadHostile, AbsurdFilesFailBeforeAnyLargeAllocation) {
    const Sample samples[] = {
        Bmp([](BmpLayout& s) { s.width = 0x7FFFFFFF, s.height = 1; }),
        Bmp([](BmpLayout& s) { s.width = 1 << 20, s.height = -(1 << 20), s.bitCount = 32; }),
        // Run-length data expand to at most 255 pixels per 2 bytes.
        Bmp([](BmpLayout& s) { s.width = s.height = 65536, s.bitCount = 8, s.compression = 1; }, Bytes(4096, 0xFF)),
        Bmp([](BmpLayout& s) { s.width = -2; }),
        Bmp([](BmpLayout& s) { s.bitCount = 4, s.colorsUsed = 17; }),
        Bmp([](BmpLayout& s) { s.bitCount = 8, s.colorsUsed = 1000000; }),
        Bmp([](BmpLayout& s) { s.dataOffset = 0x7FFFFFFF; }),
        // Bit fields with no colour channel at all.
        Bmp([](BmpLayout& s) { s.bitCount = 32, s.compression = 3, s.masks = {0, 0, 0}; }),
        // The 18-byte header that claims 65535 x 65535, of every type.
        Tga([](TgaLayout& s) { s.imageType = 2, s.width = s.height = 65535, s.bitCount = 32, s.mapType = 0; }, {}),
        Tga([](TgaLayout& s) { s.imageType = 10, s.width = s.height = 65535, s.bitCount = 32, s.mapType = 0; }, {}),
        Tga([](TgaLayout& s) { s.imageType = 11, s.width = s.height = 65535, s.mapType = 0; }, {}),
        Tga([](TgaLayout& s) { s.imageType = 1, s.width = s.height = 65535; }),
        Tga([](TgaLayout& s) { s.imageType = 9, s.width = s.height = 4000; }, Bytes(4096, 0xFF)),
        Tga([](TgaLayout& s) { s.height = 0; }),
        Tga([](TgaLayout& s) { s.mapLength = 0; }),
        Tga([](TgaLayout& s) { s.mapLength = 257, s.map.resize(257 * 3); }),
        Pcx([](PcxLayout& s) { s.xMax = s.yMax = 65525; }),
        Pcx([](PcxLayout& s) { s.xMax = s.yMax = 65525, s.planes = 3; }),
        Pcx([](PcxLayout& s) { s.xMax = 0xFFFF; }),  // xMax = xMin - 1
        Pcx([](PcxLayout& s) { s.bytesPerLine = 1; }),
        Pcx([](PcxLayout& s) { s.planes = 2; }),
        Pcx([](PcxLayout&) {}, Bytes(64, 0xC1), false),  // no trailing palette
    };
    ASSERT_EQ(samples[8].file.size(), 18u);
    for (const Sample& sample : samples) {
        C_Image image;
        Sys_Status.memoryPeak = Sys_Status.memoryInUse;
        EXPECT_TRUE(LoadFailsAsBadFile(image, sample.loader, sample.file)) << &sample - samples;
        EXPECT_LT(Sys_Status.memoryPeak - Sys_Status.memoryInUse, 65536u) << &sample - samples;
    }
}
