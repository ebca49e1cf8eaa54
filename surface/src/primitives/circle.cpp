// Midpoint circle. The walk over the first octant is x = 1, 2, ... with
//   d = (x + 1)^2 + y^2 - y - r^2 before each step, y dropping by one when d >= 0,
// and in every state but the last y is the largest y with x^2 + y^2 - y < r^2.
// That closed form lets the walk start anywhere, so only the steps whose
// points can fall inside the frame are taken, and the filled form reads each
// row's half-width directly: huge circles cost what they show. Filled circles
// of moderate radius take every half-width from one walk instead.
#include <cmath>

#include "kernels/simd/simd_kernels.h"
#include "plane_target.h"
#include "softblit/core/buffer.h"
#include "softblit/surface/blit_kernel.h"
#include "softblit/surface/primitives.h"

namespace {
// Centres and radii up to this (pixels) are walked exactly: squares of such
// values fit the 128-bit arithmetic below, and sums of two stay in 64 bits.
constexpr double kExact = 2305843009213693952.0;  // 2^61

__extension__ typedef __int128 T_Wide;

// floor(sqrt(n)) for n >= 0: a double estimate, then integer Newton steps,
// which from any start stay at or above the root and descend onto it.
int64_t Isqrt(T_Wide n) {
    if (n <= 0) return 0;
    T_Wide x = static_cast<T_Wide>(std::sqrt(static_cast<double>(n))) + 1;
    x = (x + n / x) / 2;
    while (x * x > n) x = (x + n / x) / 2;
    return static_cast<int64_t>(x);
}

struct S_Octant {
    int64_t r;
    int64_t last;  // x of the final step (after it x >= y)

    // Largest y >= 0 with x^2 + y^2 - y < r^2 (-1 when there is none): with
    // integers, (2y - 1)^2 <= 4 (r^2 - x^2) - 3.
    int64_t Y(int64_t x) const {
        const T_Wide lim = T_Wide(r) * r - T_Wide(x) * x;
        if (lim <= 0) return -1;
        int64_t y = (Isqrt(4 * lim - 3) + 1) / 2;
        while (y > 0 && T_Wide(y) * y - y >= lim) --y;
        while (T_Wide(y + 1) * (y + 1) - (y + 1) < lim) ++y;
        return y;
    }
    // y after step x (1 <= x <= last): the last step may stop one above Y.
    int64_t StepY(int64_t x) const {
        const int64_t y = Y(x), before = Y(x - 1) - 1;
        return y > before ? y : before;
    }
    explicit S_Octant(int64_t radius) : r(radius), last(radius) {
        // The first x whose step ends the walk (x >= y afterwards).
        int64_t lo = 1, hi = radius;
        while (lo < hi) {
            const int64_t mid = lo + (hi - lo) / 2;
            if (mid >= StepY(mid)) hi = mid; else lo = mid + 1;
        }
        last = lo;
    }
};

struct S_Range {
    int64_t lo, hi;
};

template <uint32_t N>
struct S_Outline {
    static void Plot8(const S_PlaneTarget& t, int64_t cx, int64_t cy, int64_t x, int64_t y) {
        Prim_PutClipped<N>(t, cx + x, cy + y);
        Prim_PutClipped<N>(t, cx - x, cy + y);
        Prim_PutClipped<N>(t, cx + x, cy - y);
        Prim_PutClipped<N>(t, cx - x, cy - y);
        Prim_PutClipped<N>(t, cx + y, cy + x);
        Prim_PutClipped<N>(t, cx - y, cy + x);
        Prim_PutClipped<N>(t, cx + y, cy - x);
        Prim_PutClipped<N>(t, cx - y, cy - x);
    }
    // The steps lo..hi of the walk, resumed from the state after step lo - 1.
    static void Run(const S_PlaneTarget& t, const S_Octant& o, int64_t cx, int64_t cy, S_Range steps) {
        int64_t x = steps.lo - 1, y = o.Y(x);
        T_Wide d = T_Wide(x + 1) * (x + 1) + T_Wide(y) * y - y - T_Wide(o.r) * o.r;
        int64_t ddx = 2 * x, ddy = -2 * y;
        while (x < steps.hi) {
            if (d >= 0) {
                --y;
                ddy += 2;
                d += ddy;
            }
            ++x;
            ddx += 2;
            d += ddx + 1;
            Plot8(t, cx, cy, x, y);
        }
    }
};

template <uint32_t N>
struct S_AxisPoints {
    static void Run(const S_PlaneTarget& t, int64_t cx, int64_t cy, int64_t r) {
        Prim_PutClipped<N>(t, cx, cy + r);
        Prim_PutClipped<N>(t, cx, cy - r);
        Prim_PutClipped<N>(t, cx + r, cy);
        Prim_PutClipped<N>(t, cx - r, cy);
    }
};

// Steps whose points can land in the frame: one of each point's coordinates
// is cx +- x or cy +- x, so x must bring one of them inside.
int Visible(const S_PlaneTarget& t, const S_Octant& o, int64_t cx, int64_t cy, S_Range* out) {
    S_Range c[4] = {{t.left - cx, t.right - 1 - cx}, {cx - (t.right - 1), cx - t.left},
                    {t.top - cy, t.bottom - 1 - cy}, {cy - (t.bottom - 1), cy - t.top}};
    int n = 0;
    for (S_Range& s : c) {
        if (s.lo < 1) s.lo = 1;
        if (s.hi > o.last) s.hi = o.last;
        if (s.lo <= s.hi) c[n++] = s;
    }
    for (int i = 1; i < n; ++i)  // sort by start, then merge overlaps
        for (int j = i; j > 0 && c[j].lo < c[j - 1].lo; --j) {
            const S_Range s = c[j];
            c[j] = c[j - 1];
            c[j - 1] = s;
        }
    int m = 0;
    for (int i = 0; i < n; ++i) {
        if (m > 0 && c[i].lo <= out[m - 1].hi + 1) {
            if (c[i].hi > out[m - 1].hi) out[m - 1].hi = c[i].hi;
        } else {
            out[m++] = c[i];
        }
    }
    return m;
}

// Largest |column - cx| among the circle's points on the row cy +- dy
// (0 <= dy <= r), or -1 when the row has none.
int64_t HalfWidth(const S_Octant& o, int64_t dy) {
    if (dy == 0) return o.r;  // the axis points (cx +- r, cy)
    int64_t best = dy == o.r ? 0 : -1;  // the axis points (cx, cy +- r)
    if (dy <= o.last) {  // points (cx +- y, cy +- x) with x = dy
        const int64_t y = o.StepY(dy);
        if (y > best) best = y;
    }
    // Points (cx +- x, cy +- y) with y = dy: the largest step x whose y is still dy.
    int64_t lo = 1, hi = o.last;
    if (o.StepY(1) < dy) return best;
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo + 1) / 2;
        if (o.StepY(mid) >= dy) lo = mid; else hi = mid - 1;
    }
    if (o.StepY(lo) == dy && lo > best) best = lo;
    return best;
}

