// Scalar helpers. Each family has one member per type: the six integer types
// (u8, i8, u16, i16, u32, i32) and float/double; the comment of each family
// says which members exist (a call with another type does not compile).
// Float members compute in double precision and round the result once.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace math_detail {

template <class T>
constexpr bool kIsInt = std::is_same<T, uint8_t>::value || std::is_same<T, int8_t>::value ||
                        std::is_same<T, uint16_t>::value || std::is_same<T, int16_t>::value ||
                        std::is_same<T, uint32_t>::value || std::is_same<T, int32_t>::value;
template <class T>
constexpr bool kIsSignedInt = kIsInt<T> && std::is_signed<T>::value;
template <class T>
constexpr bool kIsFloat = std::is_same<T, float>::value || std::is_same<T, double>::value;
template <class T>
constexpr bool kIsAny = kIsInt<T> || kIsFloat<T>;

}  // namespace math_detail

// |a|; unsigned members return a. The most negative value of a signed type has
// no positive counterpart: it saturates to the largest value
// (Math_Abs(INT32_MIN) == INT32_MAX).
template <class T>
constexpr T Math_Abs(T a) {
    static_assert(math_detail::kIsAny<T>, "Math_Abs: every integer type and float/double");
    if constexpr (math_detail::kIsFloat<T> || math_detail::kIsSignedInt<T>) {
        if (a >= 0) return a;
        if constexpr (math_detail::kIsSignedInt<T>)
            if (a == std::numeric_limits<T>::min()) return std::numeric_limits<T>::max();
        return static_cast<T>(-a);
    } else {
        return a;
    }
}

// a / b, 0 when b is 0; integers truncate toward 0. The one quotient that does
// not fit, MIN / -1, saturates to MAX. Members: u8, u16, signed integers, floats.
template <class T>
constexpr T Math_Div(T a, T b) {
    static_assert(std::is_same<T, uint8_t>::value || std::is_same<T, uint16_t>::value ||
                      math_detail::kIsSignedInt<T> || math_detail::kIsFloat<T>,
                  "Math_Div: u8, u16, signed integers, float/double");
    if (b == 0) return 0;
    if constexpr (math_detail::kIsSignedInt<T>)
        if (b == -1) return a == std::numeric_limits<T>::min() ? std::numeric_limits<T>::max() : static_cast<T>(-a);
    return static_cast<T>(a / b);
}

// a % b with the sign of a, 0 when b is 0; MIN % -1 is 0.
// Members: u8, u32, signed integers.
template <class T>
constexpr T Math_Mod(T a, T b) {
    static_assert(std::is_same<T, uint8_t>::value || std::is_same<T, uint32_t>::value ||
                      math_detail::kIsSignedInt<T>,
                  "Math_Mod: u8, u32, signed integers");
    if (b == 0) return 0;
    if constexpr (math_detail::kIsSignedInt<T>)
        if (b == -1) return 0;
    return static_cast<T>(a % b);
}

// a truncated toward 0. Floats.
template <class T>
inline T Math_Trunc(T a) {
    static_assert(math_detail::kIsFloat<T>, "Math_Trunc: float/double");
    return std::trunc(a);
}

// 0 when b is 0; a when a < b; otherwise a - trunc(a / b) * b. Floats.
template <class T>
inline T Math_FMod(T a, T b) {
    static_assert(math_detail::kIsFloat<T>, "Math_FMod: float/double");
    if (b == 0) return 0;
    if (a < b) return a;
    const double q = std::trunc(static_cast<double>(a) / b);
    return static_cast<T>(a - q * b);
}

