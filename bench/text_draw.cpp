// Text drawing on a 640 x 480 A8R8G8B8 surface, in glyphs per second: a
// 60-character line at size 16 from an antialiased DejaVu Sans font and from
// a grid font, and a 2,110-character scroll line with wrap-around, beside
// SDL2_ttf rendering the same 60-character line (same font file, same pixel
// size: 16 points at 96 dpi) with TTF_RenderUTF8_Blended and blitting it
// onto a 32-bit surface.
#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "softblit/font/all.h"
#include "softblit/image/all.h"
#include "softblit/surface/all.h"
#ifdef DEMO_DATA_DIR
#include "softblit/demo/texts.h"
#endif

namespace {

constexpr int kW = 640, kH = 480;
const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kLine[] = "The quick brown fox jumps over the lazy dog, 0123456789 ok!?";
static_assert(sizeof(kLine) - 1 == 60, "a 60-character line");

// The demo's own scroll text when the demo is built; otherwise a stand-in of
// the same shape: 148 blanks, then printable ASCII up to 2,110 characters.
std::string ScrollLine() {
#ifdef DEMO_DATA_DIR
    C_String text;
    if (Demo_BuildScrollText(&text)) return std::string(text.GetText(), text.GetLength());
#endif
    std::string s(148, ' ');
    const std::string words = "SOFTBLIT SCROLLER: every pixel computed on the CPU by its own code. ";
    while (s.size() < 2110) s += words;
    s.resize(2110);
    return s;
}

std::unique_ptr<C_Surface> Canvas() {
    auto s = std::make_unique<C_Surface>();
    C_Image* image = new C_Image();
    image->CreateEmpty(kW, kH, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
    std::memset(image->data, 0, image->dataSize);
    s->AddPlane(image, GFX_PLANE_COLOR);
    return s;
}

const C_Font& OutlineFont() {
    static C_Font* font = [] {
        C_Font* f = new C_Font();
        f->AddFaces(32, 127);
        Gfx_Font_AddGlyphsFromOutline(C_String(kDejaVu), C_BitmapGlyph(16, FONT_RENDER_ANTIALIASED, 7), f);
        return f;
    }();
    return *font;
}

// 16 x 6 cells of 12 x 20 pixels with a pattern of levels in each.
const C_Font& GridFont() {
    static C_Font* font = [] {
        C_Font* f = new C_Font();
        f->AddFaces(32, 128);
        C_Image* alpha = new C_Image();
        alpha->CreateEmpty(16 * 12, 6 * 20, GFX_FMT_L8, GFX_FMT_NONE);
        for (uint32_t y = 0; y < alpha->height; ++y)
            for (uint32_t x = 0; x < alpha->width; ++x) alpha->GetRow(y)[x] = uint8_t((x * 37 + y * 11) & 0xFF);
        C_Surface* grid = new C_Surface();
        grid->AddPlane(alpha, GFX_PLANE_ALPHA);
        std::string chars;
        for (int c = 32; c < 128; ++c) chars += char(c);
        Gfx_Font_AddGlyphsFromGrid(C_String(chars.c_str()), 16, 6, 16, grid, f);
        return f;
    }();
    return *font;
}

void GlyphRate(benchmark::State& state, double glyphs) {
    state.counters["glyphs/s"] = benchmark::Counter(glyphs, benchmark::Counter::kIsIterationInvariantRate);
}

void DrawLine(benchmark::State& state, const C_Font& font, uint8_t mode) {
    auto canvas = Canvas();
    const C_String text(kLine);
    const C_FontType type(C_String("bench"), 16, mode, 0, 0, 0, 0, 0);
    const C_Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const C_Vector2D at(8, 200);
    for (auto _ : state) {
        Gfx_Surface_DrawText(&text, const_cast<C_Font*>(&font), &type, canvas.get(), &white, &at, 0);
        benchmark::ClobberMemory();
    }
    GlyphRate(state, 60);
}

void BM_Softblit_Text60_Antialiased(benchmark::State& state) {
    DrawLine(state, OutlineFont(), FONT_RENDER_ANTIALIASED);
}
BENCHMARK(BM_Softblit_Text60_Antialiased);

void BM_Softblit_Text60_Grid(benchmark::State& state) { DrawLine(state, GridFont(), FONT_RENDER_GRID); }
BENCHMARK(BM_Softblit_Text60_Grid);

// The scroll line as the demo draws it: bottom-left anchored, wrapped, moving
// left by 2.5 pixels a frame.
void BM_Softblit_ScrollLine2110_Wrapped(benchmark::State& state) {
    auto canvas = Canvas();
    const std::string line = ScrollLine();
    const C_String text(line.c_str());
    const C_FontType type(C_String("bench"), 16, FONT_RENDER_ANTIALIASED, 0, 0, 0, 0, 0);
    const C_Color white(1.0f, 1.0f, 1.0f, 1.0f);
    float x = 0;
    for (auto _ : state) {
        const C_Vector2D at(x, kH - 25, 0x20);
        Gfx_Surface_DrawText(&text, const_cast<C_Font*>(&OutlineFont()), &type, canvas.get(), &white, &at, 1);
        benchmark::ClobberMemory();
        x -= 2.5f;
    }
    GlyphRate(state, double(line.size()));
}
BENCHMARK(BM_Softblit_ScrollLine2110_Wrapped);

void BM_SDL2ttf_Text60_Blended(benchmark::State& state) {
    if (TTF_Init() != 0) {
        state.SkipWithError("TTF_Init failed");
        return;
    }
    TTF_Font* font = TTF_OpenFontDPI(kDejaVu, 16, 96, 96);
    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!font || !canvas) {
        state.SkipWithError("SDL2_ttf set-up failed");
        return;
    }
    const SDL_Color white = {255, 255, 255, 255};
    for (auto _ : state) {
        SDL_Surface* text = TTF_RenderUTF8_Blended(font, kLine, white);
        SDL_Rect at = {8, 200, 0, 0};
        SDL_BlitSurface(text, nullptr, canvas, &at);
        SDL_FreeSurface(text);
        benchmark::ClobberMemory();
    }
    GlyphRate(state, 60);
    SDL_FreeSurface(canvas);
    TTF_CloseFont(font);
    TTF_Quit();
}
BENCHMARK(BM_SDL2ttf_Text60_Blended);

}  // namespace
