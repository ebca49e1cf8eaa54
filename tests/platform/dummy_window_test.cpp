// Windows on SDL's dummy driver. Events to handler calls: capture, clicks,
// keys, focus, merging and the one-message-per-pump rule. Frames read back
// from the renderer: formats, row orders, pitch, repaint, full-screen scaling.
#include "softblit/core/status.h"
#include "softblit/image/convert.h"
#include "softblit/image/image.h"
#include "softblit/math/color.h"
#include "softblit/platform/keys.h"
#include "window/window_events.h"
#include "window/window_region.h"
#include "window_fixture.h"

namespace {

TEST_F(DummyWindowTest, CaptureRunsFromAPressToTheReleaseOfTheLastButton) {
    Push({Button(false, SDL_BUTTON_LEFT, 5, 5), Move(10, 20, 0)});  // no press here: no up
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"move 0 0 0 10 20"}));
    CallLog().clear();

    Push({Button(true, SDL_BUTTON_LEFT, 10, 20), Button(true, SDL_BUTTON_RIGHT, 11, 21)});
    PumpAll();
    Push({Move(12, 22, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK)});
    PumpAll();
    Push({Button(false, SDL_BUTTON_LEFT, 13, 23)});
    PumpAll();
    EXPECT_EQ(window.captured, 1.0f);  // the right button is still held
    Push({Move(14, 24, SDL_BUTTON_RMASK), Button(false, SDL_BUTTON_RIGHT, 15, 25)});
    PumpAll();
    EXPECT_EQ(window.captured, 0.0f);
    Push({Move(16, 26, SDL_BUTTON_LMASK)});  // held elsewhere, no capture: no call
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"down 1 0 0 10 20", "down 1 0 1 11 21", "move 1 0 1 12 22",
                                "up 1 0 0 13 23", "click 1", "move 0 0 1 14 24",
                                "up 0 0 1 15 25", "click 3"}));
    EXPECT_EQ(window.buttonStates[0], 1.0f);
}

TEST_F(DummyWindowTest, EventsBecomeHandlerCalls) {
    SDL_Event wheel = {};
    wheel.wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.windowID = Id();
    wheel.wheel.y = 1;
    const SDL_Event middleDown = Button(true, SDL_BUTTON_MIDDLE, 1, 2),
                    middleUp = Button(false, SDL_BUTTON_MIDDLE, 1, 2);
    const struct {
        const char* name;
        bool enabled;
        std::vector<SDL_Event> events;
        Calls want;
    } rows[] = {
        {"pointer moves merge into the newest", true,
         {Move(1, 1, 0), Key(true, SDLK_SPACE), Move(2, 2, 0), Move(3, 3, 0)},
         {"keydown 32 32", "move 0 0 0 3 3"}},
        {"keys carry character and code, repeats too", true,
         {Key(true, SDLK_q, KMOD_LSHIFT), Key(true, SDLK_q, 0, 1), Key(true, SDLK_F1, KMOD_LSHIFT),
          Key(true, SDLK_KP_7, KMOD_LSHIFT), Key(false, SDLK_ESCAPE)},
         {"keydown 81 81", "keydown 113 81", "keydown 0 112", "keydown 55 103", "keyup 27 27"}},
        {"a double press is two presses, extra buttons and the wheel nothing", true,
         {middleDown, middleUp, middleDown, middleUp, Button(true, SDL_BUTTON_X1, 1, 2),
          Button(false, SDL_BUTTON_X1, 1, 2), wheel},
         {"down 0 1 0 1 2", "up 0 1 0 1 2", "click 2", "down 0 1 0 1 2", "up 0 1 0 1 2",
          "click 2"}},
        {"a disabled window ignores input", false,
         {Button(true, SDL_BUTTON_LEFT, 1, 1), Key(true, SDLK_a),
          WindowEvent(SDL_WINDOWEVENT_CLOSE)},
         {"close"}},
        {"window messages", true,
         {WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED), WindowEvent(SDL_WINDOWEVENT_EXPOSED),
          WindowEvent(SDL_WINDOWEVENT_HIDDEN), WindowEvent(SDL_WINDOWEVENT_CLOSE)},
         {"size", "paint", "paint", "paint", "close"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        window.SetEnabled(row.enabled);
        CallLog().clear();
        for (SDL_Event e : row.events) SDL_PushEvent(&e);
        PumpAll();
        EXPECT_EQ(CallLog(), row.want);
        EXPECT_EQ(window.captured, 0.0f);
        EXPECT_TRUE(window.IsCreated());  // closing is the application's decision
    }
}

TEST_F(DummyWindowTest, EachPumpHandlesOneMessageInOrder) {
    Push({WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), Key(true, SDLK_a),
          WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    Sys_PostQuit();
    Push({Key(false, SDLK_a)});
    std::vector<size_t> growth;
    bool quit = false;
    for (int i = 0; i < 8 && !quit; ++i) {
        quit = !Sys_PumpMessage();
        growth.push_back(CallLog().size());
    }
    EXPECT_TRUE(quit);
    // One call per pump; the quit request waits behind the earlier input.
    EXPECT_EQ(growth, std::vector<size_t>({1, 2, 3, 4, 5, 5}));
    EXPECT_EQ(CallLog(), Calls({"activate", "setfocus", "keydown 97 65", "deactivate",
                                "killfocus"}));
    PumpAll();
    EXPECT_EQ(CallLog().back(), "keyup 97 65");
    EXPECT_TRUE(Sys_PumpMessage());  // nothing pending
}

int g_ticks = 0;

TEST_F(DummyWindowTest, TimerTicksComeThroughThePumpOneAtATime) {
    window.handlers.OnTimer = [](C_Window*, auto...) { ++g_ticks; };
    SDL_Delay(3);
    Push({Key(true, SDLK_a), Key(true, SDLK_b)});
    for (int i = 0; i < 3; ++i) Sys_PumpMessage();
    SDL_Delay(3);
    Sys_PumpMessage();
    SDL_Delay(3);
    Sys_PumpMessage();
    // However long the pump was away, no more than one tick waits.
    EXPECT_GE(g_ticks, 1);
    EXPECT_LE(Queue_Count(), 1u);
    window.handlers.OnTimer = nullptr;
    PumpAll();
    const int ticks = g_ticks;
    SDL_Delay(3);
    PumpAll();
    EXPECT_EQ(g_ticks, ticks);  // no handler, no ticks
    EXPECT_EQ(Queue_Count(), 0u);
}

TEST_F(DummyWindowTest, MessagesForAClosedWindowAreDropped) {
    Push({Key(true, SDLK_a)});
    SDL_PumpEvents();
    Sys_PumpMessage();  // drains SDL's queue, handles the key
    Push({Key(true, SDLK_b)});
    window.Destroy();
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"keydown 97 65"}));
    window.Destroy();
    window.Refresh(WINDOW_CHANGE_ALL);
    EXPECT_EQ(window.Create(), 1u);
    EXPECT_EQ(window.Create(), 1u);
}


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
                 {{0, place.y - 1, 0}, {1, place.y + 1, 0xFF0000},
                  {bounds.w - 1, place.y, 0x00FF00}, {0, place.y + place.h - 1, 0x0000FF},
                  {0, place.y + place.h, 0}});

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
    const uint8_t rows[3][5] = {
        {255, 255, 0, 255, 255}, {0, 0, 0, 0, 0}, {255, 255, 255, 255, 255}};
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
