#include "softblit/core/buffer.h"

#include <cstdlib>
#include <cstring>

#include "softblit/core/status.h"

void C_Buffer::Release() {
    if (data) {
        Mem_Free(data);
        Mem_SubUsage(capacity);
    }
}

void C_Buffer::Reset() {
    data = nullptr;
    capacity = 0;
    size = 0;
}

bool C_Buffer::Allocate(uint32_t newSize, bool keep, bool zero) {
    uint8_t* block = static_cast<uint8_t*>(Mem_Alloc(newSize ? newSize : 1));
    if (!block) return false;
    if (keep) {
        if (data) {
            memcpy(block, data, size < newSize ? size : newSize);
            Release();
        }
    } else {
        Release();
        if (zero) memset(block, 0, newSize);
    }
    data = block;
    capacity = newSize;
    size = newSize;
    Mem_AddUsage(newSize);
    return true;
}

bool C_Buffer::Resize(uint32_t newSize, bool keep) {
    if (newSize > capacity) {
        uint8_t* block = static_cast<uint8_t*>(Mem_Alloc(newSize));
        if (!block) return false;
        if (keep) {
            memset(block, 0, newSize);
            if (data) memcpy(block, data, size);
        }
        Release();
        data = block;
        capacity = newSize;
        Mem_AddUsage(newSize);
    }
    size = newSize;
    return true;
}
