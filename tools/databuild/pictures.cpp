#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "softblit/image/format.h"
#include "softblit/image/image.h"
#include "softblit/math/noise.h"
#include "softblit/surface/surface.h"

namespace {

struct Rgb {
    double r, g, b;
};

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
uint8_t Byte(double v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0)); }
double Smooth(double e0, double e1, double x) {
    const double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::unique_ptr<C_Image> NewImage(uint32_t w, uint32_t h, int32_t format, int32_t palFormat) {
    std::unique_ptr<C_Image> image(new C_Image());
    if (!image->CreateEmpty(w, h, format, palFormat)) return nullptr;
    return image;
}

// Memory order of a GFX_FMT_R8G8B8 pixel: blue, green, red.
void PutRgb(C_Image* image, uint32_t x, uint32_t y, const Rgb& c) {
    uint8_t* p = image->data + static_cast<size_t>(y) * image->pitch + x * 3;
    p[0] = Byte(c.b);
    p[1] = Byte(c.g);
    p[2] = Byte(c.r);
}
void PutLevel(C_Image* image, uint32_t x, uint32_t y, double a) {
    image->data[static_cast<size_t>(y) * image->pitch + x] = Byte(a);
}

C_Surface* MakeSurface(std::unique_ptr<C_Image> colour, std::unique_ptr<C_Image> alpha) {
    if (!colour) return nullptr;
    std::unique_ptr<C_Surface> surface(new C_Surface());
    if (!surface->AddPlane(colour.get(), GFX_PLANE_COLOR)) return nullptr;
    colour.release();
    if (alpha) {
        if (!surface->AddPlane(alpha.get(), GFX_PLANE_ALPHA)) return nullptr;
        alpha.release();
    }
    return surface.release();
}

// Value noise in two dimensions from the framework's one-dimensional lattice.
double Noise2(double x, double y, int32_t seed) {
    const double fy = std::floor(y);
    const int32_t iy = static_cast<int32_t>(fy);
    const double ty = Smooth(0, 1, y - fy);
    const double a = Math_ValueNoise(static_cast<float>(x), seed + iy * 7919, 1 << 20);
    const double b = Math_ValueNoise(static_cast<float>(x), seed + (iy + 1) * 7919, 1 << 20);
    return a + (b - a) * ty;
}
double Fractal(double x, double y, int32_t seed, int octaves) {
    double sum = 0, amp = 0.5, f = 1;
    for (int i = 0; i < octaves; ++i, amp *= 0.5, f *= 2) sum += amp * Noise2(x * f, y * f, seed + i * 131);
    return sum;
}

// ---- the relief --------------------------------------------------------

// Height in 0..1: bevelled bricks with a rough face, and a raised medallion
// with rings in the middle.
double ReliefHeight(double x, double y) {
    const double brickW = 64, brickH = 32, mortar = 3, bevel = 6;
    const double row = std::floor(y / brickH);
    const double shift = std::fmod(row, 2.0) == 0 ? 0 : brickW / 2;
    const double bx = std::fmod(x + shift, brickW), by = std::fmod(y, brickH);
    const double edge = std::min(std::min(bx, brickW - bx), std::min(by, brickH - by));
    double h = 0.55 * Smooth(mortar * 0.5, mortar + bevel, edge);
    h += 0.08 * Fractal(x / 9.0, y / 9.0, 17, 3) * Smooth(0, mortar + 2, edge);
    h += 0.03 * Noise2(x / 2.0, y / 2.0, 91);

    const double cx = RELIEF_WIDTH / 2.0, cy = RELIEF_HEIGHT / 2.0;
    const double r = std::hypot(x - cx, y - cy);
    const double outer = 150, lip = 10;
    if (r < outer + lip) {
        const double disc = Smooth(outer + lip, outer, r);
        double m = 0.75 + 0.25 * std::cos(r / 7.5);                         // concentric rings
        m = m * Smooth(28, 44, r) + 1.1 * Smooth(44, 0, r) * Smooth(44, 34, r);  // dome in the centre
        const double ang = std::atan2(y - cy, x - cx);
        m += 0.12 * Smooth(90, 100, r) * Smooth(140, 130, r) * std::cos(ang * 12);  // fluted band
        h = h * (1 - disc) + (0.7 + 0.3 * m) * disc;
    }
    return h;
}

}  // namespace

