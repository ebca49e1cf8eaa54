#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "softblit/core/status.h"
#include "softblit/surface/primitives.h"
#include "surface_fixtures.h"

namespace {
using namespace surface_test;
using Pixels = std::set<std::pair<int64_t, int64_t>>;

const C_Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);

// The pixels of a surface that are not zero.
Pixels Drawn(C_Surface& s) {
    Pixels out;
    C_Image* image = Plane(s);
    for (uint32_t y = 0; y < image->height; ++y)
        for (uint32_t x = 0; x < image->width; ++x)
            if (Get(s, x, y) != 0) out.insert({x, y});
    return out;
}

struct Clip {
    int64_t l, t, r, b;
    bool In(int64_t x, int64_t y) const { return x >= l && x < r && y >= t && y < b; }
};

// The line walk stepped from end to end, every pixel tested: the reference.
Pixels ReferenceLine(double x1, double y1, double x2, double y2, Clip c) {
    Pixels out;
    const int64_t X1 = int64_t(x1 * 65536), Y1 = int64_t(y1 * 65536), X2 = int64_t(x2 * 65536),
                  Y2 = int64_t(y2 * 65536);
    const int64_t dx = X2 - X1, dy = Y2 - Y1;
    auto plot = [&](int64_t col, int64_t row) {
        if (c.In(col >> 16, row >> 16)) out.insert({col >> 16, row >> 16});
    };
    if (std::llabs(dx) == std::llabs(dy)) {
        if (dx == 0) return out;
        const int64_t sx = dx > 0 ? 65536 : -65536, sy = dy > 0 ? 65536 : -65536;
        for (int64_t x = X1 + 32768, y = Y1 + 32768; sx > 0 ? x <= X2 : x >= X2; x += sx, y += sy) plot(x, y);
    } else if (std::llabs(dy) > std::llabs(dx)) {
        const int64_t slope = int64_t((x2 - x1) / std::fabs(y2 - y1) * 65536);
        const int64_t sy = dy > 0 ? 65536 : -65536;
        for (int64_t y = Y1 + 32768, x = X1 + 32768; sy > 0 ? y <= Y2 : y >= Y2; y += sy, x += slope) plot(x, y);
    } else {
        const int64_t slope = int64_t((y2 - y1) / std::fabs(x2 - x1) * 65536);
        const int64_t sx = dx > 0 ? 65536 : -65536;
        for (int64_t x = X1 + 32768, y = Y1 + 32768; sx > 0 ? x <= X2 : x >= X2; x += sx, y += slope) plot(x, y);
    }
    return out;
}

// The midpoint circle stepped over its whole first octant: the reference.
template <class Plot>
void ReferenceCirclePoints(int64_t cx, int64_t cy, int64_t r, Plot plot) {
    plot(cx, cy + r), plot(cx, cy - r), plot(cx + r, cy), plot(cx - r, cy);
    if (r < 1) return;
    int64_t d = 1 - r, ddx = 0, ddy = -2 * r, x = 0, y = r;
    while (x < y) {
        if (d >= 0) {
            --y;
            ddy += 2;
            d += ddy;
        }
        ++x;
        ddx += 2;
        d += ddx + 1;
        plot(cx + x, cy + y), plot(cx - x, cy + y), plot(cx + x, cy - y), plot(cx - x, cy - y);
        plot(cx + y, cy + x), plot(cx - y, cy + x), plot(cx + y, cy - x), plot(cx - y, cy - x);
    }
}