int32_t Column(const S_PlaneTarget& t, int64_t x) {
    // Columns outside the frame only matter as "left of it" or "right of it".
    return static_cast<int32_t>(x < t.left - 1 ? t.left - 1 : (x > t.right ? t.right : x));
}

// Half-widths of rows cy +- dy for dy = 0 .. r (-1: no point on that row),
// from one midpoint walk: each step (x, y) reaches x on row y and y on row x.
bool Walk_HalfWidths(int64_t r, C_Buffer& buffer) {
    if (!buffer.Resize(static_cast<uint32_t>(r + 1) * 4, false)) return false;
    int32_t* hw = reinterpret_cast<int32_t*>(buffer.data);
    for (int64_t i = 0; i <= r; ++i) hw[i] = -1;
    hw[0] = static_cast<int32_t>(r);
    if (hw[r] < 0) hw[r] = 0;
    int64_t x = 0, y = r, d = 1 - r, ddx = 0, ddy = -2 * r;
    while (x < y) {
        if (d >= 0) {
            --y;
            ddy += 2;
            d += ddy;
        }
        ++x;
        ddx += 2;
        d += ddx + 1;
        if (x > hw[y]) hw[y] = static_cast<int32_t>(x);
        if (y > hw[x]) hw[x] = static_cast<int32_t>(y);
    }
    return true;
}

// Radii whose walk costs at most a few steps per visible row take the walk;
// larger ones find each visible row's half-width on its own.
constexpr int64_t kWalkLimit = 1 << 20;

bool Fill(const S_PlaneTarget& t, int64_t cx, int64_t cy, int64_t r) {
    const C_Frame frame(t.left, t.top, t.right, t.bottom);
    C_Blit_Kernel& engine = Gfx_BlitKernel;
    if (!engine.BeginEdges(frame)) return false;
    const int64_t y0 = cy - r > t.top ? cy - r : t.top;
    const int64_t y1 = cy + r < t.bottom - 1 ? cy + r : t.bottom - 1;
    static C_Buffer walked;
    const bool walk = r < kWalkLimit && r <= 4 * (y1 - y0 + 1) + 64 && Walk_HalfWidths(r, walked);
    const int32_t* table = walk ? reinterpret_cast<const int32_t*>(walked.data) : nullptr;
    const S_Octant o(walk || r < 1 ? 1 : r);
    // Each row's two marks, already limited to the frame as ClampEdges would.
    int32_t* left = engine.Leftmost();
    int32_t* right = engine.Rightmost();
    for (int64_t y = y0; y <= y1; ++y) {
        const int64_t dy = y < cy ? cy - y : y - cy;
        const int64_t hw = r == 0 ? 0 : walk ? table[dy] : HalfWidth(o, dy);
        if (hw < 0) continue;
        const int32_t l = Column(t, cx - hw), rr = Column(t, cx + hw);
        left[y] = l < t.left ? t.left : l > t.right - 1 ? t.right : l;
        right[y] = rr < t.left ? t.left - 1 : rr > t.right - 1 ? t.right - 1 : rr;
        if (y < engine.edgeFirstRow) engine.edgeFirstRow = static_cast<int32_t>(y);
        if (y > engine.edgeLastRow) engine.edgeLastRow = static_cast<int32_t>(y);
    }
    if (t.bytesPerPixel == 4) {
        const T_Fill32 fill = Simd_Fill32For();
        for (int32_t y = engine.edgeFirstRow; y <= engine.edgeLastRow; ++y)
            if (left[y] <= right[y]) fill(t.Row(y) + intptr_t(left[y]) * 4, size_t(right[y] - left[y] + 1), t.colour);
        return true;
    }
    for (int32_t y = engine.edgeFirstRow; y <= engine.edgeLastRow; ++y)
        if (left[y] <= right[y]) Prim_FillSpan(t, y, left[y], right[y]);
    return true;
}
// Circles past the exact range. Inside a frame of at most 2^31 pixels their
// edge is all but straight; where it crosses each row (and, for the outline,
// each column) is found in double precision.
struct S_Far {
    double cx, cy, r;
    // Half the chord at distance d from the centre, or -1 past the circle.
    double Half(double d) const {
        const double h2 = r * r - d * d;
        return h2 >= 0.0 ? std::sqrt(h2) : -1.0;
    }
};

