// Frames into the window, read back from the renderer: formats, row
// orders, pitch, alpha, repaint, full-screen scaling and the pointer.
#include "softblit/core/status.h"
#include "softblit/image/convert.h"
#include "softblit/image/image.h"
#include "softblit/math/color.h"
#include "window/window_events.h"
#include "window/window_region.h"
#include "window_fixture.h"

namespace {

// A frame whose top-left pixel is red, top-right green, bottom-left blue and
// everything else grey, in `format`, either row order, rows `pad` bytes apart
// beyond their pixels. Alpha is 0 throughout.
struct T_Frame {
    std::vector<uint8_t> bytes;
    C_Image image;
    T_Frame(uint32_t w, uint32_t h, int32_t format, bool bottomUp, uint32_t pad) {
        C_Image reference;
        reference.CreateEmpty(w, h, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
        auto at = [&](uint32_t x, uint32_t y) -> uint32_t& {
            return reinterpret_cast<uint32_t*>(reference.GetRow(y))[x];
        };
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) at(x, y) = 0x808080;
        at(0, 0) = 0xFF0000;
        at(w - 1, 0) = 0x00FF00;
        at(0, h - 1) = 0x0000FF;
        C_Image packed;
        Gfx_Image_Clone(&reference, &packed, format, GFX_FMT_NONE);
        const uint32_t pitch = packed.rowBytes + pad;
        bytes.assign(static_cast<size_t>(pitch) * h, 0xEE);
        image.CreateLocked(w, h, pitch, format, GFX_FMT_NONE, bytes.data());
        image.bottomUp = bottomUp ? 1 : 0;
        Gfx_Image_Copy_24to32(&packed, &image);
    }
};

TEST_F(DummyWindowTest, FramesOfEveryDrawableFormatShowUpright) {
    auto shown = [&](int x, int y) { return ReadPixel(x, y); };
    for (int32_t format : {GFX_FMT_A8R8G8B8, GFX_FMT_R5G6B5, GFX_FMT_R8G8B8, GFX_FMT_B8G8R8A8}) {
        for (bool bottomUp : {false, true}) {
            SCOPED_TRACE(testing::Message() << "format " << format << " bottomUp " << bottomUp);
            {
                T_Frame frame(16, 8, format, bottomUp, 12);
                window.PresentImage(&frame.image);
                std::fill(frame.bytes.begin(), frame.bytes.end(), 0);  // the caller reuses it
            }
            window.Refresh(WINDOW_CHANGE_FRAME);  // a repaint reads only the window's copy
            // Outside the frame the client area is black.
            ExpectPixels(shown, {{0, 0, 0xFF0000}, {15, 0, 0x00FF00}, {0, 7, 0x0000FF},
                                 {16, 0, 0}, {0, 8, 0}});
            EXPECT_EQ(ReadPixel(5, 5) & 0xF0F0F0, 0x808080u & 0xF0F0F0);
        }
    }
}

TEST_F(DummyWindowTest, RepeatedFramesAllocateNothing) {
    T_Frame frame(64, 48, GFX_FMT_R5G6B5, true, 0);
    window.PresentImage(&frame.image);
    const uint32_t inUse = Sys_Status.memoryInUse;
    for (int i = 0; i < 3; ++i) window.PresentImage(&frame.image);
    EXPECT_EQ(Sys_Status.memoryInUse, inUse);
}

TEST_F(DummyWindowTest, OtherDepthsAndBadImagesShowNothing) {
    T_Frame frame(4, 4, GFX_FMT_A8R8G8B8, false, 0);
    window.PresentImage(&frame.image);
    T_Frame grey(4, 4, GFX_FMT_L8, false, 0);
    window.PresentImage(&grey.image);
    window.PresentImage(nullptr);
    C_Image empty;
    window.PresentImage(&empty);
    // A pitch shorter than the rows would read past the buffer.
    C_Image lying;
    lying.CreateLocked(4, 4, 16, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame.bytes.data());
    lying.pitch = 4;
    window.PresentImage(&lying);
    EXPECT_EQ(window.frameImage->bitsPerPixel, 8u);
    EXPECT_EQ(ReadPixel(0, 0), 0xFF0000u);  // still the last drawable frame
}

TEST_F(DummyWindowTest, FullScreenScalesKeepingTheAspectAndMapsThePointer) {
    SDL_Rect bounds;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &bounds), 0);
    // A frame wider than the display's aspect gets bars above and below.
    const int frameW = bounds.w / 2, frameH = bounds.h / 4;
    T_Frame frame(frameW, frameH, GFX_FMT_A8R8G8B8, true, 0);
    window.PresentImage(&frame.image);
    ASSERT_TRUE(Sys_ChangeDisplayMode(&window, 640, 480, 16));
    PumpAll();
    CallLog().clear();
    const SDL_Rect place = Window_FrameRect(&window);
    EXPECT_EQ(place.w, bounds.w);
    EXPECT_EQ(place.h, frameH * 2);
    EXPECT_EQ(place.y, (bounds.h - frameH * 2) / 2);
    window.Refresh(WINDOW_CHANGE_FRAME);
    ExpectPixels([&](int x, int y) { return ReadPixel(x, y); },
                 {{0, place.y - 1, 0}, {1, place.y + 1, 0xFF0000}, {bounds.w - 1, place.y, 0x00FF00},
                  {0, place.y + place.h - 1, 0x0000FF}, {0, place.y + place.h, 0}});

    // Window pixels to frame pixels, unclamped above the frame.
    Push({Button(true, SDL_BUTTON_LEFT, 21, place.y + 41), Button(false, SDL_BUTTON_LEFT, 0, 0)});
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"down 1 0 0 10 20",
                                "up 1 0 0 0 " + std::to_string(-(place.y + 1) / 2), "click 1"}));
    EXPECT_TRUE(Sys_RestoreDisplayMode(&window));
    EXPECT_EQ(Window_FrameRect(&window).w, frameW);
}

