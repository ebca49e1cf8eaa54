// Hotspot, mirroring and wrap copies on top of the blit engine.
#include "entry_common.h"
#include "softblit/core/status.h"
#include "softblit/surface/blit_image.h"
#include "softblit/surface/blit_kernel.h"

namespace {
// Where the copies of a wrapped blit go, in clip-frame widths and heights.
struct S_WrapStep {
    int8_t dx, dy;
};
constexpr S_WrapStep kWrapBoth[] = {{1, 0}, {-1, 0}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {0, -1}, {0, 1}};
constexpr S_WrapStep kWrapHorizontal[] = {{1, 0}, {-1, 0}};
constexpr S_WrapStep kWrapVertical[] = {{0, -1}, {0, 1}};
}  // namespace

bool Gfx_Surface_BlitImage(C_Surface* source, C_Surface* destination, const C_Rect* srcRect,
                           const C_Frame* clip, const C_Vector2D* position, uint32_t spare,
                           const S_BlitParams* params) {
    C_Image* dstImage = destination != nullptr ? destination->GetPlaneImage(GFX_PLANE_COLOR) : nullptr;
    C_Image* srcImage = Entry_SourceImage(source);
    if (dstImage == nullptr || srcImage == nullptr) return false;
    if (position == nullptr)
        return Err_Fail(ERR_MISSING, "Gfx_Surface_BlitImage{position}", "Gfx_Surface_BlitImage");
    C_Blit_Kernel& engine = Gfx_BlitKernel;

    if (params == nullptr) return engine.Blit_Fixed(source, destination, srcRect, clip, position, spare, nullptr);

    const S_BlitParams& p = *params;
    if (!p.flipVertical && !p.flipHorizontal && !p.wrapHorizontal && !p.wrapVertical &&
        p.hotspot.anchor == MATH_ANCHOR_DEFAULT) {
        const C_Vector2D offset = GetRotated(C_Vector2D(-p.hotspot.x * p.scale.x, -p.hotspot.y * p.scale.y), p.angle);
        const C_Vector2D at(position->x + offset.x, position->y + offset.y, position->anchor);
        return engine.Blit_Fixed(source, destination, srcRect, clip, &at, spare, params);
    }

    // The copies of a wrapped blit repeat with the size of the clip frame as
    // the engine sees it: cut to the destination.
    int64_t cl = 0, ct = 0, cr = dstImage->width, cb = dstImage->height;
    if (clip != nullptr) {
        if (clip->left > cl) cl = clip->left;
        if (clip->top > ct) ct = clip->top;
        if (clip->right < cr) cr = clip->right;
        if (clip->bottom < cb) cb = clip->bottom;
    }
    const float W = static_cast<float>(cr - cl), H = static_cast<float>(cb - ct);

    // The pivot moves with a mirrored image.
    const C_Rect box = Entry_SourceBox(srcRect, srcImage);
    const float boxW = box.right - box.left, boxH = box.bottom - box.top;
    float hx, hy;
    Entry_Anchor<float>(p.hotspot.anchor, p.hotspot.x, p.hotspot.y, boxW, boxH, hx, hy);
    if (p.flipHorizontal) hx = boxW - hx;
    if (p.flipVertical) hy = boxH - hy;
    const C_Vector2D offset = GetRotated(C_Vector2D(-hx * p.scale.x, -hy * p.scale.y), p.angle);
    const float x = position->x + offset.x, y = position->y + offset.y;

    C_Vector2D at(x, y, position->anchor);
    bool ok = engine.Blit_Fixed(source, destination, srcRect, clip, &at, spare, params);

    const S_WrapStep* steps = nullptr;
    size_t count = 0;
    if (p.wrapHorizontal && p.wrapVertical) {
        steps = kWrapBoth;
        count = sizeof(kWrapBoth) / sizeof(kWrapBoth[0]);
    } else if (p.wrapHorizontal) {
        steps = kWrapHorizontal;
        count = 2;
    } else if (p.wrapVertical) {
        steps = kWrapVertical;
        count = 2;
    }
    for (size_t i = 0; i < count; ++i) {
        at.Set(x + steps[i].dx * W, y + steps[i].dy * H);
        ok = engine.Blit_Fixed(source, destination, srcRect, clip, &at, spare, params) && ok;
    }
    return ok;
}
