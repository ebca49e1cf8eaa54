// Create, Destroy and Refresh: the native window behind a C_Window.
#include "window/window_native.h"

#include "softblit/core/status.h"
#include "softblit/platform/system.h"
#include "system/pump_internal.h"
#include "system/sdl_video.h"
#include "window/window_frame.h"
#include "window/window_region.h"

namespace {

const char* const kPlace = "C_Window::Create";

int32_t Extent(int32_t from, int32_t to) {
    const int64_t extent = static_cast<int64_t>(to) - from;
    return extent < 1 ? 1 : extent > 16384 ? 16384 : static_cast<int32_t>(extent);
}

// Client size straight from the placement; the border frame from SDL (0
// where the window system does not say) grows the placement to the outer
// frame, so a framed window gets exactly the client area asked for.
void ApplyPlacement(C_Window* window) {
    window->ComputePlacement();
    if (window->native->fullScreen) return;
    SDL_Window* sdl = window->native->window;
    C_Frame& frame = window->placementFrame;
    const int32_t width = Extent(frame.left, frame.right);
    const int32_t height = Extent(frame.top, frame.bottom);
    int top = 0, left = 0, bottom = 0, right = 0;
    if (window->popup == 0 && SDL_GetWindowBordersSize(sdl, &top, &left, &bottom, &right) != 0)
        top = left = bottom = right = 0;
    window->borderFrame = C_Frame(left, top, right, bottom);
    SDL_SetWindowSize(sdl, width, height);
    SDL_SetWindowPosition(sdl, frame.left + left, frame.top + top);
    frame.right = frame.left + width + left + right;
    frame.bottom = frame.top + height + top + bottom;
}

void ApplyStyle(C_Window* window) {
    if (window->native->fullScreen) return;
    SDL_Window* sdl = window->native->window;
    SDL_SetWindowBordered(sdl, window->popup ? SDL_FALSE : SDL_TRUE);
    SDL_SetWindowResizable(sdl, (!window->popup && window->resizable == 1) ? SDL_TRUE : SDL_FALSE);
}

void ApplyVisible(C_Window* window) {
    if (window->visible)
        SDL_ShowWindow(window->native->window);
    else
        SDL_HideWindow(window->native->window);
}

}  // namespace

uint32_t C_Window::Create() {
    if (created) return 1;
    if (!Platform_InitVideo()) {
        Err_Fatal(kPlace);
        return 0;
    }
    ComputePlacement();
    uint32_t flags = SDL_WINDOW_HIDDEN;
    if (popup)
        flags |= SDL_WINDOW_BORDERLESS;
    else if (resizable == 1)
        flags |= SDL_WINDOW_RESIZABLE;
    const char* text = title.GetText() != nullptr ? title.GetText() : "";
    const int32_t width = Extent(placementFrame.left, placementFrame.right);
    const int32_t height = Extent(placementFrame.top, placementFrame.bottom);
    // Only windows made shaped can take a shape later: a popup with a region
    // image asks for one, and becomes a plain window where there are none.
    SDL_Window* sdl = nullptr;
    if (popup && GetRegionImage() != nullptr)
        sdl = SDL_CreateShapedWindow(text, placementFrame.left, placementFrame.top, width, height,
                                     flags);
    if (sdl == nullptr)
        sdl = SDL_CreateWindow(text, placementFrame.left, placementFrame.top, width, height, flags);
    if (sdl == nullptr) {
        Err_Set(ERR_MISSING, 0, 0, "C_Window::Create{window}: %s", SDL_GetError());
        Err_Fatal(kPlace);
        return 0;
    }
    SDL_Renderer* renderer = SDL_CreateRenderer(sdl, -1, 0);
    if (renderer == nullptr) renderer = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_SOFTWARE);
    if (renderer == nullptr) {
        Err_Set(ERR_MISSING, 0, 0, "C_Window::Create{renderer}: %s", SDL_GetError());
        Err_Fatal(kPlace);
        SDL_DestroyWindow(sdl);
        return 0;
    }
    native = new S_WindowNative();
    native->window = sdl;
    native->renderer = renderer;
    native->id = SDL_GetWindowID(sdl);
    native->lastTick = SDL_GetTicks64();
    className = C_String(native->id);
    SDL_SetWindowData(sdl, "widget", this);
    Pump_RegisterWindow(this);
    created = 1;
    Refresh(WINDOW_CHANGE_ALL);
    Window_DrawFrame(this);
    return 1;
}

void C_Window::Destroy() {
    if (!created) return;
    if (captured != 0.0f) SDL_CaptureMouse(SDL_FALSE);
    captured = 0.0f;
    SDL_SetWindowData(native->window, "widget", nullptr);
    Pump_UnregisterWindow(this);
    if (native->fullScreen) SDL_EnableScreenSaver();
    if (native->texture != nullptr) SDL_DestroyTexture(native->texture);
    SDL_DestroyRenderer(native->renderer);
    SDL_DestroyWindow(native->window);
    delete native;
    native = nullptr;
    created = 0;
}

void C_Window::Refresh(int32_t code) {
    if (!created) return;
    switch (code) {
    case WINDOW_CHANGE_TITLE:
        SDL_SetWindowTitle(native->window, title.GetText() != nullptr ? title.GetText() : "");
        break;
    case WINDOW_CHANGE_PLACEMENT: ApplyPlacement(this); break;
    case WINDOW_CHANGE_VISIBLE: ApplyVisible(this); break;
    case WINDOW_CHANGE_POPUP: ApplyStyle(this); break;
    case WINDOW_CHANGE_REGION: Window_ApplyRegion(this); break;
    case WINDOW_CHANGE_ALL:
        for (int32_t each = WINDOW_CHANGE_TITLE; each <= WINDOW_CHANGE_SPARE_WORD; ++each)
            Refresh(each);
        for (int32_t each = WINDOW_CHANGE_CURSOR; each <= WINDOW_CHANGE_WORD0 + 5; ++each)
            Refresh(each);
        break;
    case WINDOW_CHANGE_FRAME: Window_DrawFrame(this); break;
    default: break;
    }
}
