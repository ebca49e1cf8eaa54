// Gfx_Image_Copy_24to32, Gfx_Image_ChangeFormat and Gfx_Image_Clone.
#include <cstring>
#include <utility>

#include "convert/convert_internal.h"
#include "image_internal.h"
#include "softblit/core/status.h"
#include "softblit/image/convert.h"
#include "softblit/image/image.h"

namespace {

bool g_fastPaths = true;

void CopyRows(const S_PixelView& s, const S_PixelView& d) {
    const uint32_t rowBytes = Image_RowBytes(d.width, d.desc.bitsPerPixel);
    if (s.step == d.step && s.step == static_cast<ptrdiff_t>(rowBytes)) {
        // Both buffers hold their rows back to back: one block.
        if (s.row0 != d.row0) std::memmove(d.row0, s.row0, static_cast<size_t>(rowBytes) * s.height);
        return;
    }
    for (uint32_t y = 0; y < s.height; ++y) {
        const uint8_t* from = s.Row(y);
        uint8_t* to = d.Row(y);
        if (from != to) std::memmove(to, from, rowBytes);
    }
}

bool RunFastPath(const S_FastPath& path, const S_PixelView& s, const S_PixelView& d) {
    uint8_t table[256 * 16];
    alignas(64) uint8_t prepared[kPreparedBytes];
    if (path.needsPalette && Convert_PaletteTable(s, d.desc, table) != CONVERT_OK) return false;
    const uint8_t* lut = table;
    if (path.prepare) path.prepare(table, prepared), lut = prepared;
    for (uint32_t y = 0; y < s.height; ++y) path.row(s.Row(y), d.Row(y), s.width, lut);
    return true;
}

}  // namespace

// Fills the palette of `to` from the palette of `from`, converting the
// entries when the palette formats differ; zeroes it when they cannot be.
void Convert_TransferPalette(const C_Image* from, C_Image* to) {
    if (!to->m_palette) return;
    std::memset(to->m_palette, 0, to->paletteSize);
    if (!from->m_palette) return;
    S_FormatDesc a, b;
    if (!Gfx_GetFormatDesc(from->paletteFormat, a) || !Gfx_GetFormatDesc(to->paletteFormat, b) ||
        a.bitsPerPixel < 8 || b.bitsPerPixel < 8 || a.indexed || b.indexed ||
        from->paletteSize < 256u * a.bytesPerPixel || to->paletteSize < 256u * b.bytesPerPixel)
        return;
    if (a.format == b.format) {
        std::memcpy(to->m_palette, from->m_palette, 256u * a.bytesPerPixel);
        return;
    }
    S_PixelView s, d;
    std::memset(&s, 0, sizeof(s));
    s.row0 = from->m_palette;
    s.width = 256;
    s.height = 1;
    s.desc = a;
    d = s;
    d.row0 = to->m_palette;
    d.desc = b;
    Convert_Generic(s, d);
}

void Gfx_Convert_EnableFastPaths(bool enabled) { g_fastPaths = enabled; }
bool Gfx_Convert_FastPathsEnabled() { return g_fastPaths; }

bool Gfx_Image_Copy_24to32(const C_Image* source, C_Image* destination) {
    const char* place = "Gfx_Image_Copy_24to32";
    if (!source) return Err_Fail(ERR_MISSING, "Gfx_Image_Copy_24to32{pImageSrc}", place);
    if (!destination) return Err_Fail(ERR_MISSING, "Gfx_Image_Copy_24to32{pImageDst}", place);
    S_FormatDesc check;
    if (!Gfx_GetFormatDesc(source->format, check) || check.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "Gfx_Image_Copy_24to32{pImageSrc->format}", place);
    if (!Gfx_GetFormatDesc(destination->format, check) || check.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "Gfx_Image_Copy_24to32{pImageDst->format}", place);
    S_PixelView s, d;
    if (source->width != destination->width || source->height != destination->height ||
        !Convert_MakeView(source, s) || !Convert_MakeView(destination, d))
        return Err_Fail(ERR_DATA, "Gfx_Image_Copy_24to32{size}", place);
    if (s.width == 0 || s.height == 0) return true;

    bool converted = true;
    if (source->format == destination->format) {
        CopyRows(s, d);
    } else if (const S_FastPath* path = g_fastPaths ? Convert_FindFastPath(source->format, destination->format)
                                                     : nullptr) {
        converted = RunFastPath(*path, s, d);
    } else {
        converted = Convert_Generic(s, d) == CONVERT_OK;
    }
    if (!converted) return Err_Fail(ERR_PALETTE_FORMAT, "Gfx_Image_Copy_24to32{pImageSrc->m_palette}", place);
    Image_ClearRowTails(d.row0, d.step, d.width, d.height, d.desc.bitsPerPixel);
    return true;
}

