#include "plane_target.h"

#include <cstring>

#include "kernels/simd/simd_kernels.h"
#include "softblit/core/status.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"

namespace {

// The last colour packed and its value: scenes draw many primitives in one
// colour, and packing converts four floats.
struct S_PackedCache {
    const S_FormatDesc* desc = nullptr;
    float colour[4] = {};
    uint32_t packed = 0;
};

uint32_t Pack_Cached(const S_FormatDesc& desc, const C_Color& colour) {
    static S_PackedCache cache;
    const float c[4] = {colour.red, colour.green, colour.blue, colour.alpha};
    // Bit patterns, so that a NaN component compares equal to itself.
    if (cache.desc != &desc || std::memcmp(cache.colour, c, sizeof(c)) != 0) {
        cache.packed = Gfx_PackColor_32bit(desc, colour);
        std::memcpy(cache.colour, c, sizeof(c));
        cache.desc = &desc;
    }
    return cache.packed;
}

}  // namespace

bool Prim_OpenTarget(C_Surface* destination, const C_Color* colour, const C_Frame* clip,
                     S_PlaneTarget& target) {
    if (destination == nullptr || colour == nullptr) return false;
    C_Image* plane = destination->GetPlaneImage(GFX_PLANE_COLOR);
    if (plane == nullptr) return false;

    const S_FormatDesc* desc = Gfx_FindFormatDesc(plane->format);
    if (desc == nullptr || desc->componentType != GFX_COMPONENT_UINT ||
        (desc->bitsPerPixel != 8 && desc->bitsPerPixel != 16 && desc->bitsPerPixel != 24 &&
         desc->bitsPerPixel != 32))
        return Err_Fail(ERR_FORMAT, "Gfx_Surface_Blit{ImageDst->format}", "Gfx_Surface_Blit");

    const uint32_t bpp = desc->bytesPerPixel;
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
    target.colour = Pack_Cached(*desc, *colour);
    return true;
}

void Prim_FillSpan(const S_PlaneTarget& target, int32_t y, int32_t x0, int32_t x1) {
    const uint32_t n = target.bytesPerPixel;
    uint8_t* p = target.Row(y) + static_cast<intptr_t>(x0) * n;
    const uint32_t count = static_cast<uint32_t>(x1 - x0 + 1);
    switch (n) {
        case 1: Mem_Set8(p, count, static_cast<uint8_t>(target.colour)); break;
        case 2: Mem_Set16(p, count * 2, static_cast<uint16_t>(target.colour)); break;
        case 3: Mem_Set24(p, count * 3, target.colour); break;
        default: Simd_Fill32(p, count, target.colour); break;
    }
}

constexpr size_t kStringBlock = 64 << 10;

void Prim_FillBlock(const S_PlaneTarget& target, int32_t y0, int32_t y1, int32_t x0, int32_t x1) {
    const intptr_t rowBytes = static_cast<intptr_t>(x1 - x0 + 1) * 4;
    // Whole rows of 32-bit pixels that follow each other in memory (either
    // row order) are one block: one fill instead of one per row.
    if (target.bytesPerPixel == 4 && (target.pitch == rowBytes || target.pitch == -rowBytes)) {
        const int32_t first = target.pitch > 0 ? y0 : y1;
        const size_t pixels = static_cast<size_t>(x1 - x0 + 1) * static_cast<size_t>(y1 - y0 + 1);
        uint8_t* p = target.Row(first) + static_cast<intptr_t>(x0) * 4;
        // Large blocks: the string store writes whole cache lines without
        // reading them first.
        if (pixels * 4 >= kStringBlock && pixels * 4 <= UINT32_MAX)
            return (void)Mem_Set32(p, static_cast<uint32_t>(pixels * 4), target.colour);
        return Simd_Fill32(p, pixels, target.colour);
    }
    for (int32_t y = y0; y <= y1; ++y) Prim_FillSpan(target, y, x0, x1);
}
