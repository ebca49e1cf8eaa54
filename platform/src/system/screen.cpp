// Size and depth of display 0.
#include <SDL.h>

#include "softblit/platform/system.h"
#include "system/sdl_video.h"

int32_t Sys_GetScreenMetric(int32_t code) {
    if (code != SYS_METRIC_SCREEN_WIDTH && code != SYS_METRIC_SCREEN_HEIGHT &&
        code != SYS_METRIC_BITS_PER_PIXEL)
        return code;
    SDL_DisplayMode mode;
    if (!Platform_InitVideo() || SDL_GetCurrentDisplayMode(0, &mode) != 0) return 0;
    if (code == SYS_METRIC_SCREEN_WIDTH) return mode.w;
    if (code == SYS_METRIC_SCREEN_HEIGHT) return mode.h;
    return static_cast<int32_t>(SDL_BYTESPERPIXEL(mode.format)) * 8;
}
