#include "blit_reference.h"

#include "softblit/image/all.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Plain accessors for logical pixel (x, y) of a plane.
uint32_t Word(const C_Image* im, int64_t x, int64_t y) {
    uint32_t w;
    std::memcpy(&w, im->GetRow(uint32_t(y)) + x * 4, 4);
    return w;
}
void SetWord(C_Image* im, int64_t x, int64_t y, uint32_t w) { std::memcpy(im->GetRow(uint32_t(y)) + x * 4, &w, 4); }
int Byte(const C_Image* im, int64_t x, int64_t y) { return im->GetRow(uint32_t(y))[x]; }
void SetByte(C_Image* im, int64_t x, int64_t y, int v) { im->GetRow(uint32_t(y))[x] = uint8_t(v); }

int Channel(const S_FormatDesc& d, uint32_t word, int ch) { return int((word >> d.shift[ch]) & 255); }

int64_t Trunc(double v) { return int64_t(v); }
int64_t Floor(double v) { return int64_t(std::floor(v)); }
int Wrap(int64_t c, int n) { return int(((c % n) + n) % n); }

}  // namespace

void Reference_Blit(C_Surface* source, C_Surface* destination, const C_Rect* sourceRect,
                    const C_Frame* clipFrame, const C_Vector2D* position, const S_BlitParams* params) {
    C_Image* dst = destination->GetPlaneImage(GFX_PLANE_COLOR);
    C_Image* dstAlpha = destination->GetPlaneImage(GFX_PLANE_ALPHA);
    C_Image* src = source->GetPlaneImage(GFX_PLANE_COLOR);
    C_Image* srcAlpha = source->GetPlaneImage(GFX_PLANE_ALPHA);
    S_BlitParams o = params ? *params : S_BlitParams();
    const bool alphaOnly = src == nullptr;
    const C_Image* srcImage = alphaOnly ? srcAlpha : src;
    if (alphaOnly) o.useFillColor = 1, o.useKeyColor = 0;
    S_FormatDesc sd, dd;
    Gfx_GetFormatDesc(alphaOnly ? dst->format : src->format, sd);
    Gfx_GetFormatDesc(dst->format, dd);
    const bool srcA8 = srcAlpha && srcAlpha->bitsPerPixel == 8;
    const bool dstA8 = dstAlpha && dstAlpha->bitsPerPixel == 8;

    const float px = position ? position->x : 0.0f, py = position ? position->y : 0.0f;
    if (!(o.opacity > 0)) return;

    // Clip frame inside the destination.
    int64_t cl = 0, ct = 0, cr = dst->width, cb = dst->height;
    if (clipFrame) {
        cl = std::max<int64_t>(cl, clipFrame->left);
        ct = std::max<int64_t>(ct, clipFrame->top);
        cr = std::min<int64_t>(cr, clipFrame->right);
        cb = std::min<int64_t>(cb, clipFrame->bottom);
    }
    if (cr <= cl || cb <= ct) return;

    // Source box.
    const float W = float(srcImage->width), H = float(srcImage->height);
    float bl = 0, bt = 0, br = W, bb = H;
    if (sourceRect) {
        bl = std::max(sourceRect->left, 0.0f);
        bt = std::max(sourceRect->top, 0.0f);
        br = std::min(sourceRect->right + 0.001f, W);
        bb = std::min(sourceRect->bottom + 0.001f, H);
    }
    if (br <= bl || bb <= bt) return;
    // Integer box: never past the image, whatever the float box rounded to.
    const int64_t sl = int64_t(bl), st = int64_t(bt);
    const int64_t sr = std::min<int64_t>(int64_t(br), srcImage->width);
    const int64_t sb = std::min<int64_t>(int64_t(bb), srcImage->height);

    const int mode = o.angle != 0 ? 2 : (o.scale.x == 1 && o.scale.y == 1) ? 0 : 1;
    const float fw = br - bl, fh = bb - bt;

    // Whole quarter turns rotate by the exact sine and cosine (0, +-1).
    const bool quarter = std::fmod(double(o.angle), 90.0) == 0.0;
    const int turn = quarter ? int(std::fmod(double(o.angle), 360.0) / 90.0 + 4) % 4 : 0;
    const double quarterSin[4] = {0, 1, 0, -1}, quarterCos[4] = {1, 0, -1, 0};

    // The rotated outline.
    float corner[4][2];
    if (mode == 2) {
        const C_Vector2D local[4] = {C_Vector2D(0, 0), C_Vector2D(fw * o.scale.x, 0), C_Vector2D(0, fh * o.scale.y),
                                     C_Vector2D(fw * o.scale.x, fh * o.scale.y)};
        for (int i = 0; i < 4; ++i) {
            C_Vector2D p = GetRotated(local[i], o.angle);
            if (quarter) {
                const double c = quarterCos[turn], s = quarterSin[turn];
                p = C_Vector2D(float(c * local[i].x - s * local[i].y), float(c * local[i].y + s * local[i].x));
            }
            corner[i][0] = p.x + px;
            corner[i][1] = p.y + py;
        }
    }

    // Visibility.
    if (mode == 2) {
        float x0 = corner[0][0], x1 = x0, y0 = corner[0][1], y1 = y0;
        for (auto& c : corner)
            x0 = std::min(x0, c[0]), x1 = std::max(x1, c[0]), y0 = std::min(y0, c[1]), y1 = std::max(y1, c[1]);
        if (!(cl <= x1 && ct <= y1 && x0 <= cr && y0 <= cb)) return;
    } else {
        int64_t w = mode == 0 ? sr - sl : Trunc(double(fw) * o.scale.x);
        int64_t h = mode == 0 ? sb - st : Trunc(double(fh) * o.scale.y);
        int64_t x = Floor(px), y = Floor(py);
        if (!(cl <= x + w && ct <= y + h && x <= cr && y <= cb)) return;
    }

    // Which of the three kernel families draws.
    const bool bilinear = o.filter && mode != 0;
    const bool effects = bilinear || o.useBrightness || o.useContrast;
    const bool blend = o.opacity < 1 || srcAlpha || dstAlpha;
    const int O = o.opacity >= 256 ? 65536 : int(o.opacity * 256.0f);
    const uint32_t key = o.useKeyColor ? Gfx_GetFormattedColor_32bit(sd.format, o.keyColor) : 0;
    const uint32_t fill = o.useFillColor ? Gfx_GetFormattedColor_32bit(sd.format, o.fillColor) : 0;
    auto factor = [](float c) { return int(double(c) * 256.0); };
    const float brightRGB[3] = {o.brightness.red, o.brightness.green, o.brightness.blue};
    const float contrastRGB[3] = {o.contrast.red, o.contrast.green, o.contrast.blue};

    // Draws destination pixel (x, y) from source position (u, v).
    auto draw = [&](int64_t x, int64_t y, int64_t u, int64_t v) {
        // The nearest cell: (u, v) itself when unscaled, otherwise 16.16 clamped
        // into the integer source box (>= right gives right - 1, then < left gives left).
        const int64_t c = mode == 0 ? u : std::max(std::min(u >> 16, sr - 1), sl);
        const int64_t r = mode == 0 ? v : std::max(std::min(v >> 16, sb - 1), st);
        // The bilinear cells wrap around the whole image.
        const int iw = int(srcImage->width), ih = int(srcImage->height);
        const int c0 = bilinear ? Wrap(u >> 16, iw) : 0, c1 = bilinear ? Wrap((u >> 16) + 1, iw) : 0;
        const int r0 = bilinear ? Wrap(v >> 16, ih) : 0, r1 = bilinear ? Wrap((v >> 16) + 1, ih) : 0;
        const int fx = int(u & 0xFFFF), fy = int(v & 0xFFFF);

        const int64_t kc = bilinear ? c0 : c, kr = bilinear ? r0 : r;
        const uint32_t sample = alphaOnly ? 0 : Word(src, kc, kr);
        if (o.useKeyColor && sample == key) return;

        if (!effects && !blend) {
            SetWord(dst, x, y, o.useFillColor ? fill : sample);
            return;
        }

        // Source channels and coverage.
        int s[3];
        int a = 255;
        auto lerp = [](int p, int q, int f) { return p + (((q - p) * f) >> 16); };
        for (int k = 0; k < 3; ++k) {
            if (o.useFillColor) s[k] = Channel(sd, fill, k);
            else if (bilinear) {
                int top = lerp(Channel(sd, Word(src, c0, r0), k), Channel(sd, Word(src, c1, r0), k), fx);
                int bot = lerp(Channel(sd, Word(src, c0, r1), k), Channel(sd, Word(src, c1, r1), k), fx);
                s[k] = lerp(top, bot, fy);
            } else s[k] = Channel(sd, sample, k);
        }
        if (srcA8) {
            if (bilinear) {
                int top = lerp(Byte(srcAlpha, c0, r0), Byte(srcAlpha, c1, r0), fx);
                int bot = lerp(Byte(srcAlpha, c0, r1), Byte(srcAlpha, c1, r1), fx);
                a = lerp(top, bot, fy);
            } else a = Byte(srcAlpha, c, r);
        }
        int w;
        if (effects) {
            w = srcA8 ? (O * a) >> 8 : O;
            if (!o.useFillColor && (o.useBrightness || o.useContrast))
                for (int k = 0; k < 3; ++k) {
                    if (o.useContrast) s[k] = (((s[k] - 128) * factor(contrastRGB[k])) >> 8) + 128;
                    if (o.useBrightness) s[k] += factor(brightRGB[k]);
                    s[k] = std::clamp(s[k], 0, 255);
                }
        } else {
            if (srcA8 && a == 0) return;
            w = srcA8 ? (O == 256 ? a : (a * O) >> 8) : O;
        }
        if (w == 0) return;

        const uint32_t packed = (uint32_t(s[0]) << dd.shift[0]) | (uint32_t(s[1]) << dd.shift[1]) |
                                (uint32_t(s[2]) << dd.shift[2]);
        if (w >= 255) {
            SetWord(dst, x, y, effects ? packed : (o.useFillColor ? fill : sample));
            if (dstA8) SetByte(dstAlpha, x, y, 255);
            return;
        }
        int f = w;
        if (dstA8) {
            int da = Byte(dstAlpha, x, y);
            if (da < 255) {
                int na = da + (((256 - da) * w) >> 8);
                SetByte(dstAlpha, x, y, na);
                f = (w * 256) / na;
            }
        }
        uint32_t d = Word(dst, x, y), out = 0;
        for (int k = 0; k < 3; ++k) {
            int dc = Channel(dd, d, k);
            out |= uint32_t(dc + (((s[k] - dc) * f) >> 8)) << dd.shift[k];
        }
        SetWord(dst, x, y, out);
    };

    // Each covered destination pixel of the clip, once.
    if (mode == 0) {
        const int64_t X = Floor(px), Y = Floor(py);
        for (int64_t y = ct; y < cb; ++y)
            for (int64_t x = cl; x < cr; ++x) {
                if (x < X || x >= X + (sr - sl) || y < Y || y >= Y + (sb - st)) continue;
                draw(x, y, o.flipHorizontal ? sr - 1 - (x - X) : sl + (x - X),
                     o.flipVertical ? sb - 1 - (y - Y) : st + (y - Y));
            }
    } else if (mode == 1) {
        int64_t x0 = Trunc(double(px) + 0.3), y0 = Trunc(double(py) + 0.3);
        int64_t x1 = Trunc((double(o.scale.x) * fw + px + 0.3) * 65536.0) >> 16;
        int64_t y1 = Trunc((double(o.scale.y) * fh + py + 0.3) * 65536.0) >> 16;
        int64_t du = Trunc(65536.0 / o.scale.x), dv = Trunc(65536.0 / o.scale.y);
        int64_t u0 = Trunc((double(bl) - double(px) / o.scale.x) * 65536.0);
        int64_t v0 = Trunc((double(bt) - double(py) / o.scale.y) * 65536.0);
        // Mirrored: from one unit inside the far edge.
        if (o.flipHorizontal) u0 = Trunc((double(px) / o.scale.x + br) * 65536.0) - 1, du = -du;
        if (o.flipVertical) v0 = Trunc((double(py) / o.scale.y + bb) * 65536.0) - 1, dv = -dv;
        for (int64_t y = std::max(y0, ct); y < std::min(y1, cb); ++y)
            for (int64_t x = std::max(x0, cl); x < std::min(x1, cr); ++x) draw(x, y, x * du + u0, y * dv + v0);
    } else {
        // Outline: each edge visited pixel by pixel along its longer axis.
        std::vector<int64_t> lo(size_t(cb - ct), 65535), hi(size_t(cb - ct), -65535);
        auto mark = [&](int64_t x16, int64_t y16) {
            int64_t x = x16 >> 16, y = y16 >> 16;
            if (y < ct || y >= cb) return;
            lo[size_t(y - ct)] = std::min(lo[size_t(y - ct)], x);
            hi[size_t(y - ct)] = std::max(hi[size_t(y - ct)], x);
        };
        const int edges[4][2] = {{0, 1}, {1, 3}, {3, 2}, {2, 0}};
        for (auto& e : edges) {
            const float* a = corner[e[0]];
            const float* b = corner[e[1]];
            const int64_t p[2] = {Trunc(a[0] * 65536.0), Trunc(a[1] * 65536.0)};
            const int64_t d[2] = {Trunc(b[0] * 65536.0) - p[0], Trunc(b[1] * 65536.0) - p[1]};
            const double f[2] = {double(b[0]) - a[0], double(b[1]) - a[1]};
            if (d[0] == 0 && d[1] == 0) continue;
            // Walked along the longer axis (y when they tie), one pixel a step.
            const int m = std::llabs(d[1]) >= std::llabs(d[0]) ? 1 : 0, n = 1 - m;
            const int64_t step = d[m] > 0 ? 65536 : -65536;
            const int64_t slope = std::llabs(d[m]) == std::llabs(d[n]) ? (d[n] > 0 ? 65536 : -65536)
                                                                       : Trunc(f[n] / std::fabs(f[m]) * 65536.0);
            for (int64_t k = 0, q[2]; k <= std::llabs(d[m]) / 65536; ++k) {
                q[m] = p[m] + 32768 + k * step;
                q[n] = p[n] + 32768 + k * slope;
                mark(q[0], q[1]);
            }
        }
        const float theta = o.angle / 180.0f * 3.1415927f;
        const double sn = quarter ? quarterSin[turn] : std::sin(double(theta));
        const double cs = quarter ? quarterCos[turn] : std::cos(double(theta));
        const double Sxf = sn * 65536.0 / o.scale.x, Cxf = cs * 65536.0 / o.scale.x;
        const double Syf = sn * 65536.0 / o.scale.y, Cyf = cs * 65536.0 / o.scale.y;
        int64_t Sx = Trunc(Sxf), Cx = Trunc(Cxf), Sy = Trunc(Syf), Cy = Trunc(Cyf);
        int64_t u0 = Trunc(double(bl) * 65536.0 - (Sxf * py + Cxf * px));
        int64_t v0 = Trunc(Syf * px - Cyf * py + double(bt) * 65536.0);
        if (o.flipHorizontal) u0 = Trunc(Sxf * py + Cxf * px + double(br) * 65536.0) - 1, Sx = -Sx, Cx = -Cx;
        if (o.flipVertical) v0 = Trunc(Cyf * py - Syf * px + double(bb) * 65536.0) - 1, Sy = -Sy, Cy = -Cy;
        // Rows from the highest to the lowest corner's floor row; outline
        // pixels only where their exact inverse lies in the float box.
        int64_t top = INT64_MAX, bottom = INT64_MIN;
        for (auto& c : corner)
            top = std::min(top, Trunc(c[1] * 65536.0) >> 16), bottom = std::max(bottom, Trunc(c[1] * 65536.0) >> 16);
        auto inside = [&](int64_t x, int64_t y) {
            const double dx = double(x) - px, dy = double(y) - py;
            const double u = bl + (cs * dx + sn * dy) / o.scale.x;
            const double v = bt + (cs * dy - sn * dx) / o.scale.y;
            return bl <= u && u < br && bt <= v && v < bb;
        };
        for (int64_t y = std::max(ct, top); y < std::min(cb, bottom + 1); ++y)
            for (int64_t x = std::max(lo[size_t(y - ct)], cl); x <= std::min(hi[size_t(y - ct)], cr - 1); ++x)
                if (inside(x, y)) draw(x, y, Sx * y + u0 + x * Cx, Cy * y - x * Sy + v0);
    }

}
