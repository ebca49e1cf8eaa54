// The plain kernels, named <mode>_<operation>: Span_ for the unscaled walk,
// Row_ for the scaled walk, RotatedRow_ for the rotated walk.
#pragma once

#include "blit/blit_span.h"

void Span_Copy(S_BlitSpan& s);
void Span_CopyBackward(S_BlitSpan& s);
void Span_CopyKeyed(S_BlitSpan& s);
void Span_CopyKeyedBackward(S_BlitSpan& s);
void Span_Fill(S_BlitSpan& s);
void Span_FillKeyed(S_BlitSpan& s);
void Span_FillKeyedBackward(S_BlitSpan& s);

void Row_Nearest(S_BlitSpan& s);
void Row_NearestKeyed(S_BlitSpan& s);
void Row_Fill(S_BlitSpan& s);
void Row_FillKeyed(S_BlitSpan& s);

void RotatedRow_Nearest(S_BlitSpan& s);
void RotatedRow_NearestKeyed(S_BlitSpan& s);
void RotatedRow_Fill(S_BlitSpan& s);
void RotatedRow_FillKeyed(S_BlitSpan& s);
