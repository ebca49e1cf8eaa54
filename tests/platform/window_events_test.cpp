// From SDL events to handler calls: capture, clicks, keys, focus, merging
// and the one-message-per-pump rule.
#include <string>
#include <vector>

#include "softblit/platform/keys.h"
#include "window_fixture.h"

namespace {

using Calls = std::vector<std::string>;

TEST_F(DummyWindowTest, CaptureRunsFromAPressToTheReleaseOfTheLastButton) {
    PushButton(false, SDL_BUTTON_LEFT, 5, 5);  // no press in this window: nothing
    PushMove(10, 20, 0);
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"move 0 0 0 10 20"}));
    CallLog().clear();

    PushButton(true, SDL_BUTTON_LEFT, 10, 20);
    PushButton(true, SDL_BUTTON_RIGHT, 11, 21);
    PumpAll();
    PushMove(12, 22, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK);
    PumpAll();
    PushButton(false, SDL_BUTTON_LEFT, 13, 23);
    PumpAll();
    EXPECT_EQ(window.captured, 1.0f);  // the right button is still held
    PushMove(14, 24, SDL_BUTTON_RMASK);
    PushButton(false, SDL_BUTTON_RIGHT, 15, 25);
    PumpAll();
    EXPECT_EQ(window.captured, 0.0f);
    PushMove(16, 26, SDL_BUTTON_LMASK);  // held elsewhere, no capture: no call
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"down 1 0 0 10 20", "down 1 0 1 11 21", "move 1 0 1 12 22",
                                "up 1 0 0 13 23", "click 1", "move 0 0 1 14 24",
                                "up 0 0 1 15 25", "click 3"}));
    EXPECT_EQ(window.buttonStates[0], 1.0f);
}

TEST_F(DummyWindowTest, DoublePressesAreTwoPressesAndExtraButtonsNothing) {
    for (int i = 0; i < 2; ++i) {
        PushButton(true, SDL_BUTTON_MIDDLE, 1, 2);
        PushButton(false, SDL_BUTTON_MIDDLE, 1, 2);
    }
    PushButton(true, SDL_BUTTON_X1, 1, 2);
    PushButton(false, SDL_BUTTON_X1, 1, 2);
    SDL_Event wheel = {};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.windowID = Id();
    wheel.wheel.y = 1;
    SDL_PushEvent(&wheel);
    PumpAll();
    const Calls once = {"down 0 1 0 1 2", "up 0 1 0 1 2", "click 2"};
    Calls twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(CallLog(), twice);
}

TEST_F(DummyWindowTest, EachPumpHandlesOneMessageInOrder) {
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushKey(true, SDLK_a);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    Sys_PostQuit();
    PushKey(false, SDLK_a);
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

TEST_F(DummyWindowTest, PointerMovesMergeIntoTheNewest) {
    PushMove(1, 1, 0);
    PushKey(true, SDLK_SPACE);
    PushMove(2, 2, 0);
    PushMove(3, 3, 0);
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"keydown 32 32", "move 0 0 0 3 3"}));
}

TEST_F(DummyWindowTest, KeysCarryCharacterAndCode) {
    PushKey(true, SDLK_q, KMOD_LSHIFT);
    PushKey(true, SDLK_q, 0, 1);  // auto-repeat
    PushKey(true, SDLK_F1, KMOD_LSHIFT);
    PushKey(true, SDLK_KP_7, KMOD_LSHIFT);
    PushKey(false, SDLK_ESCAPE);
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"keydown 81 81", "keydown 113 81", "keydown 0 112",
                                "keydown 55 103", "keyup 27 27"}));
}

TEST_F(DummyWindowTest, WindowMessagesReachTheirHandlers) {
    PushWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED);
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    PushWindowEvent(SDL_WINDOWEVENT_HIDDEN);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"size", "paint", "paint", "paint", "close"}));
    // Closing is the application's decision: the window is still there.
    EXPECT_TRUE(window.IsCreated());
}

TEST_F(DummyWindowTest, DisabledWindowsIgnoreInput) {
    window.SetEnabled(0);
    PushButton(true, SDL_BUTTON_LEFT, 1, 1);
    PushKey(true, SDLK_a);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"close"}));
    EXPECT_EQ(window.captured, 0.0f);
}

int g_ticks = 0;

TEST_F(DummyWindowTest, TimerTicksComeThroughThePumpOneAtATime) {
    window.handlers.OnTimer = [](C_Window*, int32_t, int32_t, int32_t, int32_t, int32_t) {
        ++g_ticks;
    };
    SDL_Delay(3);
    PushKey(true, SDLK_a);
    PushKey(true, SDLK_b);
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
    PushKey(true, SDLK_a);
    SDL_PumpEvents();
    Sys_PumpMessage();  // drains SDL's queue, handles the key
    PushKey(true, SDLK_b);
    window.Destroy();
    PumpAll();
    EXPECT_EQ(CallLog(), Calls({"keydown 97 65"}));
    window.Destroy();
    window.Refresh(WINDOW_CHANGE_ALL);
    EXPECT_EQ(window.Create(), 1u);
    EXPECT_EQ(window.Create(), 1u);
}

}  // namespace