C_Image* Picture_ReliefNormals() {
    std::unique_ptr<C_Image> image = NewImage(RELIEF_WIDTH, RELIEF_HEIGHT, GFX_FMT_R8G8B8, GFX_FMT_NONE);
    if (!image) return nullptr;
    const double depth = 28.0;  // height units per 1.0 of the field, in pixels
    for (uint32_t y = 0; y < RELIEF_HEIGHT; ++y) {
        for (uint32_t x = 0; x < RELIEF_WIDTH; ++x) {
            const double dx = (ReliefHeight(x + 1, y) - ReliefHeight(x - 1.0, y)) * depth / 2;
            const double dy = (ReliefHeight(x, y + 1) - ReliefHeight(x, y - 1.0)) * depth / 2;
            const double len = std::sqrt(dx * dx + dy * dy + 1);
            const double nx = -dx / len, ny = -dy / len, nz = 1 / len;
            uint8_t* p = image->data + static_cast<size_t>(y) * image->pitch + x * 3;
            auto code = [](double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
            p[0] = code(128 - 128 * nz);
            p[1] = code(128 + 128 * ny);
            p[2] = code(128 + 128 * nx);
        }
    }
    return image.release();
}

C_Surface* Picture_ReliefPlane() {
    std::unique_ptr<C_Image> plane = NewImage(RELIEF_WIDTH, RELIEF_HEIGHT, GFX_FMT_PAL8, GFX_FMT_R8G8B8);
    if (!plane) return nullptr;
    // Copper ramp: black, deep brown, copper, gold, white.
    const Rgb stops[] = {{0, 0, 0}, {0.22, 0.07, 0.03}, {0.72, 0.33, 0.12}, {1.0, 0.78, 0.35}, {1, 1, 0.92}};
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0 * 4;
        const int k = std::min(3, static_cast<int>(t));
        const Rgb c = Mix(stops[k], stops[k + 1], t - k);
        uint8_t* p = plane->m_palette + i * 3;
        p[0] = Byte(c.b);
        p[1] = Byte(c.g);
        p[2] = Byte(c.r);
    }
    for (uint32_t y = 0; y < RELIEF_HEIGHT; ++y)
        for (uint32_t x = 0; x < RELIEF_WIDTH; ++x)
            PutLevel(plane.get(), x, y, 0.2 + 0.6 * ReliefHeight(x, y));
    return MakeSurface(std::move(plane), nullptr);
}

// ---- the ball ------------------------------------------------------------

C_Surface* Picture_Ball() {
    std::unique_ptr<C_Image> colour = NewImage(BALL_SIZE, BALL_SIZE, GFX_FMT_R8G8B8, GFX_FMT_NONE);
    std::unique_ptr<C_Image> alpha = NewImage(BALL_SIZE, BALL_SIZE, GFX_FMT_L8, GFX_FMT_NONE);
    if (!colour || !alpha) return nullptr;
    const double c = BALL_SIZE / 2.0, radius = BALL_SIZE / 2.0 - 0.5;
    const Rgb base{1.0, 0.72, 0.12};
    const double lx = -0.45, ly = -0.6, lz = 0.66;  // light from the upper left
    for (uint32_t y = 0; y < BALL_SIZE; ++y) {
        for (uint32_t x = 0; x < BALL_SIZE; ++x) {
            // 4 x 4 samples for the edge coverage, the shading at the centre.
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    inside += std::hypot(x + (sx + 0.5) / 4 - c, y + (sy + 0.5) / 4 - c) <= radius;
            double nx = (x + 0.5 - c) / radius, ny = (y + 0.5 - c) / radius;
            const double d2 = std::min(1.0, nx * nx + ny * ny);
            const double nz = std::sqrt(1 - d2);
            const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz);
            const double rz = 2 * diffuse * nz - lz;  // reflection towards the viewer
            const double shine = std::pow(std::max(0.0, rz), 24);
            const double rim = 0.25 * std::pow(1 - nz, 3);  // light bouncing off the ground
            Rgb col{base.r * (0.18 + 0.85 * diffuse) + shine + rim * 0.3,
                    base.g * (0.18 + 0.85 * diffuse) + shine + rim * 0.4,
                    base.b * (0.18 + 0.85 * diffuse) + shine + rim};
            PutRgb(colour.get(), x, y, col);
            PutLevel(alpha.get(), x, y, inside / 16.0);
        }
    }
    return MakeSurface(std::move(colour), std::move(alpha));
}