Pixels ReferenceCircle(int64_t cx, int64_t cy, int64_t r, Clip c, bool filled) {
    Pixels out;
    if (!filled) {
        ReferenceCirclePoints(cx, cy, r, [&](int64_t x, int64_t y) {
            if (c.In(x, y)) out.insert({x, y});
        });
        return out;
    }
    std::map<int64_t, std::pair<int64_t, int64_t>> rows;  // row -> leftmost, rightmost
    ReferenceCirclePoints(cx, cy, r, [&](int64_t x, int64_t y) {
        if (y < c.t || y >= c.b) return;
        auto it = rows.find(y);
        if (it == rows.end()) rows[y] = {x, x};
        else it->second = {std::min(it->second.first, x), std::max(it->second.second, x)};
    });
    for (auto& row : rows)
        for (int64_t x = std::max(row.second.first, c.l); x <= std::min(row.second.second, c.r - 1); ++x)
            out.insert({x, row.first});
    return out;
}

TEST(Primitives, EveryDepthWritesTheLowBytesOfThePackedColourInEitherRowOrder) {
    const C_Color colour(1.0f, 0.5f, 0.0f, 1.0f);
    struct Case {
        int32_t format;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {GFX_FMT_L8, {0xFF}},
        {GFX_FMT_R5G6B5, {0xE0, 0xFB}},
        {GFX_FMT_R8G8B8, {0x00, 0x7F, 0xFF}},
        {GFX_FMT_B8G8R8, {0xFF, 0x7F, 0x00}},
        {GFX_FMT_L24, {0xFF, 0xFF, 0xFF}},
        {GFX_FMT_A8R8G8B8, {0x00, 0x7F, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        for (bool bottomUp : {false, true}) {
            SCOPED_TRACE(testing::Message() << "format " << c.format << (bottomUp ? " bottom-up" : ""));
            auto s = MakeSurface(5, 4, c.format, bottomUp);
            const C_Vector2DI point(1, 0);
            ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &point, &colour, nullptr));
            const C_Rect rect(2, 2, 3, 3);
            ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &rect, &colour, nullptr, 1));
            C_Image* image = Plane(*s);
            const size_t n = c.bytes.size();
            // Logical row 0 is the last row in memory when bottom-up.
            const uint8_t* row0 = image->data + (bottomUp ? 3 * image->pitch : 0);
            EXPECT_EQ(std::vector<uint8_t>(row0 + n, row0 + 2 * n), c.bytes);
            EXPECT_EQ(Drawn(*s), (Pixels{{1, 0}, {2, 2}, {3, 2}, {2, 3}, {3, 3}}));
            const uint8_t* row3 = image->GetRow(3);
            EXPECT_EQ(std::vector<uint8_t>(row3 + 3 * n, row3 + 4 * n), c.bytes);
        }
    }
}

TEST(Primitives, PlanesOfOtherDepthsAreRefused) {
    const C_Vector2DI point(0, 0);
    const C_Vector2D a(0, 0), b(3, 3);
    const C_Rect rect(0, 0, 2, 2);
    const C_Circle circle(C_Vector2D(1, 1), 1);
    for (int32_t format : {GFX_FMT_PAL4, GFX_FMT_L1, GFX_FMT_R16G16B16, GFX_FMT_L32F, GFX_FMT_A32R32G32B32F}) {
        SCOPED_TRACE(format);
        auto s = MakeSurface(4, 4, format);
        EXPECT_FALSE(Gfx_Surface_Blit(s.get(), &point, &kWhite, nullptr));
        EXPECT_EQ(Err_GetCause().code, ERR_FORMAT);
        EXPECT_STREQ(Err_GetCause().message, "Gfx_Surface_Blit{ImageDst->format}");
        EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
        EXPECT_FALSE(Gfx_Surface_Blit(s.get(), &a, &b, &kWhite, nullptr));
        EXPECT_FALSE(Gfx_Surface_Blit(s.get(), &rect, &kWhite, nullptr, 1));
        EXPECT_FALSE(Gfx_Surface_Blit(s.get(), &circle, &kWhite, nullptr, 1));
    }
    C_Surface noPlanes;
    EXPECT_FALSE(Gfx_Surface_Blit(&noPlanes, &point, &kWhite, nullptr));
    auto pal8 = MakeSurface(4, 4, GFX_FMT_PAL8);
    EXPECT_TRUE(Gfx_Surface_Blit(pal8.get(), &point, &kWhite, nullptr));
}

