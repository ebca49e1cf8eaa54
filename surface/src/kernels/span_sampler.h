// How each walking mode finds the source cell of the next destination pixel.
// Kernels are written once over these samplers; the mode is a template
// parameter, so each loop carries only its own addressing.
#pragma once

#include "blit/blit_span.h"

inline int32_t Cell_Clamp(int32_t c, int32_t lo, int32_t hi) {
    if (c >= hi) c = hi - 1;
    if (c < lo) c = lo;
    return c;
}

template <int MODE, bool MIRROR>
struct T_Sampler;

// Unscaled: the source pointer walks the row, backwards when mirrored.
template <bool MIRROR>
struct T_Sampler<BLIT_UNSCALED, MIRROR> {
    const uint8_t* src;
    const uint8_t* alpha;
    intptr_t i;

    explicit T_Sampler(const S_BlitSpan& s) : src(s.src), alpha(s.srcAlpha), i(0) {}
    uint32_t Word() const { return Pixel_Load(src + i * 4); }
    int32_t Alpha() const { return alpha[i]; }
    void Next() { i += MIRROR ? -1 : 1; }
};

// Scaled: the row was sampled once by the walker; the column follows u.
template <bool MIRROR>
struct T_Sampler<BLIT_SCALED, MIRROR> {
    const uint8_t* row;
    const uint8_t* alphaRow;
    int32_t u, du, left, right;
    int32_t c;

    explicit T_Sampler(const S_BlitSpan& s)
        : row(s.src), alphaRow(s.srcAlpha), u(s.u), du(s.du), left(s.boxLeft), right(s.boxRight) {
        c = Cell_Clamp(u >> 16, left, right);
    }
    uint32_t Word() const { return Pixel_Load(row + intptr_t(c) * 4); }
    int32_t Alpha() const { return alphaRow[c]; }
    void Next() {
        u += du;
        c = Cell_Clamp(u >> 16, left, right);
    }
};

// Rotated: both the column and the row follow (u, v) and clamp per pixel.
template <bool MIRROR>
struct T_Sampler<BLIT_ROTATED, MIRROR> {
    const uint8_t* origin;
    const uint8_t* alphaOrigin;
    intptr_t pitch, alphaPitch;
    int32_t u, v, du, dv;
    int32_t left, top, right, bottom;
    int32_t c, r;

    explicit T_Sampler(const S_BlitSpan& s)
        : origin(s.srcOrigin), alphaOrigin(s.srcAlphaOrigin), pitch(s.srcPitch),
          alphaPitch(s.srcAlphaPitch), u(s.u), v(s.v), du(s.du), dv(s.dv), left(s.boxLeft),
          top(s.boxTop), right(s.boxRight), bottom(s.boxBottom) {
        Locate();
    }
    void Locate() {
        c = Cell_Clamp(u >> 16, left, right);
        r = Cell_Clamp(v >> 16, top, bottom);
    }
    uint32_t Word() const { return Pixel_Load(origin + intptr_t(r) * pitch + intptr_t(c) * 4); }
    int32_t Alpha() const { return alphaOrigin[intptr_t(r) * alphaPitch + c]; }
    void Next() {
        u += du;
        v += dv;
        Locate();
    }
};

// Writes one pixel at weight w (>= 1) from the source channels `sc`; a weight
// of 255 or more writes `opaqueWord`. With a destination alpha plane the new
// coverage is accumulated and the colour weight corrected for it. Callers pass
// shifts copied to locals: pixel stores may alias anything reached by pointer.
template <bool DST_ALPHA>
inline void Pixel_Blend(const uint32_t* dstShift, uint8_t* dst, uint8_t* dstAlpha, uint32_t opaqueWord,
                        const int32_t* sc, int32_t w) {
    if (w >= 255) {
        Pixel_Store(dst, opaqueWord);
        if (DST_ALPHA) *dstAlpha = 255;
        return;
    }
    int32_t f = w;
    if (DST_ALPHA) {
        const int32_t da = *dstAlpha;
        if (da < 255) {
            const int32_t na = da + (((256 - da) * w) >> 8);
            *dstAlpha = uint8_t(na);
            f = (w * 256) / na;
        }
    }
    const uint32_t d = Pixel_Load(dst);
    uint32_t out = 0;
    for (int ch = 0; ch < 3; ++ch) {
        const int32_t dc = int32_t((d >> dstShift[ch]) & 255);
        out |= uint32_t(dc + (((sc[ch] - dc) * f) >> 8)) << dstShift[ch];
    }
    Pixel_Store(dst, out);
}

inline void Pixel_Channels(const uint32_t* shift, uint32_t word, int32_t* out) {
    out[0] = int32_t((word >> shift[0]) & 255);
    out[1] = int32_t((word >> shift[1]) & 255);
    out[2] = int32_t((word >> shift[2]) & 255);
}

inline uint32_t Pixel_Pack(const uint32_t* shift, const int32_t* c) {
    return (uint32_t(c[0]) << shift[0]) | (uint32_t(c[1]) << shift[1]) | (uint32_t(c[2]) << shift[2]);
}
