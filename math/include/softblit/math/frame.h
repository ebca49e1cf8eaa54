// Integer rectangle: clip frames, glyph cells, window placement. Right and
// bottom lie one past the last pixel (width = right - left). Nothing keeps
// left <= right or top <= bottom; users that need a non-empty region test it.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"

class C_Frame : public C_Object {
public:
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    // Two spare bytes stored with the frame (anchor or mode bytes to some
    // users); 0x10 unless a constructor is given other values.
    uint8_t byte1;
    uint8_t byte2;

    C_Frame() : left(0), top(0), right(0), bottom(0), byte1(0x10), byte2(0x10) {}
    C_Frame(int32_t l, int32_t t, int32_t r, int32_t b, uint8_t b1 = 0x10, uint8_t b2 = 0x10)
        : left(l), top(t), right(r), bottom(b), byte1(b1), byte2(b2) {}
    // left, top, right, bottom from the array (null gives the default frame).
    explicit C_Frame(const int32_t* coords);
    C_Frame(const C_Frame&) = default;
    C_Frame& operator=(const C_Frame&) = default;

    // Record: u16 tag 7; i32 left, top, right, bottom; u8 byte1, byte2 (20 bytes).
    // A short or mistagged record leaves the frame unchanged and returns false.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_FRAME; }
};
