// The messages waiting for Sys_PumpMessage, in arrival order.
//
// SDL's events are translated into these as they are drained, so that the
// pump can hand out exactly one per call and apply its own rules: a new
// pointer move replaces the one still waiting for that window, at most one
// timer tick waits per window, and everything else is kept in order.
#pragma once

#include <cstdint>

enum E_MessageType : uint32_t {
    MSG_NONE = 0,  // a merged-away entry, skipped
    MSG_QUIT,
    MSG_ACTIVATE,
    MSG_DEACTIVATE,
    MSG_SET_FOCUS,
    MSG_KILL_FOCUS,
    MSG_SIZE,
    MSG_PAINT,    // the window must be drawn again
    MSG_SHOW,     // shown or hidden
    MSG_CLOSE,
    MSG_KEY_DOWN,
    MSG_KEY_UP,
    MSG_POINTER_MOVE,
    MSG_BUTTON_DOWN,
    MSG_BUTTON_UP,
    MSG_TIMER,
};

// Button bits, as in SDL's masks.
enum : uint32_t { BUTTON_BIT_LEFT = 1, BUTTON_BIT_MIDDLE = 2, BUTTON_BIT_RIGHT = 4 };

struct S_Message {
    uint32_t type;
    uint32_t windowId;  // SDL window id; 0 for the quit request
    int32_t a;          // key: character; button: number 1..3
    int32_t b;          // key: key code
    int32_t x;          // pointer position in window pixels
    int32_t y;
    uint32_t buttons;   // BUTTON_BIT_* held after the event
};

// Appends one message. Pointer moves and timer ticks follow the merge rules
// above. False only when the queue cannot grow (the message is lost).
bool Queue_Push(const S_Message& message);
// Takes the oldest message; false when none is waiting.
bool Queue_Pop(S_Message* message);
// Messages waiting (merged-away entries not counted).
uint32_t Queue_Count();
// Forgets every message (windows that go away leave none behind).
void Queue_Clear();
