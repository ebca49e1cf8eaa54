// Handing queued messages to a window's handlers, and the one mapping from
// window pixels to frame pixels that every pointer position goes through.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "softblit/platform/window.h"
#include "system/message_queue.h"

// The created window with that SDL id, or null.
C_Window* Window_FromId(uint32_t windowId);
// Runs the handlers of one message.
void Window_Dispatch(C_Window* window, const S_Message& message);
// Moves a window whose movable flag is 0 back to its placement.
void Window_KeepInPlace(C_Window* window);
// Where the frame lands in the renderer's output: 1:1 at the top left, or
// in full screen scaled by the largest factor that keeps its aspect and
// centred. (0, 0, 0, 0) before the first frame.
SDL_Rect Window_FrameRect(const C_Window* window);
// Window pixels to frame pixels, not clamped (a point left of or above the
// frame gives negative values). Identity before the first frame.
void Window_MapPointer(const C_Window* window, int32_t windowX, int32_t windowY, int32_t* frameX,
                       int32_t* frameY);
