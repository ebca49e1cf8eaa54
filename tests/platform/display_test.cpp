// The display device on a target without a window: states, the back
// buffer, SwapTarget, display copies and the forwards.
#include <gtest/gtest.h>

#include "softblit/core/status.h"
#include "softblit/font/all.h"
#include "softblit/image/image.h"
#include "softblit/platform/display.h"
#include "softblit/surface/blit_kernel.h"

namespace {

uint32_t PixelAt(const C_Image* image, uint32_t x, uint32_t y) {
    return reinterpret_cast<const uint32_t*>(image->GetRow(y))[x];
}

C_Image* NewImage(uint32_t w, uint32_t h, int32_t format, const C_Color& colour) {
    C_Image* image = new C_Image();
    image->CreateEmpty(w, h, format, format == GFX_FMT_PAL8 ? GFX_FMT_A8R8G8B8 : GFX_FMT_NONE,
                       colour);
    return image;
}

struct DisplayTest : ::testing::Test {
    C_Display display;
    S_DisplayTarget headless = {nullptr, nullptr};
    void Run(uint8_t alpha = 0) {
        display.OpenWindowed(&headless, 8, 6, alpha);
        ASSERT_TRUE(display.Start());
    }
};

TEST_F(DisplayTest, StatesMoveOnlyAlongTheirOrder) {
    EXPECT_EQ(display.GetState(), DISPLAY_CREATED);
    EXPECT_FALSE(display.Start());
    EXPECT_EQ(display.GetBackBuffer(), nullptr);
    // Full screen without a window is reported, not fatal.
    display.OpenFullScreen(&headless, 8, 6, 16, 0);
    ASSERT_TRUE(display.Start());
    EXPECT_EQ(display.GetState(), DISPLAY_RUNNING);
    EXPECT_TRUE(display.IsModeRefused());
    EXPECT_FALSE(display.Present());
    display.Stop();
    display.Stop();
    EXPECT_EQ(display.GetState(), DISPLAY_OPENED);
    display.OpenWindowed(&headless, 8, 6, 0);
    EXPECT_EQ(display.bitsPerPixel, 32);
    EXPECT_EQ(display.fullScreen, 0);
    ASSERT_TRUE(display.Start());
    EXPECT_FALSE(display.IsModeRefused());
    EXPECT_FALSE(display.Start());
    EXPECT_EQ(display.GetState(), DISPLAY_RUNNING);
    // Reopening a running display drops its back buffer until the next Start.
    display.OpenWindowed(&headless, 4, 4, 0);
    EXPECT_EQ(display.GetState(), DISPLAY_OPENED);
    EXPECT_EQ(display.GetBackBuffer(), nullptr);
    EXPECT_EQ(display.GetSecondaryFormat(), GFX_FMT_NONE);
}

TEST_F(DisplayTest, BackBufferIsClearedBottomUpWithOptionalAlpha) {
    Run(0);
    C_Surface* back = display.GetBackBuffer();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->planes->GetCount(), 1u);
    C_Image* colour = back->GetPlaneImage(GFX_PLANE_COLOR);
    EXPECT_EQ(colour->format, GFX_FMT_A8R8G8B8);
    EXPECT_EQ(colour->bottomUp, 1);
    EXPECT_EQ(PixelAt(colour, 7, 5), 0u);
    Run(1);
    C_Image* alpha = display.GetBackBuffer()->GetPlaneImage(GFX_PLANE_ALPHA);
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->format, GFX_FMT_L8);
    EXPECT_EQ(alpha->bottomUp, 1);
}

