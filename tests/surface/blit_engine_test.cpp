// Blit_Fixed's refusals, pictures that pin the reference's reading of the
// placement rules, the key in every kernel family, and hostile geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "softblit/core/status.h"
#include "softblit/surface/blit_kernel.h"
#include "surface_fixtures.h"

namespace {

const uint32_t kBack = 0xFF101010;

// A source of w x h A8R8G8B8 pixels whose word encodes its cell: 0xFF00xxyy.
void MakeSource(T_TestSurface& s, uint32_t w, uint32_t h) {
    s.AddColour(w, h, GFX_FMT_A8R8G8B8);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) s.colour.SetWord(x, y, 0xFF000000u | x << 8 | y);
}

void MakeTarget(T_TestSurface& d, uint32_t w, uint32_t h, uint32_t word = kBack) {
    d.AddColour(w, h, GFX_FMT_A8R8G8B8);
    d.colour.Fill(word);
}

bool Blit(T_TestSurface& src, T_TestSurface& dst, float x, float y, const S_BlitParams* p = nullptr,
          const C_Rect* rect = nullptr, const C_Frame* clip = nullptr, uint8_t anchor = 0x10) {
    const C_Vector2D pos(x, y, anchor);
    return Gfx_BlitKernel.Blit_Fixed(src.surface.get(), dst.surface.get(), rect, clip, &pos, 0, p);
}

TEST(BlitFixedRefusals, PlanesThatCannotBeBlendedAreRefusedAndNothingIsDrawn) {
    const char* kSrc = "C_Blit_Kernel::Blit_Fixed{ImageSrc->format}";
    const char* kDst = "C_Blit_Kernel::Blit_Fixed{ImageDst->format}";
    // Formats of 4x4 source and 8x8 destination; sizes of their alpha planes (0: none).
    const struct {
        int32_t srcFormat, dstFormat;
        uint32_t srcAlphaH, dstAlphaW;
        const char* message;
    } cases[] = {
        {GFX_FMT_R5G6B5, GFX_FMT_A8R8G8B8, 0, 0, kSrc},
        {GFX_FMT_A8R8G8B8, GFX_FMT_R8G8B8, 0, 0, kDst},
        {GFX_FMT_A8R8G8B8, GFX_FMT_L32, 0, 0, kDst},
        {GFX_FMT_A8R8G8B8, GFX_FMT_A8R8G8B8, 3, 0, kSrc},  // alpha planes shorter than their colour
        {GFX_FMT_A8R8G8B8, GFX_FMT_A8R8G8B8, 0, 7, kDst},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        T_TestSurface src, dst;
        src.AddColour(4, 4, c.srcFormat);
        std::fill(src.colour.bytes.begin(), src.colour.bytes.end(), 0xFF);
        if (c.srcAlphaH) src.AddAlpha(4, c.srcAlphaH);
        dst.AddColour(8, 8, c.dstFormat);
        if (c.dstAlphaW) dst.AddAlpha(c.dstAlphaW, 8);
        EXPECT_FALSE(Blit(src, dst, 0, 0));
        EXPECT_EQ(Err_GetCause().code, ERR_FORMAT);
        EXPECT_STREQ(Err_GetCause().message, c.message);
        EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
        EXPECT_EQ(dst.colour.bytes, std::vector<uint8_t>(dst.colour.bytes.size(), 0));
    }
}

