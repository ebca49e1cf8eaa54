// Hotspots, mirroring, wrap copies, stretch and repeat fills, checked as pictures.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

#include "softblit/core/status.h"
#include "softblit/surface/blit_image.h"
#include "softblit/surface/blit_kernel.h"
#include "surface_fixtures.h"

namespace {
using namespace surface_test;

bool Blit(C_Surface& src, C_Surface& dst, float x, float y, const S_BlitParams* p, const C_Frame* clip = nullptr) {
    const C_Vector2D at(x, y);
    return Gfx_Surface_BlitImage(&src, &dst, nullptr, clip, &at, 0, p);
}
bool ToRect(C_Surface& src, C_Surface& dst, const C_Rect& rect, const S_BlitParams* p) {
    return Gfx_Surface_BlitToRect(&src, &dst, nullptr, nullptr, &rect, nullptr, 0, p);
}
bool Tiled(C_Surface& src, C_Surface& dst, const C_Rect& rect, const S_BlitParams* p,
           const C_Vector2D* offset = nullptr) {
    return Gfx_Surface_BlitTiled(&src, &dst, nullptr, nullptr, &rect, offset, 0, p);
}

TEST(BlitImage, WithoutRecordOrThroughTheShortcutCopiesAtTheTopLeftCorner) {
    auto src = MakePattern(4, 3);
    const S_BlitParams defaults;
    for (const S_BlitParams* p : {static_cast<const S_BlitParams*>(nullptr), &defaults}) {
        auto dst = MakeSurface(10, 10);
        ASSERT_TRUE(Blit(*src, *dst, 2, 5, p));
        for (uint32_t y = 0; y < 10; ++y)
            for (uint32_t x = 0; x < 10; ++x)
                ASSERT_EQ(Get(*dst, x, y), x >= 2 && x < 6 && y >= 5 && y < 8 ? Src(x - 2, y - 5) : 0u) << x << "," << y;
    }
}

TEST(BlitImage, CentreHotspotsAgreeAndTurnAboutTheCentre) {
    auto src = MakePattern(6, 4);
    for (float angle : {0.0f, 30.0f, 90.0f, -135.0f}) {
        SCOPED_TRACE(angle);
        S_BlitParams corner, middle;
        corner.angle = middle.angle = angle;
        corner.hotspot = C_Vector2D(3, 2, 0x10);
        middle.hotspot = C_Vector2D(0, 0, 0x32);
        auto a = MakeSurface(20, 20), b = MakeSurface(20, 20);
        ASSERT_TRUE(Blit(*src, *a, 10, 10, &corner));
        ASSERT_TRUE(Blit(*src, *b, 10, 10, &middle));
        EXPECT_EQ(Picture(*a), Picture(*b));
    }
    S_BlitParams centre;
    centre.hotspot = C_Vector2D(0, 0, 0x32);
    auto d = MakeSurface(20, 20);
    ASSERT_TRUE(Blit(*src, *d, 10, 10, &centre));
    EXPECT_EQ(Get(*d, 7, 8), Src(0, 0));
    EXPECT_EQ(Get(*d, 12, 11), Src(5, 3));
}

TEST(BlitImage, MirroringMovesThePivotWithTheImage) {
    auto src = MakePattern(4, 2);
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
        auto dst = MakeSurface(16, 8);
        ASSERT_TRUE(Blit(*src, *dst, c.x, c.y, &p));
        for (const Probe& q : c.probes) EXPECT_EQ(Get(*dst, q.x, q.y), q.word) << q.x << ", " << q.y;
    }
}

