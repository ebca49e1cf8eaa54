// Small fonts and canvases for the font tests: a grid font cut from a
// hand-made picture whose cells are easy to tell apart, and a black
// A8R8G8B8 canvas whose pixels are read back as red levels.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "softblit/core/stream.h"
#include "softblit/font/all.h"
#include "softblit/image/all.h"
#include "softblit/surface/all.h"

namespace font_test {

constexpr uint32_t kCell = 8;

// An alpha-only surface of columns x rows cells of 8 x 8 pixels:
// 'A' solid 255, 'B' solid 128, '_' its row 6 lit, '|' its column 3 lit,
// ' ' and every other cell empty. Character i takes cell i.
inline C_Surface* MakeGridPicture(const char* chars, uint32_t columns, uint32_t rows) {
    C_Image* alpha = new C_Image();
    alpha->CreateEmpty(columns * kCell, rows * kCell, GFX_FMT_L8, GFX_FMT_NONE);
    std::memset(alpha->data, 0, alpha->dataSize);
    for (uint32_t i = 0; chars[i] && i < columns * rows; ++i) {
        const uint32_t cx = (i % columns) * kCell, cy = (i / columns) * kCell;
        for (uint32_t y = 0; y < kCell; ++y)
            for (uint32_t x = 0; x < kCell; ++x) {
                uint8_t v = 0;
                switch (chars[i]) {
                    case 'A': v = 255; break;
                    case 'B': v = 128; break;
                    case '_': v = y == 6 ? 255 : 0; break;
                    case '|': v = x == 3 ? 255 : 0; break;
                    default: break;
                }
                alpha->GetRow(cy + y)[cx + x] = v;
            }
    }
    C_Surface* grid = new C_Surface();
    grid->AddPlane(alpha, GFX_PLANE_ALPHA);
    return grid;
}

constexpr char kGridChars[] = "AB_| ";

// A font with faces for "AB_| " and one grid glyph of `size` for each.
inline std::unique_ptr<C_Font> MakeGridFont(uint16_t size = 8) {
    auto font = std::make_unique<C_Font>();
    for (const char* c = kGridChars; *c; ++c) font->AddFace(uint8_t(*c));
    Gfx_Font_AddGlyphsFromGrid(C_String(kGridChars), 4, 2, size, MakeGridPicture(kGridChars, 4, 2), font.get());
    return font;
}

inline C_FontType GridType(float size = 8) {
    return C_FontType(C_String("grid"), size, FONT_RENDER_GRID, 0, 0, 0, 0, 0);
}

struct T_Canvas {
    std::unique_ptr<C_Surface> surface{new C_Surface()};
    C_Image* image = nullptr;

    T_Canvas(uint32_t w = 96, uint32_t h = 64) {
        image = new C_Image();
        image->CreateEmpty(w, h, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
        std::memset(image->data, 0, image->dataSize);
        surface->AddPlane(image, GFX_PLANE_COLOR);
    }
    uint8_t Red(uint32_t x, uint32_t y) const { return image->GetRow(y)[x * 4 + 2]; }
    bool Blank() const { return Box(1).Empty(); }

    struct S_Box {
        int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;  // exclusive ends
        bool Empty() const { return left > right; }
        bool operator==(const S_Box& o) const {
            return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
        }
    };
    // Bounding box of the pixels whose red level lies in [lo, hi].
    S_Box Box(uint8_t lo, uint8_t hi = 255) const {
        S_Box b;
        for (uint32_t y = 0; y < image->height; ++y)
            for (uint32_t x = 0; x < image->width; ++x) {
                const uint8_t r = Red(x, y);
                if (r < lo || r > hi) continue;
                b.left = std::min<int32_t>(b.left, int32_t(x));
                b.top = std::min<int32_t>(b.top, int32_t(y));
                b.right = std::max<int32_t>(b.right, int32_t(x) + 1);
                b.bottom = std::max<int32_t>(b.bottom, int32_t(y) + 1);
            }
        return b;
    }
};

inline T_Canvas::S_Box MakeBox(int32_t l, int32_t t, int32_t r, int32_t b) {
    T_Canvas::S_Box box;
    box.left = l;
    box.top = t;
    box.right = r;
    box.bottom = b;
    return box;
}

inline std::vector<uint8_t> SaveBytes(C_Object& object) {
    C_Stream out;
    out.OpenMemoryForWrite();
    object.SaveToStream(&out, 0);
    return std::vector<uint8_t>(out.buffer, out.buffer + out.size);
}

inline bool LoadBytes(C_Object& object, const std::vector<uint8_t>& bytes, size_t count = SIZE_MAX) {
    C_Stream in;
    in.OpenMemoryForRead(bytes.data(), uint32_t(std::min(count, bytes.size())));
    return object.LoadFromStream(&in, 0);
}

}  // namespace font_test
