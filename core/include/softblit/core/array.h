// Growable array of object pointers. It does not own its items: only
// DeleteAll deletes them.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"

class C_Array : public C_Object {
public:
    C_Object** items;
    uint32_t capacity;
    uint32_t count;

    C_Array() { C_Array::Reset(); }
    ~C_Array() override { C_Array::Release(); }
    C_Array(const C_Array&) = delete;
    C_Array& operator=(const C_Array&) = delete;

    // Frees the entry array but leaves the fields as they are; follow with Reset.
    void Release() override;
    void Reset() override;
    uint32_t GetClassType() override { return CLASS_ARRAY; }

    // False only when the entry array cannot grow (the item is not stored).
    bool Insert(C_Object* item, uint32_t index);
    C_Object* RemoveAt(uint32_t index);
    C_Object* SetAt(C_Object* item, uint32_t index);
    bool SwapWithPrevious(uint32_t index);
    bool SwapWithNext(uint32_t index);
    C_Object* GetAt(uint32_t index) const;
    uint32_t GetCount() const { return count; }
    uint32_t DeleteAll();
};