// ---- the small picture -------------------------------------------------

C_Surface* Picture_Tile() {
    std::unique_ptr<C_Image> colour = NewImage(TILE_SIZE, TILE_SIZE, GFX_FMT_R8G8B8, GFX_FMT_NONE);
    if (!colour) return nullptr;
    const double c = TILE_SIZE / 2.0;
    for (uint32_t y = 0; y < TILE_SIZE; ++y) {
        for (uint32_t x = 0; x < TILE_SIZE; ++x) {
            const double dx = x + 0.5 - c, dy = y + 0.5 - c;
            const double r = std::hypot(dx, dy) / c;
            const double ang = std::atan2(dy, dx);
            // Five round petals shading from magenta to orange around a
            // yellow heart, on a sky gradient inside a thin golden frame.
            const double edge = 0.62 + 0.3 * std::cos(ang * 5);
            const double hue = 0.5 + 0.5 * std::sin(ang * 5 + 1.0);
            Rgb col = Mix({0.45, 0.75, 1.0}, {0.08, 0.2, 0.55}, Clamp01(y / (TILE_SIZE - 1.0)));
            // Petals with soft edges, lighter towards the heart.
            const Rgb petal = Mix(Mix({0.95, 0.2, 0.6}, {1.0, 0.55, 0.1}, hue), {1, 0.95, 0.9},
                                  0.4 * Smooth(edge, 0.0, r));
            col = Mix(col, petal, Smooth(edge + 0.06, edge - 0.1, r));
            if (r < 0.26) col = Mix({1.0, 0.95, 0.3}, {0.85, 0.5, 0.05}, r / 0.26);
            if (x == 0 || y == 0 || x == TILE_SIZE - 1 || y == TILE_SIZE - 1) col = {1, 0.85, 0.3};
            PutRgb(colour.get(), x, y, col);
        }
    }
    return MakeSurface(std::move(colour), nullptr);
}

// ---- the backdrop --------------------------------------------------------

C_Surface* Picture_Backdrop() {
    std::unique_ptr<C_Image> colour = NewImage(BACKDROP_WIDTH, BACKDROP_HEIGHT, GFX_FMT_R8G8B8, GFX_FMT_NONE);
    if (!colour) return nullptr;
    const double horizon = 270, sunX = 420, sunY = 228, sunR = 46;
    const Rgb skyTop{0.10, 0.04, 0.25}, skyMid{0.62, 0.18, 0.45}, skyLow{1.0, 0.56, 0.22};
    for (uint32_t y = 0; y < BACKDROP_HEIGHT; ++y) {
        for (uint32_t x = 0; x < BACKDROP_WIDTH; ++x) {
            // Mirror the sky into the water below the horizon, rippled.
            const bool water = y >= horizon;
            double sy = y, sx = x;
            if (water) {
                const double depth = y - horizon;
                sy = horizon - depth * 1.4;
                sx = x + 6 * std::sin(depth * 0.45 + 2 * Noise2(x / 40.0, depth / 3.0, 5));
            }
            const double t = Clamp01(sy / horizon);
            Rgb col = t < 0.55 ? Mix(skyTop, skyMid, t / 0.55) : Mix(skyMid, skyLow, (t - 0.55) / 0.45);
            const double d = std::hypot(sx - sunX, sy - sunY);
            col = Mix(col, {1.0, 0.85, 0.45}, 0.55 * std::exp(-d / 70));  // glow
            if (d < sunR) {
                // Sun with the classic horizontal gaps in its lower half.
                const bool gap = sy > sunY && std::fmod(sy - sunY, 9.0) < (sy - sunY) / 9.0;
                if (!gap) col = Mix({1, 0.95, 0.55}, {1, 0.45, 0.3}, Clamp01((sy - sunY + sunR) / (2 * sunR)));
            }
            // Two mountain ranges in front of the sun.
            const double far = horizon - 40 - 70 * Fractal(sx / 120.0, 0.5, 3, 4);
            const double near = horizon - 10 - 55 * Fractal(sx / 70.0 + 9, 0.25, 8, 5);
            if (sy > far) col = Mix(col, {0.30, 0.10, 0.35}, 0.85);
            if (sy > near) col = Mix(col, {0.12, 0.03, 0.16}, 0.95);
            if (water) col = Mix(col, {0.02, 0.05, 0.18}, 0.35 + 0.4 * Clamp01((y - horizon) / 146.0));
            PutRgb(colour.get(), x, y, col);
        }
    }
    return MakeSurface(std::move(colour), nullptr);
}

