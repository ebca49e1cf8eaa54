// Unscaled and scaled walks, and the float-to-integer helpers of set-up.
#include <cmath>

#include "blit/blit_walk.h"
#include "kernels/simd/simd_kernels.h"

// 2^52: every double of that size is an integer, and sums of a few products
// of 32-bit values with it stay far inside 64 bits.
static const double kWideLimit = 4503599627370496.0;

int64_t Blit_TruncWide(double value) {
    if (!(value > -kWideLimit)) return value != value ? 0 : -int64_t(kWideLimit);
    if (!(value < kWideLimit)) return int64_t(kWideLimit);
    return int64_t(value);
}

int64_t Blit_FloorWide(double value) { return Blit_TruncWide(std::floor(value)); }

static const uint8_t* Row_Address(const uint8_t* origin, intptr_t pitch, int64_t row) {
    return origin ? origin + intptr_t(row) * pitch : nullptr;
}

static uint8_t* Row_Address(uint8_t* origin, intptr_t pitch, int64_t row) {
    return origin ? origin + intptr_t(row) * pitch : nullptr;
}

void Walk_Unscaled(S_BlitSpan& s, T_SpanKernel kernel, const S_BlitGeometry& g) {
    int64_t x = Blit_FloorWide(g.px);
    int64_t y = Blit_FloorWide(g.py);
    int64_t sl = s.boxLeft, st = s.boxTop, sr = s.boxRight, sb = s.boxBottom;
    int64_t sw = sr - sl, sh = sb - st;

    // Clipping removes the hidden columns from the side of the source that
    // lands there: the right end of the source when mirrored.
    if (x + sw > g.clipRight) sw = g.clipRight - x;
    if (x < g.clipLeft) {
        const int64_t d = g.clipLeft - x;
        sw -= d;
        x = g.clipLeft;
        if (g.flipHorizontal) sr -= d;
        else sl += d;
    }
    if (y + sh > g.clipBottom) sh = g.clipBottom - y;
    if (y < g.clipTop) {
        const int64_t d = g.clipTop - y;
        sh -= d;
        y = g.clipTop;
        if (g.flipVertical) sb -= d;
        else st += d;
    }
    if (sw <= 0 || sh <= 0) return;

    // A fill reads neither plane: rows that follow each other in memory are
    // one span.
    if (Kernel_FillsOnly(kernel) && (g.dstPitch == sw * 4 || g.dstPitch == -sw * 4) && sw * sh <= INT32_MAX) {
        s.count = int32_t(sw * sh);
        s.dst = Row_Address(g.dstOrigin, g.dstPitch, g.dstPitch > 0 ? y : y + sh - 1) + intptr_t(x) * 4;
        s.dstAlpha = nullptr;
        kernel(s);
        return;
    }

    // Byte offsets of the first row's pixels, stepped by a pitch per row
    // (planes that are absent stay null).
    const int64_t column = g.flipHorizontal ? sr - 1 : sl;
    const int64_t row0 = g.flipVertical ? sb - 1 : st;
    const intptr_t srcStep = g.flipVertical ? -s.srcPitch : s.srcPitch;
    const intptr_t alphaStep = g.flipVertical ? -s.srcAlphaPitch : s.srcAlphaPitch;
    intptr_t src = intptr_t(row0) * s.srcPitch + intptr_t(column) * 4;
    intptr_t srcAlpha = intptr_t(row0) * s.srcAlphaPitch + intptr_t(column);
    intptr_t dst = intptr_t(y) * g.dstPitch + intptr_t(x) * 4;
    intptr_t dstAlpha = intptr_t(y) * g.dstAlphaPitch + intptr_t(x);
    const uint8_t* srcOrigin = s.srcOrigin;
    const uint8_t* srcAlphaOrigin = s.srcAlphaOrigin;
    s.count = int32_t(sw);
    for (int64_t i = 0; i < sh; ++i) {
        s.src = srcOrigin ? srcOrigin + src : nullptr;
        s.srcAlpha = srcAlphaOrigin ? srcAlphaOrigin + srcAlpha : nullptr;
        s.dst = g.dstOrigin + dst;
        s.dstAlpha = g.dstAlphaOrigin ? g.dstAlphaOrigin + dstAlpha : nullptr;
        kernel(s);
        src += srcStep, srcAlpha += alphaStep, dst += g.dstPitch, dstAlpha += g.dstAlphaPitch;
    }
}

