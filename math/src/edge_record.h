// The record shared by C_Frame and C_Rect: tag; left, top, right, bottom at
// the shape's component width; byte1, byte2.
#pragma once

#include "softblit/core/record.h"

template <class Shape, class Component>
void EdgeShape_FromArray(Shape& shape, const Component* coords) {
    if (!coords) return;
    shape.left = coords[0];
    shape.top = coords[1];
    shape.right = coords[2];
    shape.bottom = coords[3];
}

// Reads into a copy and assigns only a whole record, so a short or mistagged
// one leaves the shape unchanged.
template <class Shape>
bool EdgeShape_Load(Shape& shape, C_Stream* stream, uint16_t classType, const char* className) {
    if (!Record_ReadTag(stream, classType, className)) return false;
    Shape in;
    if (!Record_Read(stream, in.left) || !Record_Read(stream, in.top) || !Record_Read(stream, in.right) ||
        !Record_Read(stream, in.bottom) || !Record_Read(stream, in.byte1) || !Record_Read(stream, in.byte2))
        return Record_Truncated(className);
    shape = in;
    return true;
}

template <class Shape>
bool EdgeShape_Save(const Shape& shape, C_Stream* stream, uint16_t classType) {
    if (!stream) return false;
    Record_WriteTag(stream, classType);
    Record_Write(stream, shape.left);
    Record_Write(stream, shape.top);
    Record_Write(stream, shape.right);
    Record_Write(stream, shape.bottom);
    Record_Write(stream, shape.byte1);
    Record_Write(stream, shape.byte2);
    return true;
}
