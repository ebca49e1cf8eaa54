// The destination outline of a rotated blit: the source box scaled, rotated
// about its top-left corner and moved to the position.
#pragma once

#include "blit/blit_walk.h"
#include "softblit/math/vector2d.h"

// Corners in the order top-left, top-right, bottom-left, bottom-right of the
// source box.
inline void Quad_Corners(const S_BlitGeometry& g, float (&corner)[4][2]) {
    const float w = (g.boxRight - g.boxLeft) * g.scaleX;
    const float h = (g.boxBottom - g.boxTop) * g.scaleY;
    const C_Vector2D local[4] = {C_Vector2D(0.0f, 0.0f), C_Vector2D(w, 0.0f), C_Vector2D(0.0f, h), C_Vector2D(w, h)};
    for (int i = 0; i < 4; ++i) {
        const C_Vector2D p = GetRotated(local[i], g.angle);
        corner[i][0] = p.x + g.px;
        corner[i][1] = p.y + g.py;
    }
}
