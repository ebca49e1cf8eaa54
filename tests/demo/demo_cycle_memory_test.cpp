// A whole demo cycle as the headless program runs it: the nine data files
// loaded, a frame of every effect drawn, everything shut down in the demo's
// order. All counted memory must come back, and with any one allocation
// failing the cycle must fail cleanly and still give everything back.
#include <gtest/gtest.h>

#include "softblit/core/status.h"
#include "softblit/demo/demo_state.h"
#include "softblit/demo/frame.h"
#include "softblit/demo/resources.h"
#include "softblit/demo/texts.h"
#include "softblit/platform/display.h"
#include "softblit/surface/blit_kernel.h"

namespace {

// Memory in use apart from the blit engine's edge tables, which only grow.
uint32_t HeldByTheDemo() {
    return Sys_Status.memoryInUse - Gfx_BlitKernel.edgeLeftmost.capacity - Gfx_BlitKernel.edgeRightmost.capacity;
}

// Start-up, `frames` frames of every effect and shutdown; false when start-up
// failed.
bool RunCycle(int frames) {
    S_DemoState state;
    demoState = &state;
    state.display = new C_Display();
    const S_DisplayTarget target = {nullptr, nullptr};
    state.display->OpenWindowed(&target, DEMO_WIDTH, DEMO_HEIGHT, 0);
    const char* failed = nullptr;
    const bool started = state.display->Start() && Demo_LoadResources(state, DEMO_DATA_DIR, &failed);
    if (started) {
        Demo_BuildScrollText(&state.scrollText);
        state.scrollWidth =
            Demo_MeasureWrapWidth(state.scrollText, state.fonts[DEMO_FONT_TEXT], *Demo_FontType(DEMO_TEXT_SCROLL));
        for (int32_t effect = 0; effect < DEMO_EFFECTS; ++effect) {
            for (int k = 0; k < frames; ++k) {
                state.effectIndex = effect;
                state.elapsedTime = 3.0 + k * 0.25;
                state.effectStartTime = state.elapsedTime;
                state.spinAngle = float(20 + 40 * k);
                Demo_DrawFrame(state);
            }
        }
    }
    Demo_ReleaseResources(state);
    state.display->Stop();
    delete state.display;
    demoState = nullptr;
    return started;
}

TEST(DemoCycle, AllCountedMemoryComesBack) {
    const uint32_t start = HeldByTheDemo();
    ASSERT_TRUE(RunCycle(2));
    EXPECT_EQ(HeldByTheDemo(), start);
    EXPECT_GT(Sys_Status.memoryPeak, start + 640u * 480u * 4u);  // at least the back buffer was counted
}

TEST(DemoCycle, EveryAllocationFailingInTurnFailsCleanly) {
    const uint32_t start = HeldByTheDemo();
    const uint32_t first = Mem_AllocationCount();
    ASSERT_TRUE(RunCycle(1));
    const uint32_t total = Mem_AllocationCount() - first;
    ASSERT_GT(total, 9u);
    for (uint32_t n = 1; n <= total; ++n) {
        Err_Set(0, 0, 0, "none");
        Mem_FailAllocation(n);
        const bool started = RunCycle(1);
        const bool reached = !Mem_FailPending();
        Mem_FailAllocation(0);
        if (!reached) {  // what the first cycle allocated once (the edge tables) is not asked for again
            EXPECT_TRUE(started);
            EXPECT_GT(n, total / 2);
            break;
        }
        // A frame whose allocation failed draws less; start-up must say why it stopped.
        if (!started) {
            ASSERT_EQ(Err_GetCause().code, ERR_ALLOC) << "allocation " << n << ": " << Err_GetCause().message;
        }
        ASSERT_EQ(HeldByTheDemo(), start) << "allocation " << n << " failing";
    }
}

}  // namespace
