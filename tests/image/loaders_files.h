// Small BMP, PCX and TGA files built in memory for the loader tests (and the
// fuzz seeds), and the checks that the loader tests share.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/image/image.h"

namespace loader_test {

using Bytes = std::vector<uint8_t>;

inline void Put(Bytes& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

struct BmpSpec {
    int32_t width = 1, height = 1;  // negative height: top-down rows
    uint32_t bitCount = 24, compression = 0, headerSize = 40, colorsUsed = 0, imageSize = 0;
    std::vector<uint32_t> masks;    // after a 40-byte header, or inside a larger one
    std::vector<uint32_t> palette;  // 0x00RRGGBB, stored as blue, green, red, 0
    int64_t dataOffset = -1;        // -1: right after the palette
};

// `pixels`: the pixel data exactly as they stand in the file.
inline Bytes MakeBmp(const BmpSpec& s, const Bytes& pixels) {
    Bytes info;
    for (uint32_t v : {s.headerSize, uint32_t(s.width), uint32_t(s.height), 1u | s.bitCount << 16, s.compression,
                       s.imageSize, 2835u, 2835u, s.colorsUsed, 0u})
        Put(info, v, 4);
    for (size_t i = 0; i < (s.headerSize > 40 ? 4 : s.masks.size()); ++i)
        Put(info, i < s.masks.size() ? s.masks[i] : 0, 4);
    if (s.headerSize > 40) info.resize(s.headerSize, 0);
    for (uint32_t c : s.palette) Put(info, c & 0xFFFFFF, 4);
    const uint32_t offset = s.dataOffset >= 0 ? uint32_t(s.dataOffset) : 14 + uint32_t(info.size());
    Bytes file;
    Put(file, 0x4D42, 2);
    Put(file, 14 + uint32_t(info.size() + pixels.size()), 4);
    Put(file, 0, 4);
    Put(file, offset, 4);
    Append(file, info);
    while (file.size() < offset && offset < (1u << 20)) file.push_back(0xEE);
    Append(file, pixels);
    return file;
}

struct TgaSpec {
    uint8_t imageType = 2, bitCount = 24, descriptor = 0;
    uint16_t width = 1, height = 1;
    Bytes id;
    uint8_t mapType = 0, mapEntryBits = 0;
    uint16_t mapFirst = 0, mapLength = 0;
    Bytes map;  // colour-map bytes as stored
};

inline Bytes MakeTga(const TgaSpec& s, const Bytes& pixels) {
    Bytes file = {uint8_t(s.id.size()), s.mapType, s.imageType};
    Put(file, s.mapFirst, 2);
    Put(file, s.mapLength, 2);
    Put(file, s.mapEntryBits, 1);
    Put(file, 0, 4);  // screen position
    Put(file, s.width, 2);
    Put(file, s.height, 2);
    Put(file, s.bitCount, 1);
    Put(file, s.descriptor, 1);
    Append(file, s.id);
    Append(file, s.map);
    Append(file, pixels);
    return file;
}

struct PcxSpec {
    uint16_t xMax = 0, yMax = 0;  // xMin and yMin are 10 and 20
    uint8_t version = 5, bitsPerPlane = 8, planes = 1;
    uint16_t bytesPerLine = 0;  // 0: the smallest even value for the width
    Bytes headerPalette;        // up to 16 red, green, blue triples
};

inline uint16_t PcxLineBytes(const PcxSpec& s) {
    uint32_t bytes = ((s.xMax + 1u) * s.bitsPerPlane + 7) / 8;
    return s.bytesPerLine ? s.bytesPerLine : uint16_t(bytes + (bytes & 1));
}

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

// `palette` (256 0x00RRGGBB entries) follows `marker` when not empty.
inline Bytes MakePcx(const PcxSpec& s, const Bytes& encoded, const std::vector<uint32_t>& palette = {},
                     uint8_t marker = 12) {
    Bytes file = {10, s.version, 1, s.bitsPerPlane};
    for (uint32_t v : {10u, 20u, 10u + s.xMax, 20u + s.yMax, 72u, 72u}) Put(file, v, 2);
    Bytes pal16 = s.headerPalette;
    pal16.resize(48, 0);
    Append(file, pal16);
    file.push_back(0);
    file.push_back(s.planes);
    Put(file, PcxLineBytes(s), 2);
    file.resize(128, 0);
    Append(file, encoded);
    if (!palette.empty()) file.push_back(marker);
    for (uint32_t c : palette) Put(file, (c >> 16 & 0xFF) | (c & 0xFF00) | (c & 0xFF) << 16, 3);
    return file;
}

enum class Loader { Bmp, Pcx, Tga };

inline bool LoadBytes(C_Image& image, Loader loader, const Bytes& bytes) {
    C_Stream stream;
    stream.OpenMemoryForRead(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return loader == Loader::Bmp ? image.LoadBMP(&stream)
           : loader == Loader::Pcx ? image.LoadPCX(&stream)
                                   : image.LoadTGA(&stream);
}

inline bool IsReset(const C_Image& image) {
    return image.data == nullptr && image.m_palette == nullptr && image.width == 0 && image.height == 0 &&
           image.pitch == 0 && image.dataSize == 0 && image.rowBytes == 0 && image.format == GFX_FMT_NONE &&
           image.paletteFormat == GFX_FMT_NONE && image.paletteSize == 0 && image.bitsPerPixel == 0;
}

// True when loading `file` fails with error 10, the loader's text and the
// fatal record, leaving the image reset.
inline bool LoadFailsAsBadFile(C_Image& image, Loader loader, const Bytes& file) {
    static const char* const texts[] = {"C_Image::LoadBMP(stream)", "C_Image::LoadPCX(stream)",
                                        "C_Image::LoadTGA(stream)"};
    return !LoadBytes(image, loader, file) && Err_GetCause().code == ERR_DATA &&
           strcmp(Err_GetCause().message, texts[int(loader)]) == 0 && Sys_Status.errorCode == ERR_FATAL &&
           IsReset(image);
}

// Pixel (x, y) as 0xAARRGGBB, for the formats that the loaders produce.
inline uint32_t PixelArgb(const C_Image& image, uint32_t x, uint32_t y) {
    const uint8_t* p = image.data + static_cast<size_t>(y) * image.pitch;
    auto argb = [](uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; };
    auto five = [](uint32_t v) { return (v << 3) | (v & 7); };
    switch (image.format) {
        case GFX_FMT_PAL8:
            return argb(255, image.m_palette[3 * p[x] + 2], image.m_palette[3 * p[x] + 1], image.m_palette[3 * p[x]]);
        case GFX_FMT_L8:
            return argb(255, p[x], p[x], p[x]);
        case GFX_FMT_R8G8B8:
            return argb(255, p[3 * x + 2], p[3 * x + 1], p[3 * x]);
        case GFX_FMT_A8R8G8B8:
            return argb(p[4 * x + 3], p[4 * x + 2], p[4 * x + 1], p[4 * x]);
        case GFX_FMT_R8G8B8A8:
            return argb(p[4 * x], p[4 * x + 3], p[4 * x + 2], p[4 * x + 1]);
        case GFX_FMT_R5G5B5: {
            uint32_t v = p[2 * x] | p[2 * x + 1] << 8;
            return argb(255, five(v >> 10 & 31), five(v >> 5 & 31), five(v & 31));
        }
        default:
            return 0xDEADBEEF;
    }
}

}  // namespace loader_test
