// The blend family (alpha span, alpha row, alpha rotated row): coverage from
// the source alpha plane and the opacity, optional destination alpha.
#include "kernels/kernel_options.h"
#include "kernels/span_sampler.h"

template <int MODE, uint32_t OPT>
static void Run_Blend(S_BlitSpan& s) {
    using O = T_SpanOptions<OPT>;

    const uint32_t srcShift[3] = {s.srcShift[0], s.srcShift[1], s.srcShift[2]};
    const uint32_t dstShift[3] = {s.dstShift[0], s.dstShift[1], s.dstShift[2]};
    const int32_t fillChannel[3] = {s.fillChannel[0], s.fillChannel[1], s.fillChannel[2]};
    const uint32_t key = s.key;
    const uint32_t fill = s.fill;
    const int32_t opacity = O::OPAQUE ? 256 : s.opacity;
    const int32_t count = s.count;
    uint8_t* dst = s.dst;
    uint8_t* dstAlpha = s.dstAlpha;
    T_Sampler<MODE, O::MIRROR> sample(s);

    for (int32_t i = 0; i < count; ++i, sample.Next()) {
        uint32_t word = 0;
        if (!O::FILL || O::KEY) word = sample.Word();
        if (O::KEY && word == key) continue;
        int32_t w = opacity;
        if (O::SRC_ALPHA) {
            const int32_t a = sample.Alpha();
            if (a == 0) continue;
            w = O::OPAQUE ? a : (a * opacity) >> 8;
        }
        if (w == 0) continue;
        int32_t sc[3];
        if (O::FILL) {
            sc[0] = fillChannel[0];
            sc[1] = fillChannel[1];
            sc[2] = fillChannel[2];
        } else {
            Pixel_Channels(srcShift, word, sc);
        }
        Pixel_Blend<O::DST_ALPHA>(dstShift, dst + intptr_t(i) * 4, O::DST_ALPHA ? dstAlpha + i : nullptr,
                               O::FILL ? fill : word, sc, w);
    }
}

static const T_SpanKernel kBlendUnscaled[SPAN_OPTION_COUNT] = {SPAN_KERNELS_OF_MODE(Run_Blend, Options_CanonicalBlend, BLIT_UNSCALED)};
static const T_SpanKernel kBlendScaled[SPAN_OPTION_COUNT] = {SPAN_KERNELS_OF_MODE(Run_Blend, Options_CanonicalBlend, BLIT_SCALED)};
static const T_SpanKernel kBlendRotated[SPAN_OPTION_COUNT] = {SPAN_KERNELS_OF_MODE(Run_Blend, Options_CanonicalBlend, BLIT_ROTATED)};

namespace {
constexpr uint32_t kCoverageOptions = SPAN_FILL | SPAN_SRC_ALPHA | SPAN_OPAQUE;
void Span_FillCoverageOrBlend(S_BlitSpan& s) { Span_FillCoverage(s, kBlendUnscaled[kCoverageOptions]); }
}  // namespace

T_SpanKernel Kernel_Blend(E_BlitMode mode, uint32_t options) {
    options &= SPAN_OPTION_COUNT - 1;
    if (mode == BLIT_UNSCALED && options == kCoverageOptions) return Span_FillCoverageOrBlend;
    if (mode == BLIT_UNSCALED) return kBlendUnscaled[options];
    if (mode == BLIT_SCALED) return kBlendScaled[options];
    return kBlendRotated[options];
}
