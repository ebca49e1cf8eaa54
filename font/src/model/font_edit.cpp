#include "model/font_edit.h"

void Font_DropLastGlyphs(C_Font& font, uint32_t faceCount) {
    for (uint32_t i = 0; i < faceCount; ++i) {
        C_BitmapFace* face = static_cast<C_BitmapFace*>(font.faces->GetAt(i));
        if (face == nullptr || face->glyphs == nullptr) continue;
        delete face->glyphs->RemoveAt(face->glyphs->GetCount() - 1);
        if (face->glyphs->GetCount() == 0) {
            delete face->glyphs;
            face->glyphs = nullptr;
        }
    }
}

void Font_DropPagesFrom(C_Font& font, uint32_t first, bool own) {
    while (font.GetPageCount() > first) {
        C_Object* page = font.pages->RemoveAt(font.GetPageCount() - 1);
        if (own) delete page;
    }
}
