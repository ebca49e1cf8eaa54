// Drawing one surface onto another: hotspot, mirroring and wrap copies,
// stretching and repeating into a rectangle. Every pixel is left to the blit
// engine; these work on positions and sizes only.
#pragma once

#include <cstdint>

#include "softblit/math/frame.h"
#include "softblit/math/rect.h"
#include "softblit/math/vector2d.h"
#include "softblit/surface/blit_params.h"
#include "softblit/surface/surface.h"

// Draws `source` so that its hotspot lands on `position` (whose anchor byte
// refers to the clip frame). srcRect null: the whole source; clip null: the
// whole destination; params null: an unscaled, unrotated opaque copy with the
// top-left corner at the position. False when the destination has no colour
// plane, the source has no plane, or a blit failed (the engine recorded why).
bool Gfx_Surface_BlitImage(C_Surface* source, C_Surface* destination, const C_Rect* srcRect,
                           const C_Frame* clip, const C_Vector2D* position, uint32_t spare,
                           const S_BlitParams* params);

// Draws `source` into destRect (moved by offset), stretching or repeating it
// per axis as params' fit modes say: (0, 0) maps the whole source image onto
// the rectangle, (1, 1) tiles at the record's scale, (1, 0) and (0, 1) tile
// along one axis and stretch along the other. params null acts as the default
// record. False for an empty stretched axis, an unknown fit pair, or when
// what it calls fails.
bool Gfx_Surface_BlitToRect(C_Surface* source, C_Surface* destination, const C_Rect* srcRect,
                            const C_Frame* clip, const C_Rect* destRect, const C_Vector2D* offset,
                            uint32_t spare, const S_BlitParams* params);

// Fills destRect (moved by offset) with tiles of the source box at the
// record's scale, the grid shifted by `scroll` and turned by `angle` about the
// anchored hotspot. The tiles cover the rectangle exactly and nothing outside
// it. False when the source has no colour plane, the rectangle is empty or not
// finite, a tile would be smaller than one pixel or larger than 32 bits, or a
// tile fails to draw.
bool Gfx_Surface_BlitTiled(C_Surface* source, C_Surface* destination, const C_Rect* srcRect,
                           const C_Frame* clip, const C_Rect* destRect, const C_Vector2D* offset,
                           uint32_t spare, const S_BlitParams* params);
