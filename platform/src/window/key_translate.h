// SDL key symbols to the key codes of keys.h and to characters.
#pragma once

#include <SDL.h>

#include <cstdint>

// The key code of `symbol`, 0 for keys without one.
int32_t Key_Code(SDL_Keycode symbol);
// The character the key types: printable ASCII, Backspace 8, Tab 9, Return
// 13, Escape 27, the keypad's digits and operators; 0 for other keys. With
// Shift held, 'a'..'z' become upper case.
int32_t Key_Character(SDL_Keycode symbol, uint16_t modifiers);
