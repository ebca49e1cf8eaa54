// Test surfaces for the blit tests: planes over test-owned buffers, so that
// pitches can carry padding (and odd sizes) and rows can be stored bottom-up.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "softblit/image/all.h"
#include "softblit/surface/surface.h"

struct T_TestPlane {
    std::vector<uint8_t> bytes;
    C_Image* image = nullptr;  // owned by the surface it is added to

    // width x height pixels of `format` with `padding` extra bytes a row.
    void Make(uint32_t width, uint32_t height, int32_t format, uint32_t padding, bool bottomUp) {
        S_FormatDesc d;
        Gfx_GetFormatDesc(format, d);
        const uint32_t pitch = width * d.bytesPerPixel + padding;
        bytes.assign(size_t(pitch) * height + 1, 0);  // never empty, so data() is a real buffer
        image = new C_Image();
        image->CreateLocked(width, height, pitch, format, GFX_FMT_NONE, bytes.data());
        image->bottomUp = bottomUp ? 1 : 0;
    }
    uint32_t GetWord(uint32_t x, uint32_t y) const {
        uint32_t w;
        std::memcpy(&w, image->GetRow(y) + x * 4, 4);
        return w;
    }
    void SetWord(uint32_t x, uint32_t y, uint32_t w) { std::memcpy(image->GetRow(y) + x * 4, &w, 4); }
    uint8_t& Byte(uint32_t x, uint32_t y) { return image->GetRow(y)[x]; }
};

// A surface with a colour plane and optionally an alpha plane, over buffers
// that outlive it.
struct T_TestSurface {
    T_TestPlane colour, alpha;
    std::unique_ptr<C_Surface> surface{new C_Surface()};

    void AddColour(uint32_t w, uint32_t h, int32_t format, uint32_t padding = 0, bool bottomUp = false) {
        colour.Make(w, h, format, padding, bottomUp);
        surface->AddPlane(colour.image, GFX_PLANE_COLOR);
    }
    void AddAlpha(uint32_t w, uint32_t h, uint32_t padding = 0, bool bottomUp = false, int32_t format = GFX_FMT_L8) {
        alpha.Make(w, h, format, padding, bottomUp);
        surface->AddPlane(alpha.image, GFX_PLANE_ALPHA);
    }
    // Fills the colour plane with one word.
    void FillColour(uint32_t word) {
        for (uint32_t y = 0; y < colour.image->height; ++y)
            for (uint32_t x = 0; x < colour.image->width; ++x) colour.SetWord(x, y, word);
    }
    void FillAlpha(uint8_t level) {
        for (uint32_t y = 0; y < alpha.image->height; ++y)
            for (uint32_t x = 0; x < alpha.image->width; ++x) alpha.Byte(x, y) = level;
    }
};
