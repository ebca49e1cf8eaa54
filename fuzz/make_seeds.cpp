// Writes a small seed corpus for the fuzz targets: one folder per target
// (bmp, pcx, tga, img, srf, uft, text) under the folder given on the command line, each with
// tiny files of the kinds that the loaders accept.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "font/font_fixtures.h"
#include "fuzz_text_choice.h"
#include "image/loaders_files.h"
#include "softblit/font/all.h"
#include "softblit/core/stream.h"
#include "softblit/image/image.h"
#include "softblit/math/color.h"
#include "softblit/surface/surface.h"

using namespace loader_test;

namespace {

bool Save(const std::string& path, const Bytes& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

std::vector<Bytes> BmpSeeds() {
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

std::vector<Bytes> TgaSeeds() {
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

std::vector<Bytes> PcxSeeds() {
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
Bytes ImgRecord(uint32_t width, uint32_t height, uint32_t bits, int32_t format, bool palette) {
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

std::vector<Bytes> ImgSeeds() {
    return {ImgRecord(2, 2, 32, 24, false), ImgRecord(3, 1, 8, 4, true), ImgRecord(3, 2, 16, 14, false),
            ImgRecord(5, 1, 24, 21, false), ImgRecord(9, 2, 4, 3, false), ImgRecord(1, 1, 128, 43, false)};
}

// A blit choice (position, scale, angle, opacity, flags: 24 bytes) and then
// a surface record with a colour plane and, in the second seed, an alpha plane.
std::vector<Bytes> SrfSeeds() {
    std::vector<Bytes> seeds;
    const float choices[2][5] = {{3.5f, -2.0f, 1.0f, 0.0f, 1.0f}, {20.0f, 12.0f, 1.5f, 30.0f, 0.5f}};
    for (int withAlpha = 0; withAlpha < 2; ++withAlpha) {
        C_Image* colour = new C_Image;
        colour->CreateEmpty(7, 5, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
        colour->Clear(C_Color(0.2f, 0.4f, 0.6f, 1.0f));
        C_Image* alpha = nullptr;
        if (withAlpha) {
            alpha = new C_Image;
            alpha->CreateEmpty(7, 5, GFX_FMT_L8, GFX_FMT_NONE);
            alpha->Clear(C_Color(0.5f, 0.5f, 0.5f, 0.5f));
        }
        C_Surface surface(0, colour, alpha, nullptr, nullptr, nullptr, nullptr);
        C_Stream out;
        out.OpenMemoryForWrite();
        surface.SaveToStream(&out, 0);
        Bytes seed(24, 0);
        memcpy(seed.data(), choices[withAlpha], sizeof choices[withAlpha]);
        seed[20] = withAlpha ? 0x13 : 0x00;
        seed.insert(seed.end(), out.buffer, out.buffer + out.size);
        seeds.push_back(seed);
    }
    return seeds;
}

Bytes FontBytes(C_Font& font) {
    C_Stream out;
    out.OpenMemoryForWrite();
    font.SaveToStream(&out, 0);
    return Bytes(out.buffer, out.buffer + out.size);
}

// A grid font of five characters, and a few characters of DejaVu Sans in
// both rasterised modes.
std::vector<Bytes> UftSeeds() {
    std::vector<Bytes> seeds;
    seeds.push_back(FontBytes(*font_test::MakeGridFont()));
    C_Font outline;
    outline.AddFaces('A', 'D');
    outline.AddFace(' ');
    const C_String dejaVu("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    Gfx_Font_AddGlyphsFromOutline(dejaVu, C_BitmapGlyph(6, FONT_RENDER_ANTIALIASED, FONT_STYLE_REGULAR), &outline);
    Gfx_Font_AddGlyphsFromOutline(dejaVu, C_BitmapGlyph(5, FONT_RENDER_MONO, FONT_STYLE_BOLD), &outline);
    seeds.push_back(FontBytes(outline));
    return seeds;
}

// The drawing options, the text and a font, as fuzz_text reads them.
std::vector<Bytes> TextSeeds() {
    const std::vector<Bytes> fonts = UftSeeds();
    struct {
        const char* text;
        uint8_t mode, style, anchor, wrap, options;
        size_t font;
    } cases[] = {{"AB_| A\tB", 6, 4, 0x12, 0, 0, 0},
                 {"AB\nBA", 6, 8, 0x31, 1, 1 | 8, 0},
                 {"ABC A", 5, 0, 0x20, 1, 2 | 4, 1},
                 {" CAB", 4, 1 | 4, 0x10, 0, 16, 1}};
    std::vector<Bytes> seeds;
    for (const auto& c : cases) {
        S_TextChoice choice{};
        choice.size = c.mode == 6 ? 8.0f : 7.0f;
        choice.x = 5.5f;
        choice.y = c.options & 8 ? 6.0f : -6.0f;
        choice.areaRight = 60;
        choice.areaBottom = 40;
        choice.clipLeft = 2;
        choice.clipTop = 1;
        choice.clipRight = 50;
        choice.clipBottom = 30;
        choice.cursor = 2;
        choice.renderMode = c.mode;
        choice.style = c.style;
        choice.anchor = c.anchor;
        choice.wrap = c.wrap;
        choice.options = c.options;
        choice.textLength = uint8_t(strlen(c.text));
        Bytes seed(sizeof choice);
        memcpy(seed.data(), &choice, sizeof choice);
        seed.insert(seed.end(), c.text, c.text + choice.textLength);
        seed.insert(seed.end(), fonts[c.font].begin(), fonts[c.font].end());
        seeds.push_back(seed);
    }
    return seeds;
}

bool SaveAll(const std::string& dir, const char* name, const std::vector<Bytes>& seeds) {
    std::string folder = dir + "/" + name;
    std::string command = "mkdir -p '" + folder + "'";
    if (std::system(command.c_str()) != 0) return false;
    for (size_t i = 0; i < seeds.size(); ++i) {
        if (!Save(folder + "/seed" + std::to_string(i) + "." + name, seeds[i])) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = SaveAll(dir, "bmp", BmpSeeds()) && SaveAll(dir, "pcx", PcxSeeds()) && SaveAll(dir, "tga", TgaSeeds()) &&
              SaveAll(dir, "img", ImgSeeds()) && SaveAll(dir, "srf", SrfSeeds()) &&
              SaveAll(dir, "uft", UftSeeds()) && SaveAll(dir, "text", TextSeeds());
    if (!ok) fprintf(stderr, "could not write the seeds under %s\n", argv[1]);
    return ok ? 0 : 1;
}
