// A demo state on a display without a window, loaded with the data files the
// build wrote, shared by the frame tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "softblit/demo/demo_state.h"
#include "softblit/demo/frame.h"
#include "softblit/demo/resources.h"
#include "softblit/demo/texts.h"
#include "softblit/image/image.h"
#include "softblit/platform/display.h"
#include "softblit/surface/surface.h"

class DemoFrame : public ::testing::Test {
protected:
    static S_DemoState* state;

    static void SetUpTestSuite() {
        state = new S_DemoState();
        demoState = state;
        state->display = new C_Display();
        const S_DisplayTarget target = {nullptr, nullptr};
        state->display->OpenWindowed(&target, DEMO_WIDTH, DEMO_HEIGHT, 0);
        state->display->Start();
        const char* failed = nullptr;
        loaded = Demo_LoadResources(*state, DEMO_DATA_DIR, &failed);
        Demo_BuildScrollText(&state->scrollText);
        state->scrollWidth =
            Demo_MeasureWrapWidth(state->scrollText, state->fonts[DEMO_FONT_TEXT], *Demo_FontType(DEMO_TEXT_SCROLL));
    }
    static void TearDownTestSuite() {
        Demo_ReleaseResources(*state);
        delete state->display;
        delete state;
        state = nullptr;
        demoState = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(loaded) << "the data files in " DEMO_DATA_DIR " did not load"; }

    // The state as the headless mode sets it for one frame.
    static void At(int32_t effect, double t, float angle, float fps = 0) {
        state->effectIndex = effect;
        state->elapsedTime = t;
        state->effectStartTime = t;
        state->effectTime = 0;
        state->spinAngle = angle;
        state->framesPerSecond = fps;
        state->mousePosition = C_Vector2D();
    }
    static const C_Image* Frame() { return state->display->GetBackBuffer()->GetPlaneImage(GFX_PLANE_COLOR); }
    // 0x00RRGGBB of a frame pixel.
    static uint32_t Pixel(int32_t x, int32_t y) {
        const uint8_t* p = Frame()->GetRow(static_cast<uint32_t>(y)) + x * 4;
        return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
    }
    static void Clear() {
        const C_Color black(0.0f, 0.0f, 0.0f, 0.0f);
        const C_Rect all(0.0f, 0.0f, 640.0f, 480.0f);
        state->display->DrawRect(&all, &black, nullptr, 1, 0, 0);
    }

private:
    static bool loaded;
};