// The value in [0, b) that differs from a by a whole multiple of b (repeating
// textures, scroll offsets, indices). Defined for every input: b <= 0 gives 0
// (there is no such range); floats also give 0 for an infinite or NaN a or b,
// and a negative a so close to a multiple of b that b - remainder would round
// up to b gives 0. INT32_MIN wraps like any other value.
// Members: signed integers, floats.
template <class T>
inline T Math_Wrap(T a, T b) {
    static_assert(math_detail::kIsSignedInt<T> || math_detail::kIsFloat<T>,
                  "Math_Wrap: signed integers, float/double");
    if constexpr (math_detail::kIsSignedInt<T>) {
        if (b <= 0) return 0;
        if (a >= 0) return static_cast<T>(a % b);
        // -(a + 1) cannot overflow, unlike -a.
        return static_cast<T>(b - 1 - (-(a + 1)) % b);
    } else {
        if (!(b > 0) || !std::isfinite(a) || !std::isfinite(b)) return 0;
        double r;
        if (a >= 0) {
            r = a < b ? static_cast<double>(a) : std::fmod(static_cast<double>(a), static_cast<double>(b));
        } else {
            const double m = std::fmod(-static_cast<double>(a), static_cast<double>(b));
            r = m == 0 ? 0.0 : b - m;
        }
        const T out = static_cast<T>(r);
        return out >= b ? T(0) : out;
    }
}

// a folded into [0, b]: a when 0 <= a <= b, fold(a) above, fold(-a) below 0,
// where fold(w) is the remainder r of w / b, or b - r when the quotient is odd.
// Defined for every input: b <= 0 gives 0; INT32_MIN folds its exact magnitude
// 2^31; floats give 0 for an infinite or NaN a or b.
// Members: signed integers, floats.
template <class T>
inline T Math_PingPong(T a, T b) {
    static_assert(math_detail::kIsSignedInt<T> || math_detail::kIsFloat<T>,
                  "Math_PingPong: signed integers, float/double");
    if constexpr (math_detail::kIsSignedInt<T>) {
        if (b <= 0) return 0;
        if (a >= 0 && a <= b) return a;
        // Magnitudes in unsigned arithmetic, where 0 - INT32_MIN is 2^31.
        const uint32_t w = a > b ? static_cast<uint32_t>(a) : 0u - static_cast<uint32_t>(a);
        const uint32_t ub = static_cast<uint32_t>(b);
        const uint32_t q = w / ub;
        const uint32_t r = w - q * ub;
        return static_cast<T>((q & 1u) ? ub - r : r);
    } else {
        if (!(b > 0) || !std::isfinite(a) || !std::isfinite(b)) return 0;
        if (a >= 0 && a <= b) return a;
        const double db = b;
        const double w = a > b ? static_cast<double>(a) : -static_cast<double>(a);
        const double q = std::trunc(w / db);
        double r = w - q * db;
        if (r < 0) r = 0;  // rounding at an exact multiple
        if (r > db) r = db;
        return static_cast<T>(std::fmod(q, 2.0) == 1.0 ? db - r : r);
    }
}

// hi when a > hi; otherwise lo when a is not >= lo (also a NaN); otherwise a.
template <class T>
constexpr T Math_Clamp(T a, T lo, T hi) {
    static_assert(math_detail::kIsAny<T>, "Math_Clamp: every integer type and float/double");
    if (a > hi) return hi;
    if (!(a >= lo)) return lo;
    return a;
}

// lo when a > hi; otherwise hi when a < lo; otherwise a.
template <class T>
constexpr T Math_Cycle(T a, T lo, T hi) {
    static_assert(math_detail::kIsAny<T>, "Math_Cycle: every integer type and float/double");
    if (a > hi) return lo;
    if (a < lo) return hi;
    return a;
}

// With a NaN, Math_Min gives a and Math_Max gives b.
template <class T>
constexpr T Math_Min(T a, T b) {
    static_assert(math_detail::kIsAny<T>, "Math_Min: every integer type and float/double");
    return a >= b ? b : a;
}

template <class T>
constexpr T Math_Max(T a, T b) {
    static_assert(math_detail::kIsAny<T>, "Math_Max: every integer type and float/double");
    return a > b ? a : b;
}

