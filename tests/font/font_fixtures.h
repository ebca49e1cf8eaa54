// Small fonts and canvases for the font tests: a grid font cut from a
// hand-made picture whose cells are easy to tell apart, and a black
// A8R8G8B8 canvas whose pixels are read back as red levels.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
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
    for (uint32_t i = 0; chars[i] && i < columns * rows; ++i)
        for (uint32_t y = 0; y < kCell; ++y)
            for (uint32_t x = 0; x < kCell; ++x) {
                const char c = chars[i];
                const bool lit = c == 'A' || (c == '_' && y == 6) || (c == '|' && x == 3);
                alpha->GetRow((i / columns) * kCell + y)[(i % columns) * kCell + x] = lit ? 255 : c == 'B' ? 128 : 0;
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

// A pixel rectangle with exclusive ends; the default one is empty, and
// stays the other box under Union.
struct S_Box {
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    bool Empty() const { return left > right; }
    bool operator==(const S_Box& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
inline std::ostream& operator<<(std::ostream& os, const S_Box& b) {
    if (b.Empty()) return os << "(empty)";
    return os << "(" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << ")";
}
inline S_Box Union(const S_Box& a, const S_Box& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

struct T_Canvas {
    std::unique_ptr<C_Surface> surface{new C_Surface()};
    C_Image* image = new C_Image();
    T_Canvas(uint32_t w = 96, uint32_t h = 64) {
        image->CreateEmpty(w, h, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
        std::memset(image->data, 0, image->dataSize);
        surface->AddPlane(image, GFX_PLANE_COLOR);
    }
    uint8_t Red(uint32_t x, uint32_t y) const { return image->GetRow(y)[x * 4 + 2]; }
    bool Blank() const { return Box(1).Empty(); }
    // Bounding box of the pixels whose red level lies in [lo, hi].
    S_Box Box(uint8_t lo, uint8_t hi = 255) const {
        S_Box b;
        for (int32_t y = 0; y < int32_t(image->height); ++y)
            for (int32_t x = 0; x < int32_t(image->width); ++x)
                if (Red(x, y) >= lo && Red(x, y) <= hi)
                    b = Union(b, {x, y, x + 1, y + 1});
        return b;
    }
};

// White text at (x, y) measured downward. A cursor or an area (else the
// whole canvas) goes through DrawTextEx, whose y is measured upward.
inline bool Draw(T_Canvas& canvas, C_Font& font, const C_FontType& type, const char* text, float x, float y,
                 uint8_t anchor = 0x10, uint8_t wrap = 0, uint32_t cursor = FONT_NO_CURSOR,
                 const C_Rect* area = nullptr) {
    const C_String s(text);
    const C_Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const C_Vector2D at(x, y, anchor), up(x, -y, anchor);
    if (cursor == FONT_NO_CURSOR && area == nullptr)
        return Gfx_Surface_DrawText(&s, &font, &type, canvas.surface.get(), &white, &at, wrap);
    const C_Rect whole(0, 0, float(canvas.image->width), float(canvas.image->height));
    return Gfx_Surface_DrawTextEx(&s, &font, &type, canvas.surface.get(), &white, area ? area : &whole, 0, 0, wrap,
                                  0, &up, 0, cursor, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0);
}

// Every field of a glyph on one line, so that whole glyphs compare at once.
inline std::string Fields(const C_BitmapGlyph& g) {
    char s[160];
    std::snprintf(s, sizeof s, "size %d mode %d style %d page %d frame %d %d %d %d advance %d %d bearing %d %d",
                  g.size, g.renderMode, g.style, g.pageIndex, g.frame.left, g.frame.top, g.frame.right,
                  g.frame.bottom, g.advance.x, g.advance.y, g.bearing.x, g.bearing.y);
    return s;
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
