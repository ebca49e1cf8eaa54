// Small valid files of every kind that the loaders accept: the fuzz seeds,
// and the inputs of the tests that walk allocation failures through loading.
#pragma once

#include <cstdint>
#include <vector>

#include "image/loaders_files.h"

namespace loader_test {

inline std::vector<Bytes> BmpSeeds() {
    std::vector<Bytes> seeds;
    BmpLayout s;
    s.width = 3;
    s.height = 2;
    seeds.push_back(MakeBmp(s, Bytes(24, 0x5A)));
    s.height = -2;
    seeds.push_back(MakeBmp(s, Bytes(24, 0xA5)));
    for (uint16_t bits : {1, 4, 8}) {
        BmpLayout p;
        p.width = 5;
        p.height = 2;
        p.bitCount = bits;
        p.colorsUsed = 2;
        p.palette = {0x102030, 0xFFEEDD};
        seeds.push_back(MakeBmp(p, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 1, 2, 3, 4, 5, 6, 7, 8}));
    }
    BmpLayout rle;
    rle.width = 6;
    rle.height = 3;
    rle.bitCount = 8;
    rle.compression = 1;
    seeds.push_back(MakeBmp(rle, {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 1, 2, 9, 0, 1}));
    rle.bitCount = 4;
    rle.compression = 2;
    rle.height = 2;
    seeds.push_back(MakeBmp(rle, {5, 0x12, 1, 0x40, 0, 0, 0, 5, 0x45, 0x6A, 0xB0, 0x00, 1, 0xC0, 0, 1}));
    BmpLayout b16;
    b16.width = 2;
    b16.bitCount = 16;
    b16.compression = 3;
    b16.masks = {0xF800, 0x7E0, 0x1F};
    seeds.push_back(MakeBmp(b16, {0x34, 0x12, 0xFF, 0xFF}));
    BmpLayout b32;
    b32.width = 2;
    b32.bitCount = 32;
    b32.compression = 3;
    b32.headerSize = 124;
    b32.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    seeds.push_back(MakeBmp(b32, {1, 2, 3, 4, 5, 6, 7, 8}));
    return seeds;
}

inline std::vector<Bytes> TgaSeeds() {
    std::vector<Bytes> seeds;
    TgaLayout s;
    s.width = 2;
    s.height = 2;
    for (uint8_t bits : {16, 24, 32}) {
        s.bitCount = bits;
        seeds.push_back(MakeTga(s, Bytes(4 * bits / 8, 0x3C)));
    }
    s.imageType = 10;
    s.descriptor = 0x30;
    s.id = {'s', 'e', 'e', 'd'};
    seeds.push_back(MakeTga(s, {0x82, 1, 2, 3, 4, 0x00, 5, 6, 7, 8}));
    TgaLayout m;
    m.imageType = 9;
    m.width = 3;
    m.height = 2;
    m.bitCount = 8;
    m.mapType = 1;
    m.mapLength = 3;
    m.mapEntryBits = 24;
    m.map = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    seeds.push_back(MakeTga(m, {0x81, 2, 0x01, 0, 1, 0x81, 1}));
    m.imageType = 1;
    m.mapEntryBits = 16;
    m.map = {0x1F, 0x06, 0x00, 0x7C, 0xFF, 0xFF};
    seeds.push_back(MakeTga(m, {0, 1, 2, 2, 1, 0}));
    TgaLayout g;
    g.imageType = 11;
    g.width = 3;
    g.height = 2;
    g.bitCount = 8;
    g.descriptor = 0x10;
    seeds.push_back(MakeTga(g, {5, 1, 2, 3, 4, 5, 6}));
    return seeds;
}

inline std::vector<Bytes> PcxSeeds() {
    std::vector<Bytes> seeds;
    PcxLayout p;
    p.xMax = 2;
    p.yMax = 1;
    p.bytesPerLine = 4;
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; ++i) palette[i] = i * 0x010203;
    seeds.push_back(MakePcx(p, {0xC3, 0x07, 0xC2, 0x01, 0xC1, 0xC5, 0x02, 0x03}, palette));
    PcxLayout rgb = p;
    rgb.planes = 3;
    seeds.push_back(MakePcx(rgb, PcxEncode(Bytes(24, 9))));
    PcxLayout planar;
    planar.xMax = 2;
    planar.bitsPerPlane = 1;
    planar.planes = 4;
    planar.headerPalette = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    seeds.push_back(MakePcx(planar, PcxEncode({0xA0, 0, 0x60, 0, 0xA0, 0, 0x60, 0})));
    PcxLayout mono;
    mono.xMax = 9;
    mono.bitsPerPlane = 1;
    seeds.push_back(MakePcx(mono, PcxEncode({0x81, 0x40})));
    return seeds;
}

// ".img" records: tag, dataSize, width, height, pitch, bitsPerPixel, format,
// paletteSize [, paletteFormat, paletteBitsPerPixel, palette], rows.
inline Bytes ImgRecord(uint32_t width, uint32_t height, uint32_t bits, int32_t format, bool palette) {
    const uint32_t rowBytes = (width * bits + 7) / 8;
    Bytes b;
    Put(b, 6, 2);
    for (uint32_t v : {rowBytes * height, width, height, rowBytes, bits, uint32_t(format), palette ? 768u : 0u})
        Put(b, v, 4);
    if (palette) {
        Put(b, 21, 4);
        Put(b, 24, 4);
        for (uint32_t i = 0; i < 768; ++i) b.push_back(uint8_t(i));
    }
    for (uint32_t i = 0; i < rowBytes * height; ++i) b.push_back(uint8_t(i * 7));
    return b;
}

inline std::vector<Bytes> ImgSeeds() {
    return {ImgRecord(2, 2, 32, 24, false), ImgRecord(3, 1, 8, 4, true), ImgRecord(3, 2, 16, 14, false),
            ImgRecord(5, 1, 24, 21, false), ImgRecord(9, 2, 4, 3, false), ImgRecord(1, 1, 128, 43, false)};
}

}  // namespace loader_test
