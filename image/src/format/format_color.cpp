// Format helpers built on the descriptor table.
#include "image_internal.h"
#include "softblit/core/status.h"
#include "softblit/image/format.h"
#include "softblit/math/color.h"

int32_t Gfx_GetSingleChannelFormat(int32_t format) {
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(format, desc)) {
        Err_Fail(ERR_FORMAT, "Gfx_GetSingleChannelFormat{newFormat}", "Gfx_GetSingleChannelFormat");
        return 0;
    }
    if (desc.channelCount == 3) {
        switch (desc.bitsPerPixel) {
            case 8: case 16: case 24: return GFX_FMT_L8;
            case 48: return GFX_FMT_L16;
            case 96: return GFX_FMT_L32F;
            default: break;
        }
    } else if (desc.channelCount == 4) {
        switch (desc.bitsPerPixel) {
            case 16: case 32: return GFX_FMT_L8;
            case 64: return GFX_FMT_L16;
            case 128: return GFX_FMT_L32F;
            default: break;
        }
    }
    return format;
}

uint32_t Gfx_GetFormattedColor_32bit(int32_t format, const C_Color& colour) {
    const S_FormatDesc* desc = Gfx_FindFormatDesc(format);
    if (!desc) {
        Err_Fail(ERR_FORMAT, "Gfx_GetFormattedColor_32bit{pFormat}", "Gfx_GetFormattedColor_32bit");
        return 0;
    }
    return Gfx_PackColor_32bit(*desc, colour);
}

uint32_t Gfx_PackColor_32bit(const S_FormatDesc& desc, const C_Color& colour) {
    const float components[4] = {colour.red, colour.green, colour.blue, colour.alpha};
    uint32_t value = 0;
    for (int c = 0; c < 4; ++c) {
        const uint32_t bits = desc.bits[c];
        // Channels that do not lie within the low 32 bits cannot be packed here.
        if (bits == 0 || bits > 32 || desc.shift[c] + bits > 32) continue;
        const uint32_t top = static_cast<uint32_t>(
            static_cast<uint64_t>(Gfx_ComponentTo32(components[c])) >> (32 - bits));
        value |= top << desc.shift[c];
    }
    return value;
}
