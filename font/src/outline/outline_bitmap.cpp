#include "outline/outline_bitmap.h"

#include "softblit/core/status.h"
#include "softblit/font/font_type.h"

S_OutlineBitmap OutlineBitmap_From(const FT_Bitmap& bitmap) {
    S_OutlineBitmap b;
    if (bitmap.buffer == nullptr) return b;  // nothing to read: an empty bitmap
    b.width = bitmap.width;
    b.rows = bitmap.rows;
    b.pitch = bitmap.pitch;
    b.buffer = bitmap.buffer;
    b.pixelMode = bitmap.pixel_mode;
    return b;
}

bool OutlineBitmap_ToImage(const S_OutlineBitmap& b, uint8_t renderMode, C_Image& image) {
    const uint32_t extra = renderMode == FONT_RENDER_ANTIALIASED ? 1 : 0;
    if (!image.CreateEmpty(b.width + extra, b.rows + extra, GFX_FMT_L8, GFX_FMT_NONE))
        return false;
    if (image.dataSize) Mem_Zero(image.data, image.dataSize);
    if (b.buffer == nullptr) return true;

    const uint32_t stride = uint32_t(b.pitch < 0 ? -int64_t(b.pitch) : b.pitch);
    for (uint32_t y = 0; y < b.rows; ++y) {
        // A negative pitch stores the rows bottom-up.
        const uint8_t* in = b.buffer + uintptr_t(b.pitch < 0 ? b.rows - 1 - y : y) * stride;
        uint8_t* out = image.GetRow(y);
        switch (b.pixelMode) {
            case FT_PIXEL_MODE_MONO:
                for (uint32_t x = 0; x < b.width; ++x) out[x] = (in[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                break;
            case FT_PIXEL_MODE_GRAY:
                for (uint32_t x = 0; x < b.width; ++x)
                    out[x] = renderMode == FONT_RENDER_MONO ? (in[x] >= 128 ? 255 : 0) : in[x];
                break;
            default:
                break;
        }
    }
    return true;
}
