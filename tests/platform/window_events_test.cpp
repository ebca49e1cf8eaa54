// From SDL events to handler calls: capture, clicks, keys, focus, merging
// and the one-message-per-pump rule.
#include "softblit/platform/keys.h"
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
         {Button(true, SDL_BUTTON_LEFT, 1, 1), Key(true, SDLK_a), WindowEvent(SDL_WINDOWEVENT_CLOSE)},
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

}  // namespace
