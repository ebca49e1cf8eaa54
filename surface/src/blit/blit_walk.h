// The three walks of the destination. Set-up has decided everything; a walk
// only positions the span record on each row and calls the kernel.
#pragma once

#include "blit/blit_span.h"

class C_Blit_Kernel;

struct S_BlitGeometry {
    int32_t clipLeft, clipTop, clipRight, clipBottom;  // inside the destination
    float px, py;                                      // anchored position of the source box
    float boxLeft, boxTop, boxRight, boxBottom;        // float source box
    float scaleX, scaleY;
    float angle;
    bool flipHorizontal, flipVertical;
    uint8_t* dstOrigin;  // destination row 0, column 0 (own row order honoured)
    intptr_t dstPitch;
    uint8_t* dstAlphaOrigin;  // 8-bit destination alpha plane, or null
    intptr_t dstAlphaPitch;
};

void Walk_Unscaled(S_BlitSpan& span, T_SpanKernel kernel, const S_BlitGeometry& g);
// Scaled and rotated walks draw nothing when a 16.16 step or coordinate of
// the covered pixels does not fit in 32 bits.
void Walk_Scaled(S_BlitSpan& span, T_SpanKernel kernel, const S_BlitGeometry& g);
void Walk_Rotated(C_Blit_Kernel& engine, S_BlitSpan& span, T_SpanKernel kernel, const S_BlitGeometry& g);

// Float to integer without undefined behaviour: values beyond +-2^62 saturate.
int64_t Blit_TruncWide(double value);
int64_t Blit_FloorWide(double value);
inline bool Blit_FitsInt32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }
