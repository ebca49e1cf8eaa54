// Rasterising the characters of an outline font into glyphs, one page each.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H

#include <climits>

#include "model/font_edit.h"
#include "outline/outline_bitmap.h"
#include "softblit/core/status.h"
#include "softblit/font/font_type.h"
#include "softblit/font/outline.h"
#include "softblit/image/image.h"

namespace {

const char kPlace[] = "Gfx_Font_AddGlyphsFromOutline";

// The library and face of one call, released on every path.
struct S_FreeType {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~S_FreeType() {
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

int32_t Clamp32(long v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v); }

// Renders one character into a new image and fills the glyph's frame,
// advance and bearing. A character FreeType cannot load or render gives an
// empty bitmap. False only when the image cannot be allocated.
bool RenderCharacter(FT_Face face, uint32_t code, uint8_t mode, C_Image& image, C_BitmapGlyph& glyph) {
    S_OutlineBitmap bitmap;
    const FT_UInt index = FT_Get_Char_Index(face, code);  // 0, the missing-glyph shape, when absent
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_AUTOHINT) == 0) {
        glyph.advance.Set(Clamp32(face->glyph->advance.x >> 6), Clamp32(face->glyph->advance.y >> 6));
        FT_Glyph loaded = nullptr;
        if (FT_Get_Glyph(face->glyph, &loaded) == 0) {
            const FT_Render_Mode render = mode == FONT_RENDER_MONO ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
            // On success the outline is freed and `loaded` becomes the bitmap;
            // either way one glyph is left to release.
            if (FT_Glyph_To_Bitmap(&loaded, render, nullptr, 1) == 0 && loaded->format == FT_GLYPH_FORMAT_BITMAP) {
                const FT_BitmapGlyph b = reinterpret_cast<FT_BitmapGlyph>(loaded);
                bitmap = OutlineBitmap_From(b->bitmap);
                glyph.bearing.Set(b->left, b->top);
            }
            bool ok = OutlineBitmap_ToImage(bitmap, mode, image);
            FT_Done_Glyph(loaded);
            if (!ok) return false;
            glyph.frame = C_Frame(0, 0, int32_t(bitmap.width), int32_t(bitmap.rows));
            return true;
        }
    }
    return OutlineBitmap_ToImage(bitmap, mode, image);
}

// One glyph and its page for every face; on failure everything added is
// taken back.
bool AddGlyphs(FT_Face ftFace, const C_BitmapGlyph& t, C_Font& font) {
    const uint32_t faceCount = font.GetFaceCount();
    const uint32_t firstPage = font.GetPageCount();
    if (faceCount > 0 && font.pages == nullptr) font.pages = new C_Array();
    uint32_t done = 0;
    bool ok = true;
    for (; ok && done < faceCount; ++done) {
        C_BitmapFace* face = static_cast<C_BitmapFace*>(font.faces->GetAt(done));
        C_BitmapGlyph* glyph = new C_BitmapGlyph(t.size, t.renderMode, t.style);
        C_Image* image = new C_Image();
        ok = RenderCharacter(ftFace, uint32_t(face->charCode), t.renderMode, *image, *glyph);
        C_Surface* page = ok ? font.NewPage() : nullptr;
        ok = page != nullptr;
        if (ok) {
            ok = page->AddPlane(image, GFX_PLANE_ALPHA);
            if (ok) image = nullptr;  // the page owns it now
        }
        if (ok) {
            glyph->pageIndex = int32_t(font.GetPageCount());
            if (!font.pages->Insert(page, font.GetPageCount())) {
                ok = Err_Fail(ERR_ALLOC, "Gfx_Font_AddGlyphsFromOutline{pages}", kPlace);
            } else {
                page = nullptr;
                ok = face->AppendGlyph(glyph);
                if (ok) glyph = nullptr;
            }
        }
        delete image;
        delete page;
        delete glyph;
        if (!ok) break;
    }
    if (ok) return true;
    Err_Fatal(kPlace);
    Font_DropLastGlyphs(font, done);
    Font_DropPagesFrom(font, firstPage, true);
    return false;
}

}  // namespace

bool Gfx_Font_AddGlyphsFromOutline(const C_String& fileName, const C_BitmapGlyph& glyphTemplate, C_Font* font) {
    if (font == nullptr) return Err_Fail(ERR_MISSING, "Gfx_Font_AddGlyphsFromOutline{font}", kPlace);
    if (glyphTemplate.size == 0 ||
        (glyphTemplate.renderMode != FONT_RENDER_MONO && glyphTemplate.renderMode != FONT_RENDER_ANTIALIASED))
        return Err_Fail(ERR_DATA, "Gfx_Font_AddGlyphsFromOutline{template}", kPlace);

    S_FreeType ft;
    const char* path = fileName.GetText() ? fileName.GetText() : "";
    const FT_F26Dot6 size = FT_F26Dot6(glyphTemplate.size) * 64;
    if (FT_Init_FreeType(&ft.library) != 0 || FT_New_Face(ft.library, path, 0, &ft.face) != 0 ||
        FT_Set_Char_Size(ft.face, size, size, 96, 96) != 0) {
        Err_Set(ERR_OPEN_READ, 0, 0, "Gfx_Font_AddGlyphsFromOutline(%s)", path);
        Err_Fatal(kPlace);
        return false;
    }
    return AddGlyphs(ft.face, glyphTemplate, *font);
}
