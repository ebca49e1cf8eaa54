// Points, lines, rectangles and circles at every depth, against plain walks.
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
#include "softblit/core/simd_level.h"
#include "surface_fixtures.h"

namespace {
using Pixels = std::set<std::pair<int64_t, int64_t>>;

const C_Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);

// The pixels of a surface that are not zero.
Pixels Drawn(const T_TestSurface& s) {
    Pixels out;
    for (uint32_t y = 0; y < s.colour.image->height; ++y)
        for (uint32_t x = 0; x < s.colour.image->width; ++x)
            if (s.Get(x, y) != 0) out.insert({x, y});
    return out;
}

// The box (x0, y0)-(x1, y1) inclusive: filled, or only the sides named.
enum { L = 1, T = 2, R = 4, B = 8, ALL = 15, FILLED = 16 };
Pixels Box(int x0, int y0, int x1, int y1, int sides = FILLED) {
    Pixels p;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (sides == FILLED || (x == x0 && (sides & L)) || (y == y0 && (sides & T)) || (x == x1 && (sides & R)) ||
                (y == y1 && (sides & B)))
                p.insert({x, y});
    return p;
}

// A frame, or none, cut to a 40 x 40 plane.
struct Clip {
    int64_t l = 0, t = 0, r = 40, b = 40;
    explicit Clip(const C_Frame* f) {
        if (f) l = std::max(0, f->left), t = std::max(0, f->top), r = std::min(40, f->right), b = std::min(40, f->bottom);
    }
    bool In(int64_t x, int64_t y) const { return x >= l && x < r && y >= t && y < b; }
};

// The line walk stepped along its major axis from end to end, every pixel tested: the reference.
Pixels ReferenceLine(double x1, double y1, double x2, double y2, Clip c) {
    Pixels out;
    const int64_t p[2] = {int64_t(x1 * 65536), int64_t(y1 * 65536)}, e[2] = {int64_t(x2 * 65536), int64_t(y2 * 65536)};
    const int64_t d[2] = {e[0] - p[0], e[1] - p[1]};
    const double f[2] = {x2 - x1, y2 - y1};
    if (d[0] == 0 && d[1] == 0) return out;
    const int m = std::llabs(d[1]) > std::llabs(d[0]) ? 1 : 0, n = 1 - m;  // major and minor axis
    const int64_t step = d[m] > 0 ? 65536 : -65536;
    const int64_t slope = std::llabs(d[m]) == std::llabs(d[n]) ? (d[n] > 0 ? 65536 : -65536)
                                                               : int64_t(f[n] / std::fabs(f[m]) * 65536);
    for (int64_t a = p[m] + 32768, b = p[n] + 32768; step > 0 ? a <= e[m] : a >= e[m]; a += step, b += slope) {
        const int64_t x = (m ? b : a) >> 16, y = (m ? a : b) >> 16;
        if (c.In(x, y)) out.insert({x, y});
    }
    return out;
}

// The midpoint circle stepped over its whole first octant, clipped; filled,
// each row spans its outermost points: the reference.
Pixels ReferenceCircle(int64_t cx, int64_t cy, int64_t r, Clip c, bool filled) {
    std::map<int64_t, std::pair<int64_t, int64_t>> rows;  // row -> leftmost, rightmost
    Pixels out;
    auto plot = [&](int64_t x, int64_t y) {
        if (!filled && c.In(x, y)) out.insert({x, y});
        if (!filled || y < c.t || y >= c.b) return;
        auto it = rows.emplace(y, std::make_pair(x, x)).first;
        it->second = {std::min(it->second.first, x), std::max(it->second.second, x)};
    };
    plot(cx, cy + r), plot(cx, cy - r), plot(cx + r, cy), plot(cx - r, cy);
    for (int64_t d = 1 - r, ddx = 0, ddy = -2 * r, x = 0, y = r; r >= 1 && x < y;) {
        if (d >= 0) --y, ddy += 2, d += ddy;
        ++x, ddx += 2, d += ddx + 1;
        plot(cx + x, cy + y), plot(cx - x, cy + y), plot(cx + x, cy - y), plot(cx - x, cy - y);
        plot(cx + y, cy + x), plot(cx - y, cy + x), plot(cx + y, cy - x), plot(cx - y, cy - x);
    }
    for (auto& row : rows)
        for (int64_t x = std::max(row.second.first, c.l); x <= std::min(row.second.second, c.r - 1); ++x)
            out.insert({x, row.first});
    return out;
}