// ---- the panel -----------------------------------------------------------

C_Surface* Picture_Panel() {
    std::unique_ptr<C_Image> colour = NewImage(PANEL_WIDTH, PANEL_HEIGHT, GFX_FMT_R8G8B8, GFX_FMT_NONE);
    std::unique_ptr<C_Image> alpha = NewImage(PANEL_WIDTH, PANEL_HEIGHT, GFX_FMT_L8, GFX_FMT_NONE);
    if (!colour || !alpha) return nullptr;
    const double left = 4, top = PANEL_CLEAR_ROWS + 4, right = PANEL_WIDTH - 4, bottom = PANEL_HEIGHT - 4;
    const double corner = 28;
    struct Sphere {
        double x, y, r;
        Rgb c;
    } spheres[] = {{128, 150, 52, {0.95, 0.2, 0.25}}, {96, 208, 52, {0.2, 0.85, 0.35}}, {160, 208, 52, {0.25, 0.45, 1.0}}};
    for (uint32_t y = 0; y < PANEL_HEIGHT; ++y) {
        for (uint32_t x = 0; x < PANEL_WIDTH; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            // Signed distance to the rounded rectangle (negative inside).
            const double qx = std::max(std::abs(px - (left + right) / 2) - ((right - left) / 2 - corner), 0.0);
            const double qy = std::max(std::abs(py - (top + bottom) / 2) - ((bottom - top) / 2 - corner), 0.0);
            const double sd = std::hypot(qx, qy) - corner;
            double a = Clamp01(0.5 - sd);
            const double frame = Clamp01(0.5 - std::abs(sd + 3) + 2.5);  // 6 px rim
            Rgb col = Mix({0.05, 0.08, 0.22}, {0.25, 0.05, 0.35}, (py - top) / (bottom - top));
            double level = 0.55;
            col = Mix(col, Mix({1, 0.9, 0.5}, {0.8, 0.5, 0.1}, (py - top) / (bottom - top)), frame);
            level = level + (1 - level) * frame;
            // Three overlapping shaded spheres, the later in front.
            for (const Sphere& s : spheres) {
                const double d = std::hypot(px - s.x, py - s.y);
                const double cover = Clamp01(s.r + 0.5 - d);
                if (cover <= 0) continue;
                const double nx = (px - s.x) / s.r, ny = (py - s.y) / s.r;
                const double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
                const double diffuse = std::max(0.0, -0.4 * nx - 0.5 * ny + 0.77 * nz);
                const double shine = std::pow(std::max(0.0, 2 * diffuse * nz - 0.77), 30);
                const Rgb shaded{s.c.r * (0.15 + 0.9 * diffuse) + shine, s.c.g * (0.15 + 0.9 * diffuse) + shine,
                                 s.c.b * (0.15 + 0.9 * diffuse) + shine};
                col = Mix(col, shaded, cover);
                level = level + (1 - level) * cover;
            }
            // Stripes of light at the bottom of the panel.
            if (py > 290 && py < bottom - 10 && std::fmod(px + py, 16.0) < 8 && sd < -10) {
                col = Mix(col, {1, 0.8, 0.4}, 0.5);
                level = std::max(level, 0.8);
            }
            if (y < PANEL_CLEAR_ROWS) a = 0;
            PutRgb(colour.get(), x, y, col);
            PutLevel(alpha.get(), x, y, a * level);
        }
    }
    return MakeSurface(std::move(colour), std::move(alpha));
}
