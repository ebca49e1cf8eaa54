// The kernel choice. The plain family is one row per option set; the blend and
// effects families have one loop per option set, looked up by option bits.
#include "kernels/copy_kernels.h"
#include "kernels/kernel_options.h"

namespace {

struct S_PlainKernelRow {
    uint32_t options;  // SPAN_FILL, SPAN_KEY, SPAN_MIRROR
    T_SpanKernel unscaled;
    T_SpanKernel scaled;
    T_SpanKernel rotated;
};

// Mirroring of the scaled and rotated walks lives in their steps, so only the
// unscaled column tells mirrored rows apart.
const S_PlainKernelRow kPlainKernels[] = {
    // options                             unscaled                scaled            rotated
    {0,                                    Span_Copy,              Row_Nearest,      RotatedRow_Nearest},
    {SPAN_MIRROR,                          Span_CopyBackward,      Row_Nearest,      RotatedRow_Nearest},
    {SPAN_KEY,                             Span_CopyKeyed,         Row_NearestKeyed, RotatedRow_NearestKeyed},
    {SPAN_KEY | SPAN_MIRROR,               Span_CopyKeyedBackward, Row_NearestKeyed, RotatedRow_NearestKeyed},
    {SPAN_FILL,                            Span_Fill,              Row_Fill,         RotatedRow_Fill},
    {SPAN_FILL | SPAN_MIRROR,              Span_Fill,              Row_Fill,         RotatedRow_Fill},
    {SPAN_FILL | SPAN_KEY,                 Span_FillKeyed,         Row_FillKeyed,    RotatedRow_FillKeyed},
    {SPAN_FILL | SPAN_KEY | SPAN_MIRROR,   Span_FillKeyedBackward, Row_FillKeyed,    RotatedRow_FillKeyed},
};

}  // namespace

T_SpanKernel Kernel_Choose(E_BlitMode mode, E_BlitFamily family, uint32_t options) {
    if (family == BLIT_EFFECTS) return Kernel_Effects(mode, options);
    if (family == BLIT_BLEND) return Kernel_Blend(mode, options);
    const uint32_t plain = options & (SPAN_FILL | SPAN_KEY | SPAN_MIRROR);
    for (const S_PlainKernelRow& row : kPlainKernels) {
        if (row.options != plain) continue;
        if (mode == BLIT_UNSCALED) return row.unscaled;
        return mode == BLIT_SCALED ? row.scaled : row.rotated;
    }
    return nullptr;
}
