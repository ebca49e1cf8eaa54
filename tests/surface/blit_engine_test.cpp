// Blit_Fixed's refusals, the documented edge cases of the walks and kernels,
// and hostile geometry (run under the sanitizers as well).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "blit_test_planes.h"
#include "softblit/core/status.h"
#include "softblit/surface/blit_kernel.h"

namespace {

const uint32_t kBack = 0xFF101010;

// A source of w x h A8R8G8B8 pixels whose word encodes its cell: 0xFF00xxyy.
void MakeSource(T_TestSurface& s, uint32_t w, uint32_t h) {
    s.AddColour(w, h, GFX_FMT_A8R8G8B8);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) s.colour.SetWord(x, y, 0xFF000000u | x << 8 | y);
}

void MakeTarget(T_TestSurface& d, uint32_t w, uint32_t h, bool bottomUp = false) {
    d.AddColour(w, h, GFX_FMT_A8R8G8B8, 0, bottomUp);
    d.FillColour(kBack);
}

bool Blit(T_TestSurface& src, T_TestSurface& dst, float x, float y, const S_BlitParams* p = nullptr,
          const C_Rect* rect = nullptr, const C_Frame* clip = nullptr, uint8_t anchor = 0x10) {
    const C_Vector2D pos(x, y, anchor);
    return Gfx_BlitKernel.Blit_Fixed(src.surface.get(), dst.surface.get(), rect, clip, &pos, 0, p);
}

bool Untouched(T_TestSurface& d) {
    for (uint32_t y = 0; y < d.colour.image->height; ++y)
        for (uint32_t x = 0; x < d.colour.image->width; ++x)
            if (d.colour.GetWord(x, y) != kBack) return false;
    return true;
}

void ExpectRefused(bool result, const char* message) {
    EXPECT_FALSE(result);
    EXPECT_EQ(Err_GetCause().code, ERR_FORMAT);
    EXPECT_STREQ(Err_GetCause().message, message);
    EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
}

TEST(BlitFixedRefusals, PlanesThatCannotBeBlendedAreRefusedAndNothingIsDrawn) {
    T_TestSurface src16, src32, dst, dst24, dstL32;
    src16.AddColour(4, 4, GFX_FMT_R5G6B5);
    MakeSource(src32, 4, 4);
    MakeTarget(dst, 8, 8);
    dst24.AddColour(8, 8, GFX_FMT_R8G8B8);
    dstL32.AddColour(8, 8, GFX_FMT_L32);
    ExpectRefused(Blit(src16, dst, 0, 0), "C_Blit_Kernel::Blit_Fixed{ImageSrc->format}");
    ExpectRefused(Blit(src32, dst24, 0, 0), "C_Blit_Kernel::Blit_Fixed{ImageDst->format}");
    ExpectRefused(Blit(src32, dstL32, 0, 0), "C_Blit_Kernel::Blit_Fixed{ImageDst->format}");
    EXPECT_TRUE(Untouched(dst));

    // Alpha planes smaller than their colour plane are never read past their end.
    T_TestSurface shortSrcAlpha, shortDstAlpha;
    MakeSource(shortSrcAlpha, 4, 4);
    shortSrcAlpha.AddAlpha(4, 3);
    ExpectRefused(Blit(shortSrcAlpha, dst, 0, 0), "C_Blit_Kernel::Blit_Fixed{ImageSrc->format}");
    MakeTarget(shortDstAlpha, 8, 8);
    shortDstAlpha.AddAlpha(7, 8);
    ExpectRefused(Blit(src32, shortDstAlpha, 0, 0), "C_Blit_Kernel::Blit_Fixed{ImageDst->format}");
    EXPECT_TRUE(Untouched(shortDstAlpha));

    // Missing planes: false without a report.
    T_TestSurface empty;
    EXPECT_FALSE(Blit(src32, empty, 0, 0));
    EXPECT_FALSE(Blit(empty, dst, 0, 0));
    EXPECT_FALSE(Gfx_BlitKernel.Blit_Fixed(nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr));
}

