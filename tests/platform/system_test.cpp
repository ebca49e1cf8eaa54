// The system services that need no window: clock, screen metrics, cursor
// codes, key translation, placement arithmetic, messages, driver choice.
#include <signal.h>
#include <unistd.h>

#include "softblit/core/status.h"
#include "softblit/image/image.h"
#include "softblit/platform/keys.h"
#include "system/clock_source.h"
#include "window/key_translate.h"
#include "window/placement.h"
#include "window_fixture.h"

namespace {

uint32_t g_fakeMilliseconds = 0;

TEST(Clock, MillisecondPathCountsExactlyAndCounterPathMovesForward) {
    Clock_SetMillisecondReader([] { return g_fakeMilliseconds; });
    Clock_Init(0);
    EXPECT_FALSE(Clock_UsesCounter());
    g_fakeMilliseconds = 0xFFFFF000u;  // far from the origin: still exact
    const double before = Sys_GetTime();
    g_fakeMilliseconds += 1500;
    EXPECT_EQ(Sys_GetTime() - before, 1.5);
    Clock_SetMillisecondReader(nullptr);

    EXPECT_TRUE(Sys_InitClock());
    EXPECT_TRUE(Clock_UsesCounter());
    const double start = Sys_GetTime();
    SDL_Delay(2);
    const double elapsed = Sys_GetTime() - start;
    EXPECT_GT(elapsed, 0.001);
    EXPECT_LT(elapsed, 1.0);
}

TEST(ScreenAndCursor, CodesOutsideTheTablesChangeNothing) {
    EXPECT_EQ(Sys_GetScreenMetric(0), 0);
    EXPECT_EQ(Sys_GetScreenMetric(79), 79);
    EXPECT_TRUE(Sys_SetCursor(60));
    EXPECT_TRUE(Sys_SetCursor(75));
    EXPECT_TRUE(Sys_SetCursor(SYS_CURSOR_WAIT));
}

TEST(Keys, CodesAndCharactersFromTheKeySymbol) {
    struct Case { SDL_Keycode sym; uint16_t mod; int32_t code; int32_t character; };
    const Case cases[] = {
        {SDLK_ESCAPE, 0, KEY_ESCAPE, 27},    {SDLK_RETURN, 0, KEY_RETURN, 13},
        {SDLK_SPACE, 0, KEY_SPACE, ' '},     {SDLK_TAB, 0, KEY_TAB, 9},
        {SDLK_BACKSPACE, 0, 8, 8},           {SDLK_a, 0, 'A', 'a'},
        {SDLK_z, KMOD_RSHIFT, 'Z', 'Z'},     {SDLK_0, 0, '0', '0'},
        {SDLK_9, KMOD_SHIFT, '9', '9'},      {SDLK_LEFT, 0, KEY_LEFT, 0},
        {SDLK_DOWN, 0, KEY_DOWN, 0},         {SDLK_F1, 0, KEY_F1, 0},
        {SDLK_F12, KMOD_SHIFT, KEY_F12, 0},  {SDLK_KP_0, 0, KEY_PAD_0, '0'},
        {SDLK_KP_9, KMOD_SHIFT, 0x69, '9'},  {SDLK_KP_DIVIDE, 0, KEY_PAD_DIVIDE, '/'},
        {SDLK_KP_PERIOD, 0, KEY_PAD_DECIMAL, '.'},
        {SDLK_F13, 0, 0, 0},                 {SDLK_LCTRL, KMOD_SHIFT, 0, 0},
        {SDLK_HOME, 0, 0, 0},                {SDLK_COMMA, 0, 0, ','},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SDL_GetKeyName(c.sym));
        EXPECT_EQ(Key_Code(c.sym), c.code);
        EXPECT_EQ(Key_Character(c.sym, c.mod), c.character);
    }
}

