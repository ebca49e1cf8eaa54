#include "plane_target.h"

#include <cstring>

#include "kernels/simd/simd_kernels.h"
#include "softblit/core/status.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"

namespace {

// Everything a target is made from: the same key gives the same target.
struct S_TargetKey {
    const C_Image* plane;
    const uint8_t* data;
    uint32_t width, height, pitch, dataSize;
    int32_t format;
    uint32_t bottomUp;
    float colour[4];
    int32_t clip[5];  // present, left, top, right, bottom
};

S_TargetKey Key_Of(const C_Image* plane, const C_Color& colour, const C_Frame* clip) {
    S_TargetKey k;
    std::memset(&k, 0, sizeof(k));
    k.plane = plane;
    k.data = plane->data;
    k.width = plane->width, k.height = plane->height, k.pitch = plane->pitch, k.dataSize = plane->dataSize;
    k.format = plane->format;
    k.bottomUp = plane->bottomUp;
    k.colour[0] = colour.red, k.colour[1] = colour.green, k.colour[2] = colour.blue, k.colour[3] = colour.alpha;
    if (clip) k.clip[0] = 1, k.clip[1] = clip->left, k.clip[2] = clip->top, k.clip[3] = clip->right, k.clip[4] = clip->bottom;
    return k;
}

uint32_t Bits(float v) {
    uint32_t b;
    std::memcpy(&b, &v, 4);
    return b;
}

// Field by field, straight from the caller's objects: building a second key
// to compare as a block would stall on reading back its own fresh stores.
bool Key_Matches(const S_TargetKey& k, const C_Image* plane, const C_Color& colour, const C_Frame* clip) {
    if (k.plane != plane || k.data != plane->data || k.width != plane->width || k.height != plane->height ||
        k.pitch != plane->pitch || k.dataSize != plane->dataSize || k.format != plane->format ||
        k.bottomUp != plane->bottomUp)
        return false;
    if (Bits(k.colour[0]) != Bits(colour.red) || Bits(k.colour[1]) != Bits(colour.green) ||
        Bits(k.colour[2]) != Bits(colour.blue) || Bits(k.colour[3]) != Bits(colour.alpha))
        return false;
    if (!clip) return k.clip[0] == 0;
    return k.clip[0] == 1 && k.clip[1] == clip->left && k.clip[2] == clip->top && k.clip[3] == clip->right &&
           k.clip[4] == clip->bottom;
}

bool Open_Target(C_Image* plane, const C_Color* colour, const C_Frame* clip, S_PlaneTarget& target) {
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
    target.colour = Gfx_PackColor_32bit(*desc, *colour);
    return true;
}

}  // namespace

const S_PlaneTarget* Prim_Target(C_Surface* destination, const C_Color* colour, const C_Frame* clip) {
    if (destination == nullptr || colour == nullptr) return nullptr;
    C_Image* plane = destination->GetPlaneImage(GFX_PLANE_COLOR);
    if (plane == nullptr) return nullptr;
    // Scenes draw many primitives into one plane in one colour: the last
    // target opened is reused while everything it was made from is the same
    // (colours by bit pattern, so a NaN component compares equal to itself).
    static S_TargetKey lastKey;
    static S_PlaneTarget last;
    static bool held = false;
    if (held && Key_Matches(lastKey, plane, *colour, clip)) return &last;
    held = false;
    if (!Open_Target(plane, colour, clip, last)) return nullptr;
    lastKey = Key_Of(plane, *colour, clip);
    held = true;
    return &last;
}

bool Prim_OpenTarget(C_Surface* destination, const C_Color* colour, const C_Frame* clip, S_PlaneTarget& target) {
    const S_PlaneTarget* t = Prim_Target(destination, colour, clip);
    if (t == nullptr) return false;
    target = *t;
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

void Prim_FillBlock(const S_PlaneTarget& target, int32_t y0, int32_t y1, int32_t x0, int32_t x1) {
    const intptr_t rowBytes = static_cast<intptr_t>(x1 - x0 + 1) * 4;
    // Whole rows of 32-bit pixels that follow each other in memory (either
    // row order) are one block: one fill instead of one per row.
    if (target.bytesPerPixel == 4 && (target.pitch == rowBytes || target.pitch == -rowBytes)) {
        const int32_t first = target.pitch > 0 ? y0 : y1;
        const size_t pixels = static_cast<size_t>(x1 - x0 + 1) * static_cast<size_t>(y1 - y0 + 1);
        return Simd_Fill32(target.Row(first) + static_cast<intptr_t>(x0) * 4, pixels, target.colour);
    }
    for (int32_t y = y0; y <= y1; ++y) Prim_FillSpan(target, y, x0, x1);
}
