// Small surfaces for the surface tests: made, filled and read back pixel by pixel.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "softblit/image/image.h"
#include "softblit/math/color.h"
#include "softblit/surface/surface.h"

namespace surface_test {

// A surface that owns one colour plane of w x h pixels of `format`, zeroed.
inline std::unique_ptr<C_Surface> MakeSurface(uint32_t w, uint32_t h, int32_t format = GFX_FMT_A8R8G8B8,
                                              bool bottomUp = false) {
    auto surface = std::make_unique<C_Surface>();
    C_Image* image = new C_Image();
    image->CreateEmpty(w, h, format, GFX_FMT_NONE);
    if (image->data != nullptr) std::memset(image->data, 0, image->dataSize);
    image->bottomUp = bottomUp ? 1 : 0;
    surface->AddPlane(image, GFX_PLANE_COLOR);
    return surface;
}

inline C_Image* Plane(C_Surface& s) { return s.GetPlaneImage(GFX_PLANE_COLOR); }

// Pixel (x, y) in logical row order, as the low bytes of a word.
inline uint32_t Get(C_Surface& s, uint32_t x, uint32_t y) {
    C_Image* image = Plane(s);
    const uint32_t n = image->bitsPerPixel / 8;
    const uint8_t* p = image->GetRow(y) + x * n;
    uint32_t v = 0;
    for (uint32_t i = 0; i < n; ++i) v |= static_cast<uint32_t>(p[i]) << (8 * i);
    return v;
}

inline void Set(C_Surface& s, uint32_t x, uint32_t y, uint32_t v) {
    C_Image* image = Plane(s);
    const uint32_t n = image->bitsPerPixel / 8;
    uint8_t* p = image->GetRow(y) + x * n;
    for (uint32_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// The whole picture, logical rows, one word per pixel.
inline std::vector<uint32_t> Picture(C_Surface& s) {
    C_Image* image = Plane(s);
    std::vector<uint32_t> out;
    for (uint32_t y = 0; y < image->height; ++y)
        for (uint32_t x = 0; x < image->width; ++x) out.push_back(Get(s, x, y));
    return out;
}

// A 32-bit source whose every pixel is distinct and opaque: 0xFF0000 | y << 8 | x (+1).
inline std::unique_ptr<C_Surface> MakePattern(uint32_t w, uint32_t h) {
    auto s = MakeSurface(w, h);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) Set(*s, x, y, 0xFF000000u | ((y + 1) << 8) | (x + 1));
    return s;
}

}  // namespace surface_test
