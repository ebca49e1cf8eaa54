#include "fonts.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "softblit/core/string.h"
#include "softblit/font/bitmap_glyph.h"
#include "softblit/font/font.h"
#include "softblit/font/font_type.h"
#include "softblit/font/outline.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"
#include "softblit/surface/surface.h"

namespace {

const int32_t kFirst = 32, kEnd = 127;  // faces 32..126
const uint32_t kColumns = 16, kRows = 6;

std::unique_ptr<C_Font> Rasterised(const char* file, uint16_t size, uint8_t style) {
    std::unique_ptr<C_Font> font(new C_Font());
    if (!font->AddFaces(kFirst, kEnd)) return nullptr;
    if (!Gfx_Font_AddGlyphsFromOutline(C_String(file), C_BitmapGlyph(size, FONT_RENDER_ANTIALIASED, style), font.get()))
        return nullptr;
    return font;
}

// One grid font: the outline glyphs of `file` at `rasterSize`, each centred
// in its cell on a common baseline, styled, cut with the grid builder.
C_Font* GridFont(const char* file, uint16_t rasterSize, uint32_t cell, uint16_t fontSize) {
    std::unique_ptr<C_Font> source = Rasterised(file, rasterSize, FONT_STYLE_BOLD);
    if (!source) return nullptr;
    // The cell's last column and row are never drawn: keep glyphs inside the rest.
    const int32_t usable = static_cast<int32_t>(cell) - 1;
    const int32_t baseline = usable * 4 / 5;
    const uint32_t w = kColumns * cell, h = kRows * cell;
    std::vector<int32_t> cover(static_cast<size_t>(w) * h, 0);
    for (int32_t code = kFirst; code < kEnd; ++code) {
        const C_BitmapFace* face = source->GetFace(static_cast<uint32_t>(code));
        const C_BitmapGlyph* glyph = face ? face->GetGlyph(0) : nullptr;
        if (!glyph) continue;
        const C_Surface* page = source->GetPage(glyph->pageIndex);
        const C_Image* bitmap = page ? page->GetPlaneImage(GFX_PLANE_ALPHA) : nullptr;
        if (!bitmap || !bitmap->data) continue;
        const uint32_t index = static_cast<uint32_t>(code - kFirst);
        const int32_t cellX = static_cast<int32_t>(index % kColumns * cell);
        const int32_t cellY = static_cast<int32_t>(index / kColumns * cell);
        const int32_t gw = glyph->frame.right - glyph->frame.left, gh = glyph->frame.bottom - glyph->frame.top;
        const int32_t left = cellX + (usable - gw) / 2;
        const int32_t top = cellY + baseline - glyph->bearing.y;
        for (int32_t y = 0; y < gh; ++y) {
            for (int32_t x = 0; x < gw; ++x) {
                const int32_t px = left + x, py = top + y;
                // Clip to the usable part of the cell, one pixel in for the halo.
                if (px < cellX + 1 || px >= cellX + usable - 1 || py < cellY + 1 || py >= cellY + usable - 1) continue;
                const uint8_t level = bitmap->data[static_cast<size_t>(glyph->frame.top + y) * bitmap->pitch +
                                                   glyph->frame.left + x];
                cover[static_cast<size_t>(py) * w + px] = level;
            }
        }
    }
    std::unique_ptr<C_Image> alpha(new C_Image());
    if (!alpha->CreateEmpty(w, h, GFX_FMT_L8, GFX_FMT_NONE)) return nullptr;
    for (uint32_t y = 0; y < h; ++y) {
        const int32_t row = static_cast<int32_t>(y % cell);
        // Bright at the top of the letters, dimmer towards the baseline.
        const int32_t gradient = 255 - std::max(0, std::min(95, (row - 2) * 95 / std::max(1, baseline)));
        for (uint32_t x = 0; x < w; ++x) {
            const int32_t c = cover[static_cast<size_t>(y) * w + x];
            int32_t halo = 0;
            for (int32_t dy = -1; dy <= 1; ++dy)
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    const int64_t nx = static_cast<int64_t>(x) + dx, ny = static_cast<int64_t>(y) + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    halo = std::max(halo, cover[static_cast<size_t>(ny) * w + static_cast<size_t>(nx)]);
                }
            const int32_t fill = c * gradient / 255;
            const int32_t glow = halo * 90 / 255;
            alpha->data[static_cast<size_t>(y) * alpha->pitch + x] = static_cast<uint8_t>(std::max(fill, glow));
        }
    }
    std::unique_ptr<C_Surface> grid(new C_Surface());
    if (!grid->AddPlane(alpha.get(), GFX_PLANE_ALPHA)) return nullptr;
    alpha.release();
    std::unique_ptr<C_Font> font(new C_Font(C_String("DejaVu Sans Bold grid")));
    if (!font->AddFaces(kFirst, kEnd)) return nullptr;
    char chars[kEnd - kFirst + 1];
    for (int32_t c = kFirst; c < kEnd; ++c) chars[c - kFirst] = static_cast<char>(c);
    chars[kEnd - kFirst] = 0;
    if (!Gfx_Font_AddGlyphsFromGrid(C_String(chars), kColumns, kRows, fontSize, grid.get(), font.get())) return nullptr;
    grid.release();  // the font owns it now
    // Text drawing puts a glyph's top at the pen's line top + size - bearing.y;
    // cut glyphs come with bearing.y 0, which would draw every line one size
    // below its position (titles at rows 24..47). A bearing of the size puts
    // the cell's top at the position, where the effects expect it.
    for (int32_t code = kFirst; code < kEnd; ++code)
        font->GetFace(static_cast<uint32_t>(code))->GetGlyph(0)->bearing.y = fontSize;
    return font.release();
}

}  // namespace

C_Font* Font_Text(const char* regularFile, const char* boldFile) {
    std::unique_ptr<C_Font> font = Rasterised(regularFile, 16, FONT_STYLE_REGULAR);
    if (!font) return nullptr;
    font->name = C_String("DejaVu Sans");
    // Sizes are points at 96 dpi: 9 gives the 12-pixel em.
    const uint32_t boldIndex = font->GetFace(kFirst)->GetGlyphCount();
    if (!Gfx_Font_AddGlyphsFromOutline(C_String(boldFile), C_BitmapGlyph(9, FONT_RENDER_ANTIALIASED, FONT_STYLE_BOLD),
                                       font.get()))
        return nullptr;
    for (int32_t code = kFirst; code < kEnd; ++code) {
        C_BitmapGlyph* glyph = font->GetFace(static_cast<uint32_t>(code))->GetGlyph(boldIndex);
        if (glyph) glyph->size = 16;
    }
    return font.release();
}

C_Font* Font_Titles(const char* boldFile) { return GridFont(boldFile, 16, 24, 24); }
C_Font* Font_Lines(const char* boldFile) { return GridFont(boldFile, 11, 17, 16); }
