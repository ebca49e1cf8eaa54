// The plain kernels: copies, keyed copies, fills and keyed fills for the three
// walking modes. Loads, a compare and stores; no per-pixel arithmetic beyond
// finding the source cell.
#include <cstring>

#include "kernels/copy_kernels.h"
#include "kernels/span_sampler.h"

void Span_Copy(S_BlitSpan& s) {
    // memmove: a surface may be blitted onto itself.
    std::memmove(s.dst, s.src, size_t(s.count) * 4);
}

void Span_CopyBackward(S_BlitSpan& s) {
    const uint8_t* src = s.src;
    uint8_t* dst = s.dst;
    const intptr_t count = s.count;  // a local: pixel stores may alias the record
    for (intptr_t i = 0; i < count; ++i) Pixel_Store(dst + i * 4, Pixel_Load(src - i * 4));
}

template <int MODE, bool MIRROR>
static void Run_CopyKeyed(S_BlitSpan& s) {
    const uint32_t key = s.key;
    const int32_t count = s.count;
    uint8_t* dst = s.dst;
    T_Sampler<MODE, MIRROR> sample(s);
    for (int32_t i = 0; i < count; ++i, sample.Next()) {
        const uint32_t word = sample.Word();
        if (word != key) Pixel_Store(dst + intptr_t(i) * 4, word);
    }
}

template <int MODE>
static void Run_Copy(S_BlitSpan& s) {
    const int32_t count = s.count;
    uint8_t* dst = s.dst;
    T_Sampler<MODE, false> sample(s);
    for (int32_t i = 0; i < count; ++i, sample.Next()) Pixel_Store(dst + intptr_t(i) * 4, sample.Word());
}

template <int MODE, bool MIRROR>
static void Run_FillKeyed(S_BlitSpan& s) {
    const uint32_t key = s.key;
    const uint32_t fill = s.fill;
    const int32_t count = s.count;
    uint8_t* dst = s.dst;
    T_Sampler<MODE, MIRROR> sample(s);
    for (int32_t i = 0; i < count; ++i, sample.Next()) {
        if (sample.Word() != key) Pixel_Store(dst + intptr_t(i) * 4, fill);
    }
}

// Fills do not read the source, so one routine serves every mode.
void Span_Fill(S_BlitSpan& s) {
    const uint32_t fill = s.fill;
    uint8_t* dst = s.dst;
    const intptr_t count = s.count;
    for (intptr_t i = 0; i < count; ++i) Pixel_Store(dst + i * 4, fill);
}

void Span_CopyKeyed(S_BlitSpan& s) { Run_CopyKeyed<BLIT_UNSCALED, false>(s); }
void Span_CopyKeyedBackward(S_BlitSpan& s) { Run_CopyKeyed<BLIT_UNSCALED, true>(s); }
void Span_FillKeyed(S_BlitSpan& s) { Run_FillKeyed<BLIT_UNSCALED, false>(s); }
void Span_FillKeyedBackward(S_BlitSpan& s) { Run_FillKeyed<BLIT_UNSCALED, true>(s); }

void Row_Nearest(S_BlitSpan& s) { Run_Copy<BLIT_SCALED>(s); }
void Row_NearestKeyed(S_BlitSpan& s) { Run_CopyKeyed<BLIT_SCALED, false>(s); }
void Row_Fill(S_BlitSpan& s) { Span_Fill(s); }
void Row_FillKeyed(S_BlitSpan& s) { Run_FillKeyed<BLIT_SCALED, false>(s); }

void RotatedRow_Nearest(S_BlitSpan& s) { Run_Copy<BLIT_ROTATED>(s); }
void RotatedRow_NearestKeyed(S_BlitSpan& s) { Run_CopyKeyed<BLIT_ROTATED, false>(s); }
void RotatedRow_Fill(S_BlitSpan& s) { Span_Fill(s); }
void RotatedRow_FillKeyed(S_BlitSpan& s) { Run_FillKeyed<BLIT_ROTATED, false>(s); }
