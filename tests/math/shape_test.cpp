// The box intersection test.

#include <gtest/gtest.h>

#include "softblit/math/all.h"

namespace {

TEST(MathShapes, BoxIntersection) {
    auto box = [](float x0, float y0, float z0, float x1, float y1, float z1) {
        return C_Box(C_Vector3D(x0, y0, z0), C_Vector3D(x1, y1, z1));
    };
    const C_Vector3D untouched(42, 42, 42);
    struct {
        C_Box a, b;
        bool hit;
        C_Vector3D overlap;
    } const cases[] = {
        {box(0, 0, 0, 2, 2, 2), box(1, 1, 1, 3, 3, 3), true, C_Vector3D(-1, -1, -1)},
        {box(2, 2, 2, 4, 4, 4), box(1, 1, 1, 3, 3, 3), true, C_Vector3D(1, 1, 1)},
        // Faces that only touch, on each axis and from either side.
        {box(0, 0, 0, 1, 1, 1), box(1, 0, 0, 2, 1, 1), false, untouched},
        {box(0, 0, 0, 1, 1, 1), box(0, 1, 0, 1, 2, 1), false, untouched},
        {box(0, 0, 0, 1, 1, 1), box(0, 0, 1, 1, 1, 2), false, untouched},
        {box(0, 0, 0, 1, 1, 1), box(0, 0, -1, 1, 1, 0), false, untouched},
        {box(0, 0, 0, 1, 1, 1), box(0, 0, 5, 1, 1, 6), false, untouched},
        {box(0, 0, 0, 4, 4, 4), box(1, 1, 1, 3, 3, 3), true, C_Vector3D(3, 3, 3)},  // equal centres
        {box(0, 0, 0, 4, 4, 4), box(3, -1, 1, 6, 1, 2), true, C_Vector3D(-1, 1, 2)},
    };
    for (const auto& c : cases) {
        C_Vector3D out = untouched;
        EXPECT_EQ(c.a.Intersects(c.b, &out), c.hit);
        EXPECT_EQ(out, c.overlap) << out.x << " " << out.y << " " << out.z;
        EXPECT_EQ(c.a.Intersects(c.b, nullptr), c.hit);
    }
}

}  // namespace