TEST(Primitives, PointsKeepInsideTheFrameAndThePlane) {
    auto s = MakeSurface(8, 8);
    const C_Frame frame(2, 2, 6, 6);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const C_Vector2DI p(x, y);
            ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &p, &kWhite, &frame));
        }
    Pixels inside;
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) inside.insert({x, y});
    EXPECT_EQ(Drawn(*s), inside);

    // A frame larger than the plane is cut to it.
    auto t = MakeSurface(4, 4);
    const C_Frame wide(-100, -100, 100, 100);
    for (int v : {-1, 4, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        const C_Vector2DI p(v, 1), q(1, v);
        EXPECT_TRUE(Gfx_Surface_Blit(t.get(), &p, &kWhite, &wide));
        EXPECT_TRUE(Gfx_Surface_Blit(t.get(), &q, &kWhite, &wide));
    }
    EXPECT_TRUE(Drawn(*t).empty());
}

TEST(Primitives, LineEndsFollowTheHalfPixelRule) {
    auto draw = [](float x1, float y1, float x2, float y2) {
        auto s = MakeSurface(8, 8);
        const C_Vector2D a(x1, y1), b(x2, y2);
        EXPECT_TRUE(Gfx_Surface_Blit(s.get(), &a, &b, &kWhite, nullptr));
        return Drawn(*s);
    };
    EXPECT_TRUE(draw(0, 0, 0, 0).empty());
    EXPECT_EQ(draw(0, 0, 3, 0), (Pixels{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(draw(3, 0, 0, 0), (Pixels{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(draw(0, 0, 3, 3), (Pixels{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(draw(1, 5, 1, 2), (Pixels{{1, 5}, {1, 4}, {1, 3}, {1, 2}}));
    EXPECT_EQ(draw(0, 0, 2, 6), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 5}}));
}

TEST(Primitives, ClippedLinesDrawExactlyWhatTheFullWalkDrawsInside) {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<float> near(-40.0f, 80.0f), far(-3000.0f, 3000.0f);
    std::uniform_int_distribution<int> edge(-5, 45);
    for (int i = 0; i < 4000; ++i) {
        auto s = MakeSurface(40, 40, i % 2 ? GFX_FMT_A8R8G8B8 : GFX_FMT_R8G8B8, i % 3 == 0);
        const bool longLine = i % 4 == 0;
        const float x1 = longLine ? far(rng) : near(rng), y1 = longLine ? far(rng) : near(rng);
        const float x2 = longLine ? far(rng) : near(rng), y2 = longLine ? far(rng) : near(rng);
        const C_Frame frame(edge(rng), edge(rng), edge(rng), edge(rng));
        const C_Vector2D a(x1, y1), b(x2, y2);
        ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &a, &b, &kWhite, i % 5 ? &frame : nullptr));
        Clip c = i % 5 ? Clip{std::max(0, frame.left), std::max(0, frame.top), std::min(40, frame.right),
                              std::min(40, frame.bottom)}
                       : Clip{0, 0, 40, 40};
        ASSERT_EQ(Drawn(*s), ReferenceLine(x1, y1, x2, y2, c))
            << "line " << i << ": (" << x1 << ", " << y1 << ") -> (" << x2 << ", " << y2 << ") frame "
            << frame.left << " " << frame.top << " " << frame.right << " " << frame.bottom;
    }
}

TEST(Primitives, HugeAndNonFiniteCoordinatesAreSafeAndCheap) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
    auto s = MakeSurface(64, 48);
    const auto start = std::chrono::steady_clock::now();
    const C_Vector2D farLeft(-1e30f, 5.25f), farRight(1e30f, 5.25f);
    ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &farLeft, &farRight, &kWhite, nullptr));
    Pixels row5;
    for (int x = 0; x < 64; ++x) row5.insert({x, 5});
    EXPECT_EQ(Drawn(*s), row5);
    // A line of two billion pixels that crosses the frame costs its visible part.
    const C_Vector2D a(-1e9f, -1e9f), b(1e9f, 1e9f);
    ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &a, &b, &kWhite, nullptr));
    EXPECT_NE(Get(*s, 10, 10), 0u);
    const C_Rect hugeRect(-1e30f, -1e30f, 1e30f, 1e30f);
    s = MakeSurface(64, 48);
    ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &hugeRect, &kWhite, nullptr, 0));  // every edge out of sight
    EXPECT_EQ(Get(*s, 0, 0), 0u);
    ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &hugeRect, &kWhite, nullptr, 1));
    EXPECT_EQ(Drawn(*s).size(), 64u * 48u);

    auto t = MakeSurface(64, 48);
    for (float bad : {inf, -inf, nan}) {
        const C_Vector2D p(bad, 3), q(10, 3);
        EXPECT_TRUE(Gfx_Surface_Blit(t.get(), &p, &q, &kWhite, nullptr));
        const C_Rect r(0, 0, bad, 10);
        EXPECT_TRUE(Gfx_Surface_Blit(t.get(), &r, &kWhite, nullptr, 1));
        for (uint8_t filled : {0, 1}) {
            const C_Circle c1(C_Vector2D(bad, 5), 5);
            EXPECT_TRUE(Gfx_Surface_Blit(t.get(), &c1, &kWhite, nullptr, filled));
            const C_Circle c2(C_Vector2D(5, 5), bad);
            EXPECT_TRUE(Gfx_Surface_Blit(t.get(), &c2, &kWhite, nullptr, filled));
        }
    }
    EXPECT_TRUE(Drawn(*t).empty());
    // Circles of a billion pixels: the arc through the frame, and a disc covering it.
    const C_Circle arc(C_Vector2D(32, 1e9f + 20), 1e9f);
    ASSERT_TRUE(Gfx_Surface_Blit(t.get(), &arc, &kWhite, nullptr, 0));
    EXPECT_FALSE(Drawn(*t).empty());
    const C_Circle disc(C_Vector2D(32, 24), 2e9f);
    ASSERT_TRUE(Gfx_Surface_Blit(t.get(), &disc, &kWhite, nullptr, 1));
    EXPECT_EQ(Drawn(*t).size(), 64u * 48u);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
}

