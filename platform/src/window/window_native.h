// The window's native side: the SDL window, its renderer and the streaming
// texture that holds the last presented frame.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "softblit/image/image.h"
#include "softblit/platform/window.h"

struct S_WindowNative {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;  // XRGB8888, frame-sized, no blending
    int32_t textureWidth = 0;
    int32_t textureHeight = 0;
    C_Image converted;         // frames in other formats, converted before upload
    uint32_t id = 0;           // SDL window id
    uint8_t fullScreen = 0;    // frame scaled to fit, centred
    uint64_t lastTick = 0;     // SDL ticks of the last timer message
    int32_t shownCursor = -1;  // cursor code set on the last pointer move
};
