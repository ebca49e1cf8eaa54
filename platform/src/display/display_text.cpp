// Text drawing through the display.
#include "display/display_blit_flag.h"
#include "softblit/core/status.h"
#include "softblit/platform/display.h"

bool C_Display::DrawText(const C_String* text, C_Font* font, C_FontType* fontType,
                         const C_Color* colour, const C_Vector2D* position, uint8_t wrap,
                         uint32_t spare1, const C_Frame* clip, uint32_t spare2) {
    (void)text; (void)font; (void)fontType; (void)colour; (void)position; (void)wrap;
    (void)spare1; (void)clip; (void)spare2;
    if (!Display_HasTarget(this, "C_Display::DrawText", "C_Display::DrawText{target}"))
        return false;
    // The text library is not linked in yet.
    return Err_Fail(ERR_MISSING, "C_Display::DrawText{font}", "C_Display::DrawText");
}