TEST(Primitives, RectanglesCoverBothEndsAndOutlineOnlyVisibleEdges) {
    auto draw = [](C_Rect r, uint8_t filled, const C_Frame* frame) {
        auto s = MakeSurface(32, 32, GFX_FMT_R5G6B5);
        EXPECT_TRUE(Gfx_Surface_Blit(s.get(), &r, &kWhite, frame, filled));
        return Drawn(*s);
    };
    auto box = [](int x0, int y0, int x1, int y1, bool outline) {
        Pixels p;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (!outline || x == x0 || x == x1 || y == y0 || y == y1) p.insert({x, y});
        return p;
    };
    EXPECT_EQ(draw(C_Rect(10, 10, 20, 20), 1, nullptr), box(10, 10, 20, 20, false));
    EXPECT_EQ(draw(C_Rect(20.7f, 20.2f, 10.9f, 10.5f), 7, nullptr), box(10, 10, 20, 20, false));
    EXPECT_EQ(draw(C_Rect(10, 10, 20, 20), 0, nullptr), box(10, 10, 20, 20, true));

    // Cut at each edge of a frame: the cut edge disappears, the others stay.
    const C_Frame frame(12, 12, 18, 18);
    const Pixels fill = draw(C_Rect(10, 14, 20, 16), 1, &frame);
    EXPECT_EQ(fill, box(12, 14, 17, 16, false));
    Pixels leftCut = draw(C_Rect(10, 13, 16, 16), 0, &frame), expected;
    for (int x = 12; x <= 16; ++x) expected.insert({x, 13}), expected.insert({x, 16});
    for (int y = 13; y <= 16; ++y) expected.insert({16, y});
    EXPECT_EQ(leftCut, expected);
    Pixels rightCut = draw(C_Rect(14, 13, 18, 16), 0, &frame);  // column 18 is outside
    expected.clear();
    for (int x = 14; x <= 17; ++x) expected.insert({x, 13}), expected.insert({x, 16});
    for (int y = 13; y <= 16; ++y) expected.insert({14, y});
    EXPECT_EQ(rightCut, expected);
    Pixels topBottomCut = draw(C_Rect(13, 5, 15, 30), 0, &frame);
    expected.clear();
    for (int y = 12; y <= 17; ++y) expected.insert({13, y}), expected.insert({15, y});
    EXPECT_EQ(topBottomCut, expected);
    EXPECT_TRUE(draw(C_Rect(40, 40, 50, 50), 1, nullptr).empty());
}

