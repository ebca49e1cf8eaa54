// Key codes handed to OnKeyDown and OnKeyUp. Letters and digits are their
// upper-case ASCII codes ('A'..'Z', '0'..'9'); keys not listed give 0.
#pragma once

#include <cstdint>

enum : int32_t {
    KEY_BACKSPACE = 8,
    KEY_TAB = 9,
    KEY_RETURN = 13,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_LEFT = 0x25,
    KEY_UP = 0x26,
    KEY_RIGHT = 0x27,
    KEY_DOWN = 0x28,
    KEY_PAD_0 = 0x60,  // 0x60..0x69: keypad digits
    KEY_PAD_MULTIPLY = 0x6A,
    KEY_PAD_ADD = 0x6B,
    KEY_PAD_SEPARATOR = 0x6C,
    KEY_PAD_SUBTRACT = 0x6D,
    KEY_PAD_DECIMAL = 0x6E,
    KEY_PAD_DIVIDE = 0x6F,
    KEY_F1 = 0x70,  // 0x70..0x7B: F1..F12
    KEY_F12 = 0x7B,
};
