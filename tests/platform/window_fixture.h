// Windows on SDL's dummy video driver: synthetic events in, handler calls
// out, rendered pixels read back.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "softblit/platform/system.h"
#include "softblit/platform/window.h"
#include "system/message_queue.h"
#include "system/sdl_video.h"
#include "window/window_native.h"

// Every handler call, as text: "down 1 0 0 10 20", "click 1", ...
inline std::vector<std::string>& CallLog() {
    static std::vector<std::string> log;
    return log;
}

inline void Log(const char* what, std::initializer_list<int> args = {}) {
    std::string line = what;
    for (int a : args) line += " " + std::to_string(a);
    CallLog().push_back(line);
}

inline void InstallLoggingHandlers(C_Window& w) {
    S_WindowHandlers& h = w.handlers;
    h.OnActivate = [](C_Window*) { Log("activate"); };
    h.OnDeactivate = [](C_Window*) { Log("deactivate"); };
    h.OnSetFocus = [](C_Window*) { Log("setfocus"); };
    h.OnKillFocus = [](C_Window*) { Log("killfocus"); };
    h.OnClick = [](C_Window*, int32_t b) { Log("click", {b}); };
    h.OnKeyDown = [](C_Window*, int32_t c, int32_t k) { Log("keydown", {c, k}); };
    h.OnKeyUp = [](C_Window*, int32_t c, int32_t k) { Log("keyup", {c, k}); };
    h.OnMouseDown = [](C_Window*, int32_t l, int32_t m, int32_t r, int32_t x, int32_t y) {
        Log("down", {l, m, r, x, y});
    };
    h.OnMouseMove = [](C_Window*, int32_t l, int32_t m, int32_t r, int32_t x, int32_t y) {
        Log("move", {l, m, r, x, y});
    };
    h.OnMouseUp = [](C_Window*, int32_t l, int32_t m, int32_t r, int32_t x, int32_t y) {
        Log("up", {l, m, r, x, y});
    };
    h.OnPaint = [](C_Window*) { Log("paint"); };
    h.OnSize = [](C_Window*) { Log("size"); };
    h.OnClose = [](C_Window*) { Log("close"); };
}

// Handles everything pending; the number of pump calls that handled a message.
inline int PumpAll() {
    int handled = 0;
    for (int i = 0; i < 10000; ++i) {
        SDL_PumpEvents();
        if (Queue_Count() == 0 && !SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) break;
        Sys_PumpMessage();
        ++handled;
    }
    return handled;
}

struct DummyWindowTest : ::testing::Test {
    C_Window window;

    void SetUp() override {
        if (!Platform_VideoReady()) setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_TRUE(Platform_InitVideo());
        if (std::strcmp(SDL_GetCurrentVideoDriver(), "dummy") != 0)
            GTEST_SKIP() << "SDL already runs on a real display in this process";
        window.SetX(0, 0);
        window.SetY(0, 0x10);
        window.SetWidth(640, WINDOW_W_SIZE);
        window.SetHeight(480, WINDOW_H_SIZE);
        InstallLoggingHandlers(window);
        ASSERT_EQ(window.Create(), 1u);
        PushMove(0, 0, 0);  // no button held from an earlier test
        PumpAll();
        CallLog().clear();
    }

    uint32_t Id() const { return window.native->id; }

    void PushButton(bool down, uint8_t button, int x, int y) {
        SDL_Event e = {};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.windowID = Id();
        e.button.button = button;
        e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
    }
    void PushMove(int x, int y, uint32_t state) {
        SDL_Event e = {};
        e.type = SDL_MOUSEMOTION;
        e.motion.windowID = Id();
        e.motion.state = state;
        e.motion.x = x;
        e.motion.y = y;
        SDL_PushEvent(&e);
    }
    void PushKey(bool down, SDL_Keycode sym, uint16_t mod = 0, uint8_t repeat = 0) {
        SDL_Event e = {};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.windowID = Id();
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
        e.key.repeat = repeat;
        SDL_PushEvent(&e);
    }
    void PushWindowEvent(uint8_t what) {
        SDL_Event e = {};
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = Id();
        e.window.event = what;
        SDL_PushEvent(&e);
    }
    // The window's pixel at (x, y) as 0xRRGGBB.
    uint32_t ReadPixel(int x, int y) {
        uint32_t pixel = 0;
        SDL_Rect one = {x, y, 1, 1};
        SDL_RenderReadPixels(window.native->renderer, &one, SDL_PIXELFORMAT_RGB888, &pixel, 4);
        return pixel & 0xFFFFFF;
    }
};
