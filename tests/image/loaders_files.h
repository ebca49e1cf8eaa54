// Small BMP, PCX and TGA files built in memory for the loader tests and the
// fuzz seeds.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace loader_test {

using Bytes = std::vector<uint8_t>;

inline void Put(Bytes& b, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

struct BmpLayout {
    int32_t width = 1, height = 1;  // negative height: top-down rows
    uint32_t bitCount = 24, compression = 0, headerSize = 40, colorsUsed = 0, imageSize = 0;
    std::vector<uint32_t> masks;    // after a 40-byte header, or inside a larger one
    std::vector<uint32_t> palette;  // 0x00RRGGBB, stored as blue, green, red, 0
    int64_t dataOffset = -1;        // -1: right after the palette
};

// `pixels`: the pixel data exactly as they stand in the file.
inline Bytes MakeBmp(const BmpLayout& s, const Bytes& pixels) {
    Bytes info;
    for (uint32_t v : {s.headerSize, uint32_t(s.width), uint32_t(s.height), 1u | s.bitCount << 16, s.compression,
                       s.imageSize, 2835u, 2835u, s.colorsUsed, 0u})
        Put(info, v, 4);
    for (size_t i = 0; i < (s.headerSize > 40 ? 4 : s.masks.size()); ++i)
        Put(info, i < s.masks.size() ? s.masks[i] : 0, 4);
    if (s.headerSize > 40) info.resize(s.headerSize, 0);
    for (uint32_t c : s.palette) Put(info, c & 0xFFFFFF, 4);
    const uint32_t offset = s.dataOffset >= 0 ? uint32_t(s.dataOffset) : 14 + uint32_t(info.size());
    Bytes file = {'B', 'M'};
    Put(file, 14 + info.size() + pixels.size(), 4);
    Put(file, uint64_t(offset) << 32, 8);  // reserved, then the data offset
    file.insert(file.end(), info.begin(), info.end());
    if (offset < (1u << 20)) file.resize(std::max<size_t>(file.size(), offset), 0xEE);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

struct TgaLayout {
    uint8_t imageType = 2, bitCount = 24, descriptor = 0;
    uint16_t width = 1, height = 1;
    Bytes id;
    uint8_t mapType = 0, mapEntryBits = 0;
    uint16_t mapLength = 0;  // the map starts at index 0
    Bytes map;  // colour-map bytes as stored
};

inline Bytes MakeTga(const TgaLayout& s, const Bytes& pixels) {
    Bytes file = {uint8_t(s.id.size()), s.mapType, s.imageType};
    Put(file, uint32_t(s.mapLength) << 16, 4);
    Put(file, s.mapEntryBits, 5);  // then the screen position, 0
    Put(file, s.width | uint32_t(s.height) << 16 | uint64_t(s.bitCount) << 32 | uint64_t(s.descriptor) << 40, 6);
    for (const Bytes* part : {&s.id, &s.map, &pixels}) file.insert(file.end(), part->begin(), part->end());
    return file;
}

struct PcxLayout {
    uint16_t xMax = 0, yMax = 0;  // xMin and yMin are 10 and 20
    uint8_t version = 5, bitsPerPlane = 8, planes = 1;
    uint16_t bytesPerLine = 0;  // 0: the smallest even value for the width
    Bytes headerPalette;        // up to 16 red, green, blue triples
};

// Run-length codes `raw` as one stream (runs may cross scan lines).
inline Bytes PcxEncode(const Bytes& raw) {
    Bytes out;
    for (size_t i = 0, n; i < raw.size(); i += n) {
        for (n = 1; i + n < raw.size() && n < 63 && raw[i + n] == raw[i];) ++n;
        if (n > 1 || raw[i] >= 192) out.push_back(uint8_t(192 + n));
        out.push_back(raw[i]);
    }
    return out;
}

// `palette` (256 0x00RRGGBB entries) follows the marker 12 when not empty.
inline Bytes MakePcx(const PcxLayout& s, const Bytes& encoded, const std::vector<uint32_t>& palette = {}) {
    Bytes file = {10, s.version, 1, s.bitsPerPlane};
    for (uint32_t v : {10u, 20u, 10u + s.xMax, 20u + s.yMax, 72u, 72u}) Put(file, v, 2);
    file.insert(file.end(), s.headerPalette.begin(), s.headerPalette.end());
    file.resize(65, 0);
    file.push_back(s.planes);
    const uint32_t bytes = ((s.xMax + 1u) * s.bitsPerPlane + 7) / 8;
    Put(file, s.bytesPerLine ? s.bytesPerLine : bytes + (bytes & 1), 2);
    file.resize(128, 0);
    file.insert(file.end(), encoded.begin(), encoded.end());
    if (!palette.empty()) file.push_back(12);
    for (uint32_t c : palette) Put(file, (c >> 16 & 0xFF) | (c & 0xFF00) | (c & 0xFF) << 16, 3);
    return file;
}

}  // namespace loader_test
