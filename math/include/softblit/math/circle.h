// A float centre with its own anchor byte, and a radius.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"
#include "softblit/math/vector2d.h"

class C_Circle : public C_Object {
public:
    C_Vector2D centre;
    float radius;

    C_Circle() : centre(), radius(0) {}
    C_Circle(const C_Vector2D& c, float r) : centre(c), radius(r) {}
    C_Circle(const C_Circle&) = default;
    C_Circle& operator=(const C_Circle&) = default;

    // Record: u16 tag 8; the centre's own 11-byte vector record; f32 radius
    // (17 bytes). Any failure leaves the whole circle unchanged; a bad centre
    // record stops the load before the radius is read.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_CIRCLE; }
};