TEST_F(DummyWindowTest, PlacementGivesTheClientAreaAskedFor) {
    int w = 0, h = 0;
    SDL_GetWindowSize(window.native->window, &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    const C_Frame& border = window.GetBorderFrame();
    const C_Frame& frame = window.GetPlacementFrame();
    EXPECT_EQ(frame.right - frame.left, 640 + border.left + border.right);
    window.SetWidth(320, WINDOW_W_SIZE);
    SDL_GetWindowSize(window.native->window, &w, &h);
    EXPECT_EQ(w, 320);
}

TEST(RegionRuns, RowsOfFullBytesInPictureOrder) {
    C_Image mask;
    mask.CreateEmpty(5, 3, GFX_FMT_L8, GFX_FMT_NONE, C_Color());
    mask.bottomUp = 1;
    const uint8_t rows[3][5] = {{255, 255, 0, 255, 255}, {0, 0, 0, 0, 0}, {255, 255, 255, 255, 255}};
    for (uint32_t y = 0; y < 3; ++y) std::copy(rows[y], rows[y] + 5, mask.GetRow(y));
    C_Buffer runs;
    uint32_t count = 0;
    ASSERT_TRUE(Region_CollectRuns(&mask, &runs, &count));
    ASSERT_EQ(count, 3u);
    const S_RegionRun* r = reinterpret_cast<const S_RegionRun*>(runs.data);
    EXPECT_EQ(r[0].x, 0); EXPECT_EQ(r[0].y, 0); EXPECT_EQ(r[0].width, 2);
    EXPECT_EQ(r[1].x, 3); EXPECT_EQ(r[1].width, 2);  // a run that reaches the row's end
    EXPECT_EQ(r[2].y, 2); EXPECT_EQ(r[2].width, 5);

    C_Image colour;
    colour.CreateEmpty(2, 2, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
    EXPECT_FALSE(Region_CollectRuns(&colour, &runs, &count));
    EXPECT_EQ(Err_GetCause().code, ERR_FORMAT);
}

}  // namespace