TEST(BlitFixedPlacement, SourceRectanglesAndNegativePositions) {
    T_TestSurface src, dst;
    MakeSource(src, 12, 2);
    MakeTarget(dst, 16, 2);
    // A right edge computed as 9.9995 still takes column 9.
    const C_Rect rect(2, 0, 9.9995f, 1);
    EXPECT_TRUE(Blit(src, dst, 0, 0, nullptr, &rect));
    EXPECT_EQ(dst.colour.GetWord(7, 0), 0xFF000900u);
    EXPECT_EQ(dst.colour.GetWord(8, 0), kBack);

    // Positions round down: -0.5 and -1 both put source column 1 at column 0,
    // so a sprite moving left by whole pixels never jumps a column.
    for (float x : {-0.5f, -1.0f}) {
        T_TestSurface d;
        MakeTarget(d, 16, 2);
        EXPECT_TRUE(Blit(src, d, x, 0));
        EXPECT_EQ(d.colour.GetWord(0, 0), 0xFF000100u) << x;
        EXPECT_EQ(d.colour.GetWord(10, 0), 0xFF000B00u) << x;
        EXPECT_EQ(d.colour.GetWord(11, 0), kBack) << x;
    }

    // Clipped on the left, a mirrored image loses the right end of its source.
    S_BlitParams mirrored;
    mirrored.flipHorizontal = 1;
    T_TestSurface m;
    MakeTarget(m, 16, 2);
    EXPECT_TRUE(Blit(src, m, -3, 0, &mirrored));
    EXPECT_EQ(m.colour.GetWord(0, 0), 0xFF000800u);  // columns 11, 10, 9 are hidden
    EXPECT_EQ(m.colour.GetWord(8, 0), 0xFF000000u);
    EXPECT_EQ(m.colour.GetWord(9, 0), kBack);
}

TEST(BlitFixedPlacement, AnchorsMeasureFromTheClipFrameEdges) {
    T_TestSurface src, dst;
    MakeSource(src, 2, 2);
    MakeTarget(dst, 40, 40);
    // The frame reaches past the destination: it is cut to (10, 10, 40, 40).
    const C_Frame frame(10, 10, 60, 50);
    EXPECT_TRUE(Blit(src, dst, 2, 2, nullptr, nullptr, &frame, 0x21));  // from the right and bottom edges
    EXPECT_EQ(dst.colour.GetWord(38, 38), 0xFF000000u);
    EXPECT_TRUE(Blit(src, dst, 1, 1, nullptr, nullptr, &frame, 0x32));  // from the centre: 10 + 15 + 1
    EXPECT_EQ(dst.colour.GetWord(26, 26), 0xFF000000u);
    EXPECT_TRUE(Blit(src, dst, 0, 0, nullptr, nullptr, &frame, 0x10));  // left/top stays absolute
    EXPECT_EQ(dst.colour.GetWord(0, 0), kBack);
    EXPECT_EQ(dst.colour.GetWord(10, 10), kBack);
}

TEST(BlitFixedWalks, ScaledAndRotatedCoverage) {
    T_TestSurface src, dst;
    MakeSource(src, 10, 10);
    MakeTarget(dst, 30, 30);
    S_BlitParams p;
    p.scale.Set(2, 2);
    EXPECT_TRUE(Blit(src, dst, 0, 0, &p));
    // Columns 0..20 (the last one clamped to source column 9), rows 0..19.
    EXPECT_EQ(dst.colour.GetWord(20, 0), 0xFF000900u);
    EXPECT_EQ(dst.colour.GetWord(21, 0), kBack);
    EXPECT_EQ(dst.colour.GetWord(0, 19), 0xFF000009u);
    EXPECT_EQ(dst.colour.GetWord(0, 20), kBack);
    EXPECT_EQ(dst.colour.GetWord(3, 5), 0xFF000102u);

    // 90 degrees about (20, 5): a 10 x 4 source covers columns 16..20, rows 5..15.
    T_TestSurface wide, r;
    MakeSource(wide, 10, 4);
    MakeTarget(r, 30, 30);
    S_BlitParams q;
    q.angle = 90;
    EXPECT_TRUE(Blit(wide, r, 20, 5, &q));
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if (r.colour.GetWord(uint32_t(x), uint32_t(y)) != kBack) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    EXPECT_GE(minX, 16);
    EXPECT_LE(maxX, 20);
    EXPECT_GE(minY, 5);
    EXPECT_LE(maxY, 15);
    // Source row 0 runs down from the pivot (column x of it near row 5 + x).
    const uint32_t below = r.colour.GetWord(20, 10);
    EXPECT_EQ(below & 0xFF, 0u);
    EXPECT_GE((below >> 8) & 0xFF, 4u);
    EXPECT_LE((below >> 8) & 0xFF, 5u);
}