// qsort predicate over elements of type T: -1, 0 or 1. Float values that do not
// compare (NaN) give -1. Use as Math_Sort(items, n, sizeof(float), Math_Compare<float>).
template <class T>
int Math_Compare(const void* pa, const void* pb) {
    static_assert(math_detail::kIsAny<T>, "Math_Compare: every integer type and float/double");
    const T a = *static_cast<const T*>(pa);
    const T b = *static_cast<const T*>(pb);
    if (a > b) return 1;
    if (a == b) return 0;
    return -1;
}

// Sorts in place with the C library's qsort; nothing for a null array or fewer
// than two elements.
void Math_Sort(void* items, uint32_t count, uint32_t elementSize, int (*predicate)(const void*, const void*));

// 1 for n < 2, otherwise the smallest power of two >= n. Above 2^30 no such
// power fits in 32 signed bits: the result is then 0.
int32_t Math_NextPow2(int32_t n);

// (b - a) * t + a. Floats.
template <class T>
inline T Math_Lerp(T a, T b, T t) {
    static_assert(math_detail::kIsFloat<T>, "Math_Lerp: float/double");
    return static_cast<T>((static_cast<double>(b) - a) * t + a);
}

// (3 - 2t) t^2. Floats.
template <class T>
inline T Math_SmoothStep(T t) {
    static_assert(math_detail::kIsFloat<T>, "Math_SmoothStep: float/double");
    const double d = t;
    return static_cast<T>((3.0 - 2.0 * d) * d * d);
}

// 0.5 - 0.5 cos(pi t). Floats.
template <class T>
inline T Math_CosWeight(T t) {
    static_assert(math_detail::kIsFloat<T>, "Math_CosWeight: float/double");
    return static_cast<T>(0.5 - 0.5 * std::cos(3.141592653589793 * t));
}

// (b - a) * weight(t) + a, e.g. Math_Lerp(a, b, t, Math_SmoothStep).
template <class T>
inline T Math_Lerp(T a, T b, T t, T (*weight)(T)) {
    return Math_Lerp(a, b, weight(t));
}

// 1 at 0, else sin(pi x) / (pi x). Floats.
template <class T>
inline T Math_Sinc(T x) {
    static_assert(math_detail::kIsFloat<T>, "Math_Sinc: float/double");
    if (x == 0) return 1;
    const double px = 3.141592653589793 * x;
    return static_cast<T>(std::sin(px) / px);
}

// -1 when x is not >= 0 (also NaN), else 1. Floats.
template <class T>
constexpr T Math_Sign(T x) {
    static_assert(math_detail::kIsFloat<T>, "Math_Sign: float/double");
    return x >= 0 ? T(1) : T(-1);
}

// 0 when x is not >= 0 (also NaN), else 1. Floats.
template <class T>
constexpr T Math_Step(T x) {
    static_assert(math_detail::kIsFloat<T>, "Math_Step: float/double");
    return x >= 0 ? T(1) : T(0);
}

// 1 inside (-0.5, 0.5), else 0. Floats.
template <class T>
constexpr T Math_Box(T x) {
    static_assert(math_detail::kIsFloat<T>, "Math_Box: float/double");
    return (x > T(-0.5) && x < T(0.5)) ? T(1) : T(0);
}

// Closed-form approximation of the error function; infinities give their
// sign. Floats.
template <class T>
inline T Math_Erf(T x) {
    static_assert(math_detail::kIsFloat<T>, "Math_Erf: float/double");
    if (std::isinf(x)) return Math_Sign(x);
    const double x2 = static_cast<double>(x) * x;
    const double k = static_cast<float>(0.1400124 * x2);
    return static_cast<T>(Math_Sign(x) * std::sqrt(1.0 - std::exp(-x2 * (k + 1.2732395447351628) / (k + 1.0))));
}

template <class T>
inline T Math_Erfc(T x) {
    return static_cast<T>(1.0 - Math_Erf(x));
}
