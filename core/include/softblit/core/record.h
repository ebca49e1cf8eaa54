// Helpers for the tagged little-endian records that every storable class
// reads and writes: a 16-bit class tag, then plain fields at natural widths.
#pragma once

#include <cstdint>
#include <type_traits>

#include "softblit/core/stream.h"

static_assert(sizeof(float) == 4, "records store 32-bit floats");

// Reads a plain field. True only when all of its bytes arrived; otherwise the
// destination is left untouched.
template <class T>
inline bool Record_Read(C_Stream* stream, T& value) {
    static_assert(std::is_trivially_copyable<T>::value, "plain fields only");
    T tmp;
    if (Stream_Read(&tmp, 1, sizeof(T), stream) != sizeof(T)) return false;
    value = tmp;
    return true;
}

template <class T>
inline void Record_Write(C_Stream* stream, const T& value) {
    static_assert(std::is_trivially_copyable<T>::value, "plain fields only");
    Stream_Write(&value, 1, sizeof(T), stream);
}

// Reads the tag and compares it with `classType`; on a mismatch (or no tag)
// reports "<className>::LoadFromStream{class_type}" and the fatal record.
bool Record_ReadTag(C_Stream* stream, uint16_t classType, const char* className);
inline void Record_WriteTag(C_Stream* stream, uint16_t classType) { Record_Write(stream, classType); }

// A record that ended early: "<className>::LoadFromStream{stream}" (error 10)
// and the fatal record. Returns false.
bool Record_Truncated(const char* className);
// A member object failed to load or save: the fatal record of the owner.
// Returns false.
bool Record_MemberFailed(const char* className, bool loading);
