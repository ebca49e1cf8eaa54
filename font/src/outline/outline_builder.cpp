#include <ft2build.h>
#include FT_FREETYPE_H

#include "softblit/core/status.h"
#include "softblit/font/outline.h"

bool Gfx_Font_AddGlyphsFromOutline(const C_String& fileName, const C_BitmapGlyph& glyphTemplate, C_Font* font) {
    (void)fileName;
    (void)glyphTemplate;
    if (font == nullptr)
        return Err_Fail(ERR_MISSING, "Gfx_Font_AddGlyphsFromOutline{font}", "Gfx_Font_AddGlyphsFromOutline");
    return false;
}
