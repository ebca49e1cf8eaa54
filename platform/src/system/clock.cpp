// Seconds for frame timing: SDL's high-resolution counter, or its
// millisecond count where there is no counter.
#include <SDL.h>

#include "softblit/platform/system.h"
#include "system/clock_source.h"

namespace {

// Until Sys_InitClock runs, the millisecond timer answers.
uint8_t g_counterAvailable = 0;
double g_secondsPerTick = 0.001;
T_MillisecondReader g_readMilliseconds = nullptr;

}  // namespace

void Clock_Init(uint64_t counterFrequency) {
    if (counterFrequency == 0) {
        g_counterAvailable = 0;
        g_secondsPerTick = 0.001;
    } else {
        g_counterAvailable = 1;
        g_secondsPerTick = 1.0 / static_cast<double>(counterFrequency);
    }
}

bool Clock_UsesCounter() { return g_counterAvailable != 0; }

void Clock_SetMillisecondReader(T_MillisecondReader reader) { g_readMilliseconds = reader; }

bool Sys_InitClock() {
    Clock_Init(SDL_GetPerformanceFrequency());
    return true;
}

double Sys_GetTime() {
    if (g_counterAvailable)
        return static_cast<double>(SDL_GetPerformanceCounter()) * g_secondsPerTick;
    const uint32_t ms = g_readMilliseconds != nullptr ? g_readMilliseconds() : SDL_GetTicks();
    return static_cast<double>(static_cast<uint64_t>(ms)) * 0.001;
}
