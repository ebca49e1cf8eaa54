// The first bytes of a fuzz_text input: every drawing option. Then come
// textLength bytes of text and, last, a ".uft" font record.
#pragma once

#include <cstdint>

struct S_TextChoice {
    float size, x, y;
    float areaLeft, areaTop, areaRight, areaBottom;
    int32_t clipLeft, clipTop, clipRight, clipBottom;
    uint32_t cursor;
    uint8_t renderMode;
    uint8_t style;    // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    uint8_t anchor;
    uint8_t wrap;
    uint8_t options;  // bit 0 clip, 1 glyph hook, 2 reference rule above 32, 3 through DrawText, 4 display blit
    uint8_t textLength;
    uint8_t pad[2];
};
static_assert(sizeof(S_TextChoice) == 56, "the choice is the first 56 bytes");
