// The ".uft" record of a font.
#include "model/face_index.h"
#include "softblit/core/record.h"
#include "softblit/core/status.h"
#include "softblit/font/font.h"

namespace {

// Smallest records a count may promise: a face with no glyphs (tag, count,
// code) and a surface without planes (tag, marker).
constexpr uint64_t kMinFaceBytes = 10;
constexpr uint64_t kMinPageBytes = 3;
const char kPlace[] = "C_Font::LoadFromStream";

}  // namespace

bool C_Font::SaveToStream(C_Stream* stream, uint32_t flags) {
    if (stream == nullptr) return false;
    Record_WriteTag(stream, CLASS_FONT);
    if (!name.SaveToStream(stream, flags)) return Record_MemberFailed("C_Font", false);

    uint32_t count = 0;
    for (uint32_t i = 0; i < GetFaceCount(); ++i) count += faces->GetAt(i) != nullptr;
    Record_Write(stream, count);
    for (uint32_t i = 0; i < GetFaceCount(); ++i) {
        C_Object* face = faces->GetAt(i);
        if (face != nullptr && !face->SaveToStream(stream, flags)) return Record_MemberFailed("C_Font", false);
    }

    // Every page slot is written, an empty surface for a missing one, so that
    // the glyphs' page indices still hold after a reload.
    Record_Write(stream, GetPageCount());
    for (uint32_t i = 0; i < GetPageCount(); ++i) {
        C_Surface empty;
        C_Surface* page = GetPage(int32_t(i));
        if (!(page ? page : &empty)->SaveToStream(stream, flags)) return Record_MemberFailed("C_Font", false);
    }
    return true;
}

namespace {

bool LoadFaces(C_Font& font, C_Stream* stream, uint32_t flags) {
    uint32_t count = 0;
    if (!Record_Read(stream, count)) return Record_Truncated("C_Font");
    if (count * kMinFaceBytes > Stream_BytesLeft(stream))
        return Err_Fail(ERR_DATA, "C_Font::LoadFromStream{faceCount}", kPlace);
    if (count > 0) font.faces = new C_Array();
    for (uint32_t i = 0; i < count; ++i) {
        C_BitmapFace* face = new C_BitmapFace();
        bool ok = face->LoadFromStream(stream, flags) || Record_MemberFailed("C_Font", true);
        if (ok && (face->charCode < 0 || face->charCode > FONT_MAX_CHAR_CODE))
            ok = Err_Fail(ERR_DATA, "C_Font::LoadFromStream{charCode}", kPlace);
        if (ok && !font.faces->Insert(face, font.faces->GetCount()))
            ok = Err_Fail(ERR_ALLOC, "C_Font::LoadFromStream{faces}", kPlace);
        if (!ok) {
            delete face;
            return false;
        }
        if (!FaceIndex_Set(font.faceIndex, uint32_t(face->charCode), font.faces->GetCount()))
            return Err_Fail(ERR_ALLOC, "C_Font::LoadFromStream{faceIndex}", kPlace);
    }
    return true;
}

bool LoadPages(C_Font& font, C_Stream* stream, uint32_t flags) {
    uint32_t count = 0;
    if (!Record_Read(stream, count)) return Record_Truncated("C_Font");
    if (count * kMinPageBytes > Stream_BytesLeft(stream))
        return Err_Fail(ERR_DATA, "C_Font::LoadFromStream{pageCount}", kPlace);
    if (count > 0) font.pages = new C_Array();
    for (uint32_t i = 0; i < count; ++i) {
        C_Surface* page = font.NewPage();
        if (page == nullptr) {
            Err_Fatal(kPlace);
            return false;
        }
        bool ok = page->LoadFromStream(stream, flags) || Record_MemberFailed("C_Font", true);
        if (ok && !font.pages->Insert(page, font.pages->GetCount()))
            ok = Err_Fail(ERR_ALLOC, "C_Font::LoadFromStream{pages}", kPlace);
        if (!ok) {
            delete page;
            return false;
        }
    }
    return true;
}

}  // namespace

// Any failure leaves the font without faces, pages or index entries; the name
// is replaced only by a complete load.
bool C_Font::LoadFromStream(C_Stream* stream, uint32_t flags) {
    FaceIndex_Clear(faceIndex);
    Release();
    Reset();
    C_String loadedName;
    bool ok = Record_ReadTag(stream, CLASS_FONT, "C_Font");
    if (ok) ok = loadedName.LoadFromStream(stream, flags) || Record_MemberFailed("C_Font", true);
    ok = ok && LoadFaces(*this, stream, flags) && LoadPages(*this, stream, flags);
    if (!ok) {
        Release();
        Reset();
        FaceIndex_Clear(faceIndex);
        return false;
    }
    name = loadedName;
    return true;
}
