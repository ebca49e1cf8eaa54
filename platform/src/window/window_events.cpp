// The rules from messages to handlers: focus pairs, repaint before OnPaint,
// pointer capture from a press to the release of the last button, and
// OnClick after OnMouseUp.
#include "window/window_events.h"

#include "softblit/platform/system.h"
#include "system/sdl_video.h"
#include "window/window_native.h"

namespace {

int32_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<int32_t>(q);
}

void Call(C_Window* window, T_WindowHandler handler) {
    if (handler != nullptr) handler(window);
}

void CallPointer(C_Window* window, T_WindowPointerHandler handler, uint32_t buttons, int32_t x,
                 int32_t y) {
    if (handler == nullptr) return;
    handler(window, (buttons & BUTTON_BIT_LEFT) ? 1 : 0, (buttons & BUTTON_BIT_MIDDLE) ? 1 : 0,
            (buttons & BUTTON_BIT_RIGHT) ? 1 : 0, x, y);
}

uint32_t ButtonBitOf(int32_t button) {
    return button == WINDOW_BUTTON_LEFT     ? BUTTON_BIT_LEFT
           : button == WINDOW_BUTTON_MIDDLE ? BUTTON_BIT_MIDDLE
                                            : BUTTON_BIT_RIGHT;
}

void SetCapture(C_Window* window, bool on) {
    window->captured = on ? 1.0f : 0.0f;
    // Only some backends can hold the pointer; the flag above is what counts.
    if (Platform_VideoReady()) SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE);
}

void PointerMove(C_Window* window, const S_Message& m) {
    int32_t x, y;
    Window_MapPointer(window, m.x, m.y, &x, &y);
    if (m.buttons == 0)
        CallPointer(window, window->handlers.OnMouseMove, 0, x, y);
    else if (window->captured != 0.0f)
        CallPointer(window, window->handlers.OnMouseMove, m.buttons, x, y);
    window->buttonStates[0] = (m.buttons & BUTTON_BIT_LEFT) ? 1.0f : 0.0f;
    window->buttonStates[1] = (m.buttons & BUTTON_BIT_MIDDLE) ? 1.0f : 0.0f;
    window->buttonStates[2] = (m.buttons & BUTTON_BIT_RIGHT) ? 1.0f : 0.0f;
    if (window->native != nullptr && window->native->shownCursor != window->cursorShape) {
        window->native->shownCursor = window->cursorShape;
        Sys_SetCursor(window->cursorShape);
    }
}

void ButtonUp(C_Window* window, const S_Message& m) {
    if (window->captured == 0.0f) return;
    int32_t x, y;
    Window_MapPointer(window, m.x, m.y, &x, &y);
    if (window->enabled) {
        CallPointer(window, window->handlers.OnMouseUp, ButtonBitOf(m.a), x, y);
        if (window->handlers.OnClick != nullptr) window->handlers.OnClick(window, m.a);
    }
    if (m.buttons == 0) SetCapture(window, false);
}

void Timer(C_Window* window) {
    int32_t globalX = 0, globalY = 0, left = 0, top = 0;
    const uint32_t buttons = SDL_GetGlobalMouseState(&globalX, &globalY) &
                             (BUTTON_BIT_LEFT | BUTTON_BIT_MIDDLE | BUTTON_BIT_RIGHT);
    SDL_GetWindowPosition(window->native->window, &left, &top);
    int32_t x, y;
    Window_MapPointer(window, globalX - left, globalY - top, &x, &y);
    CallPointer(window, window->handlers.OnTimer, buttons, x, y);
}

}  // namespace

C_Window* Window_FromId(uint32_t windowId) {
    if (windowId == 0 || !Platform_VideoReady()) return nullptr;
    SDL_Window* native = SDL_GetWindowFromID(windowId);
    if (native == nullptr) return nullptr;
    return static_cast<C_Window*>(SDL_GetWindowData(native, "widget"));
}

