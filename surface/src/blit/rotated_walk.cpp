// The rotated walk: the outline of the rotated source box is traced into the
// engine's edge tables, then each row's span is drawn with (u, v) stepping
// along the inverse rotation.
#include <cmath>

#include "blit/blit_walk.h"
#include "blit/quad.h"
#include "softblit/surface/blit_kernel.h"

// Steps the edge from A to B one pixel at a time along its major axis, from
// centre to centre so both end pixels are visited, widening each row's span.
static void Edge_Trace(C_Blit_Kernel& engine, const float* a, const float* b) {
    const int64_t ax = Blit_TruncWide(double(a[0]) * 65536.0), ay = Blit_TruncWide(double(a[1]) * 65536.0);
    const int64_t bx = Blit_TruncWide(double(b[0]) * 65536.0), by = Blit_TruncWide(double(b[1]) * 65536.0);
    const int64_t dx = bx - ax, dy = by - ay;
    if (dx == 0 && dy == 0) return;
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const double fdx = double(b[0]) - double(a[0]), fdy = double(b[1]) - double(a[1]);

    if (ady >= adx) {
        const int64_t step = dy > 0 ? 65536 : -65536;
        const int64_t slope = ady == adx ? (dx > 0 ? 65536 : -65536) : Blit_TruncWide(fdx / std::fabs(fdy) * 65536.0);
        const int64_t end = by + 32768;
        int64_t x = ax + 32768;
        for (int64_t y = ay + 32768; step > 0 ? y <= end : y >= end; y += step, x += slope)
            engine.MarkEdge(int32_t(y >> 16), int32_t(x >> 16));
    } else {
        const int64_t step = dx > 0 ? 65536 : -65536;
        const int64_t slope = Blit_TruncWide(fdy / std::fabs(fdx) * 65536.0);
        const int64_t end = bx + 32768;
        int64_t y = ay + 32768;
        for (int64_t x = ax + 32768; step > 0 ? x <= end : x >= end; x += step, y += slope)
            engine.MarkEdge(int32_t(y >> 16), int32_t(x >> 16));
    }
}

void Walk_Rotated(C_Blit_Kernel& engine, S_BlitSpan& s, T_SpanKernel kernel, const S_BlitGeometry& g) {
    float corner[4][2];
    Quad_Corners(g, corner);
    // The tracer works in 16.16; an outline beyond that range is not drawn
    // (and bounds the tracer's steps).
    for (const float* p : corner) {
        if (!(std::fabs(p[0]) < 32767.0f) || !(std::fabs(p[1]) < 32767.0f)) return;
    }

    const float theta = g.angle / 180.0f * 3.1415927f;
    const double sine = std::sin(double(theta)), cosine = std::cos(double(theta));
    const double sxf = sine * 65536.0 / g.scaleX, cxf = cosine * 65536.0 / g.scaleX;
    const double syf = sine * 65536.0 / g.scaleY, cyf = cosine * 65536.0 / g.scaleY;
    int64_t sx = Blit_TruncWide(sxf), cx = Blit_TruncWide(cxf);
    int64_t sy = Blit_TruncWide(syf), cy = Blit_TruncWide(cyf);
    if (!Blit_FitsInt32(sx) || !Blit_FitsInt32(cx) || !Blit_FitsInt32(sy) || !Blit_FitsInt32(cy)) return;

    const double px = g.px, py = g.py;
    int64_t us, vs;
    if (g.flipVertical) {
        vs = Blit_TruncWide(cyf * py - syf * px + double(g.boxBottom) * 65536.0);
        sy = -sy;
        cy = -cy;
    } else {
        vs = Blit_TruncWide(syf * px - cyf * py + double(g.boxTop) * 65536.0);
    }
    if (g.flipHorizontal) {
        us = Blit_TruncWide(sxf * py + cxf * px + double(g.boxRight) * 65536.0);
        sx = -sx;
        cx = -cx;
    } else {
        us = Blit_TruncWide(double(g.boxLeft) * 65536.0 - (sxf * py + cxf * px));
    }

    const C_Frame clip(g.clipLeft, g.clipTop, g.clipRight, g.clipBottom);
    if (!engine.BeginEdges(clip)) return;
    Edge_Trace(engine, corner[0], corner[1]);
    Edge_Trace(engine, corner[1], corner[3]);
    Edge_Trace(engine, corner[3], corner[2]);
    Edge_Trace(engine, corner[2], corner[0]);
    engine.ClampEdges(clip);

    const int32_t* left = engine.Leftmost();
    const int32_t* right = engine.Rightmost();
    const int32_t first = engine.edgeFirstRow, last = engine.edgeLastRow;
    // u and v are linear along a row: if both ends of every span fit in 32
    // bits, so does every step in between.
    for (int32_t y = first; y <= last; ++y) {
        const int64_t l = left[y], r = right[y];
        if (l > r) continue;
        const int64_t u = sx * y + us + l * cx, v = cy * y - l * sy + vs;
        if (!Blit_FitsInt32(u) || !Blit_FitsInt32(v)) return;
        if (!Blit_FitsInt32(u + (r - l) * cx) || !Blit_FitsInt32(v - (r - l) * sy)) return;
    }

    s.du = int32_t(cx);
    s.dv = int32_t(-sy);
    for (int32_t y = first; y <= last; ++y) {
        const int32_t l = left[y], r = right[y];
        if (l > r) continue;
        s.u = int32_t(sx * y + us + int64_t(l) * cx);
        s.v = int32_t(cy * y - int64_t(l) * sy + vs);
        s.count = r - l + 1;
        s.dst = g.dstOrigin + intptr_t(y) * g.dstPitch + intptr_t(l) * 4;
        s.dstAlpha = g.dstAlphaOrigin ? g.dstAlphaOrigin + intptr_t(y) * g.dstAlphaPitch + l : nullptr;
        kernel(s);
    }
}
