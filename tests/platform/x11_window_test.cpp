// Real windows on the X server that scripts/test.sh starts: the screen read
// back with ImageMagick's import, xdotool's input seen by the handlers.
// Without DISPLAY these skip, except under CI=true, where that is a failure.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>

#include "softblit/core/status.h"
#include "softblit/platform/display.h"
#include "window_fixture.h"

std::string X11WindowId(SDL_Window* window);

namespace {

struct T_Picture {
    int width, height;
    std::string rgb;
    uint32_t At(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        if (x < 0 || y < 0 || x >= width || y >= height || i + 2 >= rgb.size()) return 0xDEADBEEF;
        return uint32_t(uint8_t(rgb[i])) << 16 | uint32_t(uint8_t(rgb[i + 1])) << 8 |
               uint8_t(rgb[i + 2]);
    }
};

// One test at a time on the X server: they move the pointer and cover the
// screen. Declared first in the fixture, so it is released last.
struct T_ServerLock {
    int fd = -1;
    void Take(std::string display) {
        std::replace(display.begin(), display.end(), ':', '-');
        fd = open(("/tmp/softblit-x" + display + ".lock").c_str(), O_RDWR | O_CREAT, 0666);
        if (fd >= 0) flock(fd, LOCK_EX);
    }
    ~T_ServerLock() { if (fd >= 0) close(fd); }
};

struct RealWindowTest : ::testing::Test {
    T_ServerLock lock;
    C_Window window;
    C_Display display;

    void SetUp() override {
        const char* shown = std::getenv("DISPLAY");
        if (shown == nullptr || *shown == '\0') {
            const char* ci = std::getenv("CI");
            if (ci != nullptr && std::string(ci) == "true")
                FAIL() << "DISPLAY is not set: the real-window tests cannot run under CI";
            GTEST_SKIP() << "DISPLAY is not set: real-window tests skipped";
        }
        const char* driver = std::getenv("SDL_VIDEODRIVER");
        if (Platform_VideoReady() ? std::string(SDL_GetCurrentVideoDriver()) == "dummy"
                                  : driver != nullptr && std::string(driver) == "dummy")
            GTEST_SKIP() << "this process runs SDL's dummy driver; run the test on its own";
        lock.Take(shown);
        ASSERT_TRUE(Platform_InitVideo()) << Err_GetCause().message;
        SetUpLoggedWindow(window);
    }

    std::string WindowId() { return X11WindowId(window.native->window); }

    // Pumps until `done` holds or `ms` milliseconds pass.
    template <class F>
    bool PumpUntil(F done, int ms = 3000) {
        const uint64_t end = SDL_GetTicks64() + ms;
        while (SDL_GetTicks64() < end) {
            PumpAll();
            if (done()) return true;
            Sys_PumpMessage();
            SDL_Delay(5);
        }
        return done();
    }
    void PumpFor(int ms) { PumpUntil([] { return false; }, ms); }

    // The handler calls so far that do (`keep`) or do not start with one of
    // `kinds`, once `count` of them have come.
    Calls AwaitCalls(bool keep, std::initializer_list<const char*> kinds, size_t count) {
        Calls seen;
        PumpUntil([&] {
            seen.clear();
            for (const std::string& call : CallLog()) {
                bool kind = false;
                for (const char* k : kinds) kind = kind || call.rfind(k, 0) == 0;
                if (kind == keep) seen.push_back(call);
            }
            return seen.size() >= count;
        });
        return seen;
    }

    // A grab of `what` ("root" or a window id) once the server shows the
    // frame (the red corner at `redX`, `redY`), presenting again while it
    // does not: mapping and the first exposure may still be on their way.
    T_Picture GrabShown(const std::string& what, int width, int height, int redX, int redY) {
        T_Picture shot{width, height, ""};
        for (int attempt = 0; attempt < 20; ++attempt) {
            shot.rgb = Shell("import -window " + what + " -depth 8 rgb:- 2>/dev/null");
            if (shot.At(redX, redY) == 0xFF0000u) break;
            display.Present();
            PumpFor(100);
        }
        return shot;
    }

