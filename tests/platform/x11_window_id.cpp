// The X window behind an SDL window, kept apart from the test sources:
// X11's headers define macros that clash with GoogleTest's.
#include <SDL.h>
#include <SDL_syswm.h>

#include <string>

std::string X11WindowId(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return "0";
    return std::to_string(static_cast<unsigned long>(info.info.x11.window));
}