TEST_F(DisplayTest, SwapTargetKeepsOneLevelAndNeverDeletesTheCallersSurface) {
    EXPECT_EQ(display.SwapTarget(nullptr), nullptr);
    Run();
    C_Surface* first = new C_Surface(0, NewImage(2, 2, GFX_FMT_A8R8G8B8, C_Color()), nullptr,
                                     nullptr, nullptr, nullptr, nullptr);
    C_Surface* second = new C_Surface(0, NewImage(2, 2, GFX_FMT_A8R8G8B8, C_Color()), nullptr,
                                      nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(display.SwapTarget(first), first);
    EXPECT_EQ(display.SwapTarget(second), second);
    EXPECT_EQ(display.SwapTarget(nullptr), first);
    EXPECT_EQ(display.GetBackBuffer(), first);
    EXPECT_EQ(display.SwapTarget(nullptr), nullptr);
    EXPECT_EQ(display.GetBackBuffer(), first);
    // A new Start (after Stop) draws into the display's own buffer again and
    // leaves both of the caller's surfaces alive (ASan sees any double free).
    display.Stop();
    ASSERT_TRUE(display.Start());
    EXPECT_NE(display.GetBackBuffer(), first);
    EXPECT_NE(display.GetBackBuffer(), nullptr);
    display.SwapTarget(second);
    display.Release();
    EXPECT_EQ(display.GetBackBuffer(), second);
    delete first;
    delete second;
}

TEST_F(DisplayTest, DrawingNeedsARunningDisplayOrATarget) {
    C_Color white(1.0f, 1.0f, 1.0f, 1.0f);
    C_Vector2DI point(1, 1);
    EXPECT_FALSE(display.DrawPixel(&point, &white, nullptr, 0));
    C_Surface* source = display.CreateSurface();
    source->AddPlane(NewImage(2, 2, GFX_FMT_A8R8G8B8, white), GFX_PLANE_COLOR);
    source->Prepare(GFX_PLANE_ALL);
    C_Vector2D at(0.0f, 0.0f);
    Sys_Status.errorCode = 0;
    EXPECT_FALSE(display.BlitImage(source, nullptr, nullptr, &at, 0, nullptr));
    EXPECT_EQ(Err_GetCause().code, ERR_MISSING);
    EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);

    Run();
    EXPECT_TRUE(display.DrawPixel(&point, &white, nullptr, 0));
    EXPECT_EQ(PixelAt(display.GetBackBuffer()->GetPlaneImage(GFX_PLANE_COLOR), 1, 1), 0xFFFFFFFFu);
    display.Stop();
    EXPECT_FALSE(display.DrawPixel(&point, &white, nullptr, 0));
    // Blits draw in any state that has a target.
    EXPECT_TRUE(display.BlitImage(source, nullptr, nullptr, &at, 0, nullptr));
    delete source;
}

TEST_F(DisplayTest, BlitsReadDisplayCopiesAndClearTheFlag) {
    Run();
    C_Surface* source = display.CreateSurface();
    source->AddPlane(NewImage(2, 2, GFX_FMT_PAL8, C_Color()), GFX_PLANE_COLOR);
    C_Image* plane = source->GetPlaneImage(GFX_PLANE_COLOR);
    reinterpret_cast<uint32_t*>(plane->m_palette)[0] = 0xFF00FF00u;
    ASSERT_TRUE(source->Prepare(GFX_PLANE_ALL));
    C_Image* copy = source->GetPlane(GFX_PLANE_COLOR)->displayCopy;
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->format, GFX_FMT_A8R8G8B8);
    EXPECT_EQ(PixelAt(copy, 1, 1) & 0xFFFFFF, 0x00FF00u);
    // Refreshing keeps the same copy object.
    reinterpret_cast<uint32_t*>(plane->m_palette)[0] = 0xFF0000FFu;
    ASSERT_TRUE(source->Prepare(GFX_PLANE_COLOR));
    EXPECT_EQ(source->GetPlane(GFX_PLANE_COLOR)->displayCopy, copy);
    EXPECT_EQ(PixelAt(copy, 0, 0) & 0xFFFFFF, 0x0000FFu);

    // The blit shows the copy, not the plane.
    reinterpret_cast<uint32_t*>(copy->GetRow(0))[0] = 0xFFFF0000u;
    C_Vector2D at(3.0f, 2.0f);
    ASSERT_TRUE(display.BlitImage(source, nullptr, nullptr, &at, 0, nullptr));
    EXPECT_EQ(Gfx_BlitKernel.displayBlit, 0);
    C_Image* back = display.GetBackBuffer()->GetPlaneImage(GFX_PLANE_COLOR);
    EXPECT_EQ(PixelAt(back, 3, 2) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(PixelAt(back, 4, 3) & 0xFFFFFF, 0x0000FFu);

    C_Rect into(0.0f, 0.0f, 8.0f, 6.0f);
    ASSERT_TRUE(display.BlitToRect(source, nullptr, nullptr, &into, nullptr, 0, nullptr));
    EXPECT_EQ(Gfx_BlitKernel.displayBlit, 0);
    EXPECT_EQ(PixelAt(back, 7, 5) & 0xFFFFFF, 0x0000FFu);

    // Only "all planes" drops the copies.
    source->Unprepare(GFX_PLANE_COLOR);
    EXPECT_EQ(source->GetPlane(GFX_PLANE_COLOR)->displayCopy, copy);
    source->Unprepare(GFX_PLANE_ALL);
    EXPECT_EQ(source->GetPlane(GFX_PLANE_COLOR)->displayCopy, nullptr);
    delete source;
}

