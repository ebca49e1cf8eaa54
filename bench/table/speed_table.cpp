// One table of softblit beside pixman, SDL2 and SDL2_gfx on a 640 x 480
// A8R8G8B8 destination, with memcpy / memset of one frame as the limit.
//
// Every contender of a row is timed on this thread's CPU clock in samples of
// a few milliseconds; the contenders of a row take turns sample by sample
// (so a busy moment of the shared machine hits them alike) and each figure
// is the median of its samples, in megapixels per second of destination
// pixels. softblit runs at the level chosen from the CPU, and once more at
// every level below it.
//
//   softblit_table [--reps N] [--row TEXT]
#include <SDL.h>
#include <SDL2_gfxPrimitives.h>
#include <SDL2_rotozoom.h>
#include <pixman.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "softblit/core/simd_level.h"
#include "softblit/image/all.h"
#include "softblit/surface/all.h"

namespace {

constexpr int kW = 640, kH = 480;
constexpr double kFrame = double(kW) * kH;

double ThreadSeconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

struct S_Contender {
    S_Contender() = default;
    S_Contender(std::string n, std::function<void()> r) : name(std::move(n)), run(std::move(r)) {}

    std::string name;
    std::function<void()> run;
    int32_t level = -1;  // softblit: the vector level it runs at
    double pixels = 0;   // pixels per run when not the row's (the limits: one frame)
    double mpix = 0;
    uint32_t iterations = 1;
    std::vector<double> samples;
};

enum E_Target { TARGET_PEER, TARGET_MEMSET, TARGET_POINTS_BATCH, TARGET_POINTS_SINGLE };

struct S_Row {
    std::string operation;
    double pixels;
    E_Target target;
    std::vector<S_Contender> softblit;  // [0] at the chosen level, then the levels below
    std::vector<S_Contender> peers;
    S_Contender limit;
};

double g_sampleSeconds = 0.004;
int g_reps = 11;

void Calibrate(S_Contender& c) {
    if (c.level >= 0) Gfx_Simd_SetLevel(c.level);
    c.run();  // warm caches and lazy set-up
    uint32_t n = 1;
    for (;;) {
        const double t0 = ThreadSeconds();
        for (uint32_t i = 0; i < n; ++i) c.run();
        const double t = ThreadSeconds() - t0;
        if (t >= g_sampleSeconds || n >= (1u << 24)) break;
        n = t <= 0 ? n * 16 : uint32_t(std::min(double(n) * 16, std::ceil(n * g_sampleSeconds * 1.2 / t)));
    }
    c.iterations = n;
}

void Sample(S_Contender& c) {
    if (c.level >= 0) Gfx_Simd_SetLevel(c.level);
    const double t0 = ThreadSeconds();
    for (uint32_t i = 0; i < c.iterations; ++i) c.run();
    c.samples.push_back((ThreadSeconds() - t0) / c.iterations);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Measure(S_Row& row) {
    std::vector<S_Contender*> all;
    for (S_Contender& c : row.softblit) all.push_back(&c);
    for (S_Contender& c : row.peers) all.push_back(&c);
    if (row.limit.run) all.push_back(&row.limit);
    for (S_Contender* c : all) Calibrate(*c);
    for (int rep = 0; rep < g_reps; ++rep)
        for (size_t k = 0; k < all.size(); ++k) Sample(*all[(k + size_t(rep)) % all.size()]);
    for (S_Contender* c : all) c->mpix = (c->pixels > 0 ? c->pixels : row.pixels) / Median(c->samples) / 1e6;
    Gfx_Simd_SetLevel(Gfx_Simd_Available());
}

// ---- softblit set-up ----------------------------------------------------------

std::mt19937 g_rng(7);

uint8_t Byte() { return uint8_t(g_rng()); }

std::unique_ptr<C_Surface> Surface(uint32_t w, uint32_t h, int32_t format = GFX_FMT_A8R8G8B8, bool alpha = false) {
    auto s = std::make_unique<C_Surface>();
    C_Image* colour = new C_Image();
    colour->CreateEmpty(w, h, format, format == GFX_FMT_PAL8 ? GFX_FMT_R8G8B8 : GFX_FMT_NONE);
    for (uint32_t i = 0; i < colour->dataSize; ++i) colour->data[i] = Byte();
    for (uint32_t i = 0; i < colour->paletteSize; ++i) colour->m_palette[i] = Byte();
    s->AddPlane(colour, GFX_PLANE_COLOR);
    if (alpha) {
        C_Image* a = new C_Image();
        a->CreateEmpty(w, h, GFX_FMT_L8, GFX_FMT_NONE);
        for (uint32_t i = 0; i < a->dataSize; ++i) a->data[i] = Byte();
        s->AddPlane(a, GFX_PLANE_ALPHA);
    }
    return s;
}

C_Image* Colour(const std::unique_ptr<C_Surface>& s) { return s->GetPlaneImage(GFX_PLANE_COLOR); }
C_Image* Alpha(const std::unique_ptr<C_Surface>& s) { return s->GetPlaneImage(GFX_PLANE_ALPHA); }

// ---- peers --------------------------------------------------------------------

pixman_image_t* PixmanOver(C_Image* image, pixman_format_code_t format) {
    return pixman_image_create_bits(format, int(image->width), int(image->height),
                                    reinterpret_cast<uint32_t*>(image->data), int(image->pitch));
}

SDL_Surface* SdlOver(C_Image* image, uint32_t format) {
    return SDL_CreateRGBSurfaceWithFormatFrom(image->data, int(image->width), int(image->height),
                                              SDL_BITSPERPIXEL(format), int(image->pitch), format);
}

// A 16.16 pixman transform that maps destination to source for "scale, then
// rotate by `degrees` about the destination point (px, py)".
void PixmanPlace(pixman_image_t* src, double scale, double degrees, double px, double py) {
    const double a = degrees * 3.14159265358979 / 180.0, c = std::cos(a) / scale, s = std::sin(a) / scale;
    pixman_transform_t t;
    pixman_transform_init_identity(&t);
    auto fx = [](double v) { return pixman_fixed_t(std::lround(v * 65536.0)); };
    t.matrix[0][0] = fx(c), t.matrix[0][1] = fx(s), t.matrix[0][2] = fx(-c * px - s * py);
    t.matrix[1][0] = fx(-s), t.matrix[1][1] = fx(c), t.matrix[1][2] = fx(s * px - c * py);
    pixman_image_set_transform(src, &t);
}

// ---- the rows -----------------------------------------------------------------

struct S_World {
    std::unique_ptr<C_Surface> dst = Surface(kW, kH);
    std::vector<uint8_t> from = std::vector<uint8_t>(size_t(kFrame) * 4, 0x5A), to = std::vector<uint8_t>(size_t(kFrame) * 4);
    pixman_image_t* pdst = PixmanOver(Colour(dst), PIXMAN_a8r8g8b8);
    SDL_Surface* sdst = SdlOver(Colour(dst), SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(sdst);
    std::vector<std::unique_ptr<C_Surface>> keep;
    std::vector<std::function<void()>> cleanup;

    C_Surface* Keep(std::unique_ptr<C_Surface> s) {
        keep.push_back(std::move(s));
        return keep.back().get();
    }
    ~S_World() {
        for (auto& f : cleanup) f();
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(sdst);
        pixman_image_unref(pdst);
    }
};

S_Contender Memcpy(S_World& w) {
    S_Contender c("memcpy", [&w] { std::memcpy(w.to.data(), w.from.data(), w.to.size()); });
    c.pixels = kFrame;
    return c;
}
S_Contender Memset(S_World& w) {
    S_Contender c("memset", [&w] { std::memset(w.to.data(), 0x33, w.to.size()); });
    c.pixels = kFrame;
    return c;
}

// softblit at the chosen level and at each level below it.
std::vector<S_Contender> Softblit(std::function<void()> run) {
    std::vector<S_Contender> out;
    const char* names[] = {"plain", "sse2", "avx2", "avx512"};
    for (int32_t level = Gfx_Simd_Available(); level >= GFX_SIMD_PLAIN; --level) {
        S_Contender c{names[level], run};
        c.level = level;
        out.push_back(c);
    }
    return out;
}

S_Row BlitRow(S_World& w, const std::string& name, C_Surface* src, S_BlitParams p, C_Vector2D at,
              std::vector<S_Contender> peers, double pixels = kFrame) {
    C_Surface* dst = w.dst.get();
    auto run = [src, dst, p, at] { Gfx_BlitKernel.Blit_Fixed(src, dst, nullptr, nullptr, &at, 0, &p); };
    return {name, pixels, TARGET_PEER, Softblit(run), std::move(peers), Memcpy(w)};
}

// Destination pixels of the last rotated blit, from the edge tables.
double RotatedPixels() {
    C_Blit_Kernel& e = Gfx_BlitKernel;
    double n = 0;
    for (int32_t y = e.edgeFirstRow; y <= e.edgeLastRow; ++y) n += std::max(0, e.Rightmost()[y] - e.Leftmost()[y] + 1);
    return n;
}

std::vector<S_Row> Rows(S_World& w) {
    std::vector<S_Row> rows;
    C_Image* dstImage = Colour(w.dst);
    auto pixmanComposite = [&w](pixman_op_t op, pixman_image_t* src, pixman_image_t* mask) {
        return [&w, op, src, mask] { pixman_image_composite32(op, src, mask, w.pdst, 0, 0, 0, 0, 0, 0, kW, kH); };
    };

    {  // opaque copy
        C_Surface* src = w.Keep(Surface(kW, kH));
        pixman_image_t* ps = PixmanOver(Colour(w.keep.back()), PIXMAN_a8r8g8b8);
        SDL_Surface* ss = SdlOver(Colour(w.keep.back()), SDL_PIXELFORMAT_ARGB8888);
        SDL_SetSurfaceBlendMode(ss, SDL_BLENDMODE_NONE);
        w.cleanup.push_back([ps, ss] { pixman_image_unref(ps), SDL_FreeSurface(ss); });
        rows.push_back(BlitRow(w, "opaque copy", src, S_BlitParams(), C_Vector2D(0, 0),
                               {{"pixman SRC", pixmanComposite(PIXMAN_OP_SRC, ps, nullptr)},
                                {"SDL_BlitSurface", [ss, &w] { SDL_BlitSurface(ss, nullptr, w.sdst, nullptr); }}}));
    }
    {  // per-pixel alpha
        auto s = Surface(kW, kH, GFX_FMT_A8R8G8B8, true);
        // The peers read the same coverage: in a mask for pixman, in the
        // pixels' alpha byte for SDL.
        C_Image* colour = Colour(s);
        C_Image* alpha = Alpha(s);
        std::vector<uint32_t>* argb = new std::vector<uint32_t>(size_t(kFrame));
        for (size_t i = 0; i < argb->size(); ++i) {
            uint32_t v;
            std::memcpy(&v, colour->data + i * 4, 4);
            (*argb)[i] = (v & 0xFFFFFF) | uint32_t(alpha->data[i]) << 24;
        }
        pixman_image_t* ps = PixmanOver(colour, PIXMAN_x8r8g8b8);
        pixman_image_t* pm = PixmanOver(alpha, PIXMAN_a8);
        SDL_Surface* ss = SDL_CreateRGBSurfaceWithFormatFrom(argb->data(), kW, kH, 32, kW * 4, SDL_PIXELFORMAT_ARGB8888);
        SDL_SetSurfaceBlendMode(ss, SDL_BLENDMODE_BLEND);
        w.cleanup.push_back([ps, pm, ss, argb] { pixman_image_unref(ps), pixman_image_unref(pm), SDL_FreeSurface(ss), delete argb; });
        rows.push_back(BlitRow(w, "per-pixel alpha (8-bit alpha plane)", w.Keep(std::move(s)), S_BlitParams(),
                               C_Vector2D(0, 0),
                               {{"pixman OVER, a8 mask", pixmanComposite(PIXMAN_OP_OVER, ps, pm)},
                                {"SDL_BlitSurface, blend", [ss, &w] { SDL_BlitSurface(ss, nullptr, w.sdst, nullptr); }}}));
    }
    {  // opacity 0.5
        C_Surface* src = w.Keep(Surface(kW, kH));
        pixman_image_t* ps = PixmanOver(Colour(w.keep.back()), PIXMAN_x8r8g8b8);
        const pixman_color_t half = {0, 0, 0, 0x8080};
        pixman_image_t* pm = pixman_image_create_solid_fill(&half);
        SDL_Surface* ss = SdlOver(Colour(w.keep.back()), SDL_PIXELFORMAT_RGB888);
        SDL_SetSurfaceBlendMode(ss, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(ss, 128);
        w.cleanup.push_back([ps, pm, ss] { pixman_image_unref(ps), pixman_image_unref(pm), SDL_FreeSurface(ss); });
        S_BlitParams p;
        p.opacity = 0.5f;
        rows.push_back(BlitRow(w, "opacity 0.5", src, p, C_Vector2D(0, 0),
                               {{"pixman OVER, solid 0x80 mask", pixmanComposite(PIXMAN_OP_OVER, ps, pm)},
                                {"SDL_BlitSurface, alpha mod", [ss, &w] { SDL_BlitSurface(ss, nullptr, w.sdst, nullptr); }}}));
    }
    {  // keyed copy: a quarter of the pixels carry the key
        auto s = Surface(kW, kH);
        C_Image* c = Colour(s);
        const uint32_t key = 0xFF00FF00u;
        for (uint32_t i = 0; i < kW * kH; ++i)
            if (g_rng() % 4 == 0) std::memcpy(c->data + i * 4, &key, 4);
        SDL_Surface* ss = SdlOver(c, SDL_PIXELFORMAT_ARGB8888);
        SDL_SetSurfaceBlendMode(ss, SDL_BLENDMODE_NONE);
        SDL_SetColorKey(ss, SDL_TRUE, key);
        w.cleanup.push_back([ss] { SDL_FreeSurface(ss); });
        S_BlitParams p;
        p.useKeyColor = 1;
        p.keyColor = C_Color(0, 1, 0, 1);
        rows.push_back(BlitRow(w, "keyed copy", w.Keep(std::move(s)), p, C_Vector2D(0, 0),
                               {{"SDL_BlitSurface, colour key", [ss, &w] { SDL_BlitSurface(ss, nullptr, w.sdst, nullptr); }}}));
    }
    for (bool bilinear : {false, true}) {  // upscale x8
        C_Surface* src = w.Keep(Surface(80, 60));
        C_Image* c = Colour(w.keep.back());
        pixman_image_t* ps = PixmanOver(c, PIXMAN_a8r8g8b8);
        PixmanPlace(ps, 8, 0, 0, 0);
        pixman_image_set_filter(ps, bilinear ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST, nullptr, 0);
        pixman_image_set_repeat(ps, PIXMAN_REPEAT_PAD);
        SDL_Surface* ss = SdlOver(c, SDL_PIXELFORMAT_ARGB8888);
        SDL_SetSurfaceBlendMode(ss, SDL_BLENDMODE_NONE);
        w.cleanup.push_back([ps, ss] { pixman_image_unref(ps), SDL_FreeSurface(ss); });
        S_BlitParams p;
        p.scale.Set(8, 8);
        p.filter = bilinear ? 1 : 0;
        std::vector<S_Contender> peers = {
            {bilinear ? "pixman BILINEAR" : "pixman NEAREST", pixmanComposite(PIXMAN_OP_SRC, ps, nullptr)},
            {bilinear ? "SDL_SoftStretchLinear" : "SDL_BlitScaled",
             [ss, &w, bilinear] {
                 if (bilinear) SDL_SoftStretchLinear(ss, nullptr, w.sdst, nullptr);
                 else SDL_BlitScaled(ss, nullptr, w.sdst, nullptr);
             }},
            {"SDL2_gfx zoomSurface", [ss, bilinear] { SDL_FreeSurface(zoomSurface(ss, 8, 8, bilinear ? SMOOTHING_ON : SMOOTHING_OFF)); }}};
        rows.push_back(BlitRow(w, bilinear ? "bilinear upscale x8 (80x60)" : "nearest upscale x8 (80x60)", src, p,
                               C_Vector2D(0, 0), std::move(peers)));
    }
    for (bool bilinear : {false, true}) {  // rotated
        C_Surface* src = w.Keep(Surface(256, 192));
        C_Image* c = Colour(w.keep.back());
        for (uint32_t i = 0; i < c->dataSize; i += 4) c->data[i + 3] = 0xFF;
        pixman_image_t* ps = PixmanOver(c, PIXMAN_a8r8g8b8);
        PixmanPlace(ps, 2, 30, 200, 10);
        pixman_image_set_filter(ps, bilinear ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST, nullptr, 0);
        SDL_Surface* ss = SdlOver(c, SDL_PIXELFORMAT_ARGB8888);
        w.cleanup.push_back([ps, ss] { pixman_image_unref(ps), SDL_FreeSurface(ss); });
        S_BlitParams p;
        p.scale.Set(2, 2);
        p.angle = 30;
        p.filter = bilinear ? 1 : 0;
        const C_Vector2D at(200, 10);
        Gfx_BlitKernel.Blit_Fixed(src, w.dst.get(), nullptr, nullptr, &at, 0, &p);
        std::vector<S_Contender> peers = {
            {bilinear ? "pixman OVER, BILINEAR" : "pixman OVER, NEAREST", pixmanComposite(PIXMAN_OP_OVER, ps, nullptr)},
            {"SDL2_gfx rotozoomSurface",
             [ss, bilinear] { SDL_FreeSurface(rotozoomSurface(ss, 30, 2, bilinear ? SMOOTHING_ON : SMOOTHING_OFF)); }}};
        rows.push_back(BlitRow(w, bilinear ? "rotated bilinear (256x192, 30 deg, x2)" : "rotated nearest (256x192, 30 deg, x2)",
                               src, p, at, std::move(peers), RotatedPixels()));
    }
    const struct {
        const char* name;
        int32_t format;
        pixman_format_code_t pixman;
        uint32_t sdl;
    } conversions[] = {{"PAL8 to A8R8G8B8", GFX_FMT_PAL8, PIXMAN_c8, SDL_PIXELFORMAT_INDEX8},
                       {"R5G6B5 to A8R8G8B8", GFX_FMT_R5G6B5, PIXMAN_r5g6b5, SDL_PIXELFORMAT_RGB565},
                       {"R8G8B8 to A8R8G8B8", GFX_FMT_R8G8B8, PIXMAN_r8g8b8, SDL_PIXELFORMAT_BGR24}};
    for (const auto& conv : conversions) {
        auto s = Surface(kW, kH, conv.format);
        C_Image* c = Colour(s);
        pixman_image_t* ps = pixman_image_create_bits(conv.pixman, kW, kH, nullptr, 0);
        std::memcpy(pixman_image_get_data(ps), c->data, size_t(pixman_image_get_stride(ps)) * kH < c->dataSize
                                                            ? size_t(pixman_image_get_stride(ps)) * kH : c->dataSize);
        pixman_indexed_t* indexed = new pixman_indexed_t();
        SDL_Surface* ss = SdlOver(c, conv.sdl);
        SDL_SetSurfaceBlendMode(ss, SDL_BLENDMODE_NONE);
        if (conv.format == GFX_FMT_PAL8) {
            SDL_Color colours[256];
            for (int i = 0; i < 256; ++i) {
                const uint8_t* e = c->m_palette + i * 3;
                colours[i] = {e[2], e[1], e[0], 255};
                indexed->rgba[i] = 0xFF000000u | uint32_t(e[2]) << 16 | uint32_t(e[1]) << 8 | e[0];
            }
            SDL_SetPaletteColors(ss->format->palette, colours, 0, 256);
            pixman_image_set_indexed(ps, indexed);
        }
        w.cleanup.push_back([ps, ss, indexed] { pixman_image_unref(ps), SDL_FreeSurface(ss), delete indexed; });
        C_Image* image = c;
        w.Keep(std::move(s));
        rows.push_back({conv.name, kFrame, TARGET_PEER,
                        Softblit([image, dstImage] { Gfx_Image_Copy_24to32(image, dstImage); }),
                        {{"pixman SRC", pixmanComposite(PIXMAN_OP_SRC, ps, nullptr)},
                         {"SDL_BlitSurface", [ss, &w] { SDL_BlitSurface(ss, nullptr, w.sdst, nullptr); }}},
                        Memcpy(w)});
    }

    const uint32_t packed = 0xFFCC9933u;
    const C_Color colour(0.8f, 0.6f, 0.2f, 1.0f);
    auto fillPeers = [&w, packed]() -> std::vector<S_Contender> {
        return {{"pixman_fill", [&w, packed] { pixman_fill(reinterpret_cast<uint32_t*>(Colour(w.dst)->data), kW, 32, 0, 0, kW, kH, packed); }},
                {"SDL_FillRect", [&w, packed] { SDL_FillRect(w.sdst, nullptr, packed); }}};
    };
    {
        C_Surface* dst = w.dst.get();
        const C_Rect rect(0, 0, kW - 1, kH - 1);
        rows.push_back({"filled rectangle", kFrame, TARGET_MEMSET,
                        Softblit([dst, rect, colour] { Gfx_Surface_Blit(dst, &rect, &colour, nullptr, 1); }), fillPeers(),
                        Memset(w)});
        C_Surface* src = w.Keep(Surface(kW, kH));
        S_BlitParams p;
        p.useFillColor = 1;
        p.fillColor = colour;
        S_Row fill = BlitRow(w, "fill colour (blit)", src, p, C_Vector2D(0, 0), fillPeers());
        fill.target = TARGET_MEMSET;
        fill.limit = Memset(w);
        rows.push_back(fill);
        rows.push_back({"Clear", kFrame, TARGET_MEMSET, Softblit([dstImage, colour] { dstImage->Clear(colour); }),
                        fillPeers(), Memset(w)});
    }
    {  // filled circle: pixman fills the same rows one call each
        C_Surface* dst = w.dst.get();
        const int r = 200;
        const C_Circle circle(C_Vector2D(kW / 2, kH / 2), float(r));
        std::vector<int>* half = new std::vector<int>();
        for (int dy = -r; dy <= r; ++dy) half->push_back(int(std::sqrt(double(r * r - dy * dy))));
        w.cleanup.push_back([half] { delete half; });
        uint32_t* bits = reinterpret_cast<uint32_t*>(dstImage->data);
        rows.push_back({"filled circle r = 200", 3.14159265 * r * r, TARGET_MEMSET,
                        Softblit([dst, circle, colour] { Gfx_Surface_Blit(dst, &circle, &colour, nullptr, 1); }),
                        {{"pixman_fill per row",
                          [bits, half, packed] {
                              for (int dy = -r; dy <= r; ++dy) {
                                  const int hw = (*half)[size_t(dy + r)], y = kH / 2 + dy;
                                  if (y >= 0 && y < kH) pixman_fill(bits, kW, 32, kW / 2 - hw, y, 2 * hw + 1, 1, packed);
                              }
                          }},
                         {"SDL2_gfx filledCircleRGBA", [&w] {
                              filledCircleRGBA(w.renderer, kW / 2, kH / 2, r, 0xCC, 0x99, 0x33, 0xFF);
                              SDL_RenderFlush(w.renderer);
                          }}},
                        Memset(w)});
    }
    {  // points
        std::vector<C_Vector2DI>* stars = new std::vector<C_Vector2DI>();
        std::vector<SDL_Point>* points = new std::vector<SDL_Point>();
        for (int i = 0; i < 3000; ++i) {
            stars->emplace_back(int32_t(g_rng() % kW), int32_t(g_rng() % kH));
            points->push_back({stars->back().x, stars->back().y});
        }
        w.cleanup.push_back([stars, points] { delete stars, delete points; });
        SDL_SetRenderDrawColor(w.renderer, 0xCC, 0x99, 0x33, 0xFF);
        C_Surface* dst = w.dst.get();
        uint32_t* bits = reinterpret_cast<uint32_t*>(dstImage->data);
        rows.push_back({"3,000 single points", 3000, TARGET_POINTS_SINGLE,
                        Softblit([dst, stars, colour] {
                            for (const C_Vector2DI& p : *stars) Gfx_Surface_Blit(dst, &p, &colour, nullptr);
                        }),
                        {{"pixman_fill 1x1 per point",
                          [bits, stars, packed] {
                              for (const C_Vector2DI& p : *stars) pixman_fill(bits, kW, 32, p.x, p.y, 1, 1, packed);
                          }},
                         {"SDL_RenderDrawPoint per point",
                          [&w, points] {
                              for (const SDL_Point& p : *points) SDL_RenderDrawPoint(w.renderer, p.x, p.y);
                              SDL_RenderFlush(w.renderer);
                          }}},
                        {}});
        rows.push_back({"3,000 points, one call", 3000, TARGET_POINTS_BATCH,
                        Softblit([dst, stars, colour] {
                            Gfx_Surface_DrawPoints(dst, stars->data(), uint32_t(stars->size()), &colour, nullptr);
                        }),
                        {{"SDL_RenderDrawPoints", [&w, points] {
                              SDL_RenderDrawPoints(w.renderer, points->data(), int(points->size()));
                              SDL_RenderFlush(w.renderer);
                          }}},
                        {}});
    }
    {  // tiled fill
        C_Surface* tile = w.Keep(Surface(64, 64));
        C_Image* c = Colour(w.keep.back());
        pixman_image_t* ps = PixmanOver(c, PIXMAN_a8r8g8b8);
        pixman_image_set_repeat(ps, PIXMAN_REPEAT_NORMAL);
        SDL_Surface* ss = SdlOver(c, SDL_PIXELFORMAT_ARGB8888);
        SDL_SetSurfaceBlendMode(ss, SDL_BLENDMODE_NONE);
        w.cleanup.push_back([ps, ss] { pixman_image_unref(ps), SDL_FreeSurface(ss); });
        C_Surface* dst = w.dst.get();
        S_BlitParams p;
        p.fitHorizontal = p.fitVertical = GFX_FIT_REPEAT;
        const C_Rect rect(0, 0, kW, kH);
        rows.push_back({"tiled fill (64x64 tile)", kFrame, TARGET_PEER,
                        Softblit([tile, dst, p, rect] {
                            Gfx_Surface_BlitTiled(tile, dst, nullptr, nullptr, &rect, nullptr, 0, &p);
                        }),
                        {{"pixman SRC, repeat", pixmanComposite(PIXMAN_OP_SRC, ps, nullptr)},
                         {"SDL_BlitSurface per tile",
                          [ss, &w] {
                              for (int y = 0; y < kH; y += 64)
                                  for (int x = 0; x < kW; x += 64) {
                                      SDL_Rect at = {x, y, 64, 64};
                                      SDL_BlitSurface(ss, nullptr, w.sdst, &at);
                                  }
                          }}},
                        Memcpy(w)});
    }
    return rows;
}

// The target of a row and whether softblit meets it; "ratio needed" in `need`.
bool Target_Met(const S_Row& row, const S_Contender& best, double& need, std::string& against) {
    const double soft = row.softblit[0].mpix;
    switch (row.target) {
        case TARGET_MEMSET:
            need = 0.9 * row.limit.mpix, against = "0.9x memset";
            return soft >= need;
        case TARGET_POINTS_SINGLE:
            need = 1.5 * row.peers[0].mpix, against = "1.5x " + row.peers[0].name;
            return soft >= need;
        case TARGET_POINTS_BATCH:
            need = 1.5 * row.peers[0].mpix, against = "1.5x " + row.peers[0].name;
            return soft >= need;
        default:
            if (row.limit.run && 1.5 * best.mpix > row.limit.mpix) {
                need = 0.9 * row.limit.mpix, against = "0.9x limit";
            } else {
                need = 1.5 * best.mpix, against = "1.5x peer";
            }
            return soft >= need;
    }
}

std::string Cpu() {
    FILE* f = std::fopen("/proc/cpuinfo", "r");
    char line[512];
    std::string cpu = "unknown CPU";
    while (f && std::fgets(line, sizeof(line), f)) {
        if (std::strncmp(line, "model name", 10) == 0) {
            const char* v = std::strchr(line, ':');
            cpu = v ? std::string(v + 2) : cpu;
            cpu.erase(cpu.find_last_not_of("\n") + 1);
            break;
        }
    }
    if (f) std::fclose(f);
    return cpu;
}

}  // namespace

int main(int argc, char** argv) {
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--reps") && i + 1 < argc) g_reps = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--row") && i + 1 < argc) only = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--reps N] [--row TEXT]\n", argv[0]);
            return 2;
        }
    }
    const char* levels[] = {"plain", "SSE2", "AVX2", "AVX-512"};
    const std::time_t now = std::time(nullptr);
    char date[64];
    std::strftime(date, sizeof(date), "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
    std::printf("softblit beside pixman %s, SDL2 %d.%d.%d and SDL2_gfx; %s; %s; vector level %s; "
                "medians of %d interleaved samples on the thread's CPU clock; Mpix/s of destination pixels\n\n",
                pixman_version_string(), SDL_MAJOR_VERSION, SDL_MINOR_VERSION, SDL_PATCHLEVEL, Cpu().c_str(), date,
                levels[Gfx_Simd_Available()], g_reps);

    S_World world;
    std::vector<S_Row> rows = Rows(world);
    std::string header = "| operation (640x480 A8R8G8B8 destination) | softblit |";
    for (size_t k = 1; k < rows[0].softblit.size(); ++k) header += " " + rows[0].softblit[k].name + " |";
    std::printf("%s best peer | peer | limit | vs peer | vs limit | target |\n|---|", header.c_str());
    for (size_t k = 0; k < rows[0].softblit.size(); ++k) std::printf("---|");
    std::printf("---|---|---|---|---|---|\n");
    int met = 0, counted = 0;
    for (S_Row& row : rows) {
        if (!only.empty() && row.operation.find(only) == std::string::npos) continue;
        Measure(row);
        const S_Contender* best = &row.peers[0];
        for (const S_Contender& p : row.peers) best = p.mpix > best->mpix ? &p : best;
        double need = 0;
        std::string against;
        const bool ok = Target_Met(row, *best, need, against);
        met += ok, ++counted;
        std::printf("| %s | %.0f |", row.operation.c_str(), row.softblit[0].mpix);
        for (size_t k = 1; k < row.softblit.size(); ++k) std::printf(" %.0f |", row.softblit[k].mpix);
        std::printf(" %s | %.0f |", best->name.c_str(), best->mpix);
        if (row.limit.run) std::printf(" %s %.0f | %.2fx | %.2fx |", row.limit.name.c_str(), row.limit.mpix,
                                       row.softblit[0].mpix / best->mpix, row.softblit[0].mpix / row.limit.mpix);
        else std::printf(" - | %.2fx | - |", row.softblit[0].mpix / best->mpix);
        std::printf(" %s %s (%.0f) |\n", ok ? "met" : "MISSED", against.c_str(), need);
        std::fflush(stdout);
    }
    std::printf("\n%d of %d targets met\n", met, counted);
    return 0;
}
