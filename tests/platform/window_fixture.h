// Windows for the platform tests, on SDL's dummy driver or a real X server:
// events in, handler calls out as text ("down 1 0 0 10 20"), pixels read back.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "softblit/platform/system.h"
#include "softblit/platform/window.h"
#include "system/message_queue.h"
#include "system/sdl_video.h"
#include "window/window_native.h"

using Calls = std::vector<std::string>;

inline Calls& CallLog() {
    static Calls log;
    return log;
}

inline void Log(const char* what, std::initializer_list<int> args) {
    std::string line = what;
    for (int a : args) line += " " + std::to_string(a);
    CallLog().push_back(line);
}

// A 640 x 480 client area at the screen's top-left whose handlers log their
// name and arguments.
inline void SetUpLoggedWindow(C_Window& w) {
    w.SetX(0, 0);
    w.SetY(0, 0x10);
    w.SetWidth(640, WINDOW_W_SIZE);
    w.SetHeight(480, WINDOW_H_SIZE);
    w.SetTitle("softblit test");
    S_WindowHandlers& h = w.handlers;
    h.OnActivate = [](C_Window*, auto... a) { Log("activate", {a...}); };
    h.OnDeactivate = [](C_Window*, auto... a) { Log("deactivate", {a...}); };
    h.OnSetFocus = [](C_Window*, auto... a) { Log("setfocus", {a...}); };
    h.OnKillFocus = [](C_Window*, auto... a) { Log("killfocus", {a...}); };
    h.OnClick = [](C_Window*, auto... a) { Log("click", {a...}); };
    h.OnKeyDown = [](C_Window*, auto... a) { Log("keydown", {a...}); };
    h.OnKeyUp = [](C_Window*, auto... a) { Log("keyup", {a...}); };
    h.OnMouseDown = [](C_Window*, auto... a) { Log("down", {a...}); };
    h.OnMouseMove = [](C_Window*, auto... a) { Log("move", {a...}); };
    h.OnMouseUp = [](C_Window*, auto... a) { Log("up", {a...}); };
    h.OnPaint = [](C_Window*, auto... a) { Log("paint", {a...}); };
    h.OnSize = [](C_Window*, auto... a) { Log("size", {a...}); };
    h.OnClose = [](C_Window*, auto... a) { Log("close", {a...}); };
    CallLog().clear();
}

// What `command` printed on stdout.
inline std::string Shell(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char chunk[65536];
    for (size_t got; (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) out.append(chunk, got);
    pclose(pipe);
    return out;
}

struct S_PixelWant {
    int x, y;
    uint32_t rgb;
};

// `pixelAt(x, y)` is 0xRRGGBB.
template <class F>
void ExpectPixels(F pixelAt, std::initializer_list<S_PixelWant> wants) {
    for (const S_PixelWant& p : wants)
        EXPECT_EQ(pixelAt(p.x, p.y), p.rgb) << "at " << p.x << ", " << p.y;
}

// Handles everything pending.
inline void PumpAll() {
    for (int i = 0; i < 10000; ++i) {
        SDL_PumpEvents();
        if (Queue_Count() == 0 && !SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) break;
        Sys_PumpMessage();
    }
}

struct DummyWindowTest : ::testing::Test {
    C_Window window;

    void SetUp() override {
        if (!Platform_VideoReady()) setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_TRUE(Platform_InitVideo());
        if (std::strcmp(SDL_GetCurrentVideoDriver(), "dummy") != 0)
            GTEST_SKIP() << "SDL already runs on a real display in this process";
        SetUpLoggedWindow(window);
        ASSERT_EQ(window.Create(), 1u);
        Push({Move(0, 0, 0)});  // no button held from an earlier test
        PumpAll();
        CallLog().clear();
    }

    uint32_t Id() const { return window.native->id; }
    static void Push(std::initializer_list<SDL_Event> events) {
        for (SDL_Event e : events) SDL_PushEvent(&e);
    }
    // Events for this window, field by field in SDL's order.
    template <class T>
    static SDL_Event Of(T SDL_Event::*member, const T& fields) {
        SDL_Event e = {};
        e.*member = fields;
        return e;
    }
    SDL_Event Button(bool down, uint8_t button, int x, int y) const {
        return Of(&SDL_Event::button, {Uint32(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP), 0,
                                       Id(), 0, button, Uint8(down), 0, 0, x, y});
    }
    SDL_Event Move(int x, int y, uint32_t state) const {
        return Of(&SDL_Event::motion, {SDL_MOUSEMOTION, 0, Id(), 0, state, x, y, 0, 0});
    }
    SDL_Event Key(bool down, SDL_Keycode sym, uint16_t mod = 0, uint8_t repeat = 0) const {
        return Of(&SDL_Event::key, {Uint32(down ? SDL_KEYDOWN : SDL_KEYUP), 0, Id(), 0, repeat, 0,
                                    0, {SDL_SCANCODE_UNKNOWN, sym, mod, 0}});
    }
    SDL_Event WindowEvent(uint8_t what) const {
        return Of(&SDL_Event::window, {SDL_WINDOWEVENT, 0, Id(), what, 0, 0, 0, 0, 0});
    }
    uint32_t ReadPixel(int x, int y) {
        uint32_t pixel = 0;
        SDL_Rect one = {x, y, 1, 1};
        SDL_RenderReadPixels(window.native->renderer, &one, SDL_PIXELFORMAT_RGB888, &pixel, 4);
        return pixel & 0xFFFFFF;
    }
};
