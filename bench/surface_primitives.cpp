// The drawing primitives and the repeat fill on a 640 x 480 A8R8G8B8 surface,
// beside pixman and SDL2 doing the same work in the same run: a filled
// rectangle of the whole frame, 3,000 single pixels (a star field), 15 lines
// of about 130 pixels, a filled circle of radius 200, and a tiled fill of the
// frame from a 64 x 64 tile. Counter: megapixels drawn per second.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "softblit/image/all.h"
#include "softblit/surface/all.h"

namespace {

constexpr int kW = 640, kH = 480, kStars = 3000, kLines = 15, kRadius = 200, kTile = 64;
const C_Color kColour(0.8f, 0.6f, 0.2f, 1.0f);
constexpr uint32_t kPacked = 0xFFCC9933u;

std::unique_ptr<C_Surface> Surface(uint32_t w, uint32_t h) {
    auto s = std::make_unique<C_Surface>();
    C_Image* image = new C_Image();
    image->CreateEmpty(w, h, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
    for (uint32_t i = 0; i < image->dataSize; ++i) image->data[i] = static_cast<uint8_t>(i * 31);
    s->AddPlane(image, GFX_PLANE_COLOR);
    return s;
}

struct S_Stars {
    std::vector<C_Vector2DI> points;
    S_Stars() {
        std::mt19937 rng(3);
        for (int i = 0; i < kStars; ++i) points.emplace_back(int32_t(rng() % kW), int32_t(rng() % kH));
    }
};
const S_Stars& Stars() {
    static const S_Stars stars;
    return stars;
}

// Fifteen spokes of 130 pixels about the centre.
C_Vector2D LineEnd(int i, bool end) {
    const double a = i * 2 * 3.141592653589793 / kLines;
    const double r = end ? 130.0 : 0.0;
    return C_Vector2D(float(kW / 2 + r * std::cos(a)), float(kH / 2 + r * std::sin(a)));
}

void Rate(benchmark::State& state, double pixelsPerIteration) {
    state.counters["MP/s"] = benchmark::Counter(pixelsPerIteration / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// --- softblit -----------------------------------------------------------------

void BM_Softblit_FilledRect(benchmark::State& state) {
    auto dst = Surface(kW, kH);
    const C_Rect rect(0, 0, kW - 1, kH - 1);
    for (auto _ : state) {
        Gfx_Surface_Blit(dst.get(), &rect, &kColour, nullptr, 1);
        benchmark::ClobberMemory();
    }
    Rate(state, double(kW) * kH);
}
BENCHMARK(BM_Softblit_FilledRect);

void BM_Softblit_Points(benchmark::State& state) {
    auto dst = Surface(kW, kH);
    const auto& stars = Stars().points;
    for (auto _ : state) {
        for (const C_Vector2DI& p : stars) Gfx_Surface_Blit(dst.get(), &p, &kColour, nullptr);
        benchmark::ClobberMemory();
    }
    Rate(state, kStars);
}
BENCHMARK(BM_Softblit_Points);

void BM_Softblit_Lines(benchmark::State& state) {
    auto dst = Surface(kW, kH);
    std::vector<C_Vector2D> a, b;
    for (int i = 0; i < kLines; ++i) a.push_back(LineEnd(i, false)), b.push_back(LineEnd(i, true));
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i) Gfx_Surface_Blit(dst.get(), &a[i], &b[i], &kColour, nullptr);
        benchmark::ClobberMemory();
    }
    Rate(state, kLines * 130.0);
}
BENCHMARK(BM_Softblit_Lines);

void BM_Softblit_FilledCircle(benchmark::State& state) {
    auto dst = Surface(kW, kH);
    const C_Circle circle(C_Vector2D(kW / 2, kH / 2), kRadius);
    for (auto _ : state) {
        Gfx_Surface_Blit(dst.get(), &circle, &kColour, nullptr, 1);
        benchmark::ClobberMemory();
    }
    Rate(state, 3.141592653589793 * kRadius * kRadius);
}
BENCHMARK(BM_Softblit_FilledCircle);

void BM_Softblit_TiledFill(benchmark::State& state) {
    auto dst = Surface(kW, kH), tile = Surface(kTile, kTile);
    const C_Rect rect(0, 0, kW, kH);
    S_BlitParams p;
    p.fitHorizontal = p.fitVertical = GFX_FIT_REPEAT;
    for (auto _ : state) {
        Gfx_Surface_BlitTiled(tile.get(), dst.get(), nullptr, nullptr, &rect, nullptr, 0, &p);
        benchmark::ClobberMemory();
    }
    Rate(state, double(kW) * kH);
}
BENCHMARK(BM_Softblit_TiledFill);

// --- pixman -------------------------------------------------------------------

struct S_Pixman {
    std::vector<uint32_t> bits = std::vector<uint32_t>(kW * kH);
    pixman_image_t* image = pixman_image_create_bits(PIXMAN_a8r8g8b8, kW, kH, bits.data(), kW * 4);
    ~S_Pixman() { pixman_image_unref(image); }
};

void BM_Pixman_FilledRect(benchmark::State& state) {
    S_Pixman dst;
    for (auto _ : state) {
        pixman_fill(dst.bits.data(), kW, 32, 0, 0, kW, kH, kPacked);
        benchmark::ClobberMemory();
    }
    Rate(state, double(kW) * kH);
}
BENCHMARK(BM_Pixman_FilledRect);

void BM_Pixman_Points(benchmark::State& state) {
    S_Pixman dst;
    const auto& stars = Stars().points;
    for (auto _ : state) {
        for (const C_Vector2DI& p : stars) pixman_fill(dst.bits.data(), kW, 32, p.x, p.y, 1, 1, kPacked);
        benchmark::ClobberMemory();
    }
    Rate(state, kStars);
}
BENCHMARK(BM_Pixman_Points);

void BM_Pixman_TiledFill(benchmark::State& state) {
    S_Pixman dst;
    std::vector<uint32_t> tileBits(kTile * kTile, 0xFF336699u);
    pixman_image_t* tile = pixman_image_create_bits(PIXMAN_a8r8g8b8, kTile, kTile, tileBits.data(), kTile * 4);
    pixman_image_set_repeat(tile, PIXMAN_REPEAT_NORMAL);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, tile, nullptr, dst.image, 0, 0, 0, 0, 0, 0, kW, kH);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(tile);
    Rate(state, double(kW) * kH);
}
BENCHMARK(BM_Pixman_TiledFill);

// --- SDL2 (surfaces and its software renderer) ----------------------------------

struct S_Sdl {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = nullptr;
    S_Sdl() {
        renderer = SDL_CreateSoftwareRenderer(surface);
        SDL_SetRenderDrawColor(renderer, 0xCC, 0x99, 0x33, 0xFF);
    }
    ~S_Sdl() {
        if (renderer != nullptr) SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(surface);
    }
};

void BM_SDL_FilledRect(benchmark::State& state) {
    S_Sdl dst;
    for (auto _ : state) {
        SDL_FillRect(dst.surface, nullptr, kPacked);
        benchmark::ClobberMemory();
    }
    Rate(state, double(kW) * kH);
}
BENCHMARK(BM_SDL_FilledRect);

void BM_SDL_Points(benchmark::State& state) {
    S_Sdl dst;
    std::vector<SDL_Point> points;
    for (const C_Vector2DI& p : Stars().points) points.push_back({p.x, p.y});
    for (auto _ : state) {
        SDL_RenderDrawPoints(dst.renderer, points.data(), kStars);
        SDL_RenderFlush(dst.renderer);
        benchmark::ClobberMemory();
    }
    Rate(state, kStars);
}
BENCHMARK(BM_SDL_Points);

void BM_SDL_Lines(benchmark::State& state) {
    S_Sdl dst;
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i) {
            const C_Vector2D a = LineEnd(i, false), b = LineEnd(i, true);
            SDL_RenderDrawLineF(dst.renderer, a.x, a.y, b.x, b.y);
        }
        SDL_RenderFlush(dst.renderer);
        benchmark::ClobberMemory();
    }
    Rate(state, kLines * 130.0);
}
BENCHMARK(BM_SDL_Lines);

void BM_SDL_TiledFill(benchmark::State& state) {
    S_Sdl dst;
    SDL_Surface* tile = SDL_CreateRGBSurfaceWithFormat(0, kTile, kTile, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(tile, nullptr, 0xFF336699u);
    SDL_SetSurfaceBlendMode(tile, SDL_BLENDMODE_NONE);
    for (auto _ : state) {
        for (int y = 0; y < kH; y += kTile)
            for (int x = 0; x < kW; x += kTile) {
                SDL_Rect at = {x, y, kTile, kTile};
                SDL_BlitSurface(tile, nullptr, dst.surface, &at);
            }
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(tile);
    Rate(state, double(kW) * kH);
}
BENCHMARK(BM_SDL_TiledFill);

}  // namespace