bool Gfx_Image_ChangeFormat(C_Image* image, int32_t newFormat, int32_t newPalFormat) {
    const char* place = "Gfx_Image_ChangeFormat";
    if (!image) return Err_Fail(ERR_MISSING, "Gfx_Image_ChangeFormat{pImageSrc->format}", place);
    S_FormatDesc present, wanted, palette;
    if (!Gfx_GetFormatDesc(image->format, present) || present.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "Gfx_Image_ChangeFormat{pImage->format}", place);
    if (!Gfx_GetFormatDesc(newFormat, wanted) || (newFormat != GFX_FMT_KEEP && wanted.bitsPerPixel == 0))
        return Err_Fail(ERR_FORMAT, "Gfx_Image_ChangeFormat{newFormat}", place);
    if (newPalFormat == GFX_FMT_KEEP) newPalFormat = image->paletteFormat;
    if (!Gfx_GetFormatDesc(newPalFormat, palette) ||
        (newPalFormat != GFX_FMT_NONE && palette.bitsPerPixel == 0))
        return Err_Fail(ERR_PALETTE_FORMAT, "Gfx_Image_ChangeFormat{newPalFormat}", place);
    if (newFormat == GFX_FMT_KEEP || newFormat == image->format) return true;

    if (wanted.bitsPerPixel == present.bitsPerPixel) {
        // Same pixel size: rewrite the buffer pixel by pixel through a view of
        // it in the new format.
        C_Image view;
        view.data = image->data;
        view.bitsPerPixel = image->bitsPerPixel;
        view.width = image->width;
        view.height = image->height;
        view.pitch = image->pitch;
        view.dataSize = image->dataSize;
        view.rowBytes = image->rowBytes;
        view.bottomUp = image->bottomUp;
        view.format = newFormat;
        view.locked = 1;
        const bool converted = Gfx_Image_Copy_24to32(image, &view);
        view.Reset();  // nothing of it is owned
        if (!converted) {
            Err_Fatal(place);
            return false;
        }
        image->format = newFormat;
        return true;
    }

    C_Image* fresh = new C_Image;
    fresh->bottomUp = image->bottomUp;  // same memory order as the image
    bool ok = fresh->CreateEmpty(image->width, image->height, newFormat, newPalFormat);
    if (ok) {
        Convert_TransferPalette(image, fresh);
        ok = Gfx_Image_Copy_24to32(image, fresh);
    }
    if (!ok) {
        delete fresh;
        Err_Fatal(place);
        return false;
    }
    C_Image& a = *image;
    C_Image& b = *fresh;
    std::swap(a.data, b.data);
    std::swap(a.bitsPerPixel, b.bitsPerPixel);
    std::swap(a.width, b.width);
    std::swap(a.height, b.height);
    std::swap(a.pitch, b.pitch);
    std::swap(a.format, b.format);
    std::swap(a.dataSize, b.dataSize);
    std::swap(a.m_palette, b.m_palette);
    std::swap(a.paletteSize, b.paletteSize);
    std::swap(a.paletteFormat, b.paletteFormat);
    std::swap(a.paletteBitsPerPixel, b.paletteBitsPerPixel);
    std::swap(a.rowBytes, b.rowBytes);
    std::swap(a.locked, b.locked);  // a borrowed buffer goes with `fresh`, which never frees it
    delete fresh;
    return true;
}

bool Gfx_Image_Clone(const C_Image* source, C_Image* destination, int32_t newFormat,
                     int32_t newPalFormat) {
    const char* place = "Gfx_Image_Clone";
    if (!source) return Err_Fail(ERR_MISSING, "Gfx_Image_Clone{pImageSrc}", place);
    if (!destination) return Err_Fail(ERR_MISSING, "Gfx_Image_Clone{pImageDst}", place);
    if (newFormat == GFX_FMT_KEEP) newFormat = source->format;
    if (newPalFormat == GFX_FMT_KEEP) newPalFormat = source->paletteFormat;
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(source->format, desc) || desc.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "Gfx_Image_Clone{pImageSrc->format}", place);
    if (!Gfx_GetFormatDesc(newFormat, desc) || desc.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "Gfx_Image_Clone{newFormat}", place);
    if (!Gfx_GetFormatDesc(newPalFormat, desc) ||
        (newPalFormat != GFX_FMT_NONE && desc.bitsPerPixel == 0))
        return Err_Fail(ERR_PALETTE_FORMAT, "Gfx_Image_Clone{newPalFormat}", place);
    if (source == destination) return Gfx_Image_ChangeFormat(destination, newFormat, newPalFormat);

    if (!destination->CreateEmpty(source->width, source->height, newFormat, newPalFormat)) {
        Err_Fatal(place);
        return false;
    }
    Convert_TransferPalette(source, destination);
    if (!Gfx_Image_Copy_24to32(source, destination)) {
        Err_Fatal(place);
        return false;
    }
    return true;
}
