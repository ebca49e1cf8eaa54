#include <cmath>

#include "plane_target.h"
#include "softblit/surface/primitives.h"

namespace {
// Far enough outside every frame that clamping a coordinate to it changes no
// pixel, near enough that the arithmetic below cannot overflow.
constexpr double kFar = 1099511627776.0;  // 2^40

int64_t TruncFar(double v) { return static_cast<int64_t>(v < -kFar ? -kFar : (v > kFar ? kFar : v)); }

template <uint32_t N>
struct S_Column {
    static void Run(const S_PlaneTarget& t, int64_t x, int64_t y0, int64_t y1) {
        for (int64_t y = y0; y <= y1; ++y) Prim_Put<N>(t, x, y);
    }
};
}  // namespace

bool Gfx_Surface_Blit(C_Surface* destination, const C_Rect* rect, const C_Color* colour,
                      const C_Frame* clip, uint8_t filled, uint32_t /*spare1*/, uint32_t /*spare2*/) {
    S_PlaneTarget t;
    if (rect == nullptr || !Prim_OpenTarget(destination, colour, clip, t)) return false;
    if (!std::isfinite(rect->left) || !std::isfinite(rect->top) || !std::isfinite(rect->right) ||
        !std::isfinite(rect->bottom) || t.Empty())
        return true;

    // Columns x0..x1 and rows y0..y1, both inclusive.
    const int64_t x0 = TruncFar(std::fmin(rect->left, rect->right));
    const int64_t x1 = TruncFar(std::fmax(rect->left, rect->right));
    const int64_t y0 = TruncFar(std::fmin(rect->top, rect->bottom));
    const int64_t y1 = TruncFar(std::fmax(rect->top, rect->bottom));
    const int64_t cx0 = x0 > t.left ? x0 : t.left, cx1 = x1 < t.right - 1 ? x1 : t.right - 1;
    const int64_t cy0 = y0 > t.top ? y0 : t.top, cy1 = y1 < t.bottom - 1 ? y1 : t.bottom - 1;
    if (cx0 > cx1 || cy0 > cy1) return true;

    if (filled != 0) {
        Prim_FillBlock(t, static_cast<int32_t>(cy0), static_cast<int32_t>(cy1), static_cast<int32_t>(cx0),
                       static_cast<int32_t>(cx1));
        return true;
    }
    // Each edge only when its own line lies inside the frame.
    if (y0 >= t.top && y0 < t.bottom)
        Prim_FillSpan(t, static_cast<int32_t>(y0), static_cast<int32_t>(cx0), static_cast<int32_t>(cx1));
    if (y1 >= t.top && y1 < t.bottom)
        Prim_FillSpan(t, static_cast<int32_t>(y1), static_cast<int32_t>(cx0), static_cast<int32_t>(cx1));
    if (x0 >= t.left && x0 < t.right) Prim_ByDepth<S_Column>(t, x0, cy0, cy1);
    if (x1 >= t.left && x1 < t.right) Prim_ByDepth<S_Column>(t, x1, cy0, cy1);
    return true;
}