TEST(BlitImage, WrapCopiesReappearAtTheOppositeEdges) {
    auto src = MakePattern(6, 4);
    S_BlitParams p;
    p.wrapHorizontal = 1;
    auto dst = MakeSurface(20, 10);
    ASSERT_TRUE(Blit(*src, *dst, 17, 2, &p));
    for (uint32_t x = 0; x < 20; ++x) {
        const uint32_t expected = x >= 17 ? Src(x - 17, 0) : (x < 3 ? Src(x + 3, 0) : 0u);
        EXPECT_EQ(Get(*dst, x, 2), expected) << x;
    }

    // Both flags: an image over the bottom-right corner shows in all four.
    p.wrapVertical = 1;
    const C_Frame huge(-500, -500, 1000, 1000);  // cut to the destination: copies 20 and 10 apart
    for (const C_Frame* clip : {static_cast<const C_Frame*>(nullptr), &huge}) {
        dst = MakeSurface(20, 10);
        ASSERT_TRUE(Blit(*src, *dst, 17, 8, &p, clip));
        EXPECT_EQ(Get(*dst, 17, 8), Src(0, 0));
        EXPECT_EQ(Get(*dst, 2, 8), Src(5, 0));
        EXPECT_EQ(Get(*dst, 17, 1), Src(0, 3));
        EXPECT_EQ(Get(*dst, 0, 0), Src(3, 2));
        EXPECT_EQ(Get(*dst, 10, 5), 0u);
    }

    // Copies repeat with the frame's own width and stay inside it.
    p.wrapVertical = 0;
    const C_Frame band(5, 0, 15, 10);
    dst = MakeSurface(20, 10);
    ASSERT_TRUE(Blit(*src, *dst, 12, 2, &p, &band));
    for (uint32_t x = 0; x < 20; ++x) {
        const uint32_t expected = x >= 12 && x < 15 ? Src(x - 12, 0) : (x >= 5 && x < 8 ? Src(x - 2, 0) : 0u);
        EXPECT_EQ(Get(*dst, x, 2), expected) << x;
    }
}

TEST(BlitImage, FailuresAreReportedOnEveryPath) {
    auto src = MakePattern(4, 4);
    S_BlitParams shortcut, full;
    full.flipHorizontal = 1;
    full.wrapHorizontal = 1;
    C_Surface empty;
    auto dst = MakeSurface(8, 8);
    const S_BlitParams* records[] = {nullptr, &shortcut, &full};
    for (const S_BlitParams* p : records) {
        EXPECT_FALSE(Blit(*src, empty, 0, 0, p));
        EXPECT_FALSE(Blit(empty, *dst, 0, 0, p));
        auto sixteen = MakeSurface(8, 8, GFX_FMT_R5G6B5);  // the engine refuses it
        EXPECT_FALSE(Blit(*src, *sixteen, 0, 0, p));
        EXPECT_EQ(Err_GetCause().code, ERR_FORMAT);
        EXPECT_TRUE(Blit(*src, *dst, 0, 0, p));
    }
    // An alpha-only source still counts as a source.
    C_Image* alpha = new C_Image();
    alpha->CreateEmpty(2, 2, GFX_FMT_L8, GFX_FMT_NONE);
    C_Surface glyph;
    glyph.AddPlane(alpha, GFX_PLANE_ALPHA);
    EXPECT_TRUE(Blit(glyph, *dst, 0, 0, &full));
}

TEST(BlitToRect, StretchMapsTheWholeImageOntoTheRectangleAndNoFurther) {
    auto src = MakePattern(4, 4);
    auto stretch = [&](const S_BlitParams* p, const C_Rect* srcRect, C_Rect rect, C_Vector2D offset = C_Vector2D()) {
        auto dst = MakeSurface(16, 16);
        EXPECT_TRUE(Gfx_Surface_BlitToRect(src.get(), dst.get(), srcRect, nullptr, &rect, &offset, 0, p));
        return Picture(*dst);
    };
    // Stretched 2x onto (2, 3, 10, 11); mirrored, the 16.16 walk samples its own cells, but covers the same.
    const auto plain = stretch(nullptr, nullptr, C_Rect(2, 3, 10, 11));
    S_BlitParams mirrored, centred;
    mirrored.flipHorizontal = mirrored.flipVertical = 1;
    centred.hotspot = C_Vector2D(0, 0, 0x32);
    const auto turned = stretch(&mirrored, nullptr, C_Rect(2, 3, 10, 11));
    for (uint32_t i = 0; i < 256; ++i) {
        const uint32_t x = i % 16, y = i / 16;
        const bool in = x >= 2 && x < 10 && y >= 3 && y < 11;
        ASSERT_EQ(plain[i], in ? Src((x - 2) / 2, (y - 3) / 2) : 0u) << x << ", " << y;
        ASSERT_EQ(turned[i] != 0u, in) << x << ", " << y;
    }
    EXPECT_EQ(turned[3 * 16 + 2], Src(3, 3));
    // Any source rectangle, a centred hotspot and an offset give the same picture.
    const C_Rect part(1, 1, 2, 2);
    EXPECT_EQ(stretch(nullptr, &part, C_Rect(2, 3, 10, 11)), plain);
    EXPECT_EQ(stretch(&centred, nullptr, C_Rect(2, 3, 10, 11)), plain);
    EXPECT_EQ(stretch(nullptr, nullptr, C_Rect(1, 1, 9, 9), C_Vector2D(1, 2)), plain);

    // A fractional stretch still stays inside the rectangle rounded outwards.
    const auto fractional = stretch(nullptr, nullptr, C_Rect(2.5f, 3.5f, 9.25f, 7.75f));
    for (uint32_t i = 0; i < 256; ++i)
        ASSERT_TRUE((i % 16 >= 2 && i % 16 <= 9 && i / 16 >= 3 && i / 16 <= 7) || fractional[i] == 0u) << i;
}

