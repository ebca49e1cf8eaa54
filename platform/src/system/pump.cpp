// Sys_PumpMessage: drains SDL's events into the message queue, adds timer
// ticks and the quit request of a signal, then handles one message.
#include <signal.h>

#include "softblit/core/array.h"
#include "softblit/platform/system.h"
#include "softblit/platform/window.h"
#include "system/message_queue.h"
#include "system/pump_internal.h"
#include "system/sdl_video.h"
#include "window/window_events.h"
#include "window/window_native.h"

namespace {

C_Array g_windows;
volatile sig_atomic_t g_signalled = 0;
bool g_signalsInstalled = false;

void OnSignal(int) { g_signalled = 1; }

void InstallSignals() {
    if (g_signalsInstalled) return;
    g_signalsInstalled = true;
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// An upper bound on the events drained per call, should something keep
// feeding SDL's queue while it is being read.
const int kMaxDrain = 4096;

void DrainEvents() {
    SDL_PumpEvents();
    SDL_Event event;
    for (int i = 0; i < kMaxDrain; ++i) {
        if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) break;
        Pump_Translate(event);
    }
}

void QueueTimerTicks() {
    const uint64_t now = SDL_GetTicks64();
    for (uint32_t i = 0; i < g_windows.GetCount(); ++i) {
        C_Window* window = static_cast<C_Window*>(g_windows.GetAt(i));
        // Without a handler a tick would do nothing, so none is queued.
        if (window->handlers.OnTimer == nullptr || window->native == nullptr) continue;
        if (now - window->native->lastTick < 1) continue;
        window->native->lastTick = now;
        S_Message tick = {};
        tick.type = MSG_TIMER;
        tick.windowId = window->native->id;
        Queue_Push(tick);
    }
}

}  // namespace

void Pump_RegisterWindow(C_Window* window) { g_windows.Insert(window, g_windows.GetCount()); }

void Pump_UnregisterWindow(C_Window* window) {
    for (uint32_t i = 0; i < g_windows.GetCount(); ++i) {
        if (g_windows.GetAt(i) == window) {
            g_windows.RemoveAt(i);
            return;
        }
    }
}

void Pump_DestroyWindows() {
    while (g_windows.GetCount() > 0) {
        C_Window* window = static_cast<C_Window*>(g_windows.GetAt(g_windows.GetCount() - 1));
        window->Destroy();
        // Destroy unregisters; make sure the loop ends whatever happened.
        Pump_UnregisterWindow(window);
    }
}

bool Sys_PumpMessage() {
    InstallSignals();
    if (g_signalled) {
        g_signalled = 0;
        Sys_PostQuit();
    }
    if (Platform_VideoReady()) {
        DrainEvents();
        QueueTimerTicks();
    }
    S_Message message;
    if (!Queue_Pop(&message)) return true;
    if (message.type == MSG_QUIT) return false;
    C_Window* window = Window_FromId(message.windowId);
    if (window != nullptr) Window_Dispatch(window, message);
    return true;
}

void Sys_PostQuit() {
    // Events SDL already holds came first: they go ahead of the request.
    if (Platform_VideoReady()) DrainEvents();
    S_Message quit = {};
    quit.type = MSG_QUIT;
    Queue_Push(quit);
}
