// Surfaces whose planes lie over test-owned buffers, so pitches can carry
// padding, whole planes can be compared byte for byte, and a plane can end
// (or start) at a protected page.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "support/guarded_bytes.h"

#include "softblit/image/all.h"
#include "softblit/surface/surface.h"

struct T_TestPlane {
    T_GuardedBytes bytes;
    C_Image* image = nullptr;  // owned by the surface it is added to

    // A guarded plane is exactly pitch x height bytes, so that its last row in
    // memory ends at the protected page (or its first row starts after one).
    void Make(uint32_t width, uint32_t height, int32_t format, uint32_t padding, bool bottomUp,
              T_Guard guard = T_Guard::None) {
        S_FormatDesc d;
        Gfx_GetFormatDesc(format, d);
        bytes.Allocate(size_t(width * d.bytesPerPixel + padding) * height, guard);
        image = new C_Image();
        image->CreateLocked(width, height, width * d.bytesPerPixel + padding, format, GFX_FMT_NONE, bytes.data());
        image->bottomUp = bottomUp ? 1 : 0;
    }
    // Pixel (x, y) in logical row order, as the low bytes of a word (little-endian host).
    uint32_t Get(uint32_t x, uint32_t y) const {
        const uint32_t n = image->bitsPerPixel / 8;
        uint32_t v = 0;
        std::memcpy(&v, image->GetRow(y) + x * n, n);
        return v;
    }
    void Set(uint32_t x, uint32_t y, uint32_t v) {
        const uint32_t n = image->bitsPerPixel / 8;
        std::memcpy(image->GetRow(y) + x * n, &v, n);
    }
    void Fill(uint32_t v) {
        for (uint32_t y = 0; y < image->height; ++y)
            for (uint32_t x = 0; x < image->width; ++x) Set(x, y, v);
    }
};

struct T_TestSurface {
    T_TestPlane colour, alpha;
    std::unique_ptr<C_Surface> surface{new C_Surface()};

    T_TestSurface() = default;
    // A zeroed colour plane.
    T_TestSurface(uint32_t w, uint32_t h, int32_t format = GFX_FMT_A8R8G8B8, bool bottomUp = false,
                  T_Guard guard = T_Guard::None) {
        AddColour(w, h, format, 0, bottomUp, guard);
    }
    void AddColour(uint32_t w, uint32_t h, int32_t format, uint32_t padding = 0, bool bottomUp = false,
                   T_Guard guard = T_Guard::None) {
        colour.Make(w, h, format, padding, bottomUp, guard);
        surface->AddPlane(colour.image, GFX_PLANE_COLOR);
    }
    void AddAlpha(uint32_t w, uint32_t h, uint32_t padding = 0, bool bottomUp = false, T_Guard guard = T_Guard::None) {
        alpha.Make(w, h, GFX_FMT_L8, padding, bottomUp, guard);
        surface->AddPlane(alpha.image, GFX_PLANE_ALPHA);
    }
    C_Surface* get() const { return surface.get(); }
    uint32_t Get(uint32_t x, uint32_t y) const { return colour.Get(x, y); }
    std::vector<uint32_t> Picture() const {
        std::vector<uint32_t> out;
        for (uint32_t y = 0; y < colour.image->height; ++y)
            for (uint32_t x = 0; x < colour.image->width; ++x) out.push_back(Get(x, y));
        return out;
    }
};

// Pixel (x, y) of a pattern surface: distinct and opaque.
inline uint32_t Src(uint32_t x, uint32_t y) { return 0xFF000000u | ((y + 1) << 8) | (x + 1); }

inline void FillPattern(T_TestSurface& s) {
    for (uint32_t y = 0; y < s.colour.image->height; ++y)
        for (uint32_t x = 0; x < s.colour.image->width; ++x) s.colour.Set(x, y, Src(x, y));
}