TEST(BlitToRect, FitPairsAndEmptyAxes) {
    auto src = MakePattern(4, 4);
    auto dst = MakeSurface(16, 16);
    S_BlitParams p;
    const C_Rect flat(2, 3, 2, 11), rect(0, 0, 16, 16);
    EXPECT_FALSE(ToRect(*src, *dst, flat, &p));
    EXPECT_FALSE(ToRect(*src, *dst, flat, nullptr));
    p.fitHorizontal = 2;
    EXPECT_FALSE(ToRect(*src, *dst, rect, &p));
    // Repeat across, stretch down: 4-wide tiles of full height; and the other way round.
    p.fitHorizontal = GFX_FIT_REPEAT;
    ASSERT_TRUE(ToRect(*src, *dst, rect, &p));
    EXPECT_EQ(Get(*dst, 5, 15), Src(1, 3));
    EXPECT_EQ(Get(*dst, 13, 0), Src(1, 0));
    p.fitHorizontal = GFX_FIT_STRETCH;
    p.fitVertical = GFX_FIT_REPEAT;
    dst = MakeSurface(16, 16);
    ASSERT_TRUE(ToRect(*src, *dst, rect, &p));
    EXPECT_EQ(Get(*dst, 15, 5), Src(3, 1));
}

// A repeat fill drawn with the cells cut by the rectangle must match, inside
// the rectangle, a fill over a larger rectangle whose cells there are whole.
TEST(BlitTiled, CutCellsShowWhatWholeTilesShow) {
    auto src = MakePattern(5, 3);
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
                    auto cut = MakeSurface(24, 20), whole = MakeSurface(24, 20);
                    ASSERT_TRUE(Tiled(*src, *cut, rect, &p));
                    ASSERT_TRUE(Tiled(*src, *whole, big, &q));
                    for (uint32_t y = 0; y < 20; ++y)
                        for (uint32_t x = 0; x < 24; ++x) {
                            const bool in = x + 1 > rect.left && x < rect.right && y + 1 > rect.top && y < rect.bottom;
                            ASSERT_EQ(Get(*cut, x, y), in ? Get(*whole, x, y) : 0u) << x << ", " << y;
                            // Whole pixels inside the rectangle are all covered.
                            const bool whollyIn = x >= std::ceil(rect.left) && x + 1 <= rect.right &&
                                                  y >= std::ceil(rect.top) && y + 1 <= rect.bottom;
                            ASSERT_TRUE(!whollyIn || Get(*cut, x, y) != 0u) << x << ", " << y;
                        }
                }
}

