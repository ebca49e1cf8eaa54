// Root of every storable class: a fixed set of virtual operations and a
// 16-bit class-type tag in front of each stored record.
#pragma once

#include <cstdint>

struct C_Stream;

enum : uint16_t {
    CLASS_COLOR = 1,
    CLASS_FONT_TYPE = 2,
    CLASS_BITMAP_GLYPH = 3,
    CLASS_OBJECT = 4,
    CLASS_BITMAP_FACE = 4,
    CLASS_FONT = 5,
    CLASS_ARRAY = 5,
    CLASS_IMAGE = 6,
    CLASS_FRAME = 7,
    CLASS_CIRCLE = 8,
    CLASS_RECT = 9,
    CLASS_BOX = 10,
    CLASS_STRING = 11,
    CLASS_SURFACE = 13,
    CLASS_VECTOR2D = 15,
    CLASS_VECTOR3D = 16,
    CLASS_VECTOR4D = 17,
    CLASS_WINDOW = 18,
};

class C_Object {
public:
    C_Object() = default;
    C_Object(const C_Object&) = default;
    C_Object& operator=(const C_Object&) = default;
    virtual ~C_Object() = default;

    virtual void Release() {}
    virtual void Reset() {}
    virtual uint32_t Create() { return 0; }
    virtual void Destroy() {}
    virtual bool LoadFromStream(C_Stream* stream, uint32_t flags);
    virtual bool SaveToStream(C_Stream* stream, uint32_t flags);
    // Open the file, run LoadFromStream / SaveToStream(stream, 0) on it and
    // return its result; false (error 11 or 12) when the file cannot be opened.
    virtual bool LoadFromFile(const char* fileName, uint32_t flags);
    virtual bool SaveToFile(const char* fileName, uint32_t flags);
    virtual uint32_t GetClassType() { return CLASS_OBJECT; }
};