// Drawn colours are the low bytes of the packed word; planes of other depths are refused.
TEST(Primitives, EveryDepthDrawsInEitherRowOrderOrIsRefused) {
    const C_Color colour(1.0f, 0.5f, 0.0f, 1.0f);
    const C_Vector2DI point(1, 0);
    const C_Vector2D a(0, 0), b(3, 3);
    const C_Rect rect(2, 2, 3, 3);
    const C_Circle circle(C_Vector2D(1, 1), 1);
    const struct {
        int32_t format;
        std::vector<uint8_t> bytes;  // none: refused
    } cases[] = {{GFX_FMT_L8, {0xFF}},           {GFX_FMT_R5G6B5, {0xE0, 0xFB}},
                 {GFX_FMT_R8G8B8, {0, 0x7F, 0xFF}}, {GFX_FMT_B8G8R8, {0xFF, 0x7F, 0}},
                 {GFX_FMT_L24, {0xFF, 0xFF, 0xFF}}, {GFX_FMT_A8R8G8B8, {0, 0x7F, 0xFF, 0xFF}},
                 {GFX_FMT_PAL4, {}},                {GFX_FMT_L1, {}},
                 {GFX_FMT_R16G16B16, {}},           {GFX_FMT_A32R32G32B32F, {}}};
    for (const auto& c : cases)
        for (bool bottomUp : {false, true}) {
            SCOPED_TRACE(testing::Message() << "format " << c.format << (bottomUp ? " bottom-up" : ""));
            T_TestSurface s(5, 4, c.format, bottomUp);
            const size_t n = c.bytes.size();
            EXPECT_EQ(Gfx_Surface_Blit(s.get(), &point, &colour, nullptr), n != 0);
            EXPECT_EQ(Gfx_Surface_Blit(s.get(), &rect, &colour, nullptr, 1), n != 0);
            if (n == 0) {
                EXPECT_EQ(Err_GetCause().code, ERR_FORMAT);
                EXPECT_STREQ(Err_GetCause().message, "Gfx_Surface_Blit{ImageDst->format}");
                EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
                EXPECT_FALSE(Gfx_Surface_Blit(s.get(), &a, &b, &kWhite, nullptr));
                EXPECT_FALSE(Gfx_Surface_Blit(s.get(), &circle, &kWhite, nullptr, 1));
                continue;
            }
            // Logical row 0 is the last row in memory when bottom-up.
            const size_t at = (bottomUp ? 3 * s.colour.image->pitch : 0) + n;
            EXPECT_EQ(std::vector<uint8_t>(&s.colour.bytes[at], &s.colour.bytes[at + n]), c.bytes);
            EXPECT_EQ(Drawn(s), (Pixels{{1, 0}, {2, 2}, {3, 2}, {2, 3}, {3, 3}}));
            for (const auto& px : Drawn(s)) EXPECT_EQ(s.Get(uint32_t(px.first), uint32_t(px.second)), s.Get(1, 0));
        }
}

