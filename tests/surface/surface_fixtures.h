// Surfaces for the surface tests. MakeSurface owns its planes; T_TestSurface puts
// planes over test-owned buffers, so pitches can carry padding.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "softblit/image/all.h"
#include "softblit/surface/surface.h"

namespace surface_test {

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
    const uint32_t n = Plane(s)->bitsPerPixel / 8;
    const uint8_t* p = Plane(s)->GetRow(y) + x * n;
    uint32_t v = 0;
    for (uint32_t i = 0; i < n; ++i) v |= uint32_t(p[i]) << (8 * i);
    return v;
}

inline std::vector<uint32_t> Picture(C_Surface& s) {
    std::vector<uint32_t> out;
    for (uint32_t y = 0; y < Plane(s)->height; ++y)
        for (uint32_t x = 0; x < Plane(s)->width; ++x) out.push_back(Get(s, x, y));
    return out;
}

// Pixel (x, y) of MakePattern: distinct and opaque.
inline uint32_t Src(uint32_t x, uint32_t y) { return 0xFF000000u | ((y + 1) << 8) | (x + 1); }

inline std::unique_ptr<C_Surface> MakePattern(uint32_t w, uint32_t h) {
    auto s = MakeSurface(w, h);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const uint32_t v = Src(x, y);
            std::memcpy(Plane(*s)->GetRow(y) + 4 * x, &v, 4);
        }
    return s;
}

}  // namespace surface_test

struct T_TestPlane {
    std::vector<uint8_t> bytes;
    C_Image* image = nullptr;  // owned by the surface it is added to

    void Make(uint32_t width, uint32_t height, int32_t format, uint32_t padding, bool bottomUp) {
        S_FormatDesc d;
        Gfx_GetFormatDesc(format, d);
        bytes.assign(size_t(width * d.bytesPerPixel + padding) * height + 1, 0);  // never empty
        image = new C_Image();
        image->CreateLocked(width, height, width * d.bytesPerPixel + padding, format, GFX_FMT_NONE, bytes.data());
        image->bottomUp = bottomUp ? 1 : 0;
    }
    uint32_t GetWord(uint32_t x, uint32_t y) const {
        uint32_t w;
        std::memcpy(&w, image->GetRow(y) + x * 4, 4);
        return w;
    }
    void SetWord(uint32_t x, uint32_t y, uint32_t w) { std::memcpy(image->GetRow(y) + x * 4, &w, 4); }
    // Every pixel set to `v`: a word on 32-bit planes, a byte on alpha planes.
    void Fill(uint32_t v) {
        for (uint32_t y = 0; y < image->height; ++y)
            for (uint32_t x = 0; x < image->width; ++x)
                image->bitsPerPixel == 8 ? void(image->GetRow(y)[x] = uint8_t(v)) : SetWord(x, y, v);
    }
};

struct T_TestSurface {
    T_TestPlane colour, alpha;
    std::unique_ptr<C_Surface> surface{new C_Surface()};

    void AddColour(uint32_t w, uint32_t h, int32_t format, uint32_t padding = 0, bool bottomUp = false) {
        colour.Make(w, h, format, padding, bottomUp);
        surface->AddPlane(colour.image, GFX_PLANE_COLOR);
    }
    void AddAlpha(uint32_t w, uint32_t h, uint32_t padding = 0, bool bottomUp = false) {
        alpha.Make(w, h, GFX_FMT_L8, padding, bottomUp);
        surface->AddPlane(alpha.image, GFX_PLANE_ALPHA);
    }
};
