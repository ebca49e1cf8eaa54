// Blit_Fixed's refusals, hand-worked placement pictures, the key in every
// kernel family, and hostile geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "softblit/core/status.h"
#include "softblit/surface/blit_kernel.h"
#include "surface_fixtures.h"

namespace {

const uint32_t kBack = 0xFF101010;

// A w x h target filled with kBack.
T_TestSurface Target(uint32_t w, uint32_t h) {
    T_TestSurface d(w, h);
    d.colour.Fill(kBack);
    return d;
}

bool Blit(T_TestSurface& src, T_TestSurface& dst, float x, float y, const S_BlitParams* p = nullptr,
          const C_Rect* rect = nullptr, const C_Frame* clip = nullptr, uint8_t anchor = 0x10) {
    const C_Vector2D pos(x, y, anchor);
    return Gfx_BlitKernel.Blit_Fixed(src.get(), dst.get(), rect, clip, &pos, 0, p);
}

TEST(BlitFixedRefusals, PlanesThatCannotBeBlendedAreRefusedAndNothingIsDrawn) {
    const char* kSrc = "C_Blit_Kernel::Blit_Fixed{ImageSrc->format}";
    const char* kDst = "C_Blit_Kernel::Blit_Fixed{ImageDst->format}";
    // A 4x4 source and an 8x8 destination; a short alpha plane on one side.
    const struct {
        int32_t srcFormat, dstFormat;
        uint32_t srcAlphaH, dstAlphaW;
        const char* message;
    } cases[] = {
        {GFX_FMT_R5G6B5, GFX_FMT_A8R8G8B8, 0, 0, kSrc}, {GFX_FMT_A8R8G8B8, GFX_FMT_R8G8B8, 0, 0, kDst},
        {GFX_FMT_A8R8G8B8, GFX_FMT_A8R8G8B8, 3, 0, kSrc}, {GFX_FMT_A8R8G8B8, GFX_FMT_A8R8G8B8, 0, 7, kDst},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        T_TestSurface src(4, 4, c.srcFormat), dst(8, 8, c.dstFormat);
        std::fill(src.colour.bytes.begin(), src.colour.bytes.end(), 0xFF);
        if (c.srcAlphaH) src.AddAlpha(4, c.srcAlphaH);
        if (c.dstAlphaW) dst.AddAlpha(c.dstAlphaW, 8);
        EXPECT_FALSE(Blit(src, dst, 0, 0));
        EXPECT_EQ(Err_GetCause().code, ERR_FORMAT);
        EXPECT_STREQ(Err_GetCause().message, c.message);
        EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
        EXPECT_EQ(dst.colour.bytes, std::vector<uint8_t>(dst.colour.bytes.size(), 0));
    }
}

// Placement worked out by hand on a pattern source over kBack.
TEST(BlitFixedPlacement, HandWorkedPictures) {
    struct Probe {
        uint32_t x, y, word;
    };
    const uint32_t B = kBack;
    const C_Rect nearTen(2, 0, 9.9995f, 1);
    const C_Frame pastEdges(10, 10, 60, 50);  // cut to (10, 10, 40, 40)
    const struct {
        const char* what;
        uint32_t sw, sh, dw, dh;
        float x, y;
        uint8_t anchor;
        const C_Rect* rect;
        const C_Frame* clip;
        void (*tweak)(S_BlitParams&);
        std::vector<Probe> probes;
    } cases[] = {
        {"a right edge of 9.9995 takes column 9", 12, 2, 16, 2, 0, 0, 0x10, &nearTen, nullptr, nullptr,
         {{7, 0, Src(9, 0)}, {8, 0, B}}},
        // Positions round down, so a sprite moving left by whole pixels never jumps a column.
        {"x = -0.5", 12, 2, 16, 2, -0.5f, 0, 0x10, nullptr, nullptr, nullptr,
         {{0, 0, Src(1, 0)}, {10, 0, Src(11, 0)}, {11, 0, B}}},
        {"x = -1", 12, 2, 16, 2, -1, 0, 0x10, nullptr, nullptr, nullptr,
         {{0, 0, Src(1, 0)}, {10, 0, Src(11, 0)}, {11, 0, B}}},
        {"mirrored and cut on the left: columns 11..9 hidden", 12, 2, 16, 2, -3, 0, 0x10, nullptr, nullptr,
         [](S_BlitParams& p) { p.flipHorizontal = 1; }, {{0, 0, Src(8, 0)}, {8, 0, Src(0, 0)}, {9, 0, B}}},
        {"anchored at the frame's right and bottom", 2, 2, 40, 40, 2, 2, 0x21, nullptr, &pastEdges, nullptr,
         {{38, 38, Src(0, 0)}, {39, 39, Src(1, 1)}}},
        {"anchored at the frame's centre: 10 + 15 + 1", 2, 2, 40, 40, 1, 1, 0x32, nullptr, &pastEdges, nullptr,
         {{26, 26, Src(0, 0)}, {25, 25, B}}},
        {"left/top stays absolute", 2, 2, 40, 40, 0, 0, 0x10, nullptr, &pastEdges, nullptr,
         {{0, 0, B}, {10, 10, B}}},
        {"scale 2 from x = 0.8: columns 1..20", 10, 10, 30, 30, 0.8f, 0, 0x10, nullptr, nullptr,
         [](S_BlitParams& p) { p.scale.Set(2, 2); },
         {{0, 0, B}, {1, 0, Src(0, 0)}, {20, 0, Src(9, 0)}, {21, 0, B}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        T_TestSurface src(c.sw, c.sh), dst = Target(c.dw, c.dh);
        FillPattern(src);
        S_BlitParams p;
        if (c.tweak) c.tweak(p);
        ASSERT_TRUE(Blit(src, dst, c.x, c.y, &p, c.rect, c.clip, c.anchor));
        for (const Probe& q : c.probes) EXPECT_EQ(dst.colour.Get(q.x, q.y), q.word) << q.x << ", " << q.y;
    }
}

TEST(BlitFixedKernels, TheKeyIsHonouredByEveryKernelFamily) {
    // Copy, blend, effects, bilinear, source alpha, and the keyed fill of each
    // walk (unscaled, scaled, rotated by a whole turn).
    const struct {
        void (*tweak)(S_BlitParams&);
        bool sourceAlpha;
    } families[] = {
        {[](S_BlitParams&) {}, false},
        {[](S_BlitParams& p) { p.opacity = 0.5f; }, false},
        {[](S_BlitParams& p) { p.useContrast = 1, p.contrast = C_Color(1.0f, 1.0f, 1.0f, 0.0f); }, false},
        {[](S_BlitParams& p) { p.filter = 1, p.scale.Set(1, 2); }, false},
        {[](S_BlitParams&) {}, true},
        {[](S_BlitParams& p) { p.useFillColor = 1; }, false},
        {[](S_BlitParams& p) { p.useFillColor = 1, p.scale.Set(1, 2); }, false},
        {[](S_BlitParams& p) { p.useFillColor = 1, p.angle = 360; }, false},
    };
    for (const auto& family : families) {
        SCOPED_TRACE(&family - families);
        // Pixel (1, 1) has the key's colour but another alpha: it is not the key.
        T_TestSurface src(2, 2), dst = Target(2, 4);
        src.colour.Fill(0xFF00FF00);
        src.colour.Set(1, 1, 0x0000FF00);
        if (family.sourceAlpha) src.AddAlpha(2, 2), src.alpha.Fill(200);
        S_BlitParams p;
        p.useKeyColor = 1;
        p.keyColor = C_Color(0.0f, 1.0f, 0.0f, 1.0f);
        p.fillColor = C_Color(1.0f, 0.0f, 0.0f, 1.0f);
        family.tweak(p);
        EXPECT_TRUE(Blit(src, dst, 0, 0, &p));
        EXPECT_EQ(dst.colour.Get(0, 0), kBack);  // key pixels are not drawn, not even half
        EXPECT_NE(dst.colour.Get(1, p.scale.y == 2.0f ? 2 : 1), kBack);
        // All 32 bits are compared: a key whose alpha differs matches nothing.
        p.keyColor.alpha = 0.0f;
        EXPECT_TRUE(Blit(src, dst, 0, 0, &p));
        EXPECT_NE(dst.colour.Get(0, 0), kBack);
    }
}

// Every plane's rows end at (or start after) a protected page, in both row
// orders: a stray byte faults in the release build too.
TEST(BlitFixedHostileGeometry, DegenerateInputsDrawNothingAndNeverOverrunAPlane) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const C_Frame hugeFrame(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    const C_Rect hugeRect(-1e30f, -1e30f, 1e30f, 1e30f);
    // The last rows are extreme but finite: they may draw, but must stay inside.
    const struct {
        float x, y, scaleX, angle;
        bool drawsNothing;
    } cases[] = {
        {1e9f, 0, 1, 0, true},      {0, -1e9f, 1, 0, true},  {-3e38f, 3e38f, 2, 0, true}, {1e9f, -1e9f, 2, 30, true},
        {-1e9f, 1e9f, 1, 30, true}, {nan, 0, 1, 0, true},    {0, inf, 2, 0, true},        {-inf, 0, 1, 30, true},
        {1, 1, 0.0f, 0, true},      {1, 1, -0.0f, 45, true}, {1, 1, nan, 0, true},        {1, 1, inf, 45, true},
        {1, 1, -inf, 0, true},      {1, 1, 1, nan, true},    {1, 1, 2, inf, true},        {1, 1, 1e-30f, 30, false},
        {1, 1, 1e30f, 30, false},   {1, 1, 1e30f, 0, false}, {1, 1, 3e-5f, 0, false},     {3.5f, -2.5f, 1, 1e30f, false},
    };
    for (T_Guard guard : {T_Guard::AfterEnd, T_Guard::BeforeStart})
        for (bool bottomUp : {false, true}) {
            T_TestSurface src(8, 8, GFX_FMT_A8R8G8B8, bottomUp, guard), dst(16, 16, GFX_FMT_A8R8G8B8, bottomUp, guard);
            dst.colour.Fill(kBack);
            FillPattern(src);
            src.AddAlpha(8, 8, 0, !bottomUp, guard), src.alpha.Fill(200);
            dst.AddAlpha(16, 16, 0, !bottomUp, guard);
            const std::vector<uint8_t> untouched = dst.colour.bytes;
            for (const auto& c : cases) {
                SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " scale " << c.scaleX << " angle " << c.angle
                                                << (bottomUp ? " bottom-up" : ""));
                S_BlitParams p;
                p.scale.Set(c.scaleX, 1);
                p.angle = c.angle;
                EXPECT_TRUE(Blit(src, dst, c.x, c.y, &p));
                p.filter = 1, p.opacity = 0.5f;  // the bilinear blending loops too, over huge rectangles and frames
                EXPECT_TRUE(Blit(src, dst, c.x, c.y, &p, &hugeRect, &hugeFrame, 0x22));
                EXPECT_TRUE(!c.drawsNothing || dst.colour.bytes == untouched);
            }
        }
}

}  // namespace
