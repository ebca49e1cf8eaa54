// Cutting a grid picture into glyphs.
#include "model/face_index.h"
#include "model/font_edit.h"
#include "softblit/core/status.h"
#include "softblit/font/font.h"
#include "softblit/font/font_type.h"
#include "softblit/image/image.h"

namespace {

const char kPlace[] = "Gfx_Font_AddGlyphsFromGrid";

// Position of the grid among the font's pages, or -1.
int32_t PageOf(const C_Font& font, const C_Surface* grid) {
    for (uint32_t i = 0; i < font.GetPageCount(); ++i)
        if (font.pages->GetAt(i) == grid) return int32_t(i);
    return -1;
}

}  // namespace

bool Gfx_Font_AddGlyphsFromGrid(const C_String& chars, uint32_t columns, uint32_t rows, uint16_t size,
                                C_Surface* grid, C_Font* font) {
    if (font == nullptr) return Err_Fail(ERR_MISSING, "Gfx_Font_AddGlyphsFromGrid{font}", kPlace);
    const C_Image* alpha = grid ? grid->GetPlaneImage(GFX_PLANE_ALPHA) : nullptr;
    if (alpha == nullptr || alpha->bitsPerPixel != 8 || grid->GetPlane(GFX_PLANE_COLOR) != nullptr)
        return Err_Fail(ERR_MISSING, "Gfx_Font_AddGlyphsFromGrid{grid}", kPlace);
    if (columns == 0 || columns > alpha->width)
        return Err_Fail(ERR_DATA, "Gfx_Font_AddGlyphsFromGrid{columns}", kPlace);
    if (rows == 0 || rows > alpha->height) return Err_Fail(ERR_DATA, "Gfx_Font_AddGlyphsFromGrid{rows}", kPlace);
    const int32_t cellWidth = int32_t(alpha->width / columns);
    const int32_t cellHeight = int32_t(alpha->height / rows);

    int32_t page = PageOf(*font, grid);
    const bool newPage = page < 0;
    if (newPage) {
        if (font->pages == nullptr) font->pages = new C_Array();
        page = int32_t(font->pages->GetCount());
        if (!font->pages->Insert(grid, font->pages->GetCount()))
            return Err_Fail(ERR_ALLOC, "Gfx_Font_AddGlyphsFromGrid{pages}", kPlace);
    }

    // Every face first gets an empty glyph, so the call adds one glyph to
    // each face whatever the characters; the cells then fill in theirs.
    const uint32_t faceCount = font->GetFaceCount();
    C_Buffer filled;
    bool ok = filled.Allocate(faceCount, false, true) ||
              Err_Fail(ERR_ALLOC, "Gfx_Font_AddGlyphsFromGrid{faces}", kPlace);
    uint32_t done = 0;
    for (; ok && done < faceCount; ++done) {
        C_BitmapFace* face = static_cast<C_BitmapFace*>(font->faces->GetAt(done));
        C_BitmapGlyph* glyph = new C_BitmapGlyph(size, FONT_RENDER_GRID, FONT_STYLE_REGULAR);
        glyph->pageIndex = page;
        if (!face->AppendGlyph(glyph)) {
            delete glyph;
            ok = false;
            break;
        }
    }
    if (!ok) {
        Font_DropLastGlyphs(*font, done);
        if (newPage) Font_DropPagesFrom(*font, uint32_t(page), false);
        return false;
    }

    const uint64_t cells = uint64_t(columns) * rows;
    for (uint32_t i = 0; i < chars.GetLength() && i < cells; ++i) {
        const uint8_t c = static_cast<uint8_t>(chars.GetText()[i]);
        const uint32_t entry = FaceIndex_Get(font->faceIndex, c, faceCount);
        if (entry == 0 || filled.data[entry - 1]) continue;  // only a character's first occurrence counts
        filled.data[entry - 1] = 1;
        C_BitmapFace* face = static_cast<C_BitmapFace*>(font->faces->GetAt(entry - 1));
        C_BitmapGlyph* glyph = face->GetGlyph(face->GetGlyphCount() - 1);
        glyph->frame.left = int32_t(i % columns) * cellWidth;
        glyph->frame.top = int32_t(i / columns) * cellHeight;
        glyph->frame.right = glyph->frame.left + cellWidth - 1;
        glyph->frame.bottom = glyph->frame.top + cellHeight - 1;
        glyph->advance.Set(cellWidth, cellHeight);
    }
    return true;
}
