// Presenting a 640 x 480 frame through a window on SDL's dummy video driver
// (software renderer): the display's bottom-up A8R8G8B8 back buffer as the
// demo presents it, a 16-bit frame that is converted on the way, and SDL
// alone uploading and drawing the same pixels. Counter: frames per second.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "softblit/image/all.h"
#include "softblit/platform/all.h"

namespace {

constexpr int kW = 640, kH = 480;

bool UseDummyVideo() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SOFTBLIT_NO_DIALOGS", "1", 1);
    return true;
}

// A created 640 x 480 window, or null when no video driver starts.
C_Window* Window() {
    static bool dummy = UseDummyVideo();
    static C_Window* window = nullptr;
    (void)dummy;
    if (window == nullptr) {
        window = new C_Window();
        window->SetWidth(kW, WINDOW_W_SIZE);
        window->SetHeight(kH, WINDOW_H_SIZE);
        if (!window->Create()) return nullptr;
    }
    return window;
}

void Fill(C_Image& image) {
    for (uint32_t i = 0; i < image.dataSize; ++i) image.data[i] = static_cast<uint8_t>(i * 13);
}

void BM_PresentBackBuffer(benchmark::State& state) {
    C_Window* window = Window();
    if (window == nullptr) return state.SkipWithError("no video driver");
    S_DisplayTarget target;
    window->GetDisplayTarget(&target);
    C_Display display;
    display.OpenWindowed(&target, kW, kH, 0);
    display.Start();
    Fill(*display.GetBackBuffer()->GetPlaneImage(GFX_PLANE_COLOR));
    for (auto _ : state) display.Present();
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PresentBackBuffer);

void BM_PresentConverted16(benchmark::State& state) {
    C_Window* window = Window();
    if (window == nullptr) return state.SkipWithError("no video driver");
    C_Image frame;
    frame.CreateEmpty(kW, kH, GFX_FMT_R5G6B5, GFX_FMT_NONE);
    Fill(frame);
    for (auto _ : state) window->PresentImage(&frame);
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PresentConverted16);

void BM_PresentSdlAlone(benchmark::State& state) {
    if (Window() == nullptr) return state.SkipWithError("no video driver");
    SDL_Window* sdl = SDL_CreateWindow("bench", 0, 0, kW, kH, SDL_WINDOW_HIDDEN);
    SDL_Renderer* renderer = SDL_CreateRenderer(sdl, -1, 0);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                             SDL_TEXTUREACCESS_STREAMING, kW, kH);
    std::vector<uint8_t> pixels(size_t(kW) * kH * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 13);
    for (auto _ : state) {
        SDL_UpdateTexture(texture, nullptr, pixels.data(), kW * 4);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(sdl);
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PresentSdlAlone);

}  // namespace