TEST(BlitTiled, UnscaledGridPictureAndScrollPeriod) {
    auto src = MakePattern(3, 2);
    auto fill = [&](float sx, float sy, uint8_t flipH, float scale) {
        S_BlitParams p;
        p.scroll = C_Vector2D(sx, sy);
        p.flipHorizontal = flipH;
        p.scale = C_Vector2D(scale, scale);
        auto dst = MakeSurface(16, 12);
        EXPECT_TRUE(Tiled(*src, *dst, C_Rect(1, 2, 12, 9), &p));
        return Picture(*dst);
    };
    for (uint8_t flip : {0, 1}) {
        const auto picture = fill(1, 0, flip, 1);
        for (uint32_t y = 0; y < 12; ++y)
            for (uint32_t x = 0; x < 16; ++x) {
                const bool in = x >= 1 && x < 12 && y >= 2 && y < 9;
                const uint32_t col = (x + 3 - 2) % 3, row = (y - 2) % 2;
                ASSERT_EQ(picture[y * 16 + x], in ? Src(flip ? 2 - col : col, row) : 0u) << x << ", " << y;
            }
    }
    // A scroll of the tile size draws what 0 draws; a fractional scroll leaves no gap.
    EXPECT_EQ(fill(3, 2, 0, 1), fill(0, 0, 0, 1));
    EXPECT_EQ(fill(6, 4, 1, 2), fill(0, 0, 1, 2));
    EXPECT_EQ(fill(-1.5f, 0, 0, 1), fill(1.5f, 0, 0, 1));
}

TEST(BlitTiled, HugeAndDegenerateRectangles) {
    auto src = MakePattern(64, 64);
    auto a = MakeSurface(640, 480), b = MakeSurface(640, 480);
    S_BlitParams p;
    p.scroll = C_Vector2D(0.5f, 0.5f);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Tiled(*src, *a, C_Rect(-1e9f, -1e9f, 1e9f, 1e9f), &p));
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
    for (uint32_t i = 0; i < 640 * 480; i += 37) ASSERT_NE(Get(*a, i % 640, i / 640), 0u) << i;

    // A rectangle that starts 2^70 pixels away keeps its grid to the pixel.
    a = MakeSurface(640, 480);
    ASSERT_TRUE(Tiled(*src, *a, C_Rect(-1180591620717411303424.0f, 0, 640, 480), &p));
    ASSERT_TRUE(Tiled(*src, *b, C_Rect(-6400, 0, 640, 480), &p));
    EXPECT_EQ(Picture(*a), Picture(*b));
    // Turned about a point far beyond reach: safe, whatever it draws.
    S_BlitParams turned;
    turned.angle = 30;
    for (uint8_t anchor : {0x22, 0x32}) {
        turned.hotspot = C_Vector2D(0, 0, anchor);
        Tiled(*src, *a, C_Rect(-3e38f, -3e38f, 3e38f, 3e38f), &turned);
    }

    const float inf = std::numeric_limits<float>::infinity(), nan = std::nanf("");
    const C_Rect rect(0, 0, 100, 100);
    auto refused = [&](float scaleX, float scrollX, const C_Rect& r, float offsetX) {
        S_BlitParams q;
        q.scale = C_Vector2D(scaleX, 1);
        q.scroll = C_Vector2D(scrollX, 0);
        const C_Vector2D offset(offsetX, 0);
        auto d = MakeSurface(16, 16);
        return !Tiled(*src, *d, r, &q, &offset) && Picture(*d) == Picture(*MakeSurface(16, 16));
    };
    // Tiles of zero, below one pixel, beyond 32 bits; non-finite inputs; an empty rectangle.
    for (float scale : {0.0f, -0.0f, 0.01f, 1e9f, nan}) EXPECT_TRUE(refused(scale, 0, rect, 0)) << scale;
    EXPECT_TRUE(refused(1, inf, rect, 0));
    EXPECT_TRUE(refused(1, 0, rect, nan));
    EXPECT_TRUE(refused(1, 0, C_Rect(0, 0, inf, 10), 0));
    EXPECT_TRUE(refused(1, 0, C_Rect(5, 0, 5, 10), 0));

    // Without a record: the default record.
    a = MakeSurface(100, 90), b = MakeSurface(100, 90);
    const S_BlitParams defaults;
    ASSERT_TRUE(Tiled(*src, *a, C_Rect(3, 4, 97, 88), nullptr));
    ASSERT_TRUE(Tiled(*src, *b, C_Rect(3, 4, 97, 88), &defaults));
    EXPECT_EQ(Picture(*a), Picture(*b));
}

}  // namespace
