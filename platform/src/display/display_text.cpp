// Text drawing through the display: the font's pages are read from their
// display copies, like every other blit source.
#include "display/display_blit_flag.h"
#include "softblit/font/text.h"
#include "softblit/platform/display.h"

bool C_Display::DrawText(const C_String* text, C_Font* font, C_FontType* fontType,
                         const C_Color* colour, const C_Vector2D* position, uint8_t wrap,
                         uint32_t spare1, const C_Frame* clip, uint32_t spare2) {
    if (!Display_HasTarget(this, "C_Display::DrawText", "C_Display::DrawText{target}"))
        return false;
    S_DisplayBlitScope scope;
    return Gfx_Surface_DrawText(text, font, fontType, target, colour, position, wrap, spare1, clip,
                                spare2);
}

bool C_Display::DrawTextEx(const C_String* text, C_Font* font, C_FontType* fontType,
                           const C_Color* colour, const C_Rect* area, uint8_t wrap,
                           const C_Vector2D* position, uint32_t cursorIndex, const C_Frame* clip) {
    if (!Display_HasTarget(this, "C_Display::DrawTextEx", "C_Display::DrawTextEx{target}"))
        return false;
    S_DisplayBlitScope scope;
    return Gfx_Surface_DrawTextEx(text, font, fontType, target, colour, area, 0, 0, wrap, 0,
                                  position, 0, cursorIndex, 0, 0, 0, nullptr, clip, 0, 0, 0, 0);
}
