// Splitting a channel out of an image, writing one back, and deriving an
// alpha plane from a key colour. Levels move unscaled: a 5-bit channel gives
// levels 0..31.
#include <cstring>

#include "convert/convert_internal.h"
#include "convert/pixel_access.h"
#include "image_internal.h"
#include "softblit/core/status.h"
#include "softblit/image/convert.h"
#include "softblit/image/image.h"
#include "softblit/math/color.h"

namespace {

uint64_t FieldMask(uint32_t bits) { return bits >= 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1; }

bool IsFloat(const S_FormatDesc& d) {
    return d.componentType == GFX_COMPONENT_FLOAT || d.componentType == GFX_COMPONENT_DOUBLE;
}

bool SameSizeViews(const C_Image* a, const C_Image* b, S_PixelView& va, S_PixelView& vb) {
    return a->width == b->width && a->height == b->height && Convert_MakeView(a, va) &&
           Convert_MakeView(b, vb);
}

// Shapes `destination` as the one-channel plane of `source`.
bool CreatePlane(const C_Image* source, C_Image* destination, const char* place) {
    if (!destination->CreateEmpty(source->width, source->height,
                                  Gfx_GetSingleChannelFormat(source->format), source->paletteFormat)) {
        Err_Fatal(place);
        return false;
    }
    Convert_TransferPalette(source, destination);
    return true;
}

void ExtractChannel(const S_PixelView& s, const S_PixelView& d, uint32_t channel) {
    const uint32_t dstRowBytes = Image_RowBytes(d.width, d.desc.bitsPerPixel);
    if (channel > 3 || s.desc.bits[channel] == 0) {
        for (uint32_t y = 0; y < d.height; ++y) std::memset(d.Row(y), 0, dstRowBytes);
        return;
    }
    const uint32_t shift = s.desc.shift[channel];
    if (IsFloat(s.desc)) {
        // The channel's float, bit for bit.
        const uint32_t bytes = s.desc.bits[channel] / 8;
        for (uint32_t y = 0; y < s.height; ++y) {
            const uint8_t* srow = s.Row(y);
            uint8_t* drow = d.Row(y);
            for (uint32_t x = 0; x < s.width; ++x)
                std::memcpy(drow + x * bytes, srow + x * s.desc.bytesPerPixel + shift / 8, bytes);
        }
        return;
    }
    if (s.desc.bitsPerPixel < 8) {
        // Packed one-channel formats extract into their own format.
        for (uint32_t y = 0; y < s.height; ++y) std::memmove(d.Row(y), s.Row(y), dstRowBytes);
        return;
    }
    if (s.desc.bitsPerPixel == 32 && d.desc.bitsPerPixel == 8) {
        const uint32_t mask = s.desc.mask[channel];
        for (uint32_t y = 0; y < s.height; ++y) {
            const uint8_t* srow = s.Row(y);
            uint8_t* drow = d.Row(y);
            for (uint32_t x = 0; x < s.width; ++x)
                drow[x] = static_cast<uint8_t>((Pixel_Load32(srow + 4 * x) & mask) >> shift);
        }
        return;
    }
    const Pixel_FetchFn fetch = Pixel_Fetcher(s.desc.bitsPerPixel);
    const Pixel_StoreFn store = Pixel_Storer(d.desc.bitsPerPixel);
    const uint64_t mask = FieldMask(s.desc.bits[channel]);
    for (uint32_t y = 0; y < s.height; ++y) {
        const uint8_t* srow = s.Row(y);
        uint8_t* drow = d.Row(y);
        for (uint32_t x = 0; x < s.width; ++x) store(drow, x, (fetch(srow, x) >> shift) & mask);
    }
}

void InsertChannel(const S_PixelView& s, const S_PixelView& d, uint32_t channel) {
    const uint32_t shift = d.desc.shift[channel];
    if (IsFloat(d.desc)) {
        const uint32_t bytes = d.desc.bits[channel] / 8;
        for (uint32_t y = 0; y < d.height; ++y) {
            const uint8_t* srow = s.Row(y);
            uint8_t* drow = d.Row(y);
            for (uint32_t x = 0; x < d.width; ++x)
                std::memcpy(drow + x * d.desc.bytesPerPixel + shift / 8, srow + x * bytes, bytes);
        }
        return;
    }
    if (d.desc.bitsPerPixel < 8) {
        const uint32_t rowBytes = Image_RowBytes(d.width, d.desc.bitsPerPixel);
        for (uint32_t y = 0; y < d.height; ++y) std::memmove(d.Row(y), s.Row(y), rowBytes);
        return;
    }
    // The other channels keep their bits; the level is cut to the channel's
    // width so that it cannot spill into them.
    uint64_t keep = 0;
    for (uint32_t c = 0; c < 4; ++c)
        if (c != channel && d.desc.bits[c]) keep |= FieldMask(d.desc.bits[c]) << d.desc.shift[c];
    const uint64_t levelMask = FieldMask(d.desc.bits[channel]);
    const Pixel_FetchFn fetchLevel = Pixel_Fetcher(s.desc.bitsPerPixel);
    const Pixel_FetchFn fetch = Pixel_Fetcher(d.desc.bitsPerPixel);
    const Pixel_StoreFn store = Pixel_Storer(d.desc.bitsPerPixel);
    for (uint32_t y = 0; y < d.height; ++y) {
        const uint8_t* srow = s.Row(y);
        uint8_t* drow = d.Row(y);
        for (uint32_t x = 0; x < d.width; ++x)
            store(drow, x, (fetch(drow, x) & keep) | ((fetchLevel(srow, x) & levelMask) << shift));
    }
}

}  // namespace

