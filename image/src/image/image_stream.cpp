// The ".img" record of C_Image.
#include <cstdlib>
#include <cstring>

#include "softblit/core/record.h"
#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/image/image.h"

namespace {

// The record carries no rows for one-bit formats nor for the 48- and 64-bit
// integer formats; those load as zeroed buffers.
bool RowsCarried(const S_FormatDesc& desc) {
    if (desc.componentType == GFX_COMPONENT_BIT) return false;
    if (desc.componentType == GFX_COMPONENT_UINT && desc.bitsPerPixel > 32) return false;
    return true;
}

bool Invalid(C_Image* image) {
    image->Release();
    image->Reset();
    return Err_Fail(ERR_DATA, "C_Image::LoadFromStream{data}", "C_Image::LoadFromStream");
}

}  // namespace

bool C_Image::SaveToStream(C_Stream* stream, uint32_t /*flags*/) {
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(format, desc))
        return Err_Fail(ERR_FORMAT, "C_Image::SaveToStream{format}", "C_Image::SaveToStream");
    if (!stream) return false;
    if (!m_palette) paletteSize = 0;

    Record_WriteTag(stream, CLASS_IMAGE);
    Record_Write(stream, dataSize);
    Record_Write(stream, width);
    Record_Write(stream, height);
    Record_Write(stream, pitch);
    Record_Write(stream, bitsPerPixel);
    Record_Write(stream, format);
    Record_Write(stream, static_cast<int32_t>(paletteSize));
    if (paletteSize > 0) {
        Record_Write(stream, paletteFormat);
        Record_Write(stream, paletteBitsPerPixel);
        Stream_Write(m_palette, 1, paletteSize, stream);
    }
    if (data && desc.bitsPerPixel > 0 && RowsCarried(desc)) {
        // Logical rows, so that a bottom-up image reloads (top-down) unturned.
        for (uint32_t y = 0; y < height; ++y) Stream_Write(GetRow(y), 1, rowBytes, stream);
    }
    return true;
}

bool C_Image::LoadFromStream(C_Stream* stream, uint32_t /*flags*/) {
    Release();
    Reset();
    if (!Record_ReadTag(stream, CLASS_IMAGE, "C_Image")) return false;

    uint32_t hdrDataSize = 0, hdrWidth = 0, hdrHeight = 0, hdrPitch = 0, hdrBits = 0;
    int32_t hdrFormat = 0, hdrPaletteSize = 0, hdrPaletteFormat = GFX_FMT_NONE;
    uint32_t hdrPaletteBits = 0;
    if (!Record_Read(stream, hdrDataSize) || !Record_Read(stream, hdrWidth) ||
        !Record_Read(stream, hdrHeight) || !Record_Read(stream, hdrPitch) ||
        !Record_Read(stream, hdrBits) || !Record_Read(stream, hdrFormat) ||
        !Record_Read(stream, hdrPaletteSize))
        return Record_Truncated("C_Image");
    if (hdrPaletteSize > 0 &&
        (!Record_Read(stream, hdrPaletteFormat) || !Record_Read(stream, hdrPaletteBits)))
        return Record_Truncated("C_Image");

    // The whole header is checked before anything is allocated.
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(hdrFormat, desc))
        return Err_Fail(ERR_FORMAT, "C_Image::LoadFromStream{format}", "C_Image::LoadFromStream");
    if (desc.bitsPerPixel == 0) {
        // Only the record of an empty image may carry no format.
        if (hdrFormat != GFX_FMT_NONE || hdrDataSize || hdrWidth || hdrHeight || hdrPitch ||
            hdrBits || hdrPaletteSize)
            return Invalid(this);
        return true;
    }
    if (hdrBits != desc.bitsPerPixel ||
        static_cast<uint64_t>(hdrWidth) * desc.bitsPerPixel >= IMAGE_MAX_ROW_BITS)
        return Invalid(this);
    // The record carries unpadded rows, so the loaded image has pitch =
    // rowBytes whatever pitch and dataSize the saved image had; they are only
    // checked, never trusted to size the buffer.
    const uint32_t hdrRowBytes = Image_RowBytes(hdrWidth, desc.bitsPerPixel);
    const uint64_t pixelBytes = static_cast<uint64_t>(hdrRowBytes) * hdrHeight;
    if (hdrPitch < hdrRowBytes || hdrDataSize < pixelBytes || pixelBytes > IMAGE_MAX_STREAM_BYTES)
        return Invalid(this);
    // Rows of width 0 hold nothing; a record that claims a pitch for them is
    // not one this class writes.
    if (hdrRowBytes == 0 && static_cast<uint64_t>(hdrPitch) * hdrHeight != 0) return Invalid(this);

    S_FormatDesc palDesc;
    uint64_t paletteBytes = 0;
    if (hdrPaletteSize < 0) return Invalid(this);
    if (hdrPaletteSize > 0) {
        if (!Gfx_GetFormatDesc(hdrPaletteFormat, palDesc) || palDesc.bitsPerPixel == 0 ||
            hdrPaletteBits != palDesc.bitsPerPixel ||
            static_cast<uint32_t>(hdrPaletteSize) != 256u * palDesc.bytesPerPixel)
            return Invalid(this);
        paletteBytes = static_cast<uint32_t>(hdrPaletteSize);
    }
    const bool rowsCarried = RowsCarried(desc);
    const uint64_t rowBytesInStream = rowsCarried ? static_cast<uint64_t>(hdrRowBytes) * hdrHeight : 0;
    if (paletteBytes + rowBytesInStream > Stream_BytesLeft(stream)) return Invalid(this);

    // Shape the empty image; the buffer holds exactly rowBytes x height bytes,
    // zeroed so that rows the record does not carry are defined.
    if (paletteBytes) {
        m_palette = static_cast<uint8_t*>(Mem_Alloc(paletteBytes));
        if (!m_palette) {
            Release();
            Reset();
            return Err_Fail(ERR_ALLOC, "C_Image::LoadFromStream{m_palette}", "C_Image::LoadFromStream");
        }
        Mem_AddUsage(static_cast<uint32_t>(paletteBytes));
        paletteSize = static_cast<uint32_t>(paletteBytes);
        paletteFormat = hdrPaletteFormat;
        paletteBitsPerPixel = hdrPaletteBits;
        if (Stream_Read(m_palette, 1, paletteSize, stream) != paletteSize) return Invalid(this);
    }
    width = hdrWidth;
    height = hdrHeight;
    pitch = hdrRowBytes;
    bitsPerPixel = hdrBits;
    format = hdrFormat;
    rowBytes = hdrRowBytes;
    if (pixelBytes) {
        data = static_cast<uint8_t*>(Mem_AllocZero(pixelBytes));
        if (!data) {
            Release();
            Reset();
            return Err_Fail(ERR_ALLOC, "C_Image::LoadFromStream{data}", "C_Image::LoadFromStream");
        }
        dataSize = static_cast<uint32_t>(pixelBytes);
        Mem_AddUsage(dataSize);
    }
    if (rowsCarried && data) {
        for (uint32_t y = 0; y < height; ++y) {
            if (Stream_Read(data + y * pitch, 1, rowBytes, stream) != rowBytes) return Invalid(this);
        }
    }
    return true;
}
