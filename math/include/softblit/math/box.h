// Axis-aligned box in three dimensions.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"
#include "softblit/math/vector3d.h"

class C_Box : public C_Object {
public:
    C_Vector3D minimum;  // smallest x, y, z
    C_Vector3D maximum;

    C_Box() = default;
    C_Box(const C_Vector3D& mn, const C_Vector3D& mx) : minimum(mn), maximum(mx) {}
    C_Box(const C_Box&) = default;
    C_Box& operator=(const C_Box&) = default;

    // Strict overlap on all three axes (boxes that only touch do not intersect).
    // On overlap, when `overlap` is given, each axis gets how far `other`
    // reaches into this box: other.max - this.min (positive) when other's centre
    // is not above this one's, else other.min - this.max (negative). Without an
    // overlap `overlap` is not touched.
    bool Intersects(const C_Box& other, C_Vector3D* overlap) const;

    // Record: u16 tag 10; the minimum's then the maximum's 14-byte vector
    // records (30 bytes). Any failure leaves the whole box unchanged.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_BOX; }
};
