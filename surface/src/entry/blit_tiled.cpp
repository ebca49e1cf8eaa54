// Repeat fill: a grid of whole tiles, each clipped to the rectangle, so every
// cell shows what a whole tile shows there, cut cells at the edges included.
#include <cmath>

#include "entry_common.h"
#include "softblit/math/scalar.h"
#include "softblit/surface/blit_image.h"

namespace {
constexpr double kReach = 4503599627370496.0;  // 2^52
constexpr double kFarTile = 17179869184.0;     // 2^34

bool Finite(float a, float b) { return std::isfinite(a) && std::isfinite(b); }

// The rotation of the vectors, with sine and cosine rounded to floats as the
// vector rotation does, but applied in double: tile positions far from the
// pivot keep their pixel precision.
struct S_Turn {
    double c, s;
    explicit S_Turn(float degrees) {
        const double a = static_cast<double>(degrees) * 3.141592653589793 / 180.0;
        c = static_cast<float>(std::cos(a));
        s = static_cast<float>(std::sin(a));
    }
    // Turns (x, y) about (px, py).
    void About(double px, double py, double& x, double& y) const {
        const double dx = x - px, dy = y - py;
        x = px + (c * dx - s * dy);
        y = py + (c * dy + s * dx);
    }
};

// Scroll offsets are measured like anchored points, except that the centre
// and middle cases halve the size plus 0.01.
void AnchorScroll(const C_Vector2D& scroll, double w, double h, double& sx, double& sy) {
    const double cw = (scroll.anchor & 0x0F) == 2 ? w + 0.01 : w;
    const double ch = (scroll.anchor & 0xF0) == 0x30 ? h + 0.01 : h;
    Entry_Anchor<double>(scroll.anchor, scroll.x, scroll.y, cw, ch, sx, sy);
}
}  // namespace

bool Gfx_Surface_BlitTiled(C_Surface* source, C_Surface* destination, const C_Rect* srcRect,
                           const C_Frame* clip, const C_Rect* destRect, const C_Vector2D* offset,
                           uint32_t spare, const S_BlitParams* params) {
    const S_BlitParams defaults;
    const S_BlitParams& p = params != nullptr ? *params : defaults;
    C_Image* srcImage = source != nullptr ? source->GetPlaneImage(GFX_PLANE_COLOR) : nullptr;
    C_Image* dstImage = destination != nullptr ? destination->GetPlaneImage(GFX_PLANE_COLOR) : nullptr;
    if (srcImage == nullptr || dstImage == nullptr || destRect == nullptr) return false;
    const float ox = offset != nullptr ? offset->x : 0.0f, oy = offset != nullptr ? offset->y : 0.0f;
    if (!Finite(destRect->left, destRect->top) || !Finite(destRect->right, destRect->bottom) ||
        !Finite(ox, oy) || !Finite(p.scale.x, p.scale.y) || !Finite(p.scroll.x, p.scroll.y) ||
        !std::isfinite(p.angle))
        return false;

    // The rectangle, moved by the offset.
    const double L = static_cast<double>(destRect->left) + ox, T = static_cast<double>(destRect->top) + oy;
    const double R = static_cast<double>(destRect->right) + ox, B = static_cast<double>(destRect->bottom) + oy;
    if (!(R > L) || !(B > T)) return false;
    const double W = R - L, H = B - T;

    const C_Rect box = Entry_SourceBox(srcRect, srcImage);
    const double tw = std::trunc(static_cast<double>((box.right - box.left) * p.scale.x));
    const double th = std::trunc(static_cast<double>((box.bottom - box.top) * p.scale.y));
    if (!(tw >= 1.0 && tw <= 2147483647.0 && th >= 1.0 && th <= 2147483647.0)) return false;

    double ax, ay, sx, sy;
    Entry_Anchor<double>(p.hotspot.anchor, p.hotspot.x, p.hotspot.y, W, H, ax, ay);
    AnchorScroll(p.scroll, W, H, sx, sy);
    sx = Math_Wrap(sx, tw);
    sy = Math_Wrap(sy, th);
    const double px = L + ax, py = T + ay;  // the grid turns about this point

    const C_Frame frame = Entry_NarrowClip(clip, L, T, R, B, dstImage);
    if (frame.right <= frame.left) return true;  // out of sight

    // One corner of the grid, (L + sx, T + sy), moved by whole tiles to near
    // the frame. fmod is exact, so a rectangle that starts a long way off keeps
    // its grid to the pixel.
    const double gx = frame.left + std::fmod(std::fmod(L, tw) + sx - frame.left, tw);
    const double gy = frame.top + std::fmod(std::fmod(T, th) + sy - frame.top, th);

    // Cells that can reach the frame: its corners taken back into the grid's
    // own (unturned) space, with one cell to spare on each side.
    const S_Turn turn(p.angle), back(-p.angle);
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    const double corners[4][2] = {{double(frame.left), double(frame.top)}, {double(frame.right), double(frame.top)},
                                  {double(frame.left), double(frame.bottom)}, {double(frame.right), double(frame.bottom)}};
    for (int k = 0; k < 4; ++k) {
        double x = corners[k][0], y = corners[k][1];
        if (p.angle != 0.0f) back.About(px, py, x, y);
        if (k == 0 || x < minX) minX = x;
        if (k == 0 || x > maxX) maxX = x;
        if (k == 0 || y < minY) minY = y;
        if (k == 0 || y > maxY) maxY = y;
    }
    const double ci0 = std::floor((minX - gx) / tw) - 1, ci1 = std::floor((maxX - gx) / tw) + 1;
    const double cj0 = std::floor((minY - gy) / th) - 1, cj1 = std::floor((maxY - gy) / th) + 1;
    // A grid turned about a point beyond reach of 53-bit arithmetic.
    if (!(std::fabs(ci0) < kReach && std::fabs(ci1) < kReach && std::fabs(cj0) < kReach && std::fabs(cj1) < kReach))
        return false;
    const int64_t i0 = static_cast<int64_t>(ci0), i1 = static_cast<int64_t>(ci1);
    const int64_t j0 = static_cast<int64_t>(cj0), j1 = static_cast<int64_t>(cj1);

    // Each tile whole, pinned by its own top-left corner (the mirrored edge
    // for mirrored tiles), no wrap copies of its own.
    S_BlitParams tile = p;
    tile.wrapHorizontal = 0;
    tile.wrapVertical = 0;
    tile.hotspot = C_Vector2D(0.0f, 0.0f, Entry_MirrorAnchor(p.flipHorizontal, p.flipVertical));
    for (int64_t j = j0; j <= j1; ++j) {
        for (int64_t i = i0; i <= i1; ++i) {
            double x = gx + static_cast<double>(i) * tw, y = gy + static_cast<double>(j) * th;
            if (p.angle != 0.0f) turn.About(px, py, x, y);
            // Tiles are below 2^31 pixels a side: one placed this far away
            // cannot reach the frame.
            if (!(std::fabs(x) < kFarTile && std::fabs(y) < kFarTile)) continue;
            const C_Vector2D at(static_cast<float>(x), static_cast<float>(y), MATH_ANCHOR_DEFAULT);
            if (!Gfx_Surface_BlitImage(source, destination, srcRect, &frame, &at, spare, &tile)) return false;
        }
    }
    return true;
}
