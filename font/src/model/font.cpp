#include "softblit/font/font.h"

#include "model/face_index.h"
#include "softblit/core/status.h"

C_Font::C_Font() : surfaceFactory(nullptr), surfaceFactoryArg(nullptr) { C_Font::Reset(); }

C_Font::C_Font(const C_String& fontName) : surfaceFactory(nullptr), name(fontName), surfaceFactoryArg(nullptr) {
    C_Font::Reset();
}

void C_Font::Release() {
    if (faces != nullptr) {
        faces->DeleteAll();
        delete faces;
        faces = nullptr;
    }
    if (pages != nullptr) {
        pages->DeleteAll();
        delete pages;
        pages = nullptr;
    }
}

void C_Font::Reset() {
    faces = nullptr;
    pages = nullptr;
}

C_BitmapFace* C_Font::GetFace(uint32_t code) const {
    const uint32_t entry = FaceIndex_Get(faceIndex, code, GetFaceCount());
    return entry ? static_cast<C_BitmapFace*>(faces->GetAt(entry - 1)) : nullptr;
}

C_Surface* C_Font::GetPage(int32_t index) const {
    if (pages == nullptr || index < 0 || uint32_t(index) >= pages->GetCount()) return nullptr;
    return static_cast<C_Surface*>(pages->GetAt(uint32_t(index)));
}

C_Surface* C_Font::NewPage() {
    C_Surface* page = surfaceFactory ? surfaceFactory(surfaceFactoryArg) : new C_Surface();
    if (page == nullptr) {
        Err_Fail(ERR_ALLOC, "C_Font::NewPage{surfaceFactory}", "C_Font::NewPage");
        return nullptr;
    }
    page->planesShared = 0;
    return page;
}

bool C_Font::AddFace(int32_t code) {
    if (code < 0 || code > FONT_MAX_CHAR_CODE)
        return Err_Fail(ERR_DATA, "C_Font::AddFace{charCode}", "C_Font::AddFace");
    if (faces == nullptr) faces = new C_Array();
    C_BitmapFace* face = new C_BitmapFace();
    face->charCode = code;
    if (!faces->Insert(face, faces->GetCount())) {
        delete face;
        return Err_Fail(ERR_ALLOC, "C_Font::AddFace{faces}", "C_Font::AddFace");
    }
    if (!FaceIndex_Set(faceIndex, uint32_t(code), faces->GetCount())) {
        delete faces->RemoveAt(faces->GetCount() - 1);
        return Err_Fail(ERR_ALLOC, "C_Font::AddFace{faceIndex}", "C_Font::AddFace");
    }
    return true;
}

bool C_Font::AddFaces(int32_t first, int32_t last) {
    if (first < last && (first < 0 || last - 1 > FONT_MAX_CHAR_CODE))
        return Err_Fail(ERR_DATA, "C_Font::AddFace{charCode}", "C_Font::AddFaces");
    for (int32_t code = first; code < last; ++code)
        if (!AddFace(code)) return false;
    return true;
}

bool C_Font::PreparePages() {
    for (uint32_t i = 0; i < GetPageCount(); ++i)
        if (C_Surface* page = GetPage(int32_t(i))) page->Prepare(GFX_PLANE_ALL);
    return true;
}

bool Gfx_Font_ChangeFormat(C_Font* font, int32_t newFormat, int32_t newPalFormat) {
    if (font == nullptr)
        return Err_Fail(ERR_MISSING, "Gfx_Font_ChangeFormat{pFont->format}", "Gfx_Font_ChangeFormat");
    bool ok = true;
    for (uint32_t i = 0; i < font->GetPageCount(); ++i)
        if (C_Surface* page = font->GetPage(int32_t(i)))
            ok = Gfx_Surface_ChangeFormat(page, newFormat, newPalFormat) && ok;
    return ok;
}