    // Grey with red, green, blue and white corner blocks, drawn and presented.
    void DrawCorners() {
        const struct {
            C_Rect at;
            C_Color colour;
        } blocks[] = {{{0, 0, 639, 479}, {0.5f, 0.5f, 0.5f, 0.0f}},
                      {{0, 0, 9, 9}, {1.0f, 0.0f, 0.0f, 0.0f}},
                      {{630, 0, 639, 9}, {0.0f, 1.0f, 0.0f, 0.0f}},
                      {{0, 470, 9, 479}, {0.0f, 0.0f, 1.0f, 0.0f}},
                      {{630, 470, 639, 479}, {1.0f, 1.0f, 1.0f, 0.0f}}};
        for (const auto& b : blocks) display.DrawRect(&b.at, &b.colour, nullptr, 1, 0, 0);
        EXPECT_TRUE(display.Present());
        PumpFor(300);
        display.Present();
    }
};

TEST_F(RealWindowTest, FramedWindowShowsTheFrameUprightInItsPlace) {
    ASSERT_EQ(window.Create(), 1u) << Err_GetCause().message;
    S_DisplayTarget target;
    window.GetDisplayTarget(&target);
    display.OpenWindowed(&target, 640, 480, 0);
    ASSERT_TRUE(display.Start());
    DrawCorners();

    const T_Picture shot = GrabShown(WindowId(), 640, 480, 0, 0);
    ASSERT_EQ(shot.rgb.size(), 640u * 480u * 3u);
    ExpectPixels([&](int x, int y) { return shot.At(x, y); },
                 {{0, 0, 0xFF0000}, {639, 0, 0x00FF00}, {0, 479, 0x0000FF},
                  {639, 479, 0xFFFFFF}, {320, 240, 0x7F7F7F}});

    const std::string info = Shell("xwininfo -id " + WindowId());
    const C_Frame& border = window.GetBorderFrame();
    const std::string lines[] = {"Width: 640", "Height: 480",
                                 "Absolute upper-left X:  " + std::to_string(border.left),
                                 "Absolute upper-left Y:  " + std::to_string(border.top)};
    for (const std::string& line : lines)
        EXPECT_NE(info.find(line), std::string::npos) << line << " not in\n" << info;
}

TEST_F(RealWindowTest, PressesReleasesAndKeysReachTheHandlers) {
    ASSERT_EQ(window.Create(), 1u) << Err_GetCause().message;
    PumpFor(300);
    CallLog().clear();
    // The client area's top-left corner on the screen.
    const int left = window.GetPlacementFrame().left + window.GetBorderFrame().left;
    const int top = window.GetPlacementFrame().top + window.GetBorderFrame().top;
    Shell("xdotool mousemove " + std::to_string(left + 100) + " " + std::to_string(top + 50) +
          " mousedown 1 mousemove " + std::to_string(left + 110) + " " +
          std::to_string(top + 60) + " mouseup 1 click 3 key a key Escape");
    const Calls want = {"down 1 0 0 100 50", "move 1 0 0 110 60", "up 1 0 0 110 60",
                        "click 1",           "down 0 0 1 110 60", "up 0 0 1 110 60",
                        "click 3",           "keydown 97 65",     "keyup 97 65",
                        "keydown 27 27",     "keyup 27 27"};
    EXPECT_EQ(AwaitCalls(false, {"paint", "size", "move 0 0 0"}, want.size()), want);
}

TEST_F(RealWindowTest, FullScreenPopupIsLetterboxedAndMapsClicks) {
    window.SetPopup(1);
    ASSERT_EQ(window.Create(), 1u) << Err_GetCause().message;
    S_DisplayTarget target;
    window.GetDisplayTarget(&target);
    display.OpenFullScreen(&target, 640, 480, 16, 0);
    ASSERT_TRUE(display.Start());
    EXPECT_FALSE(display.IsModeRefused());
    ASSERT_EQ(Sys_GetScreenMetric(SYS_METRIC_SCREEN_WIDTH), 1280);
    ASSERT_EQ(Sys_GetScreenMetric(SYS_METRIC_SCREEN_HEIGHT), 1024);
    EXPECT_EQ(Sys_GetScreenMetric(SYS_METRIC_BITS_PER_PIXEL), 32);
    PumpUntil([&] {
        int w = 0, h = 0;
        SDL_GetWindowSize(window.native->window, &w, &h);
        return w == 1280 && h == 1024;
    });
    DrawCorners();

    // 640 x 480 doubled into 1280 x 960, 32 rows of black above and below.
    const T_Picture shot = GrabShown("root", 1280, 1024, 0, 32);
    ASSERT_EQ(shot.rgb.size(), 1280u * 1024u * 3u);
    ExpectPixels([&](int x, int y) { return shot.At(x, y); },
                 {{0, 31, 0}, {0, 32, 0xFF0000}, {19, 51, 0xFF0000}, {20, 52, 0x7F7F7F},
                  {1279, 32, 0x00FF00}, {0, 991, 0x0000FF}, {1279, 991, 0xFFFFFF}, {640, 992, 0}});

    CallLog().clear();
    Shell("xdotool mousemove 203 133 click 1");
    EXPECT_EQ(AwaitCalls(true, {"down", "click"}, 2), Calls({"down 1 0 0 101 50", "click 1"}));
}

}  // namespace
