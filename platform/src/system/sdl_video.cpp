// Starting SDL: hints first, one attempt, and refusal of the screenless
// drivers that SDL falls back to when there is no display.
#include "system/sdl_video.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "softblit/core/status.h"
#include "system/platform_exit.h"

namespace {

enum E_VideoState { VIDEO_UNTRIED, VIDEO_READY, VIDEO_FAILED };
E_VideoState g_video = VIDEO_UNTRIED;
char g_reason[160];

void SetHints() {
    // Closing a window goes through OnClose; quitting is the application's call.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // SIGINT and SIGTERM are turned into the quit request by the pump itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // The screensaver is blocked only while a window is full screen.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_HIGHDPI_DISABLED, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A double press is two presses; text input stays off.
    SDL_SetHint(SDL_HINT_IME_SHOW_UI, "0");
}

bool Fail(const char* why) {
    std::snprintf(g_reason, sizeof g_reason, "Platform_InitVideo{display}: %s", why);
    g_video = VIDEO_FAILED;
    return false;
}

}  // namespace

bool Platform_IsUnrequestedFallback(const char* driver, const char* requested) {
    if (driver == nullptr) return true;
    if (std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0) return false;
    return requested == nullptr || std::strstr(requested, driver) == nullptr;
}

bool Platform_VideoReady() { return g_video == VIDEO_READY; }

bool Platform_NoDisplayNamed(const char* requested, const char* x11, const char* wayland) {
    auto unset = [](const char* value) { return value == nullptr || value[0] == '\0'; };
    return unset(requested) && unset(x11) && unset(wayland);
}

bool Platform_InitVideo() {
    if (g_video == VIDEO_UNTRIED) {
        SetHints();
        // Without a display named anywhere SDL would probe its drivers, print
        // their complaints on stderr and end on a screenless one; say why at once.
        if (Platform_NoDisplayNamed(std::getenv("SDL_VIDEODRIVER"), std::getenv("DISPLAY"),
                                    std::getenv("WAYLAND_DISPLAY"))) {
            Fail("no display: DISPLAY and WAYLAND_DISPLAY are not set");
        } else if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            Fail(SDL_GetError());
        } else if (Platform_IsUnrequestedFallback(SDL_GetCurrentVideoDriver(),
                                                  std::getenv("SDL_VIDEODRIVER"))) {
            char why[120];
            std::snprintf(why, sizeof why, "only the screenless %s driver started (%s)",
                          SDL_GetCurrentVideoDriver(), SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
            Fail(why);
        } else {
            g_video = VIDEO_READY;
            SDL_StopTextInput();
            Platform_AtExit();
        }
    }
    if (g_video == VIDEO_READY) return true;
    Err_Set(ERR_MISSING, 0, 0, "%s", g_reason);
    return false;
}
