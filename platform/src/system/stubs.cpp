#include "softblit/platform/system.h"
#include "softblit/platform/window.h"
#include "window/window_native.h"

const char* const SYS_TEXT_ENUM_FAILED = "Could Not Enum Display Settings";
const char* const SYS_TEXT_MODE_REFUSED = "Display Mode Not Compatible";
const char* const SYS_CAPTION_ERROR = "Error";
bool Sys_InitClock() { return true; }
double Sys_GetTime() { return 0.0; }
int32_t Sys_GetScreenMetric(int32_t code) { return code; }
bool Sys_SetCursor(int32_t) { return true; }
bool Sys_ChangeDisplayMode(C_Window*, int32_t, int32_t, int32_t) { return false; }
bool Sys_RestoreDisplayMode(C_Window*) { return true; }
bool Sys_PumpMessage() { return true; }
void Sys_PostQuit() {}
void Sys_ShowMessage(C_Window*, const char*, const char*) {}
uint32_t C_Window::Create() { return 0; }
void C_Window::Destroy() {}
void C_Window::ComputePlacement() {}
void C_Window::Refresh(int32_t) {}
void C_Window::PresentImage(C_Image*) {}
