// SDL's video and event subsystems, started once for the whole process.
#pragma once

// Sets the hints, then starts SDL video. True when a real display is open.
// A failure is kept: later calls return false at once, and the reason stays
// available from Err_GetCause after each call.
bool Platform_InitVideo();
// True when Platform_InitVideo has succeeded (no start is attempted).
bool Platform_VideoReady();
// True when `driver` (the one SDL chose) is a stand-in without a screen that
// nobody asked for: SDL picks one of those when no display can be reached,
// and a window on it would never be seen. `requested` is SDL_VIDEODRIVER
// (null when unset).
bool Platform_IsUnrequestedFallback(const char* driver, const char* requested);
// True when nothing names a display: SDL_VIDEODRIVER, DISPLAY and
// WAYLAND_DISPLAY are all unset or empty, so no window could be shown.
bool Platform_NoDisplayNamed(const char* requested, const char* x11, const char* wayland);
