// Format conversion at 640 x 480: softblit's converter beside pixman's SRC
// composite of the same pair and a memcpy of the destination's bytes, in
// megapixels per second (the MP/s counter).
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "softblit/image/all.h"

namespace {

constexpr uint32_t kWidth = 640;
constexpr uint32_t kHeight = 480;

struct S_Pair {
    const char* name;
    int32_t source;
    int32_t destination;
    pixman_format_code_t pixmanSource;
    pixman_format_code_t pixmanDestination;
};

const S_Pair kPairs[] = {
    {"PAL8_to_A8R8G8B8", GFX_FMT_PAL8, GFX_FMT_A8R8G8B8, PIXMAN_c8, PIXMAN_a8r8g8b8},
    {"L8_to_A8R8G8B8", GFX_FMT_L8, GFX_FMT_A8R8G8B8, PIXMAN_a8, PIXMAN_a8r8g8b8},
    {"R8G8B8_to_A8R8G8B8", GFX_FMT_R8G8B8, GFX_FMT_A8R8G8B8, PIXMAN_r8g8b8, PIXMAN_a8r8g8b8},
    {"R5G6B5_to_A8R8G8B8", GFX_FMT_R5G6B5, GFX_FMT_A8R8G8B8, PIXMAN_r5g6b5, PIXMAN_a8r8g8b8},
    {"A8B8G8R8_to_A8R8G8B8", GFX_FMT_A8B8G8R8, GFX_FMT_A8R8G8B8, PIXMAN_a8b8g8r8, PIXMAN_a8r8g8b8},
    {"A8R8G8B8_to_A8R8G8B8", GFX_FMT_A8R8G8B8, GFX_FMT_A8R8G8B8, PIXMAN_a8r8g8b8, PIXMAN_a8r8g8b8},
    {"A8R8G8B8_to_L8", GFX_FMT_A8R8G8B8, GFX_FMT_L8, PIXMAN_a8r8g8b8, PIXMAN_a8},
};

void Fill(C_Image& image, std::mt19937& rng) {
    for (uint32_t i = 0; i < image.dataSize; ++i) image.data[i] = static_cast<uint8_t>(rng());
    for (uint32_t i = 0; i < image.paletteSize; ++i) image.m_palette[i] = static_cast<uint8_t>(rng());
}

void SetRate(benchmark::State& state) {
    state.counters["MP/s"] = benchmark::Counter(kWidth * kHeight / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

void Softblit(benchmark::State& state, const S_Pair& pair) {
    std::mt19937 rng(1);
    C_Image source, destination;
    source.CreateEmpty(kWidth, kHeight, pair.source,
                       pair.source == GFX_FMT_PAL8 ? GFX_FMT_R8G8B8 : GFX_FMT_NONE);
    destination.CreateEmpty(kWidth, kHeight, pair.destination, GFX_FMT_NONE);
    Fill(source, rng);
    for (auto _ : state) {
        Gfx_Image_Copy_24to32(&source, &destination);
        benchmark::DoNotOptimize(destination.data);
        benchmark::ClobberMemory();
    }
    SetRate(state);
}

void Pixman(benchmark::State& state, const S_Pair& pair) {
    std::mt19937 rng(1);
    const int sourceStride = int((PIXMAN_FORMAT_BPP(pair.pixmanSource) * kWidth / 8 + 3) & ~3u);
    const int destinationStride = int((PIXMAN_FORMAT_BPP(pair.pixmanDestination) * kWidth / 8 + 3) & ~3u);
    std::vector<uint32_t> sourceBits(size_t(sourceStride) * kHeight / 4);
    std::vector<uint32_t> destinationBits(size_t(destinationStride) * kHeight / 4);
    for (uint32_t& v : sourceBits) v = rng();
    pixman_image_t* source = pixman_image_create_bits(pair.pixmanSource, kWidth, kHeight,
                                                      sourceBits.data(), sourceStride);
    pixman_image_t* destination = pixman_image_create_bits(pair.pixmanDestination, kWidth, kHeight,
                                                           destinationBits.data(), destinationStride);
    static pixman_indexed_t indexed;
    if (pair.pixmanSource == PIXMAN_c8) {
        for (uint32_t& v : indexed.rgba) v = rng() | 0xFF000000u;
        pixman_image_set_indexed(source, &indexed);
    }
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, destination, 0, 0, 0, 0, 0, 0,
                                 kWidth, kHeight);
        benchmark::DoNotOptimize(destinationBits.data());
        benchmark::ClobberMemory();
    }
    pixman_image_unref(source);
    pixman_image_unref(destination);
    SetRate(state);
}

void Memcpy(benchmark::State& state, const S_Pair& pair) {
    S_FormatDesc desc;
    Gfx_GetFormatDesc(pair.destination, desc);
    const size_t bytes = size_t(kWidth) * kHeight * desc.bytesPerPixel;
    std::vector<uint8_t> from(bytes, 0x5A), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}

const bool kRegistered = [] {
    for (const S_Pair& pair : kPairs) {
        const std::string base = std::string("ImageConvert/") + pair.name;
        benchmark::RegisterBenchmark((base + "/softblit").c_str(), Softblit, pair);
        benchmark::RegisterBenchmark((base + "/pixman").c_str(), Pixman, pair);
        benchmark::RegisterBenchmark((base + "/memcpy").c_str(), Memcpy, pair);
    }
    return true;
}();

}  // namespace