TEST(Primitives, ClippedLinesDrawExactlyWhatTheFullWalkDrawsInside) {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<float> near(-40.0f, 80.0f), far(-3000.0f, 3000.0f);
    std::uniform_int_distribution<int> edge(-5, 45);
    for (int i = 0; i < 4000; ++i) {
        auto& dist = i % 4 == 0 ? far : near;  // every fourth line is long
        const C_Vector2D a{dist(rng), dist(rng)}, b{dist(rng), dist(rng)};
        const C_Frame frame{edge(rng), edge(rng), edge(rng), edge(rng)};
        const C_Frame* f = i % 5 ? &frame : nullptr;
        T_TestSurface s(40, 40, i % 2 ? GFX_FMT_A8R8G8B8 : GFX_FMT_R8G8B8, i % 3 == 0);
        ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &a, &b, &kWhite, f));
        ASSERT_EQ(Drawn(s), ReferenceLine(a.x, a.y, b.x, b.y, Clip(f))) << "line " << i;
    }
}

TEST(Primitives, HugeAndNonFiniteCoordinatesAreSafeAndCheap) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
    T_TestSurface s(64, 48), t(64, 48);
    const auto start = std::chrono::steady_clock::now();
    const C_Vector2D farLeft(-1e30f, 5.25f), farRight(1e30f, 5.25f);
    ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &farLeft, &farRight, &kWhite, nullptr));
    EXPECT_EQ(Drawn(s), Box(0, 5, 63, 5));
    // Ends 1e36 and 4e19 away (found by fuzz_blit): the cut of the nearer end
    // rounds to that end itself, which must still be held inside the walk's
    // 16.16 range. The line passes above the frame.
    const C_Vector2D veryFar(-2.66494605e36f, -1.625f), lessFar(3.68957355e19f, -67.9375f);
    ASSERT_TRUE(Gfx_Surface_Blit(t.get(), &veryFar, &lessFar, &kWhite, nullptr));
    // A line of two billion pixels that crosses the frame costs its visible part.
    const C_Vector2D a(-1e9f, -1e9f), b(1e9f, 1e9f);
    ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &a, &b, &kWhite, nullptr));
    EXPECT_NE(s.Get(10, 10), 0u);
    const C_Rect hugeRect(-1e30f, -1e30f, 1e30f, 1e30f);
    ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &hugeRect, &kWhite, nullptr, 1));
    EXPECT_EQ(Drawn(s).size(), 64u * 48u);

    for (float bad : {inf, -inf, nan}) {
        const C_Vector2D p(bad, 3), q(10, 3);
        const C_Rect r(0, 0, bad, 10);
        const C_Circle circles[] = {{C_Vector2D(bad, 5), 5}, {C_Vector2D(5, 5), bad}, {C_Vector2D(5, 5), -3}};
        EXPECT_TRUE(Gfx_Surface_Blit(t.get(), &p, &q, &kWhite, nullptr));
        EXPECT_TRUE(Gfx_Surface_Blit(t.get(), &r, &kWhite, nullptr, 1));
        for (const C_Circle& c : circles)
            for (uint8_t filled : {0, 1}) EXPECT_TRUE(Gfx_Surface_Blit(t.get(), &c, &kWhite, nullptr, filled));
    }
    EXPECT_TRUE(Drawn(t).empty());
    // Discs beyond 2^31 fill what they cover; their outlines miss the frame.
    // Edges that cross the frame: centre 2^32, radius 2^32 - 256 reaches column
    // 256 on every row near the centre; centre -2^63, radius 2^63 reaches column 0.
    const struct {
        C_Circle circle;
        uint32_t w, h;
        Pixels filled, outline;
    } discs[] = {
        {C_Circle(C_Vector2D(32, 24), 2e9f), 64, 48, Box(0, 0, 63, 47), {}},
        {C_Circle(C_Vector2D(32, 24), 2.2e9f), 64, 48, Box(0, 0, 63, 47), {}},
        {C_Circle(C_Vector2D(32, 24), 1e30f), 64, 48, Box(0, 0, 63, 47), {}},
        {C_Circle(C_Vector2D(4294967296.0f, 2), 4294967040.0f), 300, 5, Box(256, 0, 299, 4), Box(256, 0, 256, 4)},
        {C_Circle(C_Vector2D(-9223372036854775808.0f, 2), 9223372036854775808.0f), 300, 5, Box(0, 0, 0, 4),
         Box(0, 0, 0, 4)},
    };
    for (const auto& d : discs) {
        SCOPED_TRACE(testing::Message() << "centre " << d.circle.centre.x << ", radius " << d.circle.radius);
        T_TestSurface f(d.w, d.h), o(d.w, d.h);
        ASSERT_TRUE(Gfx_Surface_Blit(f.get(), &d.circle, &kWhite, nullptr, 1));
        ASSERT_TRUE(Gfx_Surface_Blit(o.get(), &d.circle, &kWhite, nullptr, 0));
        EXPECT_EQ(Drawn(f), d.filled);
        EXPECT_EQ(Drawn(o), d.outline);
    }
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
}

