// Hotspots, mirroring, wrap copies, stretch and repeat fills, checked as pictures.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "softblit/core/status.h"
#include "softblit/surface/blit_image.h"
#include "softblit/surface/blit_kernel.h"
#include "surface_fixtures.h"

namespace {

T_TestSurface Pattern(uint32_t w, uint32_t h) {
    T_TestSurface s(w, h);
    FillPattern(s);
    return s;
}
bool Blit(T_TestSurface& src, T_TestSurface& dst, float x, float y, const S_BlitParams* p,
          const C_Frame* clip = nullptr) {
    const C_Vector2D at(x, y);
    return Gfx_Surface_BlitImage(src.get(), dst.get(), nullptr, clip, &at, 0, p);
}
bool Tiled(T_TestSurface& src, T_TestSurface& dst, const C_Rect& rect, const S_BlitParams* p) {
    return Gfx_Surface_BlitTiled(src.get(), dst.get(), nullptr, nullptr, &rect, nullptr, 0, p);
}

TEST(BlitImage, CentreHotspotsAgreeAndTurnAboutTheCentre) {
    T_TestSurface src = Pattern(6, 4);
    for (float angle : {0.0f, 30.0f, 90.0f, -135.0f}) {
        SCOPED_TRACE(angle);
        S_BlitParams corner, middle;
        corner.angle = middle.angle = angle;
        corner.hotspot = C_Vector2D(3, 2, 0x10);
        middle.hotspot = C_Vector2D(0, 0, 0x32);
        T_TestSurface a(20, 20), b(20, 20);
        ASSERT_TRUE(Blit(src, a, 10, 10, &corner));
        ASSERT_TRUE(Blit(src, b, 10, 10, &middle));
        EXPECT_EQ(a.Picture(), b.Picture());
        EXPECT_TRUE(angle != 0.0f || (b.Get(7, 8) == Src(0, 0) && b.Get(12, 11) == Src(5, 3)));
    }
}

TEST(BlitImage, MirroringMovesThePivotWithTheImage) {
    T_TestSurface src = Pattern(4, 2);
    struct Probe {
        uint32_t x, y, word;
    };
    const struct {
        const char* what;
        uint8_t flipH, flipV;
        C_Vector2D hotspot;
        float x, y;
        std::vector<Probe> probes;
    } cases[] = {
        {"the left edge (the pivot) lies on the right: columns 6..9", 1, 0, C_Vector2D(), 10, 3,
         {{5, 3, 0}, {6, 3, Src(3, 0)}, {7, 3, Src(2, 0)}, {9, 3, Src(0, 0)}, {10, 3, 0}}},
        {"pivot (1, 0.5) moves to (1, 1.5): rows 2.5 .. 4.5, turned over", 0, 1, C_Vector2D(1, 0.5f), 5, 4,
         {{4, 2, Src(0, 1)}, {4, 3, Src(0, 0)}, {7, 3, Src(3, 0)}, {4, 4, 0}, {3, 3, 0}}},
        {"measured from the right edge without mirroring", 0, 0, C_Vector2D(0, 0, 0x11), 10, 3,
         {{6, 3, Src(0, 0)}, {9, 4, Src(3, 1)}, {10, 3, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        S_BlitParams p;
        p.flipHorizontal = c.flipH;
        p.flipVertical = c.flipV;
        p.hotspot = c.hotspot;
        T_TestSurface dst(16, 8);
        ASSERT_TRUE(Blit(src, dst, c.x, c.y, &p));
        for (const Probe& q : c.probes) EXPECT_EQ(dst.Get(q.x, q.y), q.word) << q.x << ", " << q.y;
    }
}

// Copies reappear at the opposite edges of the frame, first cut to the
// destination (10 x 10 here), and repeat with its width and height.
TEST(BlitImage, WrapCopiesRepeatWithTheFrame) {
    T_TestSurface src = Pattern(6, 4), dst(20, 10);
    S_BlitParams p;
    p.wrapHorizontal = p.wrapVertical = 1;
    const C_Frame band(5, -500, 15, 1000);
    ASSERT_TRUE(Blit(src, dst, 12, 8, &p, &band));
    for (uint32_t y = 0; y < 10; ++y)
        for (uint32_t x = 0; x < 20; ++x) {
            const uint32_t u = (x + 8) % 10, v = (y + 2) % 10;  // (x - 12) and (y - 8) wrapped
            const bool in = x >= 5 && x < 15 && u < 6 && v < 4;
            EXPECT_EQ(dst.Get(x, y), in ? Src(u, v) : 0u) << x << ", " << y;
        }
}

TEST(BlitImage, FailuresAreReportedOnEveryPath) {
    T_TestSurface src = Pattern(4, 4), dst(8, 8), empty, sixteen(8, 8, GFX_FMT_R5G6B5);
    S_BlitParams shortcut, full;
    full.flipHorizontal = full.wrapHorizontal = 1;
    const S_BlitParams* records[] = {nullptr, &shortcut, &full};
    for (const S_BlitParams* p : records) {
        EXPECT_FALSE(Blit(src, empty, 0, 0, p));
        EXPECT_FALSE(Blit(empty, dst, 0, 0, p));
        EXPECT_FALSE(Blit(src, sixteen, 0, 0, p));  // the engine refuses it
        EXPECT_EQ(Err_GetCause().code, ERR_FORMAT);
        EXPECT_TRUE(Blit(src, dst, 0, 0, p));
    }
    full.fitHorizontal = 2;  // not one of the four fit pairs
    const C_Rect rect(0, 0, 8, 8);
    EXPECT_FALSE(Gfx_Surface_BlitToRect(src.get(), dst.get(), nullptr, nullptr, &rect, nullptr, 0, &full));
}

TEST(BlitToRect, StretchMapsTheWholeImageOntoTheRectangleAndNoFurther) {
    T_TestSurface src = Pattern(4, 4), dst(16, 16);
    const C_Rect rect(2, 3, 10, 11);
    ASSERT_TRUE(Gfx_Surface_BlitToRect(src.get(), dst.get(), nullptr, nullptr, &rect, nullptr, 0, nullptr));
    for (uint32_t y = 0; y < 16; ++y)
        for (uint32_t x = 0; x < 16; ++x) {
            const bool in = x >= 2 && x < 10 && y >= 3 && y < 11;
            EXPECT_EQ(dst.Get(x, y), in ? Src((x - 2) / 2, (y - 3) / 2) : 0u) << x << ", " << y;
        }
}

// A repeat fill drawn with the cells cut by the rectangle must match, inside
// the rectangle, a fill over a larger rectangle whose cells there are whole.
TEST(BlitTiled, CutCellsShowWhatWholeTilesShow) {
    T_TestSurface src = Pattern(5, 3);
    for (const C_Rect& rect : {C_Rect(3.5f, 2.25f, 21.75f, 14.5f), C_Rect(-7.5f, -5.25f, 40.5f, 33.75f),
                               C_Rect(0, 0, 24, 20)})
        for (float scale : {1.0f, 2.0f, 1.5f})
            for (int mirror = 0; mirror < 4; ++mirror)
                for (float angle : {0.0f, 30.0f}) {
                    SCOPED_TRACE(testing::Message() << "rect " << rect.left << " scale " << scale << " mirror " << mirror
                                                    << " angle " << angle);
                    S_BlitParams p;
                    p.scale = C_Vector2D(scale, scale);
                    p.flipHorizontal = mirror & 1;
                    p.flipVertical = (mirror >> 1) & 1;
                    p.angle = angle;
                    p.scroll = C_Vector2D(1.5f, 0.25f);
                    p.hotspot = C_Vector2D(2.0f, 3.0f);
                    // Five cells more on every side; the pivot stays where it was.
                    const float mx = 5 * std::trunc(5 * scale), my = 5 * std::trunc(3 * scale);
                    const C_Rect big(rect.left - mx, rect.top - my, rect.right + mx, rect.bottom + my);
                    S_BlitParams q = p;
                    q.hotspot = C_Vector2D(p.hotspot.x + mx, p.hotspot.y + my);
                    T_TestSurface cut(24, 20), whole(24, 20);
                    ASSERT_TRUE(Tiled(src, cut, rect, &p));
                    ASSERT_TRUE(Tiled(src, whole, big, &q));
                    for (uint32_t y = 0; y < 20; ++y)
                        for (uint32_t x = 0; x < 24; ++x) {
                            const bool in = x + 1 > rect.left && x < rect.right && y + 1 > rect.top && y < rect.bottom;
                            ASSERT_EQ(cut.Get(x, y), in ? whole.Get(x, y) : 0u) << x << ", " << y;
                            // Whole pixels inside the rectangle are all covered.
                            const bool whollyIn = x >= std::ceil(rect.left) && x + 1 <= rect.right &&
                                                  y >= std::ceil(rect.top) && y + 1 <= rect.bottom;
                            ASSERT_TRUE(!whollyIn || cut.Get(x, y) != 0u) << x << ", " << y;
                        }
                }
}

TEST(BlitTiled, ScrollsHugeRectanglesAndRefusals) {
    T_TestSurface src = Pattern(3, 2);
    auto fill = [&](float sx, float sy, uint8_t flipH, float scale) {
        S_BlitParams p;
        p.scroll = C_Vector2D(sx, sy);
        p.flipHorizontal = flipH;
        p.scale = C_Vector2D(scale, scale);
        T_TestSurface dst(16, 12);
        EXPECT_TRUE(Tiled(src, dst, C_Rect(1, 2, 12, 9), &p));
        return dst.Picture();
    };
    // A scroll of the tile size draws what 0 draws; a fractional scroll leaves no gap.
    EXPECT_EQ(fill(3, 2, 0, 1), fill(0, 0, 0, 1));
    EXPECT_EQ(fill(6, 4, 1, 2), fill(0, 0, 1, 2));
    EXPECT_EQ(fill(-1.5f, 0, 0, 1), fill(1.5f, 0, 0, 1));
    // A scroll of +1 starts the grid one pixel into the rectangle (1, 2, 12, 9):
    // source column 0 at column 2, the strip before it ends with column 2.
    const std::vector<uint32_t> right = fill(1, 0, 0, 1), down = fill(0, 1, 0, 1);
    EXPECT_EQ(right[2 * 16 + 1], Src(2, 0));
    EXPECT_EQ(right[2 * 16 + 2], Src(0, 0));
    EXPECT_EQ(right[2 * 16 + 5], Src(0, 0));
    EXPECT_EQ(down[2 * 16 + 1], Src(0, 1));
    EXPECT_EQ(down[3 * 16 + 1], Src(0, 0));

    T_TestSurface big = Pattern(64, 64), a(640, 480);
    S_BlitParams p;
    p.scroll = C_Vector2D(0.5f, 0.5f);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Tiled(big, a, C_Rect(-1e9f, -1e9f, 1e9f, 1e9f), &p));
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
    for (uint32_t i = 0; i < 640 * 480; i += 37) ASSERT_NE(a.Get(i % 640, i / 640), 0u) << i;

    // Tiles of zero, below one pixel or beyond 32 bits, non-finite inputs and
    // empty rectangles are refused without drawing.
    const float inf = INFINITY, nan = NAN;
    const struct {
        float scale, scroll;
        C_Rect rect;
    } refused[] = {{0, 0, C_Rect(0, 0, 10, 10)},   {0.01f, 0, C_Rect(0, 0, 10, 10)}, {1e9f, 0, C_Rect(0, 0, 10, 10)},
                   {nan, 0, C_Rect(0, 0, 10, 10)}, {1, inf, C_Rect(0, 0, 10, 10)},   {1, 0, C_Rect(0, 0, inf, 10)},
                   {1, 0, C_Rect(5, 0, 5, 10)}};
    for (const auto& r : refused) {
        p.scale = C_Vector2D(r.scale, r.scale);
        p.scroll = C_Vector2D(r.scroll, 0);
        T_TestSurface d(16, 16);
        EXPECT_FALSE(Tiled(src, d, r.rect, &p)) << r.scale << " " << r.scroll;
        EXPECT_EQ(d.Picture(), std::vector<uint32_t>(256, 0u));
    }
}

}  // namespace
