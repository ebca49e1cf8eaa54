// The record that describes one image blit.
#pragma once

#include <cstdint>

#include "softblit/math/color.h"
#include "softblit/math/vector2d.h"

// Fit modes of Gfx_Surface_BlitToRect, per axis.
enum : uint8_t { GFX_FIT_STRETCH = 0, GFX_FIT_REPEAT = 1 };

// A plain record: no virtual table of its own, members in storage order. The
// defaults are what a blit without a record does: scale (1, 1), angle 0,
// hotspot and scroll (0, 0) measured from the left and top, no mirroring or
// wrapping, stretch on both axes, opaque, unfiltered, every colour effect off.
struct S_BlitParams {
    C_Vector2D scale;      // anchor byte not read
    float angle;           // degrees, clockwise on screen
    C_Vector2D hotspot;    // pivot in source pixels; anchor refers to the source box
    C_Vector2D scroll;     // repeat-pattern offset; anchor refers to the destination rectangle
    uint8_t flipVertical;
    uint8_t flipHorizontal;
    uint8_t wrapHorizontal;  // also draw copies one clip-frame width left and right
    uint8_t wrapVertical;    // also draw copies one clip-frame height above and below
    uint32_t userWord0;      // carried along with the record; no blit reads it
    uint8_t fitHorizontal;   // GFX_FIT_STRETCH or GFX_FIT_REPEAT
    uint8_t fitVertical;
    float opacity;           // 1 opaque, 0 nothing drawn
    uint32_t userWord1;      // carried along; not read
    uint32_t filter;         // non-zero: bilinear sampling for scaled or rotated blits
    uint32_t userWord2;      // carried along; not read
    C_Color keyColor;        // source pixels equal to it (packed) are not drawn
    uint8_t useKeyColor;
    C_Color fillColor;       // drawn pixels take this colour; the source decides where
    uint8_t useFillColor;
    C_Color brightness;      // per-channel offset (x 256) on red, green, blue
    uint8_t useBrightness;
    C_Color contrast;        // per-channel factor (x 256) about mid-grey
    uint8_t useContrast;

    S_BlitParams()
        : scale(1.0f, 1.0f), angle(0.0f), hotspot(), scroll(), flipVertical(0),
          flipHorizontal(0), wrapHorizontal(0), wrapVertical(0), userWord0(0),
          fitHorizontal(GFX_FIT_STRETCH), fitVertical(GFX_FIT_STRETCH), opacity(1.0f),
          userWord1(0), filter(0), userWord2(0), keyColor(), useKeyColor(0), fillColor(),
          useFillColor(0), brightness(), useBrightness(0), contrast(), useContrast(0) {}
};