void Walk_Scaled(S_BlitSpan& s, T_SpanKernel kernel, const S_BlitGeometry& g) {
    const double px = g.px, py = g.py, sx = g.scaleX, sy = g.scaleY;
    const double w = g.boxRight - g.boxLeft;  // float differences, as set-up sized them
    const double h = g.boxBottom - g.boxTop;

    // Columns x0..x1 - 1, rows y0..y1 - 1: both ends found the same way, so
    // an image scaled to n columns covers n columns (an inclusive right end
    // drew one column of clamped samples past the image).
    int64_t x0 = Blit_TruncWide(px + 0.3);
    int64_t y0 = Blit_TruncWide(py + 0.3);
    int64_t x1 = Blit_TruncWide((sx * w + px + 0.3) * 65536.0) >> 16;
    int64_t y1 = Blit_TruncWide((sy * h + py + 0.3) * 65536.0) >> 16;
    if (x0 < g.clipLeft) x0 = g.clipLeft;
    if (y0 < g.clipTop) y0 = g.clipTop;
    if (x1 > g.clipRight) x1 = g.clipRight;
    if (y1 > g.clipBottom) y1 = g.clipBottom;
    if (x0 >= x1 || y0 >= y1) return;

    int64_t du = Blit_TruncWide(65536.0 / sx);
    int64_t dv = Blit_TruncWide(65536.0 / sy);
    int64_t us, vs;
    if (g.flipHorizontal) {
        // One unit inside the far edge: the first sample is the last cell,
        // not a clamped duplicate of it.
        us = Blit_TruncWide((px / sx + double(g.boxRight)) * 65536.0) - 1;
        du = -du;
    } else {
        us = Blit_TruncWide((double(g.boxLeft) - px / sx) * 65536.0);
    }
    if (g.flipVertical) {
        vs = Blit_TruncWide((py / sy + double(g.boxBottom)) * 65536.0) - 1;
        dv = -dv;
    } else {
        vs = Blit_TruncWide((double(g.boxTop) - py / sy) * 65536.0);
    }
    // u and v are linear in the column and row, so their ends bound them.
    if (!Blit_FitsInt32(du) || !Blit_FitsInt32(dv)) return;
    if (!Blit_FitsInt32(x0 * du + us) || !Blit_FitsInt32((x1 - 1) * du + us)) return;
    if (!Blit_FitsInt32(y0 * dv + vs) || !Blit_FitsInt32((y1 - 1) * dv + vs)) return;

    s.count = int32_t(x1 - x0);
    s.u = int32_t(x0 * du + us);
    s.du = int32_t(du);
    s.dv = 0;
    for (int64_t y = y0; y < y1; ++y) {
        const int32_t v = int32_t(y * dv + vs);
        // The nearest row is found once per row; filtering kernels use v.
        int32_t r = v >> 16;
        if (r >= s.boxBottom) r = s.boxBottom - 1;
        if (r < s.boxTop) r = s.boxTop;
        s.v = v;
        s.src = Row_Address(s.srcOrigin, s.srcPitch, r);
        s.srcAlpha = Row_Address(s.srcAlphaOrigin, s.srcAlphaPitch, r);
        s.dst = Row_Address(g.dstOrigin, g.dstPitch, y) + intptr_t(x0) * 4;
        uint8_t* dstAlpha = Row_Address(g.dstAlphaOrigin, g.dstAlphaPitch, y);
        s.dstAlpha = dstAlpha ? dstAlpha + intptr_t(x0) : nullptr;
        kernel(s);
    }
}
