// The demo's fixed texts: window title, effect titles, the warping lines and
// the scroll text. All plain ASCII.
#pragma once

#include <cstdint>

class C_String;

enum : uint32_t {
    DEMO_EFFECT_COUNT = 5,
    DEMO_WARP_LINE_COUNT = 14,
    DEMO_SCROLL_PIECE_COUNT = 21,
    DEMO_SCROLL_BLANKS = 148,    // leading gap between the end of the text and its next start
    DEMO_SCROLL_LENGTH = 2110,
};

extern const char* const Demo_WindowTitle;
extern const char* const Demo_EffectTitles[DEMO_EFFECT_COUNT];
extern const char* const Demo_WarpLines[DEMO_WARP_LINE_COUNT];
extern const char* const Demo_ScrollPieces[DEMO_SCROLL_PIECE_COUNT];

// The blanks followed by every piece. False when the result is not
// DEMO_SCROLL_LENGTH characters long (a piece was edited out of shape).
bool Demo_BuildScrollText(C_String* text);