// A double column or row limited to lo - 1 .. hi + 1 before it becomes an integer.
int64_t Limited(double v, int64_t lo, int64_t hi) {
    return v < double(lo - 1) ? lo - 1 : v > double(hi + 1) ? hi + 1 : static_cast<int64_t>(v);
}

// The outline's crossing of a row is taken where the edge is steep there
// (half-chord at least the row's distance), of a column where it is flat,
// as the octants of the exact walk split them.
template <uint32_t N>
struct S_FarOutline {
    static void Run(const S_PlaneTarget& t, const S_Far& c) {
        for (int64_t y = t.top; y < t.bottom; ++y) {
            const double d = double(y) - c.cy, h = c.Half(d);
            if (h < std::fabs(d)) continue;
            Prim_PutClipped<N>(t, Limited(std::floor(c.cx - h + 0.5), t.left, t.right), y);
            Prim_PutClipped<N>(t, Limited(std::floor(c.cx + h + 0.5), t.left, t.right), y);
        }
        for (int64_t x = t.left; x < t.right; ++x) {
            const double d = double(x) - c.cx, h = c.Half(d);
            if (h < std::fabs(d)) continue;
            Prim_PutClipped<N>(t, x, Limited(std::floor(c.cy - h + 0.5), t.top, t.bottom));
            Prim_PutClipped<N>(t, x, Limited(std::floor(c.cy + h + 0.5), t.top, t.bottom));
        }
    }
};

void FarFill(const S_PlaneTarget& t, const S_Far& c) {
    for (int64_t y = t.top; y < t.bottom; ++y) {
        const double h = c.Half(double(y) - c.cy);
        if (h < 0.0) continue;
        const int64_t lo = Limited(std::ceil(c.cx - h), t.left, t.right);
        const int64_t hi = Limited(std::floor(c.cx + h), t.left, t.right);
        const int64_t from = lo < t.left ? t.left : lo, to = hi >= t.right ? t.right - 1 : hi;
        if (from <= to) Prim_FillSpan(t, static_cast<int32_t>(y), static_cast<int32_t>(from), static_cast<int32_t>(to));
    }
}
}  // namespace

bool Gfx_Surface_Blit(C_Surface* destination, const C_Circle* circle, const C_Color* colour,
                      const C_Frame* clip, uint8_t filled, uint32_t /*spare1*/, uint32_t /*spare2*/) {
    S_PlaneTarget t;
    if (circle == nullptr || !Prim_OpenTarget(destination, colour, clip, t)) return false;
    const double fx = circle->centre.x, fy = circle->centre.y, fr = circle->radius;
    if (!(std::isfinite(fx) && std::isfinite(fy) && std::isfinite(fr) && fr >= 0.0) || t.Empty())
        return true;  // non-finite, or a negative radius
    if (!(std::fabs(fx) <= kExact && std::fabs(fy) <= kExact && fr <= kExact)) {
        const S_Far far = {std::trunc(fx), std::trunc(fy), std::trunc(fr)};
        if (filled != 0) FarFill(t, far);
        else Prim_ByDepth<S_FarOutline>(t, far);
        return true;
    }
    const int64_t cx = static_cast<int64_t>(fx), cy = static_cast<int64_t>(fy);
    const int64_t r = static_cast<int64_t>(fr);

    if (filled != 0) return Fill(t, cx, cy, r);

    Prim_ByDepth<S_AxisPoints>(t, cx, cy, r);
    if (r < 1) return true;
    const S_Octant o(r);
    S_Range steps[4];
    const int n = Visible(t, o, cx, cy, steps);
    for (int i = 0; i < n; ++i) Prim_ByDepth<S_Outline>(t, o, cx, cy, steps[i]);
    return true;
}