TEST(BlitFixedWalks, BottomUpPlanesKeepTheirAlphaBesideTheirColour) {
    T_TestSurface src, dst;
    MakeSource(src, 3, 3);
    src.AddAlpha(3, 3, 1, true);  // the source alpha rows are stored bottom-up too
    src.FillAlpha(255);
    src.alpha.Byte(1, 0) = 0;
    MakeTarget(dst, 4, 4, true);
    dst.AddAlpha(4, 4, 2, false);
    dst.FillAlpha(0);
    EXPECT_TRUE(Blit(src, dst, 0, 0));
    EXPECT_EQ(dst.colour.GetWord(0, 0), 0xFF000000u);  // logical row 0 is the last row in memory
    EXPECT_EQ(dst.colour.GetWord(2, 2), 0xFF000202u);
    EXPECT_EQ(dst.colour.GetWord(1, 0), kBack);        // alpha 0 at logical (1, 0)
    EXPECT_EQ(dst.alpha.Byte(1, 0), 0);
    EXPECT_EQ(dst.alpha.Byte(2, 2), 255);
    EXPECT_EQ(dst.alpha.Byte(3, 3), 0);
}

TEST(BlitFixedKernels, BlendArithmetic) {
    T_TestSurface white, black;
    white.AddColour(1, 1, GFX_FMT_A8R8G8B8);
    white.FillColour(0xFFFFFFFF);
    black.AddColour(1, 1, GFX_FMT_A8R8G8B8);
    black.FillColour(0xFF000000);
    S_BlitParams half;
    half.opacity = 0.5f;
    T_TestSurface d1, d2;
    d1.AddColour(1, 1, GFX_FMT_A8R8G8B8);
    d1.FillColour(0x00000000);
    d2.AddColour(1, 1, GFX_FMT_A8R8G8B8);
    d2.FillColour(0xFFFFFFFF);
    EXPECT_TRUE(Blit(white, d1, 0, 0, &half));
    EXPECT_TRUE(Blit(black, d2, 0, 0, &half));
    EXPECT_EQ(d1.colour.GetWord(0, 0), 0x007F7F7Fu);  // 32640 >> 8; the alpha byte becomes 0
    EXPECT_EQ(d2.colour.GetWord(0, 0), 0x007F7F7Fu);  // 255 + (-32640 >> 8)

    half.opacity = 0.0f;
    EXPECT_TRUE(Blit(white, d2, 0, 0, &half));
    EXPECT_EQ(d2.colour.GetWord(0, 0), 0x007F7F7Fu);

    // A destination alpha of 0 takes the first coverage whole: the colour is the source's.
    T_TestSurface d3;
    d3.AddColour(1, 1, GFX_FMT_A8R8G8B8);
    d3.FillColour(0xFF000000);
    d3.AddAlpha(1, 1);
    d3.FillAlpha(0);
    half.opacity = 0.5f;
    EXPECT_TRUE(Blit(white, d3, 0, 0, &half));
    EXPECT_EQ(d3.alpha.Byte(0, 0), 128);
    EXPECT_EQ(d3.colour.GetWord(0, 0), 0x00FFFFFFu);

    // Brightness 1.0 on red saturates; the key compares all 32 bits.
    S_BlitParams bright;
    bright.useBrightness = 1;
    bright.brightness = C_Color(1.0f, 0.0f, 0.0f, 0.0f);
    T_TestSurface grey, d4;
    grey.AddColour(1, 1, GFX_FMT_A8R8G8B8);
    grey.FillColour(0xFF808080);
    d4.AddColour(2, 1, GFX_FMT_A8R8G8B8);
    d4.FillColour(0);
    EXPECT_TRUE(Blit(grey, d4, 0, 0, &bright));
    EXPECT_EQ(d4.colour.GetWord(0, 0), 0x00FF8080u);
    S_BlitParams key;
    key.useKeyColor = 1;
    key.keyColor = C_Color(128.5f / 255, 128.5f / 255, 128.5f / 255, 0.0f);  // alpha differs
    EXPECT_TRUE(Blit(grey, d4, 1, 0, &key));
    EXPECT_EQ(d4.colour.GetWord(1, 0), 0xFF808080u);
}

