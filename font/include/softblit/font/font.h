// A bitmap font: one face per character it covers, and the pages (alpha-only
// surfaces) that hold the glyph bitmaps. Its record is the ".uft" file.
#pragma once

#include <cstdint>

#include "softblit/core/array.h"
#include "softblit/core/buffer.h"
#include "softblit/core/object.h"
#include "softblit/core/string.h"
#include "softblit/font/bitmap_face.h"
#include "softblit/surface/surface.h"

// Makes the surfaces a font uses as pages, e.g. surfaces bound to a display
// so that PreparePages gives them display copies. Null: plain C_Surface.
typedef C_Surface* (*T_SurfaceFactory)(void* arg);

// Invariants: glyph i of every face is the rendering of that face's character
// at the same size, style and mode (the builders add one glyph to every face
// per call, and text drawing relies on it). A page holds its bitmaps in an
// L8 alpha plane and has no colour plane; pages own their planes.
class C_Font : public C_Object {
public:
    T_SurfaceFactory surfaceFactory;
    C_Array* faces;  // of C_BitmapFace, owned
    C_Array* pages;  // of C_Surface, owned
    C_String name;
    // u32 per character code 0 .. largest face code: position of that
    // code's face in faces + 1, or 0 for none.
    C_Buffer faceIndex;
    void* surfaceFactoryArg;  // handed to surfaceFactory

    C_Font();
    explicit C_Font(const C_String& name);
    ~C_Font() override { C_Font::Release(); }
    C_Font(const C_Font&) = delete;
    C_Font& operator=(const C_Font&) = delete;

    // Deletes every face and page and both arrays; name and faceIndex stay.
    void Release() override;
    // Forgets faces and pages without deleting them.
    void Reset() override;

    // The ".uft" record: u16 tag 5, the name's record, u32 face count and the
    // faces' records, u32 page count and the pages' ".srf" records. Flags are
    // handed to the nested records. Pages come from surfaceFactory.
    // Loading empties faceIndex first and fails as a whole (wrong tag, short
    // record, a page that fails, a count larger than the stream can hold, a
    // face code outside 0..FONT_MAX_CHAR_CODE): the font is then left with no
    // faces, pages or index entries. A loaded face holds its glyphs in the
    // reverse of the stored order, the same for every face.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_FONT; }

    // Appends a face for `code` and points faceIndex[code] at it. False
    // (error 10, nothing changed) for a code outside 0..FONT_MAX_CHAR_CODE,
    // error 3 when it cannot be stored.
    bool AddFace(int32_t code);
    // AddFace for first .. last - 1. The whole range is checked first; a code
    // outside it adds nothing.
    bool AddFaces(int32_t first, int32_t last);
    // Prepare(GFX_PLANE_ALL) on every page, so a display makes its copies.
    // Pages added later need another call. Returns true.
    bool PreparePages();

    uint32_t GetFaceCount() const { return faces ? faces->GetCount() : 0; }
    uint32_t GetPageCount() const { return pages ? pages->GetCount() : 0; }
    // The face of `code` through faceIndex, or null.
    C_BitmapFace* GetFace(uint32_t code) const;
    C_Surface* GetPage(int32_t index) const;
    // A new page from the factory (or a plain surface) that owns its planes;
    // null (error 3) when the factory gives none.
    C_Surface* NewPage();
};

// Adds one glyph per face of the font, cut from the grid's L8 alpha plane in
// cells of (alpha width / columns) x (alpha height / rows). Character i of
// `chars` (a byte) takes cell i, counted along the rows, if the font has a
// face for it and it is the first occurrence within columns x rows; every
// other face gets an empty glyph (frame, advance and bearing 0), so each face
// gains exactly one glyph: size `size`, FONT_RENDER_GRID, FONT_STYLE_REGULAR,
// page = the grid. Frames are inclusive, (0, 0, 15, 15) for 16-pixel cells,
// and drawn as they stand, so a cell's last column and row never show.
// The grid becomes one of the font's pages (a grid already among them keeps
// its index) and the font owns it, but only once this returns true; giving one
// surface to two fonts is an error of the caller.
// False: error 14 for a null font or grid, a grid with a colour plane or
// without an 8-bit alpha plane; error 10 for 0 columns or rows, or more than
// the alpha plane's width or height; error 3 when memory runs out (whatever
// was added is taken back).
bool Gfx_Font_AddGlyphsFromGrid(const C_String& chars, uint32_t columns, uint32_t rows, uint16_t size,
                                C_Surface* grid, C_Font* font);

// Gfx_Surface_ChangeFormat on every page. False for a null font (error 14) or
// when a conversion fails (which recorded why); the other pages are still
// converted.
bool Gfx_Font_ChangeFormat(C_Font* font, int32_t newFormat, int32_t newPalFormat);