TEST(Primitives, RectanglesCoverBothEndsAndOutlineOnlyVisibleEdges) {
    const C_Frame frame(12, 12, 18, 18);
    const struct {
        C_Rect rect;
        uint8_t filled;
        const C_Frame* frame;
        Pixels expected;
    } cases[] = {
        {C_Rect(10, 10, 20, 20), 1, nullptr, Box(10, 10, 20, 20)},
        {C_Rect(20.7f, 20.2f, 10.9f, 10.5f), 7, nullptr, Box(10, 10, 20, 20)},  // corners swapped
        {C_Rect(10, 10, 20, 20), 0, nullptr, Box(10, 10, 20, 20, ALL)},
        {C_Rect(40, 40, 50, 50), 1, nullptr, {}},
        // Cut at each edge of a frame: the cut side disappears, the others stay.
        {C_Rect(10, 14, 20, 16), 1, &frame, Box(12, 14, 17, 16)},
        {C_Rect(10, 13, 16, 16), 0, &frame, Box(12, 13, 16, 16, T | R | B)},
        {C_Rect(14, 13, 18, 16), 0, &frame, Box(14, 13, 17, 16, L | T | B)},  // column 18 is outside
        {C_Rect(13, 5, 15, 30), 0, &frame, Box(13, 12, 15, 17, L | R)},
    };
    // 32-bit planes of whole rows fill as one block, in either row order.
    for (int32_t format : {GFX_FMT_R5G6B5, GFX_FMT_A8R8G8B8})
        for (bool bottomUp : {false, true})
            for (const auto& c : cases) {
                T_TestSurface s(32, 32, format, bottomUp);
                EXPECT_TRUE(Gfx_Surface_Blit(s.get(), &c.rect, &kWhite, c.frame, c.filled));
                EXPECT_EQ(Drawn(s), c.expected) << c.rect.left << " " << c.rect.top << " filled " << int(c.filled);
            }
    T_TestSurface whole(32, 32, GFX_FMT_A8R8G8B8, true);
    const C_Rect all(-5, -5, 40, 40);
    EXPECT_TRUE(Gfx_Surface_Blit(whole.get(), &all, &kWhite, nullptr, 1));
    EXPECT_EQ(Drawn(whole), Box(0, 0, 31, 31));
}

TEST(Primitives, CirclesMatchTheMidpointWalk) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> centre(-20, 60), radius(0, 50), edge(-5, 45);
    for (int i = 0; i < 1500; ++i) {
        const int64_t cx = centre(rng), cy = centre(rng), r = i < 60 ? i : radius(rng);
        const uint8_t flag = uint8_t(i % 4);  // any non-zero flag fills
        const C_Frame frame{edge(rng), edge(rng), edge(rng), edge(rng)};
        const C_Frame* f = i % 5 ? &frame : nullptr;
        T_TestSurface s(40, 40, i % 3 ? GFX_FMT_A8R8G8B8 : GFX_FMT_L8, i % 4 == 0);
        const C_Circle circle(C_Vector2D(cx + 0.75f, cy + 0.25f), r + 0.5f);
        ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &circle, &kWhite, f, flag));
        // The centre is truncated toward 0, the radius too.
        ASSERT_EQ(Drawn(s), ReferenceCircle(int64_t(circle.centre.x), int64_t(circle.centre.y), r, Clip(f), flag != 0))
            << "circle " << i;
    }
}