SDL_Rect Window_FrameRect(const C_Window* window) {
    SDL_Rect rect = {0, 0, 0, 0};
    const S_WindowNative* native = window->native;
    if (native == nullptr || native->textureWidth <= 0 || native->textureHeight <= 0) return rect;
    rect.w = native->textureWidth;
    rect.h = native->textureHeight;
    if (!native->fullScreen) return rect;
    int outW = 0, outH = 0;
    if (SDL_GetRendererOutputSize(native->renderer, &outW, &outH) != 0 || outW <= 0 || outH <= 0)
        return rect;
    const double scaleX = static_cast<double>(outW) / rect.w;
    const double scaleY = static_cast<double>(outH) / rect.h;
    const double scale = scaleX < scaleY ? scaleX : scaleY;
    rect.w = static_cast<int>(rect.w * scale);
    rect.h = static_cast<int>(rect.h * scale);
    rect.x = (outW - rect.w) / 2;
    rect.y = (outH - rect.h) / 2;
    return rect;
}

void Window_MapPointer(const C_Window* window, int32_t windowX, int32_t windowY, int32_t* frameX,
                       int32_t* frameY) {
    *frameX = windowX;
    *frameY = windowY;
    const SDL_Rect rect = Window_FrameRect(window);
    if (rect.w <= 0 || rect.h <= 0) return;
    // Window pixels and output pixels differ only where the system scales
    // windows; no high-resolution output is requested, but stay exact.
    int windowW = 0, windowH = 0, outW = 0, outH = 0;
    SDL_GetWindowSize(window->native->window, &windowW, &windowH);
    SDL_GetRendererOutputSize(window->native->renderer, &outW, &outH);
    int64_t outX = windowX, outY = windowY;
    if (windowW > 0 && windowH > 0 && outW > 0 && outH > 0) {
        outX = FloorDiv(static_cast<int64_t>(windowX) * outW, windowW);
        outY = FloorDiv(static_cast<int64_t>(windowY) * outH, windowH);
    }
    *frameX = FloorDiv((outX - rect.x) * window->native->textureWidth, rect.w);
    *frameY = FloorDiv((outY - rect.y) * window->native->textureHeight, rect.h);
}

void Window_KeepInPlace(C_Window* window) {
    if (window->movable || window->native == nullptr || window->native->fullScreen) return;
    int left = 0, top = 0;
    SDL_GetWindowPosition(window->native->window, &left, &top);
    const int wantLeft = window->placementFrame.left + window->borderFrame.left;
    const int wantTop = window->placementFrame.top + window->borderFrame.top;
    if (left != wantLeft || top != wantTop)
        SDL_SetWindowPosition(window->native->window, wantLeft, wantTop);
}

void Window_Dispatch(C_Window* window, const S_Message& m) {
    const S_WindowHandlers& h = window->handlers;
    switch (m.type) {
    case MSG_ACTIVATE: Call(window, h.OnActivate); break;
    case MSG_DEACTIVATE: Call(window, h.OnDeactivate); break;
    case MSG_SET_FOCUS: Call(window, h.OnSetFocus); break;
    case MSG_KILL_FOCUS: Call(window, h.OnKillFocus); break;
    case MSG_SIZE:
        Call(window, h.OnSize);
        if (window->created) Call(window, h.OnPaint);
        break;
    case MSG_PAINT:
        window->Refresh(WINDOW_CHANGE_FRAME);
        Call(window, h.OnPaint);
        break;
    case MSG_SHOW: Call(window, h.OnPaint); break;
    case MSG_CLOSE: Call(window, h.OnClose); break;
    case MSG_KEY_DOWN:
    case MSG_KEY_UP: {
        if (!window->enabled) break;
        T_WindowKeyHandler handler = m.type == MSG_KEY_DOWN ? h.OnKeyDown : h.OnKeyUp;
        if (handler != nullptr) handler(window, m.a, m.b);
        break;
    }
    case MSG_POINTER_MOVE:
        if (window->enabled) PointerMove(window, m);
        break;
    case MSG_BUTTON_DOWN: {
        if (!window->enabled) break;
        int32_t x, y;
        Window_MapPointer(window, m.x, m.y, &x, &y);
        CallPointer(window, h.OnMouseDown, m.buttons, x, y);
        SetCapture(window, true);
        break;
    }
    case MSG_BUTTON_UP: ButtonUp(window, m); break;
    case MSG_TIMER:
        if (window->native != nullptr) Timer(window);
        break;
    default: break;
    }
}
