// Closing the windows that are still open at exit.
#include "system/platform_exit.h"

#include <cstdlib>

#include "system/pump_internal.h"

namespace {

// SDL itself is left running: the process ends anyway, and shutting it
// down would unload libraries whose exit-time caches leak checkers could
// then no longer attribute.
void ShutDown() {
    Pump_DestroyWindows();
    Platform_FreeCursors();
}

}  // namespace

void Platform_AtExit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    std::atexit(ShutDown);
}