bool Gfx_Image_GetChannel(const C_Image* source, C_Image* destination, uint32_t channel) {
    const char* place = "Gfx_Image_GetChannel";
    if (!source || !destination) return false;
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(source->format, desc) || desc.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "Gfx_Image_GetChannel{pImageSrc->format}", place);
    if (source == destination) {
        const C_Image copy(*source);
        return Gfx_Image_GetChannel(&copy, destination, channel);
    }
    if (!CreatePlane(source, destination, place)) return false;
    S_PixelView s, d;
    if (!SameSizeViews(source, destination, s, d))
        return Err_Fail(ERR_DATA, "Gfx_Image_GetChannel{pImageSrc}", place);
    ExtractChannel(s, d, channel);
    Image_ClearRowTails(d.row0, d.step, d.width, d.height, d.desc.bitsPerPixel);
    return true;
}

bool Gfx_Image_SetChannel(const C_Image* source, C_Image* destination, uint32_t channel) {
    const char* place = "Gfx_Image_SetChannel";
    if (!source || !destination) return false;
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(source->format, desc) || desc.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "Gfx_Image_SetChannel{pImageSrc->format}", place);
    if (!Gfx_GetFormatDesc(destination->format, desc) || desc.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "Gfx_Image_SetChannel{pImageDst->format}", place);
    if (source->format != Gfx_GetSingleChannelFormat(destination->format)) return false;
    S_PixelView s, d;
    if (!SameSizeViews(source, destination, s, d))
        return Err_Fail(ERR_DATA, "Gfx_Image_SetChannel{size}", place);
    // A channel the format does not have is left alone.
    if (channel > 3 || d.desc.bits[channel] == 0) return true;
    InsertChannel(s, d, channel);
    Image_ClearRowTails(d.row0, d.step, d.width, d.height, d.desc.bitsPerPixel);
    return true;
}

bool Gfx_Image_GetAlpha_FromKeyColor(const C_Image* source, C_Image* destination,
                                     const C_Color& keyColour) {
    const char* place = "Gfx_Image_GetAlpha_FromKeyColor";
    if (!source || !destination) return false;
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(source->format, desc) || desc.bitsPerPixel == 0)
        return Err_Fail(ERR_FORMAT, "Gfx_Image_GetAlpha_FromKeyColor{pImageSrc->format}", place);
    if (source == destination) {
        const C_Image copy(*source);
        return Gfx_Image_GetAlpha_FromKeyColor(&copy, destination, keyColour);
    }
    if (!CreatePlane(source, destination, place)) return false;
    S_PixelView s, d;
    if (!SameSizeViews(source, destination, s, d))
        return Err_Fail(ERR_DATA, "Gfx_Image_GetAlpha_FromKeyColor{pImageSrc}", place);

    // The opaque level: full scale of the plane's format.
    uint8_t opaque[8] = {0};
    const uint32_t dstBytes = d.desc.bytesPerPixel;
    if (d.desc.componentType == GFX_COMPONENT_FLOAT) {
        const float one = 1.0f;
        std::memcpy(opaque, &one, 4);
    } else if (d.desc.componentType == GFX_COMPONENT_DOUBLE) {
        const double one = 1.0;
        std::memcpy(opaque, &one, 8);
    }
    const uint64_t opaqueLevel = FieldMask(d.desc.bits[0]);
    const Pixel_StoreFn store = Pixel_Storer(d.desc.bitsPerPixel);
    const bool integerPlane = !IsFloat(d.desc);

    const bool packedKey = !IsFloat(s.desc) && s.desc.bitsPerPixel <= 32;
    uint64_t key = 0;
    uint8_t keyPixel[16] = {0};
    if (packedKey) {
        key = Gfx_GetFormattedColor_32bit(source->format, keyColour);
    } else {
        // Wider formats: the colour as a pixel of the source's format.
        float rgba[4] = {keyColour.red, keyColour.green, keyColour.blue, keyColour.alpha};
        S_PixelView from, to;
        std::memset(&from, 0, sizeof(from));
        from.row0 = reinterpret_cast<uint8_t*>(rgba);
        from.width = from.height = 1;
        Gfx_GetFormatDesc(GFX_FMT_A32B32G32R32F, from.desc);
        to = from;
        to.row0 = keyPixel;
        to.desc = s.desc;
        Convert_Generic(from, to);
    }
    const Pixel_FetchFn fetch = Pixel_Fetcher(s.desc.bitsPerPixel);
    for (uint32_t y = 0; y < s.height; ++y) {
        const uint8_t* srow = s.Row(y);
        uint8_t* drow = d.Row(y);
        for (uint32_t x = 0; x < s.width; ++x) {
            const bool isKey = packedKey ? fetch(srow, x) == key
                                         : std::memcmp(srow + x * s.desc.bytesPerPixel, keyPixel,
                                                       s.desc.bytesPerPixel) == 0;
            if (integerPlane)
                store(drow, x, isKey ? 0 : opaqueLevel);
            else if (isKey)
                std::memset(drow + x * dstBytes, 0, dstBytes);
            else
                std::memcpy(drow + x * dstBytes, opaque, dstBytes);
        }
    }
    return true;
}
