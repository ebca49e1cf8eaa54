// Full screen without touching the screen's mode: the window covers display
// 0 and the frame is scaled into it.
#include "softblit/platform/system.h"
#include "softblit/platform/window.h"
#include "window/window_frame.h"
#include "window/window_native.h"

bool Sys_ChangeDisplayMode(C_Window* window, int32_t width, int32_t height,
                           int32_t bitsPerPixel) {
    // The mode asked for is only a wish: the frame keeps its own size and
    // depth and is scaled, so the screen never changes mode.
    (void)width;
    (void)height;
    (void)bitsPerPixel;
    if (window == nullptr || !window->created) return false;
    SDL_Window* sdl = window->native->window;
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0) {
        Sys_ShowMessage(window, SYS_TEXT_ENUM_FAILED, SYS_CAPTION_ERROR);
        return false;
    }
    // Borderless at the display's bounds first: where no window manager
    // runs, desktop full screen alone would leave the window where it was.
    SDL_SetWindowBordered(sdl, SDL_FALSE);
    SDL_SetWindowResizable(sdl, SDL_FALSE);
    SDL_SetWindowPosition(sdl, bounds.x, bounds.y);
    SDL_SetWindowSize(sdl, bounds.w, bounds.h);
    if (SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        Sys_ShowMessage(window, SYS_TEXT_MODE_REFUSED, SYS_CAPTION_ERROR);
        Sys_PostQuit();
        return false;
    }
    window->native->fullScreen = 1;
    SDL_DisableScreenSaver();
    SDL_RaiseWindow(sdl);
    Window_DrawFrame(window);
    return true;
}

bool Sys_RestoreDisplayMode(C_Window* window) {
    if (window == nullptr || !window->created || !window->native->fullScreen) return true;
    if (SDL_SetWindowFullscreen(window->native->window, 0) != 0) {
        Sys_ShowMessage(window, SYS_TEXT_MODE_REFUSED, SYS_CAPTION_ERROR);
        Sys_PostQuit();
        return false;
    }
    window->native->fullScreen = 0;
    SDL_EnableScreenSaver();
    window->Refresh(WINDOW_CHANGE_POPUP);
    window->Refresh(WINDOW_CHANGE_PLACEMENT);
    Window_DrawFrame(window);
    return true;
}