TEST(BlitFixedKernels, BilinearSamplesWrapAroundTheImage) {
    T_TestSurface src, dst;
    src.AddColour(2, 1, GFX_FMT_A8R8G8B8);
    src.colour.SetWord(0, 0, 0xFF000000);
    src.colour.SetWord(1, 0, 0xFFC8C8C8);
    MakeTarget(dst, 4, 1);
    S_BlitParams p;
    p.scale.Set(2, 1);
    p.filter = 1;
    EXPECT_TRUE(Blit(src, dst, 0, 0, &p));
    EXPECT_EQ(dst.colour.GetWord(0, 0), 0x00000000u);  // on column 0: fx = 0
    EXPECT_EQ(dst.colour.GetWord(1, 0), 0x00646464u);  // half way to column 1
    EXPECT_EQ(dst.colour.GetWord(2, 0), 0x00C8C8C8u);
    EXPECT_EQ(dst.colour.GetWord(3, 0), 0x00646464u);  // the last column blends with column 0
}

TEST(BlitFixedKernels, TheKeyIsHonouredByEveryKernelFamily) {
    const uint32_t keyWord = 0xFF00FF00;
    const C_Color keyColor(0.0f, 1.0f, 0.0f, 1.0f);
    S_BlitParams blend, effects, filtered, alphaBlend;
    for (S_BlitParams* p : {&blend, &effects, &filtered, &alphaBlend}) {
        p->useKeyColor = 1;
        p->keyColor = keyColor;
    }
    blend.opacity = 0.5f;
    effects.useContrast = 1;
    effects.contrast = C_Color(1.0f, 1.0f, 1.0f, 0.0f);
    filtered.filter = 1;
    filtered.scale.Set(1, 2);
    for (const S_BlitParams* p : {&blend, &effects, &filtered, &alphaBlend}) {
        T_TestSurface src, dst;
        src.AddColour(2, 2, GFX_FMT_A8R8G8B8);
        src.FillColour(keyWord);
        src.colour.SetWord(1, 1, 0xFF0000FF);
        if (p == &alphaBlend) {
            src.AddAlpha(2, 2);
            src.FillAlpha(200);
        }
        MakeTarget(dst, 2, 4);
        EXPECT_TRUE(Blit(src, dst, 0, 0, p));
        EXPECT_EQ(dst.colour.GetWord(0, 0), kBack);  // key pixels are not drawn, not even half
        EXPECT_NE(dst.colour.GetWord(1, p == &filtered ? 2 : 1), kBack);
    }
}

TEST(BlitFixedKernels, AlphaOnlySourcesPaintTheFillColour) {
    T_TestSurface glyph, dst;
    glyph.AddAlpha(2, 1);
    glyph.alpha.Byte(0, 0) = 255;
    glyph.alpha.Byte(1, 0) = 0;
    MakeTarget(dst, 3, 1);
    S_BlitParams p;
    p.useFillColor = 1;
    p.fillColor = C_Color(1.0f, 0.0f, 0.0f, 1.0f);
    p.useKeyColor = 1;  // nothing to match without colours: ignored
    EXPECT_TRUE(Blit(glyph, dst, 0, 0, &p));
    EXPECT_EQ(dst.colour.GetWord(0, 0), 0xFFFF0000u);
    EXPECT_EQ(dst.colour.GetWord(1, 0), kBack);
}

TEST(BlitFixedKernels, DisplayBlitsReadTheDisplayCopies) {
    T_TestSurface src, dst;
    MakeSource(src, 2, 2);
    MakeTarget(dst, 2, 2);
    T_TestPlane copy;
    copy.Make(2, 2, GFX_FMT_A8R8G8B8, 0, false);
    std::unique_ptr<C_Image> owned(copy.image);
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 2; ++x) copy.SetWord(x, y, 0xFFABCDEF);
    Gfx_BlitKernel.displayBlit = 1;
    EXPECT_FALSE(Blit(src, dst, 0, 0));  // not prepared: no plane to read
    src.surface->GetPlane(GFX_PLANE_COLOR)->displayCopy = copy.image;
    EXPECT_TRUE(Blit(src, dst, 0, 0));
    Gfx_BlitKernel.displayBlit = 0;
    EXPECT_EQ(dst.colour.GetWord(1, 1), 0xFFABCDEFu);
    src.surface->GetPlane(GFX_PLANE_COLOR)->displayCopy = nullptr;
}

