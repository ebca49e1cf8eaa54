// The system cursors, each made once and kept until exit.
#include <SDL.h>

#include "softblit/platform/system.h"
#include "system/platform_exit.h"
#include "system/sdl_video.h"

namespace {

const int32_t kFirstCode = SYS_CURSOR_APP_STARTING;
const int32_t kCodeCount = SYS_CURSOR_WAIT - SYS_CURSOR_APP_STARTING + 1;

// SDL has no help, icon or up-arrow cursor: those show the arrow.
const SDL_SystemCursor kShapes[kCodeCount] = {
    SDL_SYSTEM_CURSOR_WAITARROW,  // 61 application starting
    SDL_SYSTEM_CURSOR_ARROW,      // 62
    SDL_SYSTEM_CURSOR_CROSSHAIR,  // 63
    SDL_SYSTEM_CURSOR_ARROW,      // 64 help
    SDL_SYSTEM_CURSOR_ARROW,      // 65 icon
    SDL_SYSTEM_CURSOR_NO,         // 66
    SDL_SYSTEM_CURSOR_SIZEALL,    // 67 legacy size
    SDL_SYSTEM_CURSOR_SIZEALL,    // 68
    SDL_SYSTEM_CURSOR_SIZENESW,   // 69
    SDL_SYSTEM_CURSOR_SIZENS,     // 70
    SDL_SYSTEM_CURSOR_SIZENWSE,   // 71
    SDL_SYSTEM_CURSOR_SIZEWE,     // 72
    SDL_SYSTEM_CURSOR_ARROW,      // 73 up arrow
    SDL_SYSTEM_CURSOR_WAIT,       // 74
};

SDL_Cursor* g_cursors[kCodeCount];

}  // namespace

bool Sys_SetCursor(int32_t code) {
    if (code < kFirstCode || code >= kFirstCode + kCodeCount) return true;
    if (!Platform_VideoReady()) return true;
    SDL_Cursor*& cursor = g_cursors[code - kFirstCode];
    if (cursor == nullptr) cursor = SDL_CreateSystemCursor(kShapes[code - kFirstCode]);
    if (cursor != nullptr) SDL_SetCursor(cursor);
    return true;
}

void Platform_FreeCursors() {
    for (SDL_Cursor*& cursor : g_cursors) {
        if (cursor != nullptr) SDL_FreeCursor(cursor);
        cursor = nullptr;
    }
}
