// The frame shown in a window.
#pragma once

#include "softblit/platform/window.h"

// Clears the window to black and draws the kept frame into its place.
// Frames of depths other than 16, 24 and 32 bits are not drawn.
void Window_DrawFrame(C_Window* window);
