// Whole demo frames of each effect on a 640 x 480 display without a window,
// through the demo's frame library with the data files the build wrote:
// time per frame (CPU time, in milliseconds), and the peak of the
// framework's memory counter.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "softblit/core/status.h"
#include "softblit/demo/demo_state.h"
#include "softblit/demo/frame.h"
#include "softblit/demo/resources.h"
#include "softblit/demo/texts.h"
#include "softblit/platform/display.h"

namespace {

S_DemoState* Loaded() {
    static S_DemoState* state = [] {
        S_DemoState* s = new S_DemoState();
        demoState = s;
        s->display = new C_Display();
        const S_DisplayTarget target = {nullptr, nullptr};
        s->display->OpenWindowed(&target, DEMO_WIDTH, DEMO_HEIGHT, 0);
        s->display->Start();
        const char* failed = nullptr;
        if (!Demo_LoadResources(*s, DEMO_DATA_DIR, &failed)) {
            std::fprintf(stderr, "demo_frames: cannot load %s: %s\n", failed ? failed : "?", Err_GetCause().message);
            std::exit(1);
        }
        Demo_BuildScrollText(&s->scrollText);
        s->scrollWidth = Demo_MeasureWrapWidth(s->scrollText, s->fonts[DEMO_FONT_TEXT], *Demo_FontType(DEMO_TEXT_SCROLL));
        return s;
    }();
    return state;
}

void BM_DemoFrame(benchmark::State& bench) {
    S_DemoState& s = *Loaded();
    const int32_t effect = static_cast<int32_t>(bench.range(0));
    double t = 1.0;
    for (auto _ : bench) {
        // As the headless mode draws frame k: t and A advance by one 60th
        // of a second each frame.
        s.effectIndex = effect;
        s.elapsedTime = t;
        s.effectStartTime = t;
        s.effectTime = 0;
        s.spinAngle = static_cast<float>(std::fmod(1.0 + 18.0 * t, 360.0));
        s.framesPerSecond = 1000.0f;
        Demo_DrawFrame(s);
        benchmark::ClobberMemory();
        t += 1.0 / 60.0;
    }
    bench.counters["peak_MiB"] = Sys_Status.memoryPeak / 1048576.0;
    bench.SetLabel(Demo_EffectTitles[effect]);
}
BENCHMARK(BM_DemoFrame)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
