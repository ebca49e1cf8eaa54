// Growable block of bytes, counted in the memory in use.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"

class C_Buffer : public C_Object {
public:
    uint8_t* data;
    uint32_t capacity;
    uint32_t size;

    C_Buffer() { C_Buffer::Reset(); }
    ~C_Buffer() override { C_Buffer::Release(); }
    C_Buffer(const C_Buffer&) = delete;
    C_Buffer& operator=(const C_Buffer&) = delete;

    // Frees the block but leaves the fields as they are; follow with Reset.
    void Release() override;
    void Reset() override;

    // Both return false only when the block cannot be allocated; the buffer is
    // then left as it was.
    bool Allocate(uint32_t newSize, bool keep, bool zero);
    bool Resize(uint32_t newSize, bool keep);
};
