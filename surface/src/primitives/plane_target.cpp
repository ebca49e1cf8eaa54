#include "plane_target.h"

#include "softblit/core/status.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"

bool Prim_OpenTarget(C_Surface* destination, const C_Color* colour, const C_Frame* clip,
                     S_PlaneTarget& target) {
    if (destination == nullptr || colour == nullptr) return false;
    C_Image* plane = destination->GetPlaneImage(GFX_PLANE_COLOR);
    if (plane == nullptr) return false;

    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(plane->format, desc) || desc.componentType != GFX_COMPONENT_UINT ||
        (desc.bitsPerPixel != 8 && desc.bitsPerPixel != 16 && desc.bitsPerPixel != 24 &&
         desc.bitsPerPixel != 32))
        return Err_Fail(ERR_FORMAT, "Gfx_Surface_Blit{ImageDst->format}", "Gfx_Surface_Blit");

    const uint32_t bpp = desc.bytesPerPixel;
    // A buffer that cannot hold its rows is never written.
    const uint64_t needed = plane->height == 0 ? 0
                          : static_cast<uint64_t>(plane->pitch) * (plane->height - 1) +
                                static_cast<uint64_t>(plane->width) * bpp;
    if (plane->height != 0 && plane->width != 0 &&
        (plane->data == nullptr || plane->pitch < static_cast<uint64_t>(plane->width) * bpp ||
         plane->dataSize < needed))
        return Err_Fail(ERR_MISSING, "Gfx_Surface_Blit{ImageDst->data}", "Gfx_Surface_Blit");

    int64_t l = 0, t = 0, r = plane->width, b = plane->height;
    if (clip != nullptr) {
        if (clip->left > l) l = clip->left;
        if (clip->top > t) t = clip->top;
        if (clip->right < r) r = clip->right;
        if (clip->bottom < b) b = clip->bottom;
    }
    if (l >= r || t >= b) l = t = r = b = 0;
    target.left = static_cast<int32_t>(l);
    target.top = static_cast<int32_t>(t);
    target.right = static_cast<int32_t>(r);
    target.bottom = static_cast<int32_t>(b);
    target.bytesPerPixel = bpp;
    target.pitch = plane->bottomUp ? -static_cast<intptr_t>(plane->pitch) : static_cast<intptr_t>(plane->pitch);
    target.row0 = plane->data;
    if (plane->bottomUp && plane->height != 0 && plane->data != nullptr)
        target.row0 = plane->data + static_cast<uintptr_t>(plane->height - 1) * plane->pitch;
    target.colour = Gfx_GetFormattedColor_32bit(plane->format, *colour);
    return true;
}

void Prim_FillSpan(const S_PlaneTarget& target, int32_t y, int32_t x0, int32_t x1) {
    const uint32_t n = target.bytesPerPixel;
    uint8_t* p = target.Row(y) + static_cast<intptr_t>(x0) * n;
    const uint32_t bytes = static_cast<uint32_t>(x1 - x0 + 1) * n;
    switch (n) {
        case 1: Mem_Set8(p, bytes, static_cast<uint8_t>(target.colour)); break;
        case 2: Mem_Set16(p, bytes, static_cast<uint16_t>(target.colour)); break;
        case 3: Mem_Set24(p, bytes, target.colour); break;
        default: Mem_Set32(p, bytes, target.colour); break;
    }
}
