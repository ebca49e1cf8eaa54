// What every primitive needs of its destination: the colour plane's rows in
// their logical order, the packed colour and the clip frame cut to the plane.
#pragma once

#include <cstdint>

#include "softblit/math/color.h"
#include "softblit/math/frame.h"
#include "softblit/surface/surface.h"

struct S_PlaneTarget {
    uint8_t* row0;          // logical row 0
    intptr_t pitch;         // bytes from logical row y to y + 1 (negative when bottom-up)
    uint32_t bytesPerPixel; // 1, 2, 3 or 4
    uint32_t colour;        // packed in the plane's format
    int32_t left, top, right, bottom;  // clip, inside the plane; right/bottom exclusive

    bool Empty() const { return left >= right || top >= bottom; }
    bool Inside(int64_t x, int64_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    uint8_t* Row(int64_t y) const { return row0 + static_cast<intptr_t>(y) * pitch; }
};

// The common start: colour plane, its depth, the clip frame, the packed
// colour. False (error 15 for a depth the primitives cannot write) when
// nothing can be drawn for a reason the caller must hear about.
bool Prim_OpenTarget(C_Surface* destination, const C_Color* colour, const C_Frame* clip,
                     S_PlaneTarget& target);
// The same target in place, valid until the next call (null where
// Prim_OpenTarget is false): for calls that draw one pixel.
const S_PlaneTarget* Prim_Target(C_Surface* destination, const C_Color* colour, const C_Frame* clip);

// Columns x0..x1 (inclusive, inside the clip) of row y.
void Prim_FillSpan(const S_PlaneTarget& target, int32_t y, int32_t x0, int32_t x1);
// Columns x0..x1 of rows y0..y1 (inclusive, inside the clip).
void Prim_FillBlock(const S_PlaneTarget& target, int32_t y0, int32_t y1, int32_t x0, int32_t x1);

// One pixel of N bytes: the low N bytes of the packed colour, lowest first.
template <uint32_t N>
struct S_PixelWriter;
template <>
struct S_PixelWriter<1> {
    static void Put(uint8_t* p, uint32_t c) { p[0] = static_cast<uint8_t>(c); }
};
template <>
struct S_PixelWriter<2> {
    static void Put(uint8_t* p, uint32_t c) {
        p[0] = static_cast<uint8_t>(c);
        p[1] = static_cast<uint8_t>(c >> 8);
    }
};
template <>
struct S_PixelWriter<3> {
    static void Put(uint8_t* p, uint32_t c) {
        p[0] = static_cast<uint8_t>(c);
        p[1] = static_cast<uint8_t>(c >> 8);
        p[2] = static_cast<uint8_t>(c >> 16);
    }
};
template <>
struct S_PixelWriter<4> {
    static void Put(uint8_t* p, uint32_t c) {
        p[0] = static_cast<uint8_t>(c);
        p[1] = static_cast<uint8_t>(c >> 8);
        p[2] = static_cast<uint8_t>(c >> 16);
        p[3] = static_cast<uint8_t>(c >> 24);
    }
};

template <uint32_t N>
inline void Prim_Put(const S_PlaneTarget& t, int64_t x, int64_t y) {
    S_PixelWriter<N>::Put(t.Row(y) + static_cast<intptr_t>(x) * N, t.colour);
}

template <uint32_t N>
inline void Prim_PutClipped(const S_PlaneTarget& t, int64_t x, int64_t y) {
    if (t.Inside(x, y)) Prim_Put<N>(t, x, y);
}

// Runs Body<N>::Run(target, args...) with N the target's bytes per pixel, so
// that the loops inside see a constant depth.
template <template <uint32_t> class Body, class... Args>
inline void Prim_ByDepth(const S_PlaneTarget& t, Args&&... args) {
    switch (t.bytesPerPixel) {
        case 1: Body<1>::Run(t, args...); break;
        case 2: Body<2>::Run(t, args...); break;
        case 3: Body<3>::Run(t, args...); break;
        default: Body<4>::Run(t, args...); break;
    }
}
