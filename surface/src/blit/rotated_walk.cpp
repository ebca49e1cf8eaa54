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

// One exact inverse coordinate of the pixels of a row, base + (k (x - p) + m)
// / scale, and the range [lo, hi) it must fall in for a pixel to be drawn.
struct S_InverseAxis {
    double base, k, p, m, scale, lo, hi;
    double At(int64_t x) const { return base + (k * (double(x) - p) + m) / scale; }
};

// The first x of l..r from which a test that turns true once (and stays so)
// holds, or r + 1. The test runs only next to the estimate of that point.
template <typename T_Test>
static int64_t Threshold(int64_t l, int64_t r, double estimate, T_Test holds) {
    int64_t x = !(estimate > double(l)) ? l : !(estimate < double(r + 1)) ? r + 1 : int64_t(std::ceil(estimate));
    while (x > l && holds(x - 1)) --x;
    while (x <= r && !holds(x)) ++x;
    return x;
}

// Narrows l..r to the pixels whose inverse lies in [lo, hi). The coordinate is
// monotonic along the row, so those pixels are one run, found at its ends.
static void Span_Trim(const S_InverseAxis& a, int64_t& l, int64_t& r) {
    if (l > r) return;
    auto aboveLo = [&a](int64_t x) { return a.lo <= a.At(x); };
    auto belowHi = [&a](int64_t x) { return a.At(x) < a.hi; };
    if (a.k == 0.0) {
        if (!aboveLo(l) || !belowHi(l)) r = l - 1;
        return;
    }
    const double atLo = a.p + ((a.lo - a.base) * a.scale - a.m) / a.k;
    const double atHi = a.p + ((a.hi - a.base) * a.scale - a.m) / a.k;
    int64_t first, end;
    if ((a.k > 0.0) == (a.scale > 0.0)) {
        first = Threshold(l, r, atLo, aboveLo);
        end = Threshold(l, r, atHi, [&](int64_t x) { return !belowHi(x); });
    } else {
        first = Threshold(l, r, atHi, belowHi);
        end = Threshold(l, r, atLo, [&](int64_t x) { return !aboveLo(x); });
    }
    l = first;
    r = end - 1;
}

void Walk_Rotated(C_Blit_Kernel& engine, S_BlitSpan& s, T_SpanKernel kernel, const S_BlitGeometry& g) {
    float corner[4][2];
    Quad_Corners(g, corner);
    // The tracer works in 16.16; an outline beyond that range is not drawn
    // (and bounds the tracer's steps).
    for (const float* p : corner) {
        if (!(std::fabs(p[0]) < 32767.0f) || !(std::fabs(p[1]) < 32767.0f)) return;
    }

    double sine, cosine;
    if (!Blit_QuarterTurn(g.angle, sine, cosine)) {
        const float theta = g.angle / 180.0f * 3.1415927f;
        sine = std::sin(double(theta));
        cosine = std::cos(double(theta));
    }
    const double sxf = sine * 65536.0 / g.scaleX, cxf = cosine * 65536.0 / g.scaleX;
    const double syf = sine * 65536.0 / g.scaleY, cyf = cosine * 65536.0 / g.scaleY;
    int64_t sx = Blit_TruncWide(sxf), cx = Blit_TruncWide(cxf);
    int64_t sy = Blit_TruncWide(syf), cy = Blit_TruncWide(cyf);
    if (!Blit_FitsInt32(sx) || !Blit_FitsInt32(cx) || !Blit_FitsInt32(sy) || !Blit_FitsInt32(cy)) return;

    const double px = g.px, py = g.py;
    int64_t us, vs;
    if (g.flipVertical) {
        // One unit inside the far edge, so the last cell is sampled rather
        // than clamped into from outside.
        vs = Blit_TruncWide(cyf * py - syf * px + double(g.boxBottom) * 65536.0) - 1;
        sy = -sy;
        cy = -cy;
    } else {
        vs = Blit_TruncWide(syf * px - cyf * py + double(g.boxTop) * 65536.0);
    }
    if (g.flipHorizontal) {
        us = Blit_TruncWide(sxf * py + cxf * px + double(g.boxRight) * 65536.0) - 1;
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
    // Rows run between the corners' floor rows. Edge pixels are marked on the
    // row their centre rounds to, which can be one below the lowest corner.
    float top = corner[0][1], bottom = top;
    for (const float* p : corner) {
        top = p[1] < top ? p[1] : top;
        bottom = p[1] > bottom ? p[1] : bottom;
    }
    const int64_t topRow = Blit_TruncWide(double(top) * 65536.0) >> 16;
    const int64_t bottomRow = Blit_TruncWide(double(bottom) * 65536.0) >> 16;
    if (engine.edgeFirstRow < topRow) engine.edgeFirstRow = int32_t(topRow);
    if (engine.edgeLastRow > bottomRow) engine.edgeLastRow = int32_t(bottomRow);
    engine.ClampEdges(clip);

    int32_t* left = engine.Leftmost();
    int32_t* right = engine.Rightmost();
    const int32_t first = engine.edgeFirstRow, last = engine.edgeLastRow;
    // The outline's own pixels are drawn only where their exact inverse lies
    // in the source box; otherwise they would repeat the clamped edge cells.
    S_InverseAxis across = {g.boxLeft, cosine, px, 0.0, g.scaleX, g.boxLeft, g.boxRight};
    S_InverseAxis down = {g.boxTop, -sine, px, 0.0, g.scaleY, g.boxTop, g.boxBottom};
    // Each span is trimmed once. u and v are linear along a row: if both ends
    // of every trimmed span fit in 32 bits, so does every step in between.
    for (int32_t y = first; y <= last; ++y) {
        int64_t l = left[y], r = right[y];
        across.m = sine * (double(y) - py);
        down.m = cosine * (double(y) - py);
        Span_Trim(across, l, r);
        Span_Trim(down, l, r);
        left[y] = int32_t(l);
        right[y] = int32_t(r);
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
