// Fitting a source into a destination rectangle: stretch or repeat per axis.
#include <cmath>

#include "entry_common.h"
#include "softblit/surface/blit_image.h"

namespace {
bool Finite(const C_Rect& r) {
    return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.right) && std::isfinite(r.bottom);
}
}  // namespace

bool Gfx_Surface_BlitToRect(C_Surface* source, C_Surface* destination, const C_Rect* srcRect,
                            const C_Frame* clip, const C_Rect* destRect, const C_Vector2D* offset,
                            uint32_t spare, const S_BlitParams* params) {
    S_BlitParams p = params != nullptr ? *params : S_BlitParams();
    C_Image* srcImage = source != nullptr ? source->GetPlaneImage(GFX_PLANE_COLOR) : nullptr;
    C_Image* dstImage = destination != nullptr ? destination->GetPlaneImage(GFX_PLANE_COLOR) : nullptr;
    if (srcImage == nullptr || dstImage == nullptr || destRect == nullptr || !Finite(*destRect)) return false;
    const C_Rect& r = *destRect;
    const bool empty = srcImage->width == 0 || srcImage->height == 0;  // nothing to show
    const float srcW = static_cast<float>(srcImage->width), srcH = static_cast<float>(srcImage->height);

    switch (p.fitHorizontal | (p.fitVertical << 8)) {
        case GFX_FIT_STRETCH | (GFX_FIT_STRETCH << 8): {
            if (!(r.right > r.left) || !(r.bottom > r.top)) return false;
            if (empty) return true;
            const float ox = offset != nullptr ? offset->x : 0.0f, oy = offset != nullptr ? offset->y : 0.0f;
            if (!std::isfinite(ox) || !std::isfinite(oy)) return false;
            // The whole image onto the rectangle, turning about the anchored
            // point, which stays where it is in the rectangle; a mirrored image
            // keeps to the rectangle too.
            float ax, ay;
            Entry_Anchor<float>(p.hotspot.anchor, p.hotspot.x, p.hotspot.y, r.right - r.left, r.bottom - r.top, ax, ay);
            p.scale.Set((r.right - r.left) / srcW, (r.bottom - r.top) / srcH);
            p.hotspot = C_Vector2D(ax / p.scale.x, ay / p.scale.y, Entry_MirrorAnchor(p.flipHorizontal, p.flipVertical));
            const C_Vector2D at(r.left + ax + ox, r.top + ay + oy, MATH_ANCHOR_DEFAULT);
            const C_Frame frame = Entry_NarrowClip(clip, static_cast<double>(r.left) + ox, static_cast<double>(r.top) + oy,
                                           static_cast<double>(r.right) + ox, static_cast<double>(r.bottom) + oy,
                                           dstImage);
            if (frame.right <= frame.left) return true;  // the rectangle is out of sight
            return Gfx_Surface_BlitImage(source, destination, nullptr, &frame, &at, spare, &p);
        }
        case GFX_FIT_REPEAT | (GFX_FIT_STRETCH << 8):
            if (!(r.bottom > r.top)) return false;
            if (empty) return true;
            p.scale.y = std::fmax((r.bottom - r.top) / srcH, 1.0f / srcH);
            return Gfx_Surface_BlitTiled(source, destination, srcRect, clip, destRect, offset, spare, &p);
        case GFX_FIT_STRETCH | (GFX_FIT_REPEAT << 8):
            if (!(r.right > r.left)) return false;
            if (empty) return true;
            p.scale.x = std::fmax((r.right - r.left) / srcW, 1.0f / srcW);
            return Gfx_Surface_BlitTiled(source, destination, srcRect, clip, destRect, offset, spare, &p);
        case GFX_FIT_REPEAT | (GFX_FIT_REPEAT << 8):
            return Gfx_Surface_BlitTiled(source, destination, srcRect, clip, destRect, offset, spare, &p);
        default:
            return false;
    }
}
