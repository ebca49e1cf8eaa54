// The destination outline of a rotated blit: the source box scaled, rotated
// about its top-left corner and moved to the position.
#pragma once

#include <cmath>

#include "blit/blit_walk.h"
#include "softblit/math/vector2d.h"

// Sine and cosine of an angle that is a whole number of quarter turns, exactly
// (0 or +-1); false for any other angle. A rounded pi would make the steps of
// a quarter turn 65535 instead of 65536, drifting samples off cell edges.
inline bool Blit_QuarterTurn(float angle, double& sine, double& cosine) {
    if (std::fmod(double(angle), 90.0) != 0.0) return false;
    const int turn = (int(std::fmod(double(angle), 360.0) / 90.0) + 4) % 4;
    const double s[4] = {0.0, 1.0, 0.0, -1.0}, c[4] = {1.0, 0.0, -1.0, 0.0};
    sine = s[turn];
    cosine = c[turn];
    return true;
}

// Corners in the order top-left, top-right, bottom-left, bottom-right of the
// source box.
inline void Quad_Corners(const S_BlitGeometry& g, float (&corner)[4][2]) {
    const float w = (g.boxRight - g.boxLeft) * g.scaleX;
    const float h = (g.boxBottom - g.boxTop) * g.scaleY;
    const C_Vector2D local[4] = {C_Vector2D(0.0f, 0.0f), C_Vector2D(w, 0.0f), C_Vector2D(0.0f, h), C_Vector2D(w, h)};
    double sine, cosine;
    const bool quarter = Blit_QuarterTurn(g.angle, sine, cosine);
    for (int i = 0; i < 4; ++i) {
        C_Vector2D p = GetRotated(local[i], g.angle);
        if (quarter) {
            const double x = local[i].x, y = local[i].y;
            p.Set(float(cosine * x - sine * y), float(cosine * y + sine * x));
        }
        corner[i][0] = p.x + g.px;
        corner[i][1] = p.y + g.py;
    }
}
