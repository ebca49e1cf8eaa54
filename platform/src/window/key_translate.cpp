// Key codes are the fixed numbers applications test against: upper-case
// ASCII for letters and digits, the table of keys.h for the rest.
#include "window/key_translate.h"

#include "softblit/platform/keys.h"

int32_t Key_Code(SDL_Keycode symbol) {
    if (symbol >= SDLK_a && symbol <= SDLK_z) return 'A' + (symbol - SDLK_a);
    if (symbol >= SDLK_0 && symbol <= SDLK_9) return '0' + (symbol - SDLK_0);
    if (symbol >= SDLK_F1 && symbol <= SDLK_F12) return KEY_F1 + (symbol - SDLK_F1);
    if (symbol >= SDLK_KP_1 && symbol <= SDLK_KP_9) return KEY_PAD_0 + 1 + (symbol - SDLK_KP_1);
    switch (symbol) {
    case SDLK_BACKSPACE: return KEY_BACKSPACE;
    case SDLK_TAB: return KEY_TAB;
    case SDLK_RETURN: return KEY_RETURN;
    case SDLK_KP_ENTER: return KEY_RETURN;
    case SDLK_ESCAPE: return KEY_ESCAPE;
    case SDLK_SPACE: return KEY_SPACE;
    case SDLK_LEFT: return KEY_LEFT;
    case SDLK_UP: return KEY_UP;
    case SDLK_RIGHT: return KEY_RIGHT;
    case SDLK_DOWN: return KEY_DOWN;
    case SDLK_KP_0: return KEY_PAD_0;
    case SDLK_KP_MULTIPLY: return KEY_PAD_MULTIPLY;
    case SDLK_KP_PLUS: return KEY_PAD_ADD;
    case SDLK_KP_COMMA: return KEY_PAD_SEPARATOR;
    case SDLK_KP_MINUS: return KEY_PAD_SUBTRACT;
    case SDLK_KP_PERIOD: return KEY_PAD_DECIMAL;
    case SDLK_KP_DIVIDE: return KEY_PAD_DIVIDE;
    default: return 0;
    }
}

int32_t Key_Character(SDL_Keycode symbol, uint16_t modifiers) {
    if (symbol >= SDLK_a && symbol <= SDLK_z)
        return (modifiers & KMOD_SHIFT) ? 'A' + (symbol - SDLK_a) : static_cast<int32_t>(symbol);
    // Printable ASCII and the control keys have their character as symbol.
    if ((symbol >= 32 && symbol < 127) || symbol == SDLK_BACKSPACE || symbol == SDLK_TAB ||
        symbol == SDLK_RETURN || symbol == SDLK_ESCAPE)
        return static_cast<int32_t>(symbol);
    if (symbol >= SDLK_KP_1 && symbol <= SDLK_KP_9) return '1' + (symbol - SDLK_KP_1);
    switch (symbol) {
    case SDLK_KP_0: return '0';
    case SDLK_KP_MULTIPLY: return '*';
    case SDLK_KP_PLUS: return '+';
    case SDLK_KP_MINUS: return '-';
    case SDLK_KP_PERIOD: return '.';
    case SDLK_KP_DIVIDE: return '/';
    case SDLK_KP_ENTER: return '\r';
    default: return 0;
    }
}
