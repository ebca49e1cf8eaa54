// Blit_Fixed: validates the planes, turns the parameter record into the span
// record and the walk geometry, chooses the kernel and runs one walk.
#include <cmath>

#include "blit/blit_walk.h"
#include "blit/quad.h"
#include "kernels/simd/simd_kernels.h"
#include "softblit/core/status.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"
#include "softblit/surface/blit_kernel.h"

namespace {

const char kPlace[] = "C_Blit_Kernel::Blit_Fixed";
const char kBadSource[] = "C_Blit_Kernel::Blit_Fixed{ImageSrc->format}";
const char kBadDestination[] = "C_Blit_Kernel::Blit_Fixed{ImageDst->format}";

// The parameter record reduced to what the engine reads.
struct S_Options {
    float scaleX = 1.0f, scaleY = 1.0f, angle = 0.0f, opacity = 1.0f;
    bool flipHorizontal = false, flipVertical = false, filter = false;
    bool useKey = false, useFill = false, useBrightness = false, useContrast = false;
    const C_Color* key = nullptr;
    const C_Color* fill = nullptr;
    const C_Color* brightness = nullptr;
    const C_Color* contrast = nullptr;
};

S_Options Options_From(const S_BlitParams* p) {
    S_Options o;
    if (!p) return o;
    o.scaleX = p->scale.x;
    o.scaleY = p->scale.y;
    o.angle = p->angle;
    o.opacity = p->opacity;
    o.flipHorizontal = p->flipHorizontal != 0;
    o.flipVertical = p->flipVertical != 0;
    o.filter = p->filter != 0;
    o.useKey = p->useKeyColor != 0;
    o.useFill = p->useFillColor != 0;
    o.useBrightness = p->useBrightness != 0;
    o.useContrast = p->useContrast != 0;
    o.key = &p->keyColor;
    o.fill = &p->fillColor;
    o.brightness = &p->brightness;
    o.contrast = &p->contrast;
    return o;
}

C_Image* Source_Plane(const C_Surface* surface, uint32_t id, bool displayBlit) {
    if (!surface) return nullptr;
    if (!displayBlit) return surface->GetPlaneImage(id);
    const C_SurfacePlane* plane = surface->GetPlane(id);
    return plane ? plane->displayCopy : nullptr;
}

// Colour planes blend 8-bit red, green and blue inside 32-bit words.
bool Format_IsBlendable(const S_FormatDesc& d) {
    return d.bitsPerPixel == 32 && d.componentType == GFX_COMPONENT_UINT && d.bits[0] == 8 && d.bits[1] == 8 &&
           d.bits[2] == 8;
}

// True when every row of the image lies inside its buffer.
bool Plane_Fits(const C_Image* image, uint32_t bytesPerPixel) {
    if (image->width == 0 || image->height == 0) return true;
    if (!image->data) return false;
    const uint64_t row = uint64_t(image->width) * bytesPerPixel;
    return image->pitch >= row && uint64_t(image->pitch) * (image->height - 1) + row <= image->dataSize;
}

bool Alpha_Is8Bit(const C_Image* alpha) { return alpha && alpha->bitsPerPixel == 8; }

// An alpha plane must cover its colour plane and, when it is read, lie inside
// its buffer.
bool Alpha_Fits(const C_Image* alpha, const C_Image* colour) {
    if (!alpha) return true;
    if (colour && (alpha->width < colour->width || alpha->height < colour->height)) return false;
    return !Alpha_Is8Bit(alpha) || Plane_Fits(alpha, 1);
}

// Logical row 0 of a plane and the signed step to the next row.
uint8_t* Plane_Origin(const C_Image* image, intptr_t& pitch) {
    pitch = 0;
    if (!image || !image->data || image->height == 0) return nullptr;
    pitch = intptr_t(image->pitch);
    if (!image->bottomUp) return image->data;
    uint8_t* last = image->data + intptr_t(image->height - 1) * pitch;
    pitch = -pitch;
    return last;
}

int32_t Factor_From(float component, int32_t limit) {
    const double v = double(component) * 256.0;
    if (!(v == v)) return 0;
    if (v > limit) return limit;
    if (v < -limit) return -limit;
    return int32_t(v);
}

bool IsFinite(float v) { return std::isfinite(v); }

// The clip frame cut to the destination; false when nothing is left.
bool Geometry_Clip(S_BlitGeometry& g, const C_Image* dst, const C_Frame* frame) {
    g.clipLeft = 0;
    g.clipTop = 0;
    g.clipRight = dst->width > uint32_t(INT32_MAX) ? INT32_MAX : int32_t(dst->width);
    g.clipBottom = dst->height > uint32_t(INT32_MAX) ? INT32_MAX : int32_t(dst->height);
    if (frame) {
        if (frame->left > g.clipLeft) g.clipLeft = frame->left;
        if (frame->top > g.clipTop) g.clipTop = frame->top;
        if (frame->right < g.clipRight) g.clipRight = frame->right;
        if (frame->bottom < g.clipBottom) g.clipBottom = frame->bottom;
    }
    return g.clipLeft < g.clipRight && g.clipTop < g.clipBottom;
}

// The float source box inside the image; false when it is empty. A given
// rectangle reaches 0.001 further so that a right edge computed as 9.9995
// still takes column 9.
bool Geometry_SourceBox(S_BlitGeometry& g, const C_Image* src, const C_Rect* rect) {
    const float width = float(src->width), height = float(src->height);
    g.boxLeft = 0.0f;
    g.boxTop = 0.0f;
    g.boxRight = width;
    g.boxBottom = height;
    if (rect) {
        const float l = rect->left, t = rect->top;
        const float r = rect->right + 0.001f, b = rect->bottom + 0.001f;
        if (!IsFinite(l) || !IsFinite(t) || !IsFinite(r) || !IsFinite(b)) return false;
        g.boxLeft = l < 0.0f ? 0.0f : l;
        g.boxTop = t < 0.0f ? 0.0f : t;
        g.boxRight = r > width ? width : r;
        g.boxBottom = b > height ? height : b;
    }
    return g.boxLeft < g.boxRight && g.boxTop < g.boxBottom;
}

// The position measured from the clip frame's edges as its anchor byte says;
// false when it is not finite.
bool Geometry_Anchor(S_BlitGeometry& g, const C_Vector2D& pos) {
    const float clipW = float(g.clipRight - g.clipLeft), clipH = float(g.clipBottom - g.clipTop);
    switch (pos.anchor & 0x0F) {
        case 1: g.px = float(g.clipRight) - pos.x; break;
        case 2: g.px = float(g.clipLeft) + clipW / 2.0f + pos.x; break;
        default: g.px = pos.x; break;
    }
    switch (pos.anchor & 0xF0) {
        case 0x20: g.py = float(g.clipBottom) - pos.y; break;
        case 0x30: g.py = float(g.clipTop) + clipH / 2.0f + pos.y; break;
        default: g.py = pos.y; break;
    }
    return IsFinite(g.px) && IsFinite(g.py);
}

// Whether the placed image can touch the clip frame: the integer rectangle
// (sizes truncated after scaling) or the rotated outline's bounding box.
bool Geometry_Visible(E_BlitMode mode, const S_BlitGeometry& g, const S_BlitSpan& s) {
    if (mode == BLIT_ROTATED) {
        float corner[4][2];
        Quad_Corners(g, corner);
        float minX = corner[0][0], maxX = minX, minY = corner[0][1], maxY = minY;
        for (const float* p : corner) {
            minX = p[0] < minX ? p[0] : minX;
            maxX = p[0] > maxX ? p[0] : maxX;
            minY = p[1] < minY ? p[1] : minY;
            maxY = p[1] > maxY ? p[1] : maxY;
        }
        return double(g.clipLeft) <= maxX && double(g.clipTop) <= maxY && minX <= double(g.clipRight) &&
               minY <= double(g.clipBottom);
    }
    const double w = g.boxRight - g.boxLeft, h = g.boxBottom - g.boxTop;
    const int64_t sw = mode == BLIT_UNSCALED ? s.boxRight - s.boxLeft : Blit_TruncWide(w * g.scaleX);
    const int64_t sh = mode == BLIT_UNSCALED ? s.boxBottom - s.boxTop : Blit_TruncWide(h * g.scaleY);
    const int64_t x = Blit_FloorWide(g.px), y = Blit_FloorWide(g.py);
    return g.clipLeft <= x + sw && g.clipTop <= y + sh && x <= g.clipRight && y <= g.clipBottom;
}

}  // namespace

