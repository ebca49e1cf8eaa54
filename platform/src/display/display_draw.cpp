// The drawing calls: each passes its arguments through to the surface
// layer with the current target as destination and returns its result.
#include "display/display_blit_flag.h"
#include "softblit/core/status.h"
#include "softblit/platform/display.h"
#include "softblit/surface/blit_image.h"
#include "softblit/surface/primitives.h"

bool C_Display::DrawPixel(const C_Vector2DI* position, const C_Color* colour, const C_Frame* clip,
                          uint32_t spare) {
    if (state != DISPLAY_RUNNING) return false;
    return Gfx_Surface_Blit(target, position, colour, clip, spare);
}

bool C_Display::DrawLine(const C_Vector2D* start, const C_Vector2D* end, const C_Color* colour,
                         const C_Frame* clip, uint32_t spare1, uint32_t spare2) {
    if (state != DISPLAY_RUNNING) return false;
    return Gfx_Surface_Blit(target, start, end, colour, clip, spare1, spare2);
}

bool C_Display::DrawRect(const C_Rect* rect, const C_Color* colour, const C_Frame* clip,
                         uint8_t filled, uint32_t spare1, uint32_t spare2) {
    if (state != DISPLAY_RUNNING) return false;
    return Gfx_Surface_Blit(target, rect, colour, clip, filled, spare1, spare2);
}

bool C_Display::DrawCircle(const C_Circle* circle, const C_Color* colour, const C_Frame* clip,
                           uint8_t filled, uint32_t spare1, uint32_t spare2) {
    if (state != DISPLAY_RUNNING) return false;
    return Gfx_Surface_Blit(target, circle, colour, clip, filled, spare1, spare2);
}

bool Display_HasTarget(const C_Display* display, const char* place, const char* what) {
    if (display->target != nullptr) return true;
    Err_Set(ERR_MISSING, 0, 0, "%s", what);
    Err_Fatal(place);
    return false;
}

bool C_Display::BlitToRect(C_Surface* source, const C_Rect* srcRect, const C_Frame* clip,
                           const C_Rect* destRect, const C_Vector2D* offset, uint32_t spare,
                           const S_BlitParams* params) {
    if (!Display_HasTarget(this, "C_Display::BlitToRect", "C_Display::BlitToRect{target}"))
        return false;
    S_DisplayBlitScope scope;
    return Gfx_Surface_BlitToRect(source, target, srcRect, clip, destRect, offset, spare, params);
}

bool C_Display::BlitImage(C_Surface* source, const C_Rect* srcRect, const C_Frame* clip,
                          const C_Vector2D* position, uint32_t spare, const S_BlitParams* params) {
    if (!Display_HasTarget(this, "C_Display::BlitImage", "C_Display::BlitImage{target}"))
        return false;
    S_DisplayBlitScope scope;
    return Gfx_Surface_BlitImage(source, target, srcRect, clip, position, spare, params);
}
