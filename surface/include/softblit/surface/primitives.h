// Solid points, lines, rectangles and circles drawn straight into a surface's
// colour plane (8, 16, 24 or 32 bits per pixel, either row order), clipped to
// a frame. No blending; the alpha plane is not touched.
//
// clip null stands for the whole plane; a frame reaching outside the plane is
// cut to it. Each returns false when the surface has no colour plane or the
// plane has a depth these cannot write (error 15); true otherwise, also when
// nothing was visible. Non-finite coordinates draw nothing. The trailing words
// are accepted and not read.
#pragma once

#include <cstdint>

#include "softblit/math/circle.h"
#include "softblit/math/color.h"
#include "softblit/math/frame.h"
#include "softblit/math/rect.h"
#include "softblit/math/vector2d.h"
#include "softblit/surface/surface.h"

// One pixel; drawn when clip left <= x < clip right and clip top <= y < clip bottom.
bool Gfx_Surface_Blit(C_Surface* destination, const C_Vector2DI* position, const C_Color* colour,
                      const C_Frame* clip, uint32_t spare = 0);

// `count` pixels at `points`, all in one colour: the same pixels and result as
// that many single-point calls, with the plane and colour prepared once.
// False when points is null and count is not 0.
bool Gfx_Surface_DrawPoints(C_Surface* destination, const C_Vector2DI* points, uint32_t count, const C_Color* colour,
                            const C_Frame* clip);

// A 16.16 walk from start towards end. Pixel centres at +0.5, the end test on
// the unshifted end: a line between whole-pixel points includes its end pixel
// when drawn towards smaller coordinates and stops one short when drawn
// towards larger ones. A line of zero length draws nothing.
bool Gfx_Surface_Blit(C_Surface* destination, const C_Vector2D* start, const C_Vector2D* end,
                      const C_Color* colour, const C_Frame* clip, uint32_t spare1 = 0,
                      uint32_t spare2 = 0);

// Columns trunc(min) .. trunc(max) and rows likewise, both ends inclusive.
// Outlined, each edge is drawn only when its own line lies inside the frame.
bool Gfx_Surface_Blit(C_Surface* destination, const C_Rect* rect, const C_Color* colour,
                      const C_Frame* clip, uint8_t filled, uint32_t spare1 = 0, uint32_t spare2 = 0);

// Midpoint circle about (trunc(centre.x), trunc(centre.y)) with radius
// trunc(radius); filled (any non-zero flag) through the blit engine's edge
// tables. A negative radius draws nothing; radius 0 draws the centre pixel.
bool Gfx_Surface_Blit(C_Surface* destination, const C_Circle* circle, const C_Color* colour,
                      const C_Frame* clip, uint8_t filled, uint32_t spare1 = 0, uint32_t spare2 = 0);
