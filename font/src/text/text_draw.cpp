#include "softblit/font/text.h"

T_GlyphTransform glyphTransform = nullptr;

namespace {
uint32_t g_referenceRule = FONT_REFERENCE_FIRST;
}

void Gfx_Text_SetReferenceRule(uint32_t rule) { g_referenceRule = rule; }
uint32_t Gfx_Text_GetReferenceRule() { return g_referenceRule; }

bool Gfx_Surface_DrawText(const C_String* text, C_Font* font, const C_FontType* fontType, C_Surface* destination,
                          const C_Color* colour, const C_Vector2D* position, uint8_t wrap, uint32_t /*spare1*/,
                          const C_Frame* clip, uint32_t /*spare2*/) {
    if (destination == nullptr || position == nullptr) return false;
    const C_Rect area(0.0f, 0.0f, float(destination->GetWidth()), float(destination->GetHeight()));
    const C_Vector2D upward(position->x, -position->y, position->anchor);
    return Gfx_Surface_DrawTextEx(text, font, fontType, destination, colour, &area, 0, 0, wrap, 0, &upward, 0,
                                  FONT_NO_CURSOR, 0, 0, 0, nullptr, clip, 0, 0, 0, 0);
}

bool Gfx_Surface_DrawTextEx(const C_String* text, C_Font* font, const C_FontType* fontType,
                            C_Surface* destination, const C_Color* colour, const C_Rect* area, uint32_t,
                            uint32_t, uint8_t wrap, uint32_t, const C_Vector2D* position, uint32_t,
                            uint32_t cursorIndex, uint32_t, uint32_t, uint32_t, const C_Color*, const C_Frame* clip,
                            uint32_t, uint32_t, uint32_t, uint32_t) {
    (void)text, (void)font, (void)fontType, (void)destination, (void)colour, (void)area, (void)wrap,
        (void)position, (void)cursorIndex, (void)clip;
    return false;
}