TEST(Placement, ModesMeasureFromEdgesCentreOrTheWindowItself) {
    const struct {
        const char* name;
        C_Frame request;
        int32_t screenW, screenH;
        C_Frame want;
    } cases[] = {
        {"top-left corner, size", {0, 0, 640, 480, 0x10, 0x43}, 1280, 1024, {0, 0, 640, 480}},
        {"centred; vertical mode 0 keeps the previous top", {-320, 50, 640, 100, 0x02, 0x43},
         1280, 1024, {320, 9, 960, 109}},
        {"from the right, bottom and middle, odd halves", {100, 100, 10, 5, 0x21, 0x31}, 1281,
         1023, {1181, 923, 1271, 516}},
        {"absurd requests saturate", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0x21, 0x43}, 10,
         10, {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const C_Frame f = Window_Place(c.request, c.screenW, c.screenH, C_Frame(7, 9, 11, 13));
        EXPECT_EQ(std::vector<int32_t>({f.left, f.top, f.right, f.bottom}),
                  std::vector<int32_t>({c.want.left, c.want.top, c.want.right, c.want.bottom}));
    }
}

TEST(Messages, EachTextIsOneLineOnStderr) {
    setenv("SOFTBLIT_NO_DIALOGS", "1", 1);
    testing::internal::CaptureStderr();
    Sys_ShowMessage(nullptr, SYS_TEXT_MODE_REFUSED, SYS_CAPTION_ERROR);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Display Mode Not Compatible\n");
}

TEST(VideoDriver, ScreenlessDriversCountOnlyWhenNotAskedForOrNothingIsNamed) {
    EXPECT_FALSE(Platform_IsUnrequestedFallback("x11", nullptr));
    EXPECT_FALSE(Platform_IsUnrequestedFallback("wayland", "x11"));
    EXPECT_TRUE(Platform_IsUnrequestedFallback("offscreen", nullptr));
    EXPECT_TRUE(Platform_IsUnrequestedFallback("dummy", "x11"));
    EXPECT_FALSE(Platform_IsUnrequestedFallback("dummy", "dummy"));
    EXPECT_FALSE(Platform_IsUnrequestedFallback("offscreen", "x11,offscreen"));
    EXPECT_TRUE(Platform_IsUnrequestedFallback(nullptr, nullptr));
    // No display is named only when every name is missing.
    EXPECT_TRUE(Platform_NoDisplayNamed(nullptr, nullptr, nullptr));
    EXPECT_TRUE(Platform_NoDisplayNamed("", "", nullptr));
    EXPECT_FALSE(Platform_NoDisplayNamed("dummy", nullptr, nullptr));
    EXPECT_FALSE(Platform_NoDisplayNamed(nullptr, ":7", nullptr));
    EXPECT_FALSE(Platform_NoDisplayNamed(nullptr, nullptr, "wayland-0"));
}

TEST(PumpWithoutVideo, QuitRequestEndsTheLoop) {
    // Headless programs pump too: the request still comes back, once.
    while (Queue_Count() > 0) Sys_PumpMessage();
    Sys_PostQuit();
    int pumps = 0;
    while (Sys_PumpMessage() && pumps < 1000) ++pumps;
    EXPECT_LT(pumps, 1000);
    EXPECT_EQ(Queue_Count(), 0u);

    // SIGINT and SIGTERM ask to quit the same way instead of ending the
    // process on the spot (pumping once has installed the handlers).
    for (int signal : {SIGINT, SIGTERM}) {
        raise(signal);
        pumps = 0;
        while (Sys_PumpMessage() && pumps < 1000) ++pumps;
        EXPECT_LT(pumps, 1000);
    }
}

// Runs in a child process without any display: SDL may fall back to a
// screenless driver, which must count as no display at all.
TEST(NoDisplay, CreateFailsAndKeepsTheReason) {
    if (std::getenv("SOFTBLIT_NO_DISPLAY_CHILD") == nullptr) {
        const std::string out = Shell(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SOFTBLIT_NO_DISPLAY_CHILD=1 "
            "timeout 30 /proc/" + std::to_string(getpid()) +
            "/exe --gtest_filter=NoDisplay.CreateFailsAndKeepsTheReason 2>&1; echo exit $?");
        EXPECT_NE(out.find("[  PASSED  ] 1 test"), std::string::npos) << out;
        EXPECT_NE(out.find("\nexit 0\n"), std::string::npos) << out;
        return;
    }
    C_Window window;
    EXPECT_EQ(window.Create(), 0u);
    EXPECT_FALSE(window.IsCreated());
    EXPECT_EQ(Err_GetCause().code, ERR_MISSING);
    EXPECT_NE(std::string(Err_GetCause().message).find("display"), std::string::npos);
    EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
    // Asking again does not retry, and nothing else needs a display.
    EXPECT_EQ(window.Create(), 0u);
    EXPECT_EQ(Sys_GetScreenMetric(SYS_METRIC_SCREEN_WIDTH), 0);
    window.SetTitle("still usable");
    C_Image frame;
    frame.CreateEmpty(4, 4, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
    window.PresentImage(&frame);
    EXPECT_EQ(window.GetFrameImage()->width, 4u);
    EXPECT_FALSE(Sys_ChangeDisplayMode(&window, 640, 480, 16));
}

}  // namespace
