// The effects family (effects span, effects row, effects rotated row): nearest
// or bilinear samples, contrast, brightness and clamping (one table look-up,
// prepared by set-up), then the blend.
#include "kernels/kernel_options.h"
#include "kernels/span_sampler.h"

// Neighbouring cells of a bilinear sample. Outside 0 .. n - 2 both wrap
// around the whole image, so the right neighbour of the last column is 0.
static inline void Cell_Wrap(int32_t c, int32_t n, int32_t& c0, int32_t& c1) {
    if (c >= 0 && c + 1 < n) {
        c0 = c;
        c1 = c + 1;
        return;
    }
    c0 = c % n;
    if (c0 < 0) c0 += n;
    c1 = c0 + 1 == n ? 0 : c0 + 1;
}

static inline int32_t Lerp16(int32_t a, int32_t b, int32_t f) { return a + (((b - a) * f) >> 16); }

static inline int32_t Bilinear(int32_t p00, int32_t p10, int32_t p01, int32_t p11, int32_t fx, int32_t fy) {
    const int32_t top = Lerp16(p00, p10, fx);
    const int32_t bottom = Lerp16(p01, p11, fx);
    return Lerp16(top, bottom, fy);
}

// The four cells around (u, v); the key is tested at the first of them.
struct S_Quad {
    intptr_t row0, row1;  // byte offsets of the two rows' cells in the colour plane
    intptr_t arow0, arow1;
    int32_t c0, c1;
    int32_t fx, fy;
};

// Image size and pitches copied out of the span record once per row.
struct S_QuadFrame {
    int32_t width, height;
    intptr_t pitch, alphaPitch;
};

static inline void Quad_Locate(const S_QuadFrame& f, int32_t u, int32_t v, S_Quad& q) {
    int32_t r0, r1;
    Cell_Wrap(u >> 16, f.width, q.c0, q.c1);
    Cell_Wrap(v >> 16, f.height, r0, r1);
    q.fx = u & 0xFFFF;
    q.fy = v & 0xFFFF;
    q.row0 = intptr_t(r0) * f.pitch;
    q.row1 = intptr_t(r1) * f.pitch;
    q.arow0 = intptr_t(r0) * f.alphaPitch;
    q.arow1 = intptr_t(r1) * f.alphaPitch;
}

template <int MODE, uint32_t OPT>
static void Run_Effects(S_BlitSpan& s) {
    using O = T_SpanOptions<OPT>;

    const uint32_t srcShift[3] = {s.srcShift[0], s.srcShift[1], s.srcShift[2]};
    const uint32_t dstShift[3] = {s.dstShift[0], s.dstShift[1], s.dstShift[2]};
    const int32_t fillChannel[3] = {s.fillChannel[0], s.fillChannel[1], s.fillChannel[2]};
    const uint32_t key = s.key;
    const int32_t opacity = O::OPAQUE ? 256 : s.opacity;
    const int32_t count = s.count;
    const uint8_t* origin = s.srcOrigin;
    const uint8_t* alphaOrigin = s.srcAlphaOrigin;
    uint8_t* dst = s.dst;
    uint8_t* dstAlpha = s.dstAlpha;
    int32_t u = s.u, v = s.v;
    const int32_t du = s.du, dv = s.dv;
    const S_QuadFrame frame = {s.srcWidth, s.srcHeight, s.srcPitch, s.srcAlphaPitch};
    T_Sampler<MODE, O::MIRROR> sample(s);

    for (int32_t i = 0; i < count; ++i, O::BILINEAR ? (void)(u += du, v += dv) : sample.Next()) {
        int32_t sc[3];
        int32_t a = 255;
        if (O::BILINEAR) {
            S_Quad q;
            Quad_Locate(frame, u, v, q);
            if (!O::FILL || O::KEY) {
                const uint32_t p00 = Pixel_Load(origin + q.row0 + intptr_t(q.c0) * 4);
                if (O::KEY && p00 == key) continue;
                if (!O::FILL) {
                    const uint32_t p10 = Pixel_Load(origin + q.row0 + intptr_t(q.c1) * 4);
                    const uint32_t p01 = Pixel_Load(origin + q.row1 + intptr_t(q.c0) * 4);
                    const uint32_t p11 = Pixel_Load(origin + q.row1 + intptr_t(q.c1) * 4);
                    for (int ch = 0; ch < 3; ++ch) {
                        const uint32_t sh = srcShift[ch];
                        sc[ch] = Bilinear(int32_t((p00 >> sh) & 255), int32_t((p10 >> sh) & 255),
                                          int32_t((p01 >> sh) & 255), int32_t((p11 >> sh) & 255), q.fx, q.fy);
                    }
                }
            }
            if (O::SRC_ALPHA) {
                a = Bilinear(alphaOrigin[q.arow0 + q.c0], alphaOrigin[q.arow0 + q.c1], alphaOrigin[q.arow1 + q.c0],
                             alphaOrigin[q.arow1 + q.c1], q.fx, q.fy);
            }
        } else {
            if (!O::FILL || O::KEY) {
                const uint32_t word = sample.Word();
                if (O::KEY && word == key) continue;
                if (!O::FILL) Pixel_Channels(srcShift, word, sc);
            }
            if (O::SRC_ALPHA) a = sample.Alpha();
        }
        const int32_t w = O::SRC_ALPHA ? (O::OPAQUE ? a : (opacity * a) >> 8) : opacity;
        if (w == 0) continue;

        if (O::FILL) {
            sc[0] = fillChannel[0];
            sc[1] = fillChannel[1];
            sc[2] = fillChannel[2];
        } else {
            // Samples are 0..255: nearest ones are masked bytes, bilinear ones
            // lie between their four neighbours.
            for (int ch = 0; ch < 3; ++ch) sc[ch] = s.tone[ch][sc[ch]];
        }
        Pixel_Blend<O::DST_ALPHA>(dstShift, dst + intptr_t(i) * 4, O::DST_ALPHA ? dstAlpha + i : nullptr,
                               Pixel_Pack(dstShift, sc), sc, w);
    }
}

static const T_SpanKernel kEffectsUnscaled[SPAN_OPTION_COUNT] = {
    SPAN_KERNELS_OF_MODE(Run_Effects, Options_Canonical, BLIT_UNSCALED)};
static const T_SpanKernel kEffectsScaled[SPAN_OPTION_COUNT] = {
    SPAN_KERNELS_OF_MODE(Run_Effects, Options_Canonical, BLIT_SCALED)};
static const T_SpanKernel kEffectsRotated[SPAN_OPTION_COUNT] = {
    SPAN_KERNELS_OF_MODE(Run_Effects, Options_Canonical, BLIT_ROTATED)};

T_SpanKernel Kernel_Effects(E_BlitMode mode, uint32_t options) {
    options &= SPAN_OPTION_COUNT - 1;
    if (mode == BLIT_UNSCALED) return kEffectsUnscaled[options];
    if (mode == BLIT_SCALED) return kEffectsScaled[options];
    return kEffectsRotated[options];
}
