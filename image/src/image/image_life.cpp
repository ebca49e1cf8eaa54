// Construction, release and shaping of C_Image, with the memory accounting of
// the object, its pixel buffer and its palette.
#include <cstdlib>
#include <cstring>

#include "softblit/core/status.h"
#include "softblit/image/image.h"
#include "softblit/math/color.h"

namespace {

uint8_t* AllocCounted(uint32_t bytes) {
    if (bytes == 0) return nullptr;
    uint8_t* block = static_cast<uint8_t*>(Mem_Alloc(bytes));
    if (block) Mem_AddUsage(bytes);
    return block;
}

void FreeCounted(uint8_t* block, uint32_t bytes) {
    if (!block) return;
    Mem_Free(block);
    Mem_SubUsage(bytes);
}

// Checks that width x height pixels of `bitsPerPixel` bits fit the 32-bit
// sizes of an image: the row in bits below 2^24, pitch x height below 2^32.
bool SizesFit(uint32_t width, uint32_t height, uint32_t bitsPerPixel, uint32_t pitch) {
    if (static_cast<uint64_t>(width) * bitsPerPixel >= IMAGE_MAX_ROW_BITS) return false;
    return static_cast<uint64_t>(pitch) * height <= 0xFFFFFFFFull;
}

// A palette format is any pixel format with at least one bit per pixel.
bool DescribePalette(int32_t palFormat, S_FormatDesc& desc) {
    return Gfx_GetFormatDesc(palFormat, desc) && desc.bitsPerPixel > 0;
}

}  // namespace

C_Image::C_Image() {
    Mem_AddUsage(sizeof(C_Image));
    C_Image::Reset();
}

C_Image::C_Image(const C_Image& other) : C_Object() {
    Mem_AddUsage(sizeof(C_Image));
    C_Image::Reset();
    *this = other;
}

C_Image::~C_Image() {
    C_Image::Release();
    Mem_SubUsage(sizeof(C_Image));
}

void C_Image::Release() {
    if (!locked && data) {
        FreeCounted(data, dataSize);
        data = nullptr;
        dataSize = 0;
    }
    if (m_palette) {
        FreeCounted(m_palette, paletteSize);
        m_palette = nullptr;
        paletteSize = 0;
    }
}

void C_Image::Reset() {
    data = nullptr;
    bitsPerPixel = 0;
    width = 0;
    height = 0;
    pitch = 0;
    format = GFX_FMT_NONE;
    dataSize = 0;
    m_palette = nullptr;
    paletteSize = 0;
    paletteFormat = GFX_FMT_NONE;
    paletteBitsPerPixel = 0;
    locked = 0;
    bottomUp = 0;
    rowBytes = 0;
}

bool C_Image::CreateEmpty(uint32_t newWidth, uint32_t newHeight, int32_t newFormat,
                          int32_t newPalFormat) {
    // Everything that can be refused is checked before the image changes.
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(newFormat, desc) || desc.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "C_Image::CreateEmpty{newFormat}", "C_Image::CreateEmpty");
    S_FormatDesc palDesc;
    if (newPalFormat != GFX_FMT_NONE && !DescribePalette(newPalFormat, palDesc))
        return Err_Fail(ERR_PALETTE_FORMAT, "C_Image::CreateEmpty{newPalFormat}",
                        "C_Image::CreateEmpty");
    const uint32_t newRowBytes =
        static_cast<uint64_t>(newWidth) * desc.bitsPerPixel < IMAGE_MAX_ROW_BITS
            ? Image_RowBytes(newWidth, desc.bitsPerPixel)
            : 0;
    if (!SizesFit(newWidth, newHeight, desc.bitsPerPixel, newRowBytes))
        return Err_Fail(ERR_ALLOC, "C_Image::CreateEmpty{data}", "C_Image::CreateEmpty");

    width = newWidth;
    height = newHeight;
    bitsPerPixel = desc.bitsPerPixel;
    format = newFormat;
    pitch = rowBytes = newRowBytes;

    if (locked) {
        // The foreign buffer is not ours to keep or free.
        data = nullptr;
        dataSize = 0;
        locked = 0;
    }
    const uint32_t needed = pitch * height;
    if (needed != dataSize || (needed != 0 && !data)) {
        FreeCounted(data, dataSize);
        data = nullptr;
        dataSize = 0;
        if (needed != 0) {
            data = AllocCounted(needed);
            if (!data)
                return Err_Fail(ERR_ALLOC, "C_Image::CreateEmpty{data}", "C_Image::CreateEmpty");
            dataSize = needed;
        }
    }

    paletteFormat = newPalFormat;
    if (newPalFormat == GFX_FMT_NONE) {
        FreeCounted(m_palette, paletteSize);
        m_palette = nullptr;
        paletteSize = 0;
        paletteBitsPerPixel = 0;
        return true;
    }
    paletteBitsPerPixel = palDesc.bitsPerPixel;
    const uint32_t paletteNeeded = 256u * palDesc.bytesPerPixel;
    if (paletteNeeded != paletteSize || !m_palette) {
        FreeCounted(m_palette, paletteSize);
        m_palette = AllocCounted(paletteNeeded);
        paletteSize = m_palette ? paletteNeeded : 0;
        if (!m_palette)
            return Err_Fail(ERR_ALLOC, "C_Image::CreateEmpty{m_palette}", "C_Image::CreateEmpty");
    }
    return true;
}

