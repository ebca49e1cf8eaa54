// Messages for the user: always one line on stderr, and a box when there is
// a window to own it and nobody asked for none (tests and scripted runs).
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "softblit/platform/system.h"
#include "softblit/platform/window.h"
#include "window/window_native.h"

const char* const SYS_TEXT_ENUM_FAILED = "Could Not Enum Display Settings";
const char* const SYS_TEXT_MODE_REFUSED = "Display Mode Not Compatible";
const char* const SYS_CAPTION_ERROR = "Error";

void Sys_ShowMessage(C_Window* owner, const char* text, const char* caption) {
    if (text == nullptr) text = "";
    if (caption == nullptr) caption = "";
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    const char* noDialogs = std::getenv("SOFTBLIT_NO_DIALOGS");
    if (noDialogs != nullptr && std::strcmp(noDialogs, "1") == 0) return;
    if (owner == nullptr || !owner->created) return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, owner->native->window);
}
