// Shared by the display's blit and text forwards.
#pragma once

#include "softblit/platform/display.h"
#include "softblit/surface/blit_kernel.h"

// Sets the engine's display-blit flag for the lifetime of the scope, so the
// forwarded blit reads the sources' display copies, and clears it after.
struct S_DisplayBlitScope {
    S_DisplayBlitScope() { Gfx_BlitKernel.displayBlit = 1; }
    ~S_DisplayBlitScope() { Gfx_BlitKernel.displayBlit = 0; }
    S_DisplayBlitScope(const S_DisplayBlitScope&) = delete;
    S_DisplayBlitScope& operator=(const S_DisplayBlitScope&) = delete;
};

// True when the display has a target to draw into; otherwise records error
// 14 with `what`, then the fatal record of `place`.
bool Display_HasTarget(const C_Display* display, const char* place, const char* what);
