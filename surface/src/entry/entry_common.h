// Shared pieces of the blit entry points.
#pragma once

#include <cmath>
#include <cstdint>

#include "softblit/image/image.h"
#include "softblit/math/frame.h"
#include "softblit/math/rect.h"
#include "softblit/math/vector2d.h"
#include "softblit/surface/surface.h"

// A point measured from the edges of a w x h box, as its anchor byte says:
// low nibble 1 from the right, 2 from the centre, else from the left; high
// nibble 0x20 from the bottom, 0x30 from the middle, else from the top.
template <class T>
inline void Entry_Anchor(uint8_t anchor, T x, T y, T w, T h, T& outX, T& outY) {
    switch (anchor & 0x0F) {
        case 1: outX = w - x; break;
        case 2: outX = w / 2 + x; break;
        default: outX = x; break;
    }
    switch (anchor & 0xF0) {
        case 0x20: outY = h - y; break;
        case 0x30: outY = h / 2 + y; break;
        default: outY = y; break;
    }
}

// Hotspot anchor that keeps a mirrored image on its own cell: the pivot
// measured from the edge that mirroring brings to the left / top.
inline uint8_t Entry_MirrorAnchor(uint8_t flipHorizontal, uint8_t flipVertical) {
    return static_cast<uint8_t>((flipVertical ? 0x20 : 0x10) | (flipHorizontal ? 0x01 : 0x00));
}

// The image that stands for the source: its colour plane, else its alpha plane.
inline C_Image* Entry_SourceImage(C_Surface* source) {
    if (source == nullptr) return nullptr;
    C_Image* image = source->GetPlaneImage(GFX_PLANE_COLOR);
    return image != nullptr ? image : source->GetPlaneImage(GFX_PLANE_ALPHA);
}

// The source rectangle cut to the image, or the whole image.
inline C_Rect Entry_SourceBox(const C_Rect* srcRect, const C_Image* image) {
    const float w = static_cast<float>(image->width), h = static_cast<float>(image->height);
    if (srcRect == nullptr) return C_Rect(0.0f, 0.0f, w, h);
    C_Rect box(*srcRect);
    if (!(box.left >= 0.0f)) box.left = 0.0f;
    if (!(box.top >= 0.0f)) box.top = 0.0f;
    if (!(box.right <= w)) box.right = w;
    if (!(box.bottom <= h)) box.bottom = h;
    return box;
}

// The clip frame (null: the destination) narrowed to the rectangle l, t, r, b,
// rounded outwards, and cut to the destination. Keeps the inclusive last
// column and row of scaled blits inside the rectangle. Empty: (0, 0, 0, 0).
inline C_Frame Entry_NarrowClip(const C_Frame* clip, double l, double t, double r, double b,
                                const C_Image* dst) {
    double fl = std::floor(l), ft = std::floor(t), fr = std::ceil(r), fb = std::ceil(b);
    fl = std::fmax(fl, 0.0);
    ft = std::fmax(ft, 0.0);
    fr = std::fmin(fr, static_cast<double>(dst->width));
    fb = std::fmin(fb, static_cast<double>(dst->height));
    if (clip != nullptr) {
        fl = std::fmax(fl, clip->left);
        ft = std::fmax(ft, clip->top);
        fr = std::fmin(fr, clip->right);
        fb = std::fmin(fb, clip->bottom);
    }
    if (!(fl < fr) || !(ft < fb)) return C_Frame(0, 0, 0, 0);
    return C_Frame(static_cast<int32_t>(fl), static_cast<int32_t>(ft), static_cast<int32_t>(fr),
                   static_cast<int32_t>(fb));
}
