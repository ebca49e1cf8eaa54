// What the framework needs from the system besides the window itself: the
// clock, the screen's size and depth, cursors, full screen, the message pump
// and message boxes.
#pragma once

#include <cstdint>

class C_Window;

// Codes of Sys_GetScreenMetric; any other code is returned unchanged.
enum : int32_t {
    SYS_METRIC_SCREEN_WIDTH = 76,
    SYS_METRIC_SCREEN_HEIGHT = 77,
    SYS_METRIC_BITS_PER_PIXEL = 78,  // bytes per pixel x 8
};

// Cursor codes of Sys_SetCursor and C_Window::SetCursorShape.
enum : int32_t {
    SYS_CURSOR_APP_STARTING = 61,
    SYS_CURSOR_ARROW = 62,
    SYS_CURSOR_CROSS = 63,
    SYS_CURSOR_HELP = 64,
    SYS_CURSOR_ICON = 65,
    SYS_CURSOR_NO = 66,
    SYS_CURSOR_SIZE = 67,
    SYS_CURSOR_SIZE_ALL = 68,
    SYS_CURSOR_SIZE_NESW = 69,
    SYS_CURSOR_SIZE_NS = 70,
    SYS_CURSOR_SIZE_NWSE = 71,
    SYS_CURSOR_SIZE_WE = 72,
    SYS_CURSOR_UP_ARROW = 73,
    SYS_CURSOR_WAIT = 74,
};

// Message texts and their caption.
extern const char* const SYS_TEXT_ENUM_FAILED;   // "Could Not Enum Display Settings"
extern const char* const SYS_TEXT_MODE_REFUSED;  // "Display Mode Not Compatible"
extern const char* const SYS_CAPTION_ERROR;      // "Error"

// Chooses the time source once: the high-resolution counter when there is
// one, else the millisecond timer. Always true.
bool Sys_InitClock();
// Seconds from an arbitrary origin; use differences only. Neither allocates
// nor blocks.
double Sys_GetTime();

// Width, height or depth of display 0 (0 when no display can be opened).
int32_t Sys_GetScreenMetric(int32_t code);

// Shows the system cursor of `code` (61..74); other codes change nothing.
// Always true.
bool Sys_SetCursor(int32_t code);

// Puts `window` in full screen on display 0: borderless at the display's
// bounds, then desktop full screen. The screen's own mode is never changed:
// the frame is scaled to fit, keeping its aspect, centred on black. width,
// height and bitsPerPixel are the mode asked for and only recorded.
// A refusal shows "Display Mode Not Compatible", posts the quit request and
// returns false; without a created window: false, no message.
bool Sys_ChangeDisplayMode(C_Window* window, int32_t width, int32_t height, int32_t bitsPerPixel);
// Takes `window` out of full screen and back to its placement. True when
// there is nothing to undo.
bool Sys_RestoreDisplayMode(C_Window* window);

// Handles at most one pending message, running its handlers. False exactly
// when that message was the quit request; true otherwise, also when nothing
// was pending. Never waits.
bool Sys_PumpMessage();
// Queues the quit request behind the messages already pending. SIGINT and
// SIGTERM queue it too.
void Sys_PostQuit();

// Prints "caption: text" as one line on stderr; then, when `owner` is a
// created window and SOFTBLIT_NO_DIALOGS is not 1, shows a modal box.
void Sys_ShowMessage(C_Window* owner, const char* text, const char* caption);
