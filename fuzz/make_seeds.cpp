// Writes a small seed corpus for the fuzz targets: one folder per target
// (bmp, pcx, tga, img, srf, blit, uft, text) under the folder given on the
// command line, each with tiny files of the kinds that the readers accept or,
// for blit, inputs that draw with each kind of call and walking mode.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <random>

#include "blit_input.h"
#include "font/font_fixtures.h"
#include "fuzz_text_choice.h"
#include "softblit/font/all.h"
#include "support/sample_files.h"
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

// For each drawing call (and, for Blit_Fixed and BlitImage, each walking
// mode) the first of a fixed series of random inputs that decodes to a call
// which returns true and changes the destination.
std::vector<Bytes> BlitSeeds() {
    std::vector<Bytes> seeds;
    std::mt19937 rng(1);
    for (uint8_t kind = 0; kind < 8; ++kind) {
        for (int mode = 0; mode < (kind < 2 ? 3 : 1); ++mode) {
            for (int attempt = 0; attempt < 4000; ++attempt) {
                Bytes input(64 + rng() % 512);
                for (uint8_t& b : input) b = uint8_t(rng());
                FuzzedDataProvider in(input.data(), input.size());
                fuzz_blit::T_Surface src, dst;
                fuzz_blit::MakeSurface(in, src, 32);
                fuzz_blit::MakeSurface(in, dst, 64);
                const fuzz_blit::T_Call call = fuzz_blit::ReadCall(in);
                const S_BlitParams& p = call.params;
                const int walk = !call.hasParams ? 0 : p.angle != 0.0f ? 2 : p.scale.x != 1.0f || p.scale.y != 1.0f;
                if (call.kind != kind || (kind < 2 && walk != mode) || dst.colour.bytes.empty()) continue;
                const Bytes before = dst.colour.bytes;
                if (fuzz_blit::Draw(call, src, dst) && dst.colour.bytes != before) {
                    seeds.push_back(input);
                    break;
                }
            }
        }
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

#ifdef DEMO_DATA_DIR
// The demo's nine data files as the build wrote them, each after the byte
// that names it to fuzz_demo_data (file k, effect k % 5).
std::vector<Bytes> DemoDataSeeds() {
    const char* const files[9] = {"font01.uft", "font02.uft", "font03.uft", "face.img",  "data01.srf",
                                  "data02.srf", "data03.srf", "data04.srf", "data05.srf"};
    std::vector<Bytes> seeds;
    for (int k = 0; k < 9; ++k) {
        FILE* f = fopen((std::string(DEMO_DATA_DIR) + "/" + files[k]).c_str(), "rb");
        if (!f) continue;
        Bytes seed = {uint8_t(k + 9 * (k % 5))};
        for (int c; (c = fgetc(f)) != EOF;) seed.push_back(uint8_t(c));
        fclose(f);
        seeds.push_back(seed);
    }
    return seeds;
}
#endif

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
              SaveAll(dir, "img", ImgSeeds()) && SaveAll(dir, "srf", SrfSeeds()) && SaveAll(dir, "blit", BlitSeeds()) &&
              SaveAll(dir, "uft", UftSeeds()) && SaveAll(dir, "text", TextSeeds());
#ifdef DEMO_DATA_DIR
    ok = ok && SaveAll(dir, "demo_data", DemoDataSeeds());
#endif
    if (!ok) fprintf(stderr, "could not write the seeds under %s\n", argv[1]);
    return ok ? 0 : 1;
}
