// Closing SDL at exit, after the windows that are still open.
#include "system/platform_exit.h"

#include <SDL.h>

#include <cstdlib>

#include "system/pump_internal.h"

namespace {

void ShutDown() {
    Pump_DestroyWindows();
    Platform_FreeCursors();
    SDL_Quit();
}

}  // namespace

void Platform_AtExit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    std::atexit(ShutDown);
}