TEST(Primitives, CirclesMatchTheMidpointWalk) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> centre(-20, 60), radius(0, 50), edge(-5, 45);
    for (int i = 0; i < 1500; ++i) {
        const int64_t cx = centre(rng), cy = centre(rng), r = i < 60 ? i : radius(rng);
        const bool filled = i % 2 == 1;
        const C_Frame frame(edge(rng), edge(rng), edge(rng), edge(rng));
        auto s = MakeSurface(40, 40, i % 3 ? GFX_FMT_A8R8G8B8 : GFX_FMT_L8, i % 4 == 0);
        const C_Circle circle(C_Vector2D(cx + 0.75f, cy + 0.25f), r + 0.5f);
        ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &circle, &kWhite, i % 5 ? &frame : nullptr, filled ? 1 : 0));
        const Clip c = i % 5 ? Clip{std::max(0, frame.left), std::max(0, frame.top), std::min(40, frame.right),
                                    std::min(40, frame.bottom)}
                             : Clip{0, 0, 40, 40};
        const int64_t tx = int64_t(circle.centre.x), ty = int64_t(circle.centre.y);  // truncated toward 0
        ASSERT_EQ(Drawn(*s), ReferenceCircle(tx, ty, r, c, filled)) << "circle " << i << " at " << cx << ", " << cy
                                                                     << " r " << r << (filled ? " filled" : "");
    }
    // Large radii, where only the steps near the frame are taken.
    for (int64_t r : {1000, 4099, 77777, 1000003}) {
        for (bool filled : {false, true}) {
            for (int64_t cy : {r + 20, r - 30, 20 - r}) {
                auto s = MakeSurface(40, 40);
                const C_Circle circle(C_Vector2D(float(25 - r / 2), float(cy)), float(r));
                ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &circle, &kWhite, nullptr, filled));
                ASSERT_EQ(Drawn(*s), ReferenceCircle(int64_t(circle.centre.x), cy, r, Clip{0, 0, 40, 40}, filled))
                    << "r " << r << " cy " << cy << (filled ? " filled" : "");
            }
        }
    }
}

TEST(Primitives, CircleFlagsAndDegenerateRadii) {
    auto draw = [](float radius, uint8_t filled) {
        auto s = MakeSurface(16, 16, GFX_FMT_R8G8B8);
        const C_Circle c(C_Vector2D(8, 8), radius);
        EXPECT_TRUE(Gfx_Surface_Blit(s.get(), &c, &kWhite, nullptr, filled));
        return Drawn(*s);
    };
    EXPECT_EQ(draw(0, 1), (Pixels{{8, 8}}));
    EXPECT_EQ(draw(0, 0), (Pixels{{8, 8}}));
    EXPECT_EQ(draw(4, 2), draw(4, 1));  // any non-zero flag fills
    EXPECT_GT(draw(4, 1).size(), draw(4, 0).size());
    EXPECT_TRUE(draw(-1, 0).empty());
    EXPECT_TRUE(draw(-3, 1).empty());
    EXPECT_TRUE(draw(-0.5f, 1).empty());
}

}  // namespace
