#include "plane_target.h"
#include "softblit/surface/primitives.h"

namespace {
template <uint32_t N>
struct S_DrawPoint {
    static void Run(const S_PlaneTarget& t, int32_t x, int32_t y) { Prim_PutClipped<N>(t, x, y); }
};
}  // namespace

bool Gfx_Surface_Blit(C_Surface* destination, const C_Vector2DI* position, const C_Color* colour,
                      const C_Frame* clip, uint32_t /*spare*/) {
    S_PlaneTarget target;
    if (position == nullptr || !Prim_OpenTarget(destination, colour, clip, target)) return false;
    Prim_ByDepth<S_DrawPoint>(target, position->x, position->y);
    return true;
}
