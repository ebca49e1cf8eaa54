#include "softblit/core/array.h"

#include <cstdlib>
#include <cstring>

#include "softblit/core/status.h"

namespace {
constexpr uint32_t kEntryBytes = sizeof(C_Object*);
}

void C_Array::Release() {
    if (items) {
        Mem_Free(items);
        Mem_SubUsage(kEntryBytes * capacity);
    }
}

void C_Array::Reset() {
    items = nullptr;
    capacity = 0;
    count = 0;
}

bool C_Array::Insert(C_Object* item, uint32_t index) {
    if (!items) {
        items = static_cast<C_Object**>(Mem_Alloc(kEntryBytes));
        if (!items) return false;
        Mem_AddUsage(kEntryBytes);
        capacity = 1;
        items[0] = item;
        count += 1;
        return true;
    }
    if (count + 1 > capacity) {
        if (capacity > 0x7FFFFFFFu / kEntryBytes) return false;
        uint32_t grown = capacity * 2;
        C_Object** block = static_cast<C_Object**>(Mem_Alloc(static_cast<size_t>(kEntryBytes) * grown));
        if (!block) return false;
        Mem_AddUsage(kEntryBytes * grown);
        memcpy(block, items, static_cast<size_t>(kEntryBytes) * count);
        Release();
        capacity = grown;
        items = block;
    }
    if (index > count) index = count;
    if (index < count) memmove(items + index + 1, items + index, static_cast<size_t>(count - index) * kEntryBytes);
    items[index] = item;
    count += 1;
    return true;
}

C_Object* C_Array::RemoveAt(uint32_t index) {
    if (!items || index >= count) return nullptr;
    C_Object* removed = items[index];
    if (count == 1) {
        Release();
        Reset();
        return removed;
    }
    memmove(items + index, items + index + 1, static_cast<size_t>(count - index - 1) * kEntryBytes);
    count -= 1;
    return removed;
}

C_Object* C_Array::SetAt(C_Object* item, uint32_t index) {
    if (!items || index >= count) return nullptr;
    C_Object* old = items[index];
    items[index] = item;
    return old;
}

bool C_Array::SwapWithPrevious(uint32_t index) {
    if (!items || index == 0 || index >= count) return false;
    C_Object* t = items[index - 1];
    items[index - 1] = items[index];
    items[index] = t;
    return true;
}

bool C_Array::SwapWithNext(uint32_t index) {
    if (!items || count == 0 || index >= count - 1) return false;
    C_Object* t = items[index + 1];
    items[index + 1] = items[index];
    items[index] = t;
    return true;
}

C_Object* C_Array::GetAt(uint32_t index) const {
    if (!items || index >= count) return nullptr;
    return items[index];
}

uint32_t C_Array::DeleteAll() {
    for (uint32_t i = 0; items && i < count; ++i) {
        C_Object* item = items[i];
        if (!item) continue;
        item->Release();
        item->Reset();
        delete item;
    }
    return count;
}
