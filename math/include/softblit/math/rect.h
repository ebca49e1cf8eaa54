// Float rectangle: source and destination rectangles of blits, filled
// rectangles. Same layout and conventions as C_Frame.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"

class C_Rect : public C_Object {
public:
    float left;
    float top;
    float right;
    float bottom;
    uint8_t byte1;
    uint8_t byte2;

    C_Rect() : left(0), top(0), right(0), bottom(0), byte1(0x10), byte2(0x10) {}
    C_Rect(float l, float t, float r, float b, uint8_t b1 = 0x10, uint8_t b2 = 0x10)
        : left(l), top(t), right(r), bottom(b), byte1(b1), byte2(b2) {}
    // left, top, right, bottom from the array (null gives the default rectangle).
    explicit C_Rect(const float* coords);
    C_Rect(const C_Rect&) = default;
    C_Rect& operator=(const C_Rect&) = default;

    // Record: u16 tag 9; f32 left, top, right, bottom; u8 byte1, byte2 (20 bytes).
    // A short or mistagged record leaves the rectangle unchanged and returns false.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_RECT; }
};
