#include "softblit/demo/handlers.h"

#include "softblit/demo/demo_state.h"
#include "softblit/demo/frame.h"
#include "softblit/platform/keys.h"
#include "softblit/platform/system.h"
#include "softblit/platform/window.h"

namespace {

void Quit(C_Window* window) {
    window->Destroy();
    Sys_PostQuit();
}

void OnClose(C_Window* window) { Quit(window); }

void OnKeyUp(C_Window* window, int32_t, int32_t keyCode) {
    if (keyCode == KEY_ESCAPE) Quit(window);
}

void OnMouseUp(C_Window*, int32_t left, int32_t, int32_t right, int32_t, int32_t) {
    if (!demoState) return;
    if (left == 1) Demo_SwitchEffect(*demoState, -1);
    if (right == 1) Demo_SwitchEffect(*demoState, 1);
}

void OnMouseMove(C_Window*, int32_t, int32_t, int32_t right, int32_t x, int32_t y) {
    if (demoState && right == 1) demoState->mousePosition.Set(static_cast<float>(x), static_cast<float>(y));
}

void OnMouseDown(C_Window*, int32_t, int32_t, int32_t, int32_t, int32_t) {}

}  // namespace

void Demo_InstallHandlers(C_Window* window) {
    if (!window) return;
    S_WindowHandlers& h = window->handlers;
    h.OnClose = OnClose;
    h.OnKeyUp = OnKeyUp;
    h.OnMouseUp = OnMouseUp;
    h.OnMouseMove = OnMouseMove;
    h.OnMouseDown = OnMouseDown;
}