bool C_Image::CreateEmpty(uint32_t newWidth, uint32_t newHeight, int32_t newFormat,
                          int32_t newPalFormat, const C_Color& colour) {
    if (!CreateEmpty(newWidth, newHeight, newFormat, newPalFormat)) return false;
    Clear(colour);
    return true;
}

bool C_Image::CreateLocked(uint32_t newWidth, uint32_t newHeight, uint32_t newPitch,
                           int32_t newFormat, int32_t newPalFormat, void* newData) {
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(newFormat, desc) || desc.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "C_Image::CreateLocked{newFormat}", "C_Image::CreateLocked");
    if (!newData)
        return Err_Fail(ERR_MISSING, "C_Image::CreateLocked{newData}", "C_Image::CreateLocked");
    S_FormatDesc palDesc;
    if (newPalFormat != GFX_FMT_NONE && !DescribePalette(newPalFormat, palDesc))
        return Err_Fail(ERR_PALETTE_FORMAT, "C_Image::CreateLocked{newPalFormat}",
                        "C_Image::CreateLocked");
    if (!SizesFit(newWidth, newHeight, desc.bitsPerPixel, newPitch) ||
        newPitch < Image_RowBytes(newWidth, desc.bitsPerPixel))
        return Err_Fail(ERR_ALLOC, "C_Image::CreateLocked{data}", "C_Image::CreateLocked");

    Release();
    Reset();
    width = newWidth;
    height = newHeight;
    pitch = newPitch;
    bitsPerPixel = desc.bitsPerPixel;
    format = newFormat;
    locked = 1;
    dataSize = newHeight * newPitch;
    data = static_cast<uint8_t*>(newData);
    rowBytes = Image_RowBytes(newWidth, desc.bitsPerPixel);
    paletteFormat = newPalFormat;
    if (newPalFormat != GFX_FMT_NONE) paletteBitsPerPixel = palDesc.bitsPerPixel;
    return true;
}

C_Image& C_Image::operator=(const C_Image& other) {
    if (&other == this) return *this;
    Release();
    Reset();

    if (other.data && other.dataSize) {
        data = AllocCounted(other.dataSize);
        if (!data) {
            Err_Set(ERR_ALLOC, 0, 0, "C_Image::operator={data}");
            return *this;
        }
        dataSize = other.dataSize;
        std::memcpy(data, other.data, other.dataSize);
    }
    width = other.width;
    bitsPerPixel = other.bitsPerPixel;
    height = other.height;
    pitch = other.pitch;
    format = other.format;
    rowBytes = other.rowBytes;
    bottomUp = other.bottomUp;
    locked = 0;

    if (other.m_palette && other.paletteSize) {
        m_palette = AllocCounted(other.paletteSize);
        if (!m_palette) {
            // An indexed image without its palette would pass for a whole
            // copy; an empty image shows the failure.
            Release();
            Reset();
            Err_Set(ERR_ALLOC, 0, 0, "C_Image::operator={m_palette}");
            return *this;
        }
        paletteSize = other.paletteSize;
        std::memcpy(m_palette, other.m_palette, other.paletteSize);
    }
    paletteFormat = other.paletteFormat;
    paletteBitsPerPixel = other.paletteBitsPerPixel;
    return *this;
}
