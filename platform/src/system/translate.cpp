// SDL events to queued messages. Window events name their window by id;
// the message is looked up again when it is handled, so a window closed in
// between simply receives nothing.
#include "system/message_queue.h"
#include "system/pump_internal.h"
#include "window/key_translate.h"
#include "window/window_events.h"

namespace {

uint32_t g_heldButtons = 0;

uint32_t ButtonBit(uint8_t button) {
    switch (button) {
    case SDL_BUTTON_LEFT: return BUTTON_BIT_LEFT;
    case SDL_BUTTON_MIDDLE: return BUTTON_BIT_MIDDLE;
    case SDL_BUTTON_RIGHT: return BUTTON_BIT_RIGHT;
    default: return 0;  // extra buttons do nothing
    }
}

void Push(uint32_t type, uint32_t windowId) {
    S_Message message = {};
    message.type = type;
    message.windowId = windowId;
    Queue_Push(message);
}

void TranslateWindowEvent(const SDL_WindowEvent& e) {
    switch (e.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        Push(MSG_ACTIVATE, e.windowID);
        Push(MSG_SET_FOCUS, e.windowID);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        Push(MSG_DEACTIVATE, e.windowID);
        Push(MSG_KILL_FOCUS, e.windowID);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: Push(MSG_SIZE, e.windowID); break;
    case SDL_WINDOWEVENT_EXPOSED: Push(MSG_PAINT, e.windowID); break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_HIDDEN: Push(MSG_SHOW, e.windowID); break;
    case SDL_WINDOWEVENT_CLOSE: Push(MSG_CLOSE, e.windowID); break;
    case SDL_WINDOWEVENT_MOVED: {
        // Not a handler call: a window that may not move goes straight back.
        C_Window* window = Window_FromId(e.windowID);
        if (window != nullptr) Window_KeepInPlace(window);
        break;
    }
    default: break;
    }
}

}  // namespace

uint32_t Pump_HeldButtons() { return g_heldButtons; }

void Pump_Translate(const SDL_Event& event) {
    S_Message message = {};
    switch (event.type) {
    case SDL_QUIT: Push(MSG_QUIT, 0); return;
    case SDL_WINDOWEVENT: TranslateWindowEvent(event.window); return;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        message.type = event.type == SDL_KEYDOWN ? MSG_KEY_DOWN : MSG_KEY_UP;
        message.windowId = event.key.windowID;
        message.a = Key_Character(event.key.keysym.sym, event.key.keysym.mod);
        message.b = Key_Code(event.key.keysym.sym);
        break;
    case SDL_MOUSEMOTION:
        g_heldButtons = event.motion.state & (BUTTON_BIT_LEFT | BUTTON_BIT_MIDDLE | BUTTON_BIT_RIGHT);
        message.type = MSG_POINTER_MOVE;
        message.windowId = event.motion.windowID;
        message.x = event.motion.x;
        message.y = event.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const uint32_t bit = ButtonBit(event.button.button);
        if (bit == 0) return;
        if (event.type == SDL_MOUSEBUTTONDOWN) {
            g_heldButtons |= bit;
            message.type = MSG_BUTTON_DOWN;
        } else {
            g_heldButtons &= ~bit;
            message.type = MSG_BUTTON_UP;
        }
        message.windowId = event.button.windowID;
        message.a = event.button.button;
        message.x = event.button.x;
        message.y = event.button.y;
        break;
    }
    default: return;
    }
    message.buttons = g_heldButtons;
    Queue_Push(message);
}