bool C_Blit_Kernel::Blit_Fixed(C_Surface* source, C_Surface* destination, const C_Rect* sourceRect,
                               const C_Frame* clipFrame, const C_Vector2D* position, uint32_t spare,
                               const S_BlitParams* params) {
    (void)spare;
    C_Image* dstColour = destination ? destination->GetPlaneImage(GFX_PLANE_COLOR) : nullptr;
    C_Image* dstAlpha = destination ? destination->GetPlaneImage(GFX_PLANE_ALPHA) : nullptr;
    C_Image* srcColour = Source_Plane(source, GFX_PLANE_COLOR, displayBlit != 0);
    C_Image* srcAlpha = Source_Plane(source, GFX_PLANE_ALPHA, displayBlit != 0);
    S_Options o = Options_From(params);
    if (!dstColour) return false;

    // Formats and plane shapes are checked before anything is drawn or sized.
    S_FormatDesc srcDesc, dstDesc;
    if (srcColour) {
        if (!Gfx_GetFormatDesc(srcColour->format, srcDesc) || !Format_IsBlendable(srcDesc))
            return Err_Fail(ERR_FORMAT, kBadSource, kPlace);
    } else if (srcAlpha) {
        if (!Gfx_GetFormatDesc(dstColour->format, srcDesc)) return Err_Fail(ERR_FORMAT, kBadSource, kPlace);
        o.useFill = true;  // glyph pages draw the fill colour through their coverage
        o.useKey = false;  // no source colours that a key could match
    } else {
        return false;
    }
    if (!Gfx_GetFormatDesc(dstColour->format, dstDesc) || !Format_IsBlendable(dstDesc))
        return Err_Fail(ERR_FORMAT, kBadDestination, kPlace);
    if (!Alpha_Fits(srcAlpha, srcColour)) return Err_Fail(ERR_FORMAT, kBadSource, kPlace);
    if (!Alpha_Fits(dstAlpha, dstColour)) return Err_Fail(ERR_FORMAT, kBadDestination, kPlace);
    if (srcColour && !Plane_Fits(srcColour, 4))
        return Err_Fail(ERR_MISSING, "C_Blit_Kernel::Blit_Fixed{ImageSrc->data}", kPlace);
    if (!Plane_Fits(dstColour, 4))
        return Err_Fail(ERR_MISSING, "C_Blit_Kernel::Blit_Fixed{ImageDst->data}", kPlace);
    const C_Image* srcImage = srcColour ? srcColour : srcAlpha;

    // Degenerate geometry and opacity draw nothing.
    const C_Vector2D origin;
    const C_Vector2D& pos = position ? *position : origin;
    if (!IsFinite(pos.x) || !IsFinite(pos.y) || !IsFinite(o.angle)) return true;
    if (!IsFinite(o.scaleX) || !IsFinite(o.scaleY) || o.scaleX == 0.0f || o.scaleY == 0.0f) return true;
    if (!(o.opacity > 0.0f)) return true;

    S_BlitGeometry g;
    if (!Geometry_Clip(g, dstColour, clipFrame)) return true;
    if (!Geometry_SourceBox(g, srcImage, sourceRect)) return true;
    if (!Geometry_Anchor(g, pos)) return true;
    g.scaleX = o.scaleX;
    g.scaleY = o.scaleY;
    g.angle = o.angle;
    g.flipHorizontal = o.flipHorizontal;
    g.flipVertical = o.flipVertical;

    S_BlitSpan s;
    s.boxLeft = int32_t(g.boxLeft);
    s.boxTop = int32_t(g.boxTop);
    // The float box can end past the image (a height of 2^24 + 3 becomes
    // 2^24 + 4 as a float); cells are read through these integer bounds.
    s.boxRight = int32_t(g.boxRight);
    s.boxBottom = int32_t(g.boxBottom);
    if (int64_t(s.boxRight) > int64_t(srcImage->width)) s.boxRight = int32_t(srcImage->width);
    if (int64_t(s.boxBottom) > int64_t(srcImage->height)) s.boxBottom = int32_t(srcImage->height);
    const E_BlitMode mode = o.angle != 0.0f ? BLIT_ROTATED
                            : (o.scaleX == 1.0f && o.scaleY == 1.0f) ? BLIT_UNSCALED
                                                                      : BLIT_SCALED;
    if (!Geometry_Visible(mode, g, s)) return true;

    // Addressing: every plane by its own row order.
    s.srcOrigin = Plane_Origin(srcColour, s.srcPitch);
    s.srcAlphaOrigin = Plane_Origin(Alpha_Is8Bit(srcAlpha) ? srcAlpha : nullptr, s.srcAlphaPitch);
    g.dstOrigin = Plane_Origin(dstColour, g.dstPitch);
    g.dstAlphaOrigin = Plane_Origin(Alpha_Is8Bit(dstAlpha) ? dstAlpha : nullptr, g.dstAlphaPitch);
    s.srcWidth = int32_t(srcImage->width);
    s.srcHeight = int32_t(srcImage->height);
    for (int ch = 0; ch < 3; ++ch) {
        s.srcShift[ch] = srcDesc.shift[ch];
        s.dstShift[ch] = dstDesc.shift[ch];
    }

    // Opacity, colours and effect factors. Factors saturate where larger
    // values could no longer change a clamped channel.
    const bool belowOne = o.opacity < 1.0f;
    s.opacity = o.opacity >= 256.0f ? 65536 : int32_t(o.opacity * 256.0f);
    s.key = o.useKey ? Gfx_GetFormattedColor_32bit(srcDesc.format, *o.key) : 0;
    s.fill = o.useFill && o.fill ? Gfx_GetFormattedColor_32bit(srcDesc.format, *o.fill) : 0;
    const C_Color none;
    const C_Color& bright = o.useBrightness ? *o.brightness : none;
    const C_Color& contrast = o.useContrast ? *o.contrast : none;
    const float brightRGB[3] = {bright.red, bright.green, bright.blue};
    const float contrastRGB[3] = {contrast.red, contrast.green, contrast.blue};
    for (int ch = 0; ch < 3; ++ch) s.fillChannel[ch] = int32_t((s.fill >> srcDesc.shift[ch]) & 255);

    // Kernel choice.
    const bool effects = (o.filter && mode != BLIT_UNSCALED) || o.useBrightness || o.useContrast;
    if (effects && !o.useFill) {
        for (int ch = 0; ch < 3; ++ch) {
            const int32_t brightness = Factor_From(brightRGB[ch], 1 << 24);
            const int32_t contrast = Factor_From(contrastRGB[ch], 65536);
            for (int32_t level = 0; level < 256; ++level) {
                int32_t x = level;
                if (o.useContrast) x = (((x - 128) * contrast) >> 8) + 128;
                if (o.useBrightness) x += brightness;
                s.tone[ch][level] = uint8_t(x < 0 ? 0 : (x > 255 ? 255 : x));
            }
        }
    }
    // The rotated walk traces its outline into the edge tables; tables that
    // cannot grow must fail the blit, not leave it undrawn.
    if (mode == BLIT_ROTATED && !ReserveEdges(g.clipBottom)) {
        Err_Fatal("C_Blit_Kernel::Blit_Fixed");
        return false;
    }
    const bool alphaNeeded = belowOne || srcAlpha || dstAlpha;
    const E_BlitFamily family = effects ? BLIT_EFFECTS : alphaNeeded ? BLIT_BLEND : BLIT_PLAIN;
    uint32_t options = 0;
    if (o.flipHorizontal && mode == BLIT_UNSCALED) options |= SPAN_MIRROR;
    if (o.useFill) options |= SPAN_FILL;
    if (o.useKey) options |= SPAN_KEY;
    if (s.srcAlphaOrigin) options |= SPAN_SRC_ALPHA;
    if (g.dstAlphaOrigin) options |= SPAN_DST_ALPHA;
    if (s.opacity == 256) options |= SPAN_OPAQUE;
    if (o.filter && mode != BLIT_UNSCALED) options |= SPAN_BILINEAR;
    const T_SpanKernel kernel = Kernel_ChooseFast(mode, family, options, s);

    if (mode == BLIT_UNSCALED) Walk_Unscaled(s, kernel, g);
    else if (mode == BLIT_SCALED) Walk_Scaled(s, kernel, g);
    else Walk_Rotated(*this, s, kernel, g);
    return true;
}
