#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "softblit/core/status.h"

S_SysStatus Sys_Status = {0, 0, -1, -1, -1};

namespace {

const char kFatalSuffix[] = ">>>A fatal error occurred, the entire process has been aborted";

S_ErrCause g_cause = {-1, -1, -1, {0}};

bool IsFatalFollowUp(int32_t code, const char* message) {
    if (code != ERR_FATAL) return false;
    size_t length = strlen(message);
    size_t suffix = sizeof(kFatalSuffix) - 1;
    return length >= suffix && strcmp(message + length - suffix, kFatalSuffix) == 0;
}

}  // namespace

int32_t Err_Set(int32_t code, int32_t arg1, int32_t arg2, const char* format, ...) {
    Sys_Status.errorCode = code;
    Sys_Status.errorArg1 = arg1;
    Sys_Status.errorArg2 = arg2;

    // Format into a scratch buffer first so a fatal follow-up leaves the kept
    // cause untouched; vsnprintf truncates, nothing is allocated.
    char message[sizeof(g_cause.message)];
    message[0] = 0;
    if (format) {
        va_list args;
        va_start(args, format);
        vsnprintf(message, sizeof(message), format, args);
        va_end(args);
    }
    if (!IsFatalFollowUp(code, message)) {
        g_cause.code = code;
        g_cause.arg1 = arg1;
        g_cause.arg2 = arg2;
        memcpy(g_cause.message, message, sizeof(message));
    }
    return code;
}

const S_ErrCause& Err_GetCause() { return g_cause; }

void Err_Fatal(const char* place) { Err_Set(ERR_FATAL, 0, 0, "%s%s", place, kFatalSuffix); }

bool Err_Fail(int32_t code, const char* text, const char* place) {
    Err_Set(code, 0, 0, "%s", text);
    Err_Fatal(place);
    return false;
}

// The counters saturate instead of wrapping: a wrapped figure would report
// gigabytes in use as a few bytes.
void Mem_AddUsage(uint32_t bytes) {
    const uint32_t room = UINT32_MAX - Sys_Status.memoryInUse;
    Sys_Status.memoryInUse += bytes < room ? bytes : room;
    if (Sys_Status.memoryInUse > Sys_Status.memoryPeak) Sys_Status.memoryPeak = Sys_Status.memoryInUse;
}

void Mem_SubUsage(uint32_t bytes) {
    Sys_Status.memoryInUse -= bytes < Sys_Status.memoryInUse ? bytes : Sys_Status.memoryInUse;
}
