#include "plane_target.h"
#include "softblit/surface/primitives.h"

namespace {
template <uint32_t N>
struct S_DrawPoint {
    static void Run(const S_PlaneTarget& t, int32_t x, int32_t y) { Prim_PutClipped<N>(t, x, y); }
};

template <uint32_t N>
struct S_DrawPoints {
    static void Run(const S_PlaneTarget& t, const C_Vector2DI* points, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) Prim_PutClipped<N>(t, points[i].x, points[i].y);
    }
};
}  // namespace

bool Gfx_Surface_Blit(C_Surface* destination, const C_Vector2DI* position, const C_Color* colour,
                      const C_Frame* clip, uint32_t /*spare*/) {
    if (position == nullptr) return false;
    const S_PlaneTarget* target = Prim_Target(destination, colour, clip);
    if (target == nullptr) return false;
    Prim_ByDepth<S_DrawPoint>(*target, position->x, position->y);
    return true;
}

bool Gfx_Surface_DrawPoints(C_Surface* destination, const C_Vector2DI* points, uint32_t count, const C_Color* colour,
                            const C_Frame* clip) {
    S_PlaneTarget target;
    if ((points == nullptr && count != 0) || !Prim_OpenTarget(destination, colour, clip, target)) return false;
    if (count != 0) Prim_ByDepth<S_DrawPoints>(target, points, count);
    return true;
}
