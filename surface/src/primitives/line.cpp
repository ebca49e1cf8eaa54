// The 16.16 line walk. Instead of stepping the whole line and testing every
// pixel against the frame, the steps whose pixel lies inside the frame are
// worked out first (both coordinates are linear in the step number), so a
// line costs what it shows, whatever its length.
#include <cmath>

#include "plane_target.h"
#include "softblit/surface/primitives.h"

namespace {
constexpr int64_t kOne = 65536;
constexpr int64_t kHalf = 32768;
// Ends beyond this (pixels) are first cut back along the line: every frame
// lies well inside, and 16.16 values and their sums stay far from overflow.
constexpr double kLimit = 2147483648.0;  // 2^31
// Slopes beyond this only occur on lines of at most one step, whose slope is
// never added.
constexpr double kSlopeLimit = 1099511627776.0;  // 2^40

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0))) --q;
    return q;
}
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// Narrows [kmin, kmax] to the steps k with lo <= a + b * k <= hi.
void Narrow(int64_t a, int64_t b, int64_t lo, int64_t hi, int64_t& kmin, int64_t& kmax) {
    int64_t k0, k1;
    if (b == 0) {
        if (a >= lo && a <= hi) return;
        k0 = 1;
        k1 = 0;
    } else if (b > 0) {
        k0 = CeilDiv(lo - a, b);
        k1 = FloorDiv(hi - a, b);
    } else {
        k0 = CeilDiv(hi - a, b);
        k1 = FloorDiv(lo - a, b);
    }
    if (k0 > kmin) kmin = k0;
    if (k1 < kmax) kmax = k1;
}

// Cuts the segment to the square [-kLimit, kLimit]^2, keeping its direction.
// A cut end lies exactly on the edge that cut it, so a level line keeps its
// row however far away its ends were. False when nothing of it lies inside.
bool CutToLimit(double& x1, double& y1, double& x2, double& y2) {
    if (std::fabs(x1) <= kLimit && std::fabs(y1) <= kLimit && std::fabs(x2) <= kLimit &&
        std::fabs(y2) <= kLimit)
        return true;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 + kLimit, kLimit - x1, y1 + kLimit, kLimit - y1};
    const double edge[4] = {-kLimit, kLimit, -kLimit, kLimit};
    double t0 = 0.0, t1 = 1.0;
    int cut0 = -1, cut1 = -1;  // the edge that moved each end
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0) {
            if (r > t0) t0 = r, cut0 = i;
        } else if (r < t1) {
            t1 = r, cut1 = i;
        }
    }
    if (t0 > t1) return false;
    const double ox = x1, oy = y1;
    auto place = [&](double t, int cut, double& x, double& y) {
        if (cut < 0) return;
        x = cut < 2 ? edge[cut] : ox + t * dx;
        y = cut < 2 ? oy + t * dy : edge[cut];
    };
    place(t0, cut0, x1, y1);
    place(t1, cut1, x2, y2);
    // Rounding can leave an end past its edge, or uncut where the cut point
    // rounds to the end itself (an end 1e19 away beside one 1e36 away): hold
    // both to the square, which moves them by less than the rounding did.
    x1 = std::fmin(std::fmax(x1, -kLimit), kLimit);
    y1 = std::fmin(std::fmax(y1, -kLimit), kLimit);
    x2 = std::fmin(std::fmax(x2, -kLimit), kLimit);
    y2 = std::fmin(std::fmax(y2, -kLimit), kLimit);
    return true;
}

template <uint32_t N>
struct S_Walk {
    // Pixels (x >> 16, y >> 16) for x = ax + bx * k, y = ay + by * k, k in [k0, k1].
    static void Run(const S_PlaneTarget& t, int64_t k0, int64_t k1, int64_t ax, int64_t bx, int64_t ay,
                    int64_t by) {
        int64_t x = ax + bx * k0, y = ay + by * k0;
        for (int64_t k = k0; k <= k1; ++k, x += bx, y += by) Prim_Put<N>(t, x >> 16, y >> 16);
    }
};
}  // namespace

bool Gfx_Surface_Blit(C_Surface* destination, const C_Vector2D* start, const C_Vector2D* end,
                      const C_Color* colour, const C_Frame* clip, uint32_t /*spare1*/,
                      uint32_t /*spare2*/) {
    S_PlaneTarget t;
    if (start == nullptr || end == nullptr || !Prim_OpenTarget(destination, colour, clip, t)) return false;
    double x1 = start->x, y1 = start->y, x2 = end->x, y2 = end->y;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) || t.Empty())
        return true;
    if (!CutToLimit(x1, y1, x2, y2)) return true;

    const int64_t X1 = static_cast<int64_t>(x1 * kOne), Y1 = static_cast<int64_t>(y1 * kOne);
    const int64_t X2 = static_cast<int64_t>(x2 * kOne), Y2 = static_cast<int64_t>(y2 * kOne);
    const int64_t dx = X2 - X1, dy = Y2 - Y1;
    const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) return true;

    // Major axis: one pixel per step from its start + 1/2 while it has not
    // passed its (unshifted) end. Minor axis: start + 1/2, plus the slope.
    const bool steep = ady > adx;
    const int64_t majorStart = steep ? Y1 : X1, majorEnd = steep ? Y2 : X2;
    const int64_t minorStart = steep ? X1 : Y1;
    const int64_t majorStep = (steep ? dy : dx) > 0 ? kOne : -kOne;
    int64_t minorStep;
    if (adx == ady) {
        minorStep = dy > 0 ? kOne : -kOne;
    } else {
        const double minorDiff = steep ? x2 - x1 : y2 - y1;
        const double majorDiff = std::fabs(steep ? y2 - y1 : x2 - x1);
        double slope = minorDiff / majorDiff * 65536.0;
        if (!(slope < kSlopeLimit)) slope = kSlopeLimit;  // also catches NaN
        if (slope < -kSlopeLimit) slope = -kSlopeLimit;
        minorStep = static_cast<int64_t>(slope);
    }
    const int64_t m0 = majorStart + kHalf, n0 = minorStart + kHalf;
    const int64_t span = majorStep > 0 ? majorEnd - m0 : m0 - majorEnd;
    if (span < 0) return true;

    int64_t k0 = 0, k1 = span / kOne;
    const int64_t colLo = t.left * kOne, colHi = t.right * kOne - 1;
    const int64_t rowLo = t.top * kOne, rowHi = t.bottom * kOne - 1;
    Narrow(m0, majorStep, steep ? rowLo : colLo, steep ? rowHi : colHi, k0, k1);
    Narrow(n0, minorStep, steep ? colLo : rowLo, steep ? colHi : rowHi, k0, k1);
    if (k0 > k1) return true;

    const int64_t ax = steep ? n0 : m0, bx = steep ? minorStep : majorStep;
    const int64_t ay = steep ? m0 : n0, by = steep ? majorStep : minorStep;
    Prim_ByDepth<S_Walk>(t, k0, k1, ax, bx, ay, by);
    return true;
}