TEST(BlitFixedHostileGeometry, DegenerateInputsDrawNothingAndNeverFault) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    T_TestSurface src, dst;
    MakeSource(src, 8, 8);
    src.AddAlpha(8, 8);
    src.FillAlpha(200);
    MakeTarget(dst, 16, 16);
    dst.AddAlpha(16, 16);

    for (float v : {1e9f, -1e9f, 3e38f, -3e38f, inf, -inf, nan}) {
        EXPECT_TRUE(Blit(src, dst, v, 0)) << v;
        EXPECT_TRUE(Blit(src, dst, 0, v)) << v;
        S_BlitParams p;
        p.scale.Set(2, 2);
        EXPECT_TRUE(Blit(src, dst, v, v, &p)) << v;
        p.angle = 30;
        EXPECT_TRUE(Blit(src, dst, v, -v, &p)) << v;
    }
    EXPECT_TRUE(Untouched(dst));

    for (float s : {0.0f, -0.0f, nan, inf, -inf}) {
        S_BlitParams p;
        p.scale.Set(s, 1);
        EXPECT_TRUE(Blit(src, dst, 1, 1, &p)) << s;
        p.angle = 45;
        EXPECT_TRUE(Blit(src, dst, 1, 1, &p)) << s;
    }
    for (float a : {nan, inf, -inf}) {
        S_BlitParams p;
        p.angle = a;
        EXPECT_TRUE(Blit(src, dst, 1, 1, &p)) << a;
    }
    for (float o : {nan, -1.0f, -inf}) {
        S_BlitParams p;
        p.opacity = o;
        EXPECT_TRUE(Blit(src, dst, 1, 1, &p)) << o;
    }
    const C_Rect nanRect(nan, 0, 4, 4);
    EXPECT_TRUE(Blit(src, dst, 1, 1, nullptr, &nanRect));
    EXPECT_TRUE(Untouched(dst));

    // Extreme but finite values: tiny and huge scales, far-off clip frames,
    // huge opacity and effect factors. They may draw; they must stay inside.
    S_BlitParams p;
    p.opacity = 1e30f;
    p.useBrightness = p.useContrast = 1;
    p.brightness = C_Color(1e30f, -1e30f, nan, 0.0f);
    p.contrast = C_Color(-1e30f, 1e30f, nan, 0.0f);
    p.filter = 1;
    const C_Frame hugeFrame(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    const C_Rect hugeRect(-1e30f, -1e30f, 1e30f, 1e30f);
    for (float s : {1e-30f, 1e-5f, 3e-5f, 0.01f, 1.5f, 100.0f, 1e5f, 1e30f, -2.0f}) {
        for (float angle : {0.0f, 30.0f, 1e30f}) {
            p.scale.Set(s, s);
            p.angle = angle;
            EXPECT_TRUE(Blit(src, dst, 3.5f, -2.5f, &p, &hugeRect, &hugeFrame, 0x22)) << s << " " << angle;
        }
    }
}

TEST(BlitEdgeTables, SharedProtocolStaysInsideItsFrame) {
    C_Blit_Kernel& e = Gfx_BlitKernel;
    ASSERT_TRUE(e.BeginEdges(C_Frame(-5, -5, 10, 4)));
    EXPECT_EQ(e.edgeFirstRow, 4);
    EXPECT_EQ(e.edgeLastRow, 0);
    e.MarkEdge(-1, 3);  // above the frame: ignored
    e.MarkEdge(4, 3);   // below it: ignored
    e.MarkEdge(1, 12);
    e.MarkEdge(1, -7);
    e.MarkEdge(2, 5);
    EXPECT_EQ(e.edgeFirstRow, 1);
    EXPECT_EQ(e.edgeLastRow, 2);
    e.ClampEdges(C_Frame(0, 0, 10, 4));
    EXPECT_EQ(e.Leftmost()[1], 0);
    EXPECT_EQ(e.Rightmost()[1], 9);
    EXPECT_EQ(e.Leftmost()[2], 5);
    EXPECT_EQ(e.Rightmost()[2], 5);
}

}  // namespace