TEST(Primitives, PointBatchesDrawWhatSingleCallsDrawAndColoursChange) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(-6, 46), edge(-5, 45);
    const int32_t formats[] = {GFX_FMT_A8R8G8B8, GFX_FMT_R8G8B8, GFX_FMT_R5G6B5, GFX_FMT_L8};
    for (int i = 0; i < 200; ++i) {
        std::vector<C_Vector2DI> points(size_t(i % 40));
        for (C_Vector2DI& p : points) p = C_Vector2DI(coord(rng), coord(rng));
        const C_Frame frame{edge(rng), edge(rng), edge(rng), edge(rng)};
        const C_Frame* f = i % 3 ? &frame : nullptr;
        // Alternating colours: a packed colour is reused only while it is the same.
        const C_Color colour(float(i % 7) / 6.0f, 0.5f, float(i % 3) / 2.0f, 1.0f);
        T_TestSurface batch(40, 40, formats[i % 4], i % 2 == 0), single(40, 40, formats[i % 4], i % 2 == 0);
        ASSERT_TRUE(Gfx_Surface_DrawPoints(batch.get(), points.data(), uint32_t(points.size()), &colour, f));
        for (const C_Vector2DI& p : points) ASSERT_TRUE(Gfx_Surface_Blit(single.get(), &p, &colour, f));
        ASSERT_EQ(batch.colour.bytes, single.colour.bytes) << "case " << i;
    }
    T_TestSurface s(4, 4);
    EXPECT_FALSE(Gfx_Surface_DrawPoints(s.get(), nullptr, 1, &kWhite, nullptr));
    EXPECT_TRUE(Gfx_Surface_DrawPoints(s.get(), nullptr, 0, &kWhite, nullptr));
}

// Filled rectangles and circles go through the vector fills, and whole
// rows that follow each other in memory through one block fill.
TEST(Primitives, FillsAreTheSameAtEveryLevel) {
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> coord(-4, 44), edge(-5, 45);
    const int32_t restore = Gfx_Simd_Level();
    for (int i = 0; i < 150; ++i) {
        const C_Rect rect(float(coord(rng)), float(coord(rng)), float(coord(rng)), float(coord(rng)));
        const C_Circle circle(C_Vector2D(float(coord(rng)), float(coord(rng))), float(coord(rng) % 30));
        const C_Frame frame{edge(rng), edge(rng), edge(rng), edge(rng)};
        const C_Frame* f = i % 3 ? &frame : nullptr;
        const C_Color colour(0.2f, float(i % 5) / 4.0f, 0.9f, 0.5f);
        const uint32_t width = i % 4 ? 40 : 37, padding = i % 2 ? 0 : uint32_t(1 + i % 5);
        std::vector<uint8_t> plain;
        for (int32_t level = GFX_SIMD_PLAIN; level <= Gfx_Simd_Available(); ++level) {
            Gfx_Simd_SetLevel(level);
            T_TestSurface s;
            s.AddColour(width, 40, GFX_FMT_A8R8G8B8, padding, i % 5 == 0);
            ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &rect, &colour, f, 1));
            ASSERT_TRUE(Gfx_Surface_Blit(s.get(), &circle, &kWhite, f, 1));
            if (level == GFX_SIMD_PLAIN) plain = s.colour.bytes;
            else ASSERT_EQ(s.colour.bytes, plain) << "case " << i << ", level " << level;
        }
    }
    Gfx_Simd_SetLevel(restore);
}

}  // namespace