TEST_F(DisplayTest, PrepareReclonesACopyThatNoLongerFitsItsPlane) {
    C_Surface* source = display.CreateSurface();
    source->AddPlane(NewImage(2, 2, GFX_FMT_A8R8G8B8, C_Color()), GFX_PLANE_COLOR);
    source->AddPlane(NewImage(2, 2, GFX_FMT_L8, C_Color()), GFX_PLANE_ALPHA);
    ASSERT_TRUE(source->Prepare(GFX_PLANE_ALL));
    // The planes are reshaped in place (as a conversion or a refill does).
    source->GetPlaneImage(GFX_PLANE_COLOR)
        ->CreateEmpty(5, 3, GFX_FMT_R5G6B5, GFX_FMT_NONE, C_Color(1.0f, 1.0f, 1.0f, 1.0f));
    source->GetPlaneImage(GFX_PLANE_ALPHA)->CreateEmpty(5, 3, GFX_FMT_L8, GFX_FMT_NONE, C_Color());
    ASSERT_TRUE(source->Prepare(GFX_PLANE_ALL));
    C_Image* copy = source->GetPlane(GFX_PLANE_COLOR)->displayCopy;
    EXPECT_EQ(copy->width, 5u);
    EXPECT_EQ(copy->height, 3u);
    EXPECT_EQ(PixelAt(copy, 4, 2) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(source->GetPlane(GFX_PLANE_ALPHA)->displayCopy->width, 5u);
    // A plane that cannot be converted fails the prepare.
    source->GetPlaneImage(GFX_PLANE_COLOR)->Release();
    source->GetPlaneImage(GFX_PLANE_COLOR)->Reset();
    EXPECT_FALSE(source->Prepare(GFX_PLANE_COLOR));
    delete source;
    EXPECT_EQ(Gfx_Display_CreateSurface(nullptr), nullptr);
}

// A one-glyph font ('A', a solid 16 x 16 cell) whose page the display made.
struct DisplayTextTest : DisplayTest {
    C_Font font;
    C_FontType type{C_String("grid"), 16.0f, FONT_RENDER_GRID, 0, 0, 0, 0, 0};
    C_String text{"A"};
    C_Color red{1.0f, 0.0f, 0.0f, 1.0f};

    void SetUp() override {
        display.OpenWindowed(&headless, 40, 30, 0);
        ASSERT_TRUE(display.Start());
        C_Surface* grid = static_cast<C_Surface*>(Gfx_Display_CreateSurface(&display));
        grid->AddPlane(NewImage(16, 16, GFX_FMT_L8, C_Color(1.0f, 1.0f, 1.0f, 1.0f)),
                       GFX_PLANE_ALPHA);
        ASSERT_TRUE(font.AddFace('A'));
        ASSERT_TRUE(Gfx_Font_AddGlyphsFromGrid(C_String("A"), 1, 1, 16, grid, &font));
        font.PreparePages();
    }
    uint32_t Back(uint32_t x, uint32_t y) {
        return PixelAt(display.GetBackBuffer()->GetPlaneImage(GFX_PLANE_COLOR), x, y) & 0xFFFFFF;
    }
};

TEST_F(DisplayTextTest, TextIsDrawnFromThePagesDisplayCopies) {
    C_Vector2D at(4.0f, 3.0f);
    ASSERT_TRUE(display.DrawText(&text, &font, &type, &red, &at, 0, 0, nullptr, 0));
    EXPECT_EQ(Gfx_BlitKernel.displayBlit, 0);
    // Grid glyphs have no bearing: the cell hangs one size below the pen.
    EXPECT_EQ(Back(10, 25), 0xFF0000u);
    EXPECT_EQ(Back(10, 9), 0u);
    EXPECT_EQ(Back(30, 25), 0u);

    // With the copy emptied, nothing shows, though the page itself is solid.
    C_Image* copy = font.GetPage(0)->GetPlane(GFX_PLANE_ALPHA)->displayCopy;
    ASSERT_NE(copy, nullptr);
    copy->Clear(C_Color());
    C_Rect all(0.0f, 0.0f, 40.0f, 30.0f);
    const C_Color black;
    display.DrawRect(&all, &black, nullptr, 1, 0, 0);
    C_Vector2D up(4.0f, -3.0f);
    EXPECT_TRUE(display.DrawTextEx(&text, &font, &type, &red, &all, 0, &up, FONT_NO_CURSOR,
                                   nullptr));
    EXPECT_EQ(Gfx_BlitKernel.displayBlit, 0);
    EXPECT_EQ(Back(10, 25), 0u);
}

TEST_F(DisplayTextTest, TextNeedsATarget) {
    display.OpenWindowed(nullptr, 40, 30, 0);
    C_Vector2D at(4.0f, 3.0f);
    EXPECT_FALSE(display.DrawText(&text, &font, &type, &red, &at, 0, 0, nullptr, 0));
    EXPECT_EQ(Err_GetCause().code, ERR_MISSING);
}

}  // namespace
