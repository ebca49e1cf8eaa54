// Mirrored sampling, the rotated outline's rows and fringe, exact quarter
// turns and tall sources, worked out by hand or against a plain model.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "softblit/surface/blit_kernel.h"
#include "surface_fixtures.h"

namespace {

const uint32_t kBack = 0xFF101010;

T_TestSurface Target(uint32_t w, uint32_t h, bool bottomUp = false) {
    T_TestSurface d(w, h, GFX_FMT_A8R8G8B8, bottomUp);
    d.colour.Fill(kBack);
    return d;
}

bool Blit(T_TestSurface& src, T_TestSurface& dst, float x, float y, const S_BlitParams& p) {
    const C_Vector2D pos(x, y);
    return Gfx_BlitKernel.Blit_Fixed(src.get(), dst.get(), nullptr, nullptr, &pos, 0, &p);
}

// One row or column of a picture, as source cells (-1 for the background).
std::vector<int> Cells(const T_TestSurface& d, bool row, uint32_t at, uint32_t from, uint32_t to) {
    std::vector<int> out;
    for (uint32_t i = from; i <= to; ++i) {
        const uint32_t w = row ? d.Get(i, at) : d.Get(at, i);
        out.push_back(w == kBack ? -1 : int(row ? (w & 0xFF) - 1 : ((w >> 8) & 0xFF) - 1));
    }
    return out;
}

TEST(BlitMirror, MirroredScaledBlitsShowEveryCellReversed) {
    // A B C at scale 2 from x = 2: A A B B C C, and mirrored C C B B A A.
    T_TestSurface row(3, 1), column(1, 3);
    FillPattern(row);
    FillPattern(column);
    for (bool mirrored : {false, true}) {
        SCOPED_TRACE(mirrored);
        const std::vector<int> plain = {-1, 0, 0, 1, 1, 2, 2, -1}, flipped = {-1, 2, 2, 1, 1, 0, 0, -1};
        S_BlitParams p;
        p.scale.Set(2, 1);
        p.flipHorizontal = mirrored;
        T_TestSurface d = Target(10, 1);
        ASSERT_TRUE(Blit(row, d, 2, 0, p));
        EXPECT_EQ(Cells(d, true, 0, 1, 8), mirrored ? flipped : plain);
        p.scale.Set(1, 2);
        p.flipHorizontal = 0;
        p.flipVertical = mirrored;
        T_TestSurface v = Target(1, 10);
        ASSERT_TRUE(Blit(column, v, 0, 2, p));
        EXPECT_EQ(Cells(v, false, 0, 1, 8), mirrored ? flipped : plain);
    }
}

TEST(BlitRotated, RowsEndAtTheLowestCornersFloorRow) {
    // 6x4 at 90 degrees from (20, 10.5): its top edge runs down rows 10.5..16.5,
    // so rows 11..16 are drawn (row 17 only holds the rounded edge pixels).
    T_TestSurface src(6, 4), d = Target(30, 24);
    FillPattern(src);
    S_BlitParams p;
    p.angle = 90;
    ASSERT_TRUE(Blit(src, d, 20, 10.5f, p));
    for (uint32_t y = 0; y < 24; ++y) {
        bool any = false;
        for (uint32_t x = 0; x < 30; ++x) any = any || d.Get(x, y) != kBack;
        EXPECT_EQ(any, y >= 11 && y <= 16) << "row " << y;
    }
}

TEST(BlitRotated, QuarterTurnsAreExactlyThePixelsRotated) {
    // A 6x2 source at 90 degrees shows source columns 0..5 down its rows.
    {
        T_TestSurface src(6, 2), d = Target(30, 20);
        FillPattern(src);
        S_BlitParams p;
        p.angle = 90;
        ASSERT_TRUE(Blit(src, d, 20, 5, p));
        EXPECT_EQ(Cells(d, false, 20, 4, 11), (std::vector<int>{-1, 0, 0, 0, 0, 0, 0, -1}));
        for (uint32_t y = 5; y <= 10; ++y) EXPECT_EQ(d.Get(20, y) & 0xFF, y - 5 + 1) << y;
    }
    // Every quarter turn, mirroring and row order against the rotation written
    // out in integers: destination pixel (x, y) shows the cell under its top-left
    // corner, and nothing outside the turned rectangle changes.
    const uint32_t W = 5, H = 3, px = 12, py = 11;
    const float angles[] = {90, 180, 270, -90, 450, 360};
    const int turns[] = {1, 2, 3, 3, 1, 0};
    for (int a = 0; a < 6; ++a)
        for (int scale = 1; scale <= 2; ++scale)
            for (int flips = 0; flips < 4; ++flips)
                for (int order = 0; order < 4; ++order) {
                    SCOPED_TRACE(testing::Message() << "angle " << angles[a] << " scale " << scale << " flips "
                                                    << flips << " order " << order);
                    T_TestSurface src(W, H, GFX_FMT_A8R8G8B8, order & 1), d = Target(24, 24, order & 2);
                    FillPattern(src);
                    S_BlitParams p;
                    p.angle = angles[a];
                    p.scale.Set(float(scale), float(scale));
                    p.flipHorizontal = flips & 1;
                    p.flipVertical = (flips >> 1) & 1;
                    ASSERT_TRUE(Blit(src, d, float(px), float(py), p));
                    const int c[4] = {1, 0, -1, 0}, s[4] = {0, 1, 0, -1};
                    const int t = turns[a];
                    uint32_t drawn = 0;
                    for (int y = 0; y < 24; ++y)
                        for (int x = 0; x < 24; ++x) {
                            // Inverse rotation, in source pixels times the scale.
                            const int u = c[t] * (x - int(px)) + s[t] * (y - int(py));
                            const int v = c[t] * (y - int(py)) - s[t] * (x - int(px));
                            uint32_t want = kBack;
                            if (u >= 0 && u < int(W) * scale && v >= 0 && v < int(H) * scale) {
                                const uint32_t cu = uint32_t(u / scale), cv = uint32_t(v / scale);
                                want = Src(p.flipHorizontal ? W - 1 - cu : cu, p.flipVertical ? H - 1 - cv : cv);
                                ++drawn;
                            }
                            ASSERT_EQ(d.Get(uint32_t(x), uint32_t(y)), want) << x << ", " << y;
                        }
                    EXPECT_EQ(drawn, W * H * uint32_t(scale * scale));
                }
}

// The source reversed along one axis.
void Reverse(const T_TestSurface& from, T_TestSurface& to, bool horizontal) {
    const uint32_t w = from.colour.image->width, h = from.colour.image->height;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
            to.colour.Set(horizontal ? w - 1 - x : x, horizontal ? y : h - 1 - y, from.Get(x, y));
}

TEST(BlitMirror, AMirroredBlitIsTheUnmirroredBlitOfTheReversedSource) {
    std::mt19937 rng(24);
    auto pick = [&](int n) { return int(rng() % uint32_t(n)); };
    const float scales[] = {1.5f, 2.25f, 0.75f, 3.0f, 2.0f, 0.5f};
    const float angles[] = {90, 180, 30, -45, 200, 270};
    for (int i = 0; i < 600; ++i) {
        const bool rotated = i % 2 == 1, horizontal = (i / 2) % 2 == 0;
        const uint32_t w = 1 + uint32_t(pick(9)), h = 1 + uint32_t(pick(9));
        T_TestSurface src(w, h), reversed(w, h), mirroredDst = Target(40, 40), reversedDst = Target(40, 40);
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) src.colour.Set(x, y, uint32_t(rng()) | 0xFF000000u);
        Reverse(src, reversed, horizontal);
        S_BlitParams p;
        p.scale.Set(scales[pick(6)], scales[pick(6)]);
        if (rotated) p.angle = angles[pick(6)];
        const float x = float(pick(30)), y = float(pick(30));
        ASSERT_TRUE(Blit(reversed, reversedDst, x, y, p));
        (horizontal ? p.flipHorizontal : p.flipVertical) = 1;
        ASSERT_TRUE(Blit(src, mirroredDst, x, y, p));
        ASSERT_EQ(mirroredDst.Picture(), reversedDst.Picture())
            << (rotated ? "rotated " : "scaled ") << (horizontal ? "horizontally" : "vertically") << ", " << w << "x"
            << h << " at " << x << ", " << y << " scale " << p.scale.x << ", " << p.scale.y << " angle " << p.angle;
    }
}

TEST(BlitSourceBox, ATallSourceIsReadThroughItsIntegerHeight) {
    // 2^24 + 3 rows become 2^24 + 4 as a float; only the last row may be read.
    const uint32_t h = (1u << 24) + 3;
    T_TestSurface src(1, h), d = Target(1, 4);
    src.colour.Set(0, h - 1, 0xFF0000FF);
    ASSERT_TRUE(Blit(src, d, 0, -16777218.0f, S_BlitParams()));
    EXPECT_EQ(d.Get(0, 0), 0xFF0000FFu);
    for (uint32_t y = 1; y < 4; ++y) EXPECT_EQ(d.Get(0, y), kBack) << y;
}

}  // namespace
