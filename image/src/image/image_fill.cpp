// Whole-image pixel operations: fill, vertical flip, raw dump.
#include <cstring>

#include "image_internal.h"
#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/core/string.h"
#include "softblit/image/image.h"
#include "softblit/math/color.h"

namespace {

void StoreLE(uint8_t* at, uint64_t value, uint32_t bytes) {
    for (uint32_t i = 0; i < bytes; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

// One pixel of `desc` holding `colour`, in memory order. False for formats
// that have no byte-sized pixel (below 8 bits).
bool BuildFillPixel(const S_FormatDesc& desc, const C_Color& colour, uint8_t pixel[16]) {
    const float comp[4] = {colour.red, colour.green, colour.blue, colour.alpha};
    std::memset(pixel, 0, 16);
    switch (desc.componentType) {
        case GFX_COMPONENT_UINT:
            if (desc.bitsPerPixel <= 32) {
                uint32_t v = 0;
                if (desc.channelCount == 1) {
                    v = static_cast<uint32_t>(static_cast<uint64_t>(Gfx_ComponentTo32(comp[0])) >>
                                              (32 - desc.bits[0]));
                } else {
                    for (int c = 0; c < 4; ++c) {
                        if (!desc.bits[c]) continue;
                        v |= (Gfx_ComponentScaled(comp[c], 255.0) >> (8 - desc.bits[c])) << desc.shift[c];
                    }
                }
                StoreLE(pixel, v, desc.bytesPerPixel);
            } else {
                // 16-bit words at the channels' positions.
                for (int c = 0; c < 4; ++c) {
                    if (!desc.bits[c]) continue;
                    const uint32_t w = (Gfx_ComponentScaled(comp[c], 65535.0) & 0xFFFF) >> (16 - desc.bits[c]);
                    StoreLE(pixel + desc.shift[c] / 8, w, 2);
                }
            }
            return true;
        case GFX_COMPONENT_FLOAT:
            for (int c = 0; c < 4; ++c) {
                if (desc.bits[c]) std::memcpy(pixel + desc.shift[c] / 8, &comp[c], 4);
            }
            return true;
        case GFX_COMPONENT_DOUBLE: {
            const double level = comp[0];
            std::memcpy(pixel, &level, 8);
            return true;
        }
        default:
            return false;
    }
}

template <class T>
void FillRow(uint8_t* row, uint32_t count, const uint8_t* pixel) {
    T value;
    std::memcpy(&value, pixel, sizeof(T));
    for (uint32_t x = 0; x < count; ++x) std::memcpy(row + x * sizeof(T), &value, sizeof(T));
}

}  // namespace

bool C_Image::Clear(const C_Color& colour) {
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(format, desc))
        return Err_Fail(ERR_FORMAT, "C_Image::Clear{format}", "C_Image::Clear");
    if (desc.bitsPerPixel == 0 || !data || rowBytes == 0) return true;

    if (desc.bitsPerPixel < 8) {
        // Every pixel of the byte takes the same level.
        const uint32_t v = static_cast<uint32_t>(
            static_cast<uint64_t>(Gfx_ComponentTo32(colour.red)) >> (32 - desc.bits[0]));
        const uint8_t byte = static_cast<uint8_t>(
            desc.bitsPerPixel == 1 ? (v ? 0xFF : 0) : desc.bitsPerPixel == 2 ? v * 0x55 : v * 0x11);
        for (uint32_t y = 0; y < height; ++y) std::memset(data + y * pitch, byte, rowBytes);
        Image_ClearRowTails(data, pitch, width, height, desc.bitsPerPixel);
        return true;
    }

    uint8_t pixel[16];
    if (!BuildFillPixel(desc, colour, pixel)) return true;
    if (desc.bytesPerPixel == 4 || desc.bytesPerPixel == 2) {
        // Rows that follow each other in memory are one block.
        const bool block = pitch == rowBytes && uint64_t(pitch) * height <= UINT32_MAX;
        const uint32_t rows = block ? 1 : height, bytes = block ? pitch * height : rowBytes;
        uint32_t value = 0;
        std::memcpy(&value, pixel, desc.bytesPerPixel);
        for (uint32_t y = 0; y < rows; ++y) {
            if (desc.bytesPerPixel == 4) Mem_Set32(data + y * pitch, bytes, value);
            else Mem_Set16(data + y * pitch, bytes, static_cast<uint16_t>(value));
        }
        return true;
    }
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = data + y * pitch;
        switch (desc.bytesPerPixel) {
            case 1: std::memset(row, pixel[0], width); break;
            case 2: FillRow<uint16_t>(row, width, pixel); break;
            case 4: FillRow<uint32_t>(row, width, pixel); break;
            case 8: FillRow<uint64_t>(row, width, pixel); break;
            default:
                for (uint32_t x = 0; x < width; ++x)
                    std::memcpy(row + x * desc.bytesPerPixel, pixel, desc.bytesPerPixel);
                break;
        }
    }
    return true;
}

bool C_Image::FlipVertical() {
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(format, desc))
        return Err_Fail(ERR_FORMAT, "C_Image::Clear{format}", "C_Image::Clear");
    if (!data) return true;
    uint8_t scratch[512];
    for (uint32_t y = 0; y < height / 2; ++y) {
        uint8_t* a = data + y * pitch;
        uint8_t* b = data + (height - 1 - y) * pitch;
        for (uint32_t done = 0; done < rowBytes; done += sizeof(scratch)) {
            const uint32_t n = rowBytes - done < sizeof(scratch) ? rowBytes - done : sizeof(scratch);
            std::memcpy(scratch, a + done, n);
            std::memcpy(a + done, b + done, n);
            std::memcpy(b + done, scratch, n);
        }
    }
    return true;
}

bool C_Image::Save_RAW_ToFile(const C_String& fileName) {
    return Save_RAW_ToFile(fileName.GetText() ? fileName.GetText() : "");
}

bool C_Image::Save_RAW_ToFile(const char* fileName) {
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(format, desc))
        return Err_Fail(ERR_FORMAT, "C_Image::SaveToStream{format}", "C_Image::SaveToStream");
    C_Stream stream;
    if (!fileName || !stream.OpenFileForWrite(fileName)) {
        Err_Set(ERR_OPEN_WRITE, 0, 0, "C_Image::Save_RAW_ToFile(%s)", fileName ? fileName : "");
        Err_Fatal("C_Image::Save_RAW_ToFile");
        return false;
    }
    const bool written = desc.componentType == GFX_COMPONENT_UINT && data &&
                         (desc.bitsPerPixel == 8 || desc.bitsPerPixel == 16 ||
                          desc.bitsPerPixel == 24 || desc.bitsPerPixel == 32);
    if (written) {
        const uint32_t bpp = desc.bytesPerPixel;
        uint8_t chunk[3 * 256];
        for (uint32_t y = 0; y < height; ++y) {
            const uint8_t* row = GetRow(y);
            if (bpp != 3) {
                // Memory order is the little-endian order of the value.
                Stream_Write(row, 1, width * bpp, &stream);
                continue;
            }
            for (uint32_t x0 = 0; x0 < width; x0 += 256) {
                const uint32_t n = width - x0 < 256 ? width - x0 : 256;
                for (uint32_t i = 0; i < n; ++i) {
                    const uint8_t* p = row + (x0 + i) * 3;
                    chunk[i * 3 + 0] = p[2];
                    chunk[i * 3 + 1] = p[1];
                    chunk[i * 3 + 2] = p[0];
                }
                Stream_Write(chunk, 1, n * 3, &stream);
            }
        }
    }
    stream.Close();
    return true;
}