// Placement worked out by hand on a MakeSource image over kBack.
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
         {{7, 0, 0xFF000900}, {8, 0, B}}},
        // Positions round down, so a sprite moving left by whole pixels never jumps a column.
        {"x = -0.5", 12, 2, 16, 2, -0.5f, 0, 0x10, nullptr, nullptr, nullptr,
         {{0, 0, 0xFF000100}, {10, 0, 0xFF000B00}, {11, 0, B}}},
        {"x = -1", 12, 2, 16, 2, -1, 0, 0x10, nullptr, nullptr, nullptr,
         {{0, 0, 0xFF000100}, {10, 0, 0xFF000B00}, {11, 0, B}}},
        {"mirrored and cut on the left: columns 11..9 hidden", 12, 2, 16, 2, -3, 0, 0x10, nullptr, nullptr,
         [](S_BlitParams& p) { p.flipHorizontal = 1; }, {{0, 0, 0xFF000800}, {8, 0, 0xFF000000}, {9, 0, B}}},
        {"anchored at the frame's right and bottom", 2, 2, 40, 40, 2, 2, 0x21, nullptr, &pastEdges, nullptr,
         {{38, 38, 0xFF000000}, {39, 39, 0xFF000101}}},
        {"anchored at the frame's centre: 10 + 15 + 1", 2, 2, 40, 40, 1, 1, 0x32, nullptr, &pastEdges, nullptr,
         {{26, 26, 0xFF000000}, {25, 25, B}}},
        {"left/top stays absolute", 2, 2, 40, 40, 0, 0, 0x10, nullptr, &pastEdges, nullptr,
         {{0, 0, B}, {10, 10, B}}},
        {"scale 2: columns 0..19, rows 0..19", 10, 10, 30, 30, 0, 0, 0x10, nullptr, nullptr,
         [](S_BlitParams& p) { p.scale.Set(2, 2); },
         {{19, 0, 0xFF000900}, {20, 0, B}, {0, 19, 0xFF000009}, {0, 20, B}, {3, 5, 0xFF000102}}},
        {"scale 2 from x = 0.8: columns 1..20", 10, 10, 30, 30, 0.8f, 0, 0x10, nullptr, nullptr,
         [](S_BlitParams& p) { p.scale.Set(2, 2); },
         {{0, 0, B}, {1, 0, 0xFF000000}, {20, 0, 0xFF000900}, {21, 0, B}}},
        // Clockwise on screen: source row 0 runs down the pivot's column, into columns 16..20, rows 5..15.
        {"90 degrees about (20, 5)", 10, 4, 30, 30, 20, 5, 0x10, nullptr, nullptr,
         [](S_BlitParams& p) { p.angle = 90; },
         {{20, 5, 0xFF000000}, {20, 10, 0xFF000400}, {17, 15, 0xFF000903}, {16, 5, 0xFF000003}, {21, 10, B},
          {15, 10, B}, {18, 4, B}, {18, 16, B}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        T_TestSurface src, dst;
        MakeSource(src, c.sw, c.sh);
        MakeTarget(dst, c.dw, c.dh);
        S_BlitParams p;
        if (c.tweak) c.tweak(p);
        ASSERT_TRUE(Blit(src, dst, c.x, c.y, &p, c.rect, c.clip, c.anchor));
        for (const Probe& q : c.probes) EXPECT_EQ(dst.colour.GetWord(q.x, q.y), q.word) << q.x << ", " << q.y;
    }
}

TEST(BlitFixedKernels, TheKeyIsHonouredByEveryKernelFamily) {
    const struct {
        void (*tweak)(S_BlitParams&);
        bool sourceAlpha;
    } families[] = {
        {[](S_BlitParams&) {}, false},  // copy
        {[](S_BlitParams& p) { p.opacity = 0.5f; }, false},
        {[](S_BlitParams& p) { p.useContrast = 1, p.contrast = C_Color(1.0f, 1.0f, 1.0f, 0.0f); }, false},
        {[](S_BlitParams& p) { p.filter = 1, p.scale.Set(1, 2); }, false},
        {[](S_BlitParams&) {}, true},
    };
    for (const auto& family : families) {
        T_TestSurface src, dst;
        src.AddColour(2, 2, GFX_FMT_A8R8G8B8);
        src.colour.Fill(0xFF00FF00);
        src.colour.SetWord(1, 1, 0xFF0000FF);
        if (family.sourceAlpha) src.AddAlpha(2, 2), src.alpha.Fill(200);
        MakeTarget(dst, 2, 4);
        S_BlitParams p;
        p.useKeyColor = 1;
        p.keyColor = C_Color(0.0f, 1.0f, 0.0f, 1.0f);
        family.tweak(p);
        EXPECT_TRUE(Blit(src, dst, 0, 0, &p));
        EXPECT_EQ(dst.colour.GetWord(0, 0), kBack);  // key pixels are not drawn, not even half
        EXPECT_NE(dst.colour.GetWord(1, p.filter ? 2 : 1), kBack);
        // All 32 bits are compared: a key whose alpha differs matches nothing.
        p.keyColor.alpha = 0.0f;
        EXPECT_TRUE(Blit(src, dst, 0, 0, &p));
        EXPECT_NE(dst.colour.GetWord(0, 0), kBack);
    }
}

TEST(BlitFixedHostileGeometry, DegenerateInputsDrawNothingAndNeverFault) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    T_TestSurface src, dst;
    MakeSource(src, 8, 8);
    src.AddAlpha(8, 8);
    src.alpha.Fill(200);
    MakeTarget(dst, 16, 16);
    dst.AddAlpha(16, 16);
    const std::vector<uint8_t> untouched = dst.colour.bytes;
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
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " scale " << c.scaleX << " angle " << c.angle);
        S_BlitParams p;
        p.scale.Set(c.scaleX, 1);
        p.angle = c.angle;
        EXPECT_TRUE(Blit(src, dst, c.x, c.y, &p));
        p.filter = 1, p.opacity = 0.5f;  // the bilinear blending loops too, over huge rectangles and frames
        EXPECT_TRUE(Blit(src, dst, c.x, c.y, &p, &hugeRect, &hugeFrame, 0x22));
        EXPECT_TRUE(!c.drawsNothing || dst.colour.bytes == untouched);
    }
}

}  // namespace
