// Pixel format codes, their descriptors, and packing a colour into a pixel.
//
// A pixel of B bits is one little-endian unsigned integer of B bits; a channel
// with shift s and width w occupies bits s..s+w-1 of it. Formats of fewer than
// 8 bits per pixel pack several pixels into a byte, the first pixel in the
// most significant bits. Channel slots are 0 red, 1 green, 2 blue, 3 alpha; a
// one-channel or indexed format keeps its channel in slot 0.
#pragma once

#include <cstdint>

class C_Color;

enum : int32_t {
    GFX_FMT_KEEP = -2,  // conversion argument only: keep the source's format
    GFX_FMT_NONE = -1,  // no format (empty image, no palette)

    // Indexed (palette of 256 entries in the image's palette format).
    GFX_FMT_PAL1 = 1,
    GFX_FMT_PAL2 = 2,
    GFX_FMT_PAL4 = 3,
    GFX_FMT_PAL8 = 4,
    // One channel.
    GFX_FMT_L1 = 5,
    GFX_FMT_L8 = 6,
    GFX_FMT_L16 = 7,
    GFX_FMT_L24 = 8,
    GFX_FMT_L32 = 9,
    GFX_FMT_L32F = 10,
    GFX_FMT_L64F = 11,
    // Packed integer RGB / RGBA, names listing channels from the top bits down.
    GFX_FMT_R3G3B2 = 12,
    GFX_FMT_R5G5B5 = 13,
    GFX_FMT_R5G6B5 = 14,
    GFX_FMT_R6G5B5 = 15,
    GFX_FMT_R5G5B6 = 16,
    GFX_FMT_R5G5B5A1 = 17,
    GFX_FMT_R4G4B4A4 = 18,
    GFX_FMT_A1R5G5B5 = 19,
    GFX_FMT_A4R4G4B4 = 20,
    GFX_FMT_R8G8B8 = 21,
    GFX_FMT_R16G16B16 = 22,
    GFX_FMT_R8G8B8A8 = 23,
    GFX_FMT_A8R8G8B8 = 24,
    GFX_FMT_R16G16B16A16 = 25,
    GFX_FMT_A16R16G16B16 = 26,
    // Codes 27..41 are 12..26 with red and blue exchanged.
    GFX_FMT_B3G3R2 = 27,
    GFX_FMT_B5G5R5 = 28,
    GFX_FMT_B5G6R5 = 29,
    GFX_FMT_B6G5R5 = 30,
    GFX_FMT_B5G5R6 = 31,
    GFX_FMT_B5G5R5A1 = 32,
    GFX_FMT_B4G4R4A4 = 33,
    GFX_FMT_A1B5G5R5 = 34,
    GFX_FMT_A4B4G4R4 = 35,
    GFX_FMT_B8G8R8 = 36,
    GFX_FMT_B16G16R16 = 37,
    GFX_FMT_B8G8R8A8 = 38,
    GFX_FMT_A8B8G8R8 = 39,
    GFX_FMT_B16G16R16A16 = 40,
    GFX_FMT_A16B16G16R16 = 41,
    // 32-bit float channels.
    GFX_FMT_R32G32B32F = 42,
    GFX_FMT_R32G32B32A32F = 43,
    GFX_FMT_A32R32G32B32F = 44,
    GFX_FMT_B32G32R32F = 45,
    GFX_FMT_B32G32R32A32F = 46,
    GFX_FMT_A32B32G32R32F = 47,

    GFX_FMT_FIRST = 1,
    GFX_FMT_LAST = 47,
};

// Channel slots of S_FormatDesc's arrays and of the channel operations.
enum : uint32_t {
    GFX_CHANNEL_RED = 0,
    GFX_CHANNEL_GREEN = 1,
    GFX_CHANNEL_BLUE = 2,
    GFX_CHANNEL_ALPHA = 3,
};

// S_FormatDesc::componentType
enum : uint8_t {
    GFX_COMPONENT_BIT = 1,     // one-bit pixels (PAL1, L1)
    GFX_COMPONENT_UINT = 2,    // unsigned integer channels
    GFX_COMPONENT_FLOAT = 3,   // 32-bit IEEE floats
    GFX_COMPONENT_DOUBLE = 4,  // 64-bit IEEE float (L64F)
};

struct S_FormatDesc {
    int32_t format;
    uint32_t shift[4];  // lowest bit of each channel; 0 when absent
    uint32_t mask[4];   // channel bits; only for integer formats of <= 32 bits per pixel, else 0
    uint32_t bits[4];   // channel width; 0 when absent
    uint32_t bitsPerPixel;  // 0 for GFX_FMT_KEEP and GFX_FMT_NONE
    uint8_t bytesPerPixel;  // bitsPerPixel / 8, or 1 below 8 bits
    uint8_t indexed;
    uint8_t componentType;
    uint8_t channelCount;
};

// Fills `desc` for codes 1..47 and returns true. For GFX_FMT_KEEP and
// GFX_FMT_NONE returns true with bitsPerPixel 0 (an image without pixels) and
// the remaining fields zeroed. Any other code: false, bitsPerPixel 0. Records
// no error; the caller reports the failure in its own words.
bool Gfx_GetFormatDesc(int32_t format, S_FormatDesc& desc);
inline bool Gfx_GetFormatDesc(int32_t format, S_FormatDesc* desc) {
    return desc != nullptr && Gfx_GetFormatDesc(format, *desc);
}

// The descriptor of codes 1..47 from a table built once, or null for any
// other code: for per-pixel callers that cannot afford to fill a copy.
const S_FormatDesc* Gfx_FindFormatDesc(int32_t format);

// The one-channel format that a channel of `format` is extracted into: L8 for
// packed formats of up to 32 bits, L16 for 48/64-bit ones, L32F for float
// ones; one-channel and indexed formats map to themselves. Invalid code:
// error 15 and 0.
int32_t Gfx_GetSingleChannelFormat(int32_t format);

// `colour` packed as one pixel value of `format`: each component (clamped to
// 0..1) scaled to 32 bits, its top bits[c] bits placed at shift[c]. Meant for
// integer formats of at most 32 bits per pixel; channels lying above bit 31
// contribute nothing. Invalid code: error 15 and 0.
uint32_t Gfx_GetFormattedColor_32bit(int32_t format, const C_Color& colour);
// The same for a descriptor already at hand; records nothing.
uint32_t Gfx_PackColor_32bit(const S_FormatDesc& desc, const C_Color& colour);
