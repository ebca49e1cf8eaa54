// Hostile files: every truncation, absurd dimensions and huge claims must fail
// cleanly, without a large allocation and without leaking.
#include <gtest/gtest.h>

#include "image_test_util.h"

using namespace image_test;

namespace {

std::vector<uint32_t> Grey() {
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; ++i) palette[i] = i * 0x010101;
    return palette;
}

// Valid files in which every byte is needed.
struct Sample {
    Loader loader;
    Bytes file;
};

std::vector<Sample> Samples() {
    BmpLayout bmp;  // 4 x 3 at 8 bits: rows without padding
    bmp.width = 4, bmp.height = 3, bmp.bitCount = 8, bmp.colorsUsed = 2, bmp.palette = {0x010203, 0x040506};
    BmpLayout rle = bmp;
    rle.compression = 1;
    TgaLayout tga;
    tga.imageType = 9, tga.width = 3, tga.height = 2, tga.bitCount = 8, tga.id = {'i', 'd'};
    tga.mapType = 1, tga.mapLength = 3, tga.mapEntryBits = 24, tga.map = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    PcxLayout pcx;
    pcx.xMax = 2, pcx.yMax = 1;
    return {{Loader::Bmp, MakeBmp(bmp, Bytes(12, 1))},
            {Loader::Bmp, MakeBmp(rle, {4, 1, 0, 0, 0, 4, 1, 0, 1, 0, 0, 0, 4, 1, 0, 1})},
            {Loader::Tga, MakeTga(tga, {0x81, 2, 0x01, 0, 1, 0x81, 1})},
            {Loader::Pcx, MakePcx(pcx, PcxEncode({1, 1, 1, 0, 2, 200, 3, 0}), Grey())}};
}

}  // namespace

TEST(LoadHostile, EveryTruncationFailsAndFreesEverything) {
    for (const Sample& sample : Samples()) {
        C_Image image;
        const uint32_t baseline = Sys_Status.memoryInUse;
        for (size_t length = 0; length < sample.file.size(); ++length) {
            const Bytes cut(sample.file.begin(), sample.file.begin() + length);
            ASSERT_TRUE(LoadFailsAsBadFile(image, sample.loader, cut)) << int(sample.loader) << " at " << length;
            ASSERT_EQ(Sys_Status.memoryInUse, baseline);
        }
        EXPECT_TRUE(LoadBytes(image, sample.loader, sample.file)) << int(sample.loader);
    }
}

TEST(LoadHostile, HugeClaimsFailBeforeAnyLargeAllocation) {
    std::vector<Sample> files;
    const int32_t sizes[][2] = {{0x7FFFFFFF, 1}, {1, 0x7FFFFFFF}, {65536, 65536}, {1 << 20, -(1 << 20)}, {4096, 4096}};
    for (uint32_t bits : {1, 8, 24, 32})
        for (const auto& size : sizes) {
            BmpLayout bmp;
            bmp.width = size[0], bmp.height = size[1], bmp.bitCount = bits;
            files.push_back({Loader::Bmp, MakeBmp(bmp, Bytes(64, 0))});
            bmp.compression = 1, bmp.bitCount = 8;  // run-length data of at most 255 pixels in 2 bytes
            files.push_back({Loader::Bmp, MakeBmp(bmp, Bytes(4096, 0xFF))});
        }
    // The 18-byte TGA header that claims 65535 x 65535, alone and with some data.
    for (uint8_t type : {2, 10, 3, 11, 1, 9}) {
        TgaLayout tga;
        tga.imageType = type, tga.width = 65535, tga.height = 65535, tga.bitCount = type % 8 == 2 ? 32 : 8;
        if (type % 8 == 1) tga.mapType = 1, tga.mapLength = 1, tga.mapEntryBits = 24, tga.map = {0, 0, 0};
        files.push_back({Loader::Tga, MakeTga(tga, {})});
        files.push_back({Loader::Tga, MakeTga(tga, Bytes(4096, 0xFF))});
        tga.width = tga.height = 4000;  // within the size limit, yet far too little data
        files.push_back({Loader::Tga, MakeTga(tga, Bytes(4096, 0xFF))});
    }
    for (uint8_t planes : {1, 3}) {
        PcxLayout pcx;
        pcx.planes = planes, pcx.xMax = 65525, pcx.yMax = 65525;  // 65526 x 65526
        files.push_back({Loader::Pcx, MakePcx(pcx, Bytes(4096, 0xFF), Grey())});
        pcx.xMax = pcx.yMax = 4095;
        files.push_back({Loader::Pcx, MakePcx(pcx, Bytes(4096, 0xFF), Grey())});
    }
    ASSERT_EQ(MakeTga(TgaLayout(), {}).size(), 18u);
    for (const Sample& sample : files) {
        C_Image image;
        Sys_Status.memoryPeak = Sys_Status.memoryInUse;
        EXPECT_TRUE(LoadFailsAsBadFile(image, sample.loader, sample.file)) << int(sample.loader);
        EXPECT_LT(Sys_Status.memoryPeak - Sys_Status.memoryInUse, 65536u);
    }
}
