#include "softblit/math/scalar.h"

#include <cstdlib>

void Math_Sort(void* items, uint32_t count, uint32_t elementSize, int (*predicate)(const void*, const void*)) {
    if (!items || count < 2 || elementSize == 0 || !predicate) return;
    qsort(items, count, elementSize, predicate);
}

int32_t Math_NextPow2(int32_t n) {
    if (n < 2) return 1;
    if (n > (1 << 30)) return 0;
    int32_t p = 2;
    while (p < n) p <<= 1;
    return p;
}
