// The blit engine's kernel families on a 640 x 480 A8R8G8B8 destination, in
// megapixels per second of destination pixels drawn (the MP/s counter),
// beside a memcpy of one frame in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "softblit/image/all.h"
#include "softblit/surface/blit_kernel.h"

namespace {

constexpr uint32_t kWidth = 640;
constexpr uint32_t kHeight = 480;

std::unique_ptr<C_Surface> MakeSurface(uint32_t w, uint32_t h, bool withAlpha, std::mt19937& rng) {
    auto surface = std::make_unique<C_Surface>();
    C_Image* colour = new C_Image();
    colour->CreateEmpty(w, h, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
    for (uint32_t i = 0; i < colour->dataSize; ++i) colour->data[i] = uint8_t(rng());
    surface->AddPlane(colour, GFX_PLANE_COLOR);
    if (withAlpha) {
        C_Image* alpha = new C_Image();
        alpha->CreateEmpty(w, h, GFX_FMT_L8, GFX_FMT_NONE);
        for (uint32_t i = 0; i < alpha->dataSize; ++i) alpha->data[i] = uint8_t(rng());
        surface->AddPlane(alpha, GFX_PLANE_ALPHA);
    }
    return surface;
}

// Destination pixels of the last rotated blit, read from the edge tables.
double RotatedPixels() {
    C_Blit_Kernel& e = Gfx_BlitKernel;
    double n = 0;
    for (int32_t y = e.edgeFirstRow; y <= e.edgeLastRow; ++y) {
        const int32_t span = e.Rightmost()[y] - e.Leftmost()[y] + 1;
        if (span > 0) n += span;
    }
    return n;
}

enum E_Case { COPY, KEYED_COPY, FILL, ALPHA_PLANE, ALPHA_OPACITY, SCALED_NEAREST, SCALED_BILINEAR_EFFECTS,
              ROTATED_NEAREST, ROTATED_ALPHA, ROTATED_BILINEAR };

void BM_BlitKernel(benchmark::State& state, E_Case which) {
    std::mt19937 rng(7);
    auto destination = MakeSurface(kWidth, kHeight, false, rng);
    S_BlitParams p;
    uint32_t sw = kWidth, sh = kHeight;
    bool alpha = false;
    switch (which) {
        case KEYED_COPY:
            p.useKeyColor = 1;
            p.keyColor = C_Color(0.5f, 0.5f, 0.5f, 1.0f);
            break;
        case FILL:
            p.useFillColor = 1;
            p.fillColor = C_Color(0.2f, 0.4f, 0.6f, 1.0f);
            break;
        case ALPHA_PLANE: alpha = true; break;
        case ALPHA_OPACITY: p.opacity = 0.5f; break;
        case SCALED_NEAREST:
        case SCALED_BILINEAR_EFFECTS:
            sw = 80, sh = 60;
            p.scale.Set(8, 8);
            if (which == SCALED_BILINEAR_EFFECTS) {
                p.filter = 1;
                p.useBrightness = 1;
                p.brightness = C_Color(0.1f, 0.0f, -0.1f, 0.0f);
            }
            break;
        case ROTATED_NEAREST:
        case ROTATED_ALPHA:
        case ROTATED_BILINEAR:
            sw = 256, sh = 192;
            p.angle = 30;
            p.scale.Set(2, 2);
            alpha = which == ROTATED_ALPHA;
            p.filter = which == ROTATED_BILINEAR;
            break;
        default: break;
    }
    auto source = MakeSurface(sw, sh, alpha, rng);
    const bool rotated = p.angle != 0;
    const C_Vector2D position(rotated ? 200.0f : 0.0f, rotated ? 10.0f : 0.0f);
    Gfx_BlitKernel.Blit_Fixed(source.get(), destination.get(), nullptr, nullptr, &position, 0, &p);
    const double pixels = rotated ? RotatedPixels() : double(kWidth) * kHeight;
    for (auto _ : state) {
        Gfx_BlitKernel.Blit_Fixed(source.get(), destination.get(), nullptr, nullptr, &position, 0, &p);
        benchmark::ClobberMemory();
    }
    state.counters["MP/s"] = benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_BlitKernel_Memcpy(benchmark::State& state) {
    std::vector<uint8_t> a(size_t(kWidth) * kHeight * 4, 1), b(a.size());
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::ClobberMemory();
    }
    state.counters["MP/s"] =
        benchmark::Counter(double(kWidth) * kHeight / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_BlitKernel_Memcpy);
BENCHMARK_CAPTURE(BM_BlitKernel, copy, COPY);
BENCHMARK_CAPTURE(BM_BlitKernel, keyed_copy, KEYED_COPY);
BENCHMARK_CAPTURE(BM_BlitKernel, fill, FILL);
BENCHMARK_CAPTURE(BM_BlitKernel, alpha_span_source_alpha, ALPHA_PLANE);
BENCHMARK_CAPTURE(BM_BlitKernel, alpha_span_opacity_half, ALPHA_OPACITY);
BENCHMARK_CAPTURE(BM_BlitKernel, scaled_nearest_80x60_x8, SCALED_NEAREST);
BENCHMARK_CAPTURE(BM_BlitKernel, scaled_bilinear_effects_80x60_x8, SCALED_BILINEAR_EFFECTS);
BENCHMARK_CAPTURE(BM_BlitKernel, rotated_nearest_256x192_30deg_x2, ROTATED_NEAREST);
BENCHMARK_CAPTURE(BM_BlitKernel, rotated_alpha_256x192_30deg_x2, ROTATED_ALPHA);
BENCHMARK_CAPTURE(BM_BlitKernel, rotated_bilinear_256x192_30deg_x2, ROTATED_BILINEAR);
