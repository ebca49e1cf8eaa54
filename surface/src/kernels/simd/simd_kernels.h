// The vector tiers of the span kernels and the choice between tiers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "blit/blit_span.h"

// The kernel for the level in force: a vector kernel where that level has
// one for the pixel layout, the plain kernel otherwise. Numbers the blit in
// span.blit.
T_SpanKernel Kernel_ChooseFast(E_BlitMode mode, E_BlitFamily family, uint32_t options, S_BlitSpan& span);

// True for the fill kernels of every tier: they write the fill colour over
// the span and read nothing else.
bool Kernel_FillsOnly(T_SpanKernel kernel);

// The vector kernel of one level (GFX_SIMD_SSE2 and up), or null where that
// level keeps the plain kernel. Source and destination must share their
// channel positions; `tone` says whether the effects' tone tables change
// anything.
T_SpanKernel Simd_Kernel(int32_t level, E_BlitMode mode, E_BlitFamily family, uint32_t options, bool tone);

// Per-level tables, defined by each level's file.
T_SpanKernel Simd_KernelSse2(E_BlitMode mode, E_BlitFamily family, uint32_t options, bool tone);
T_SpanKernel Simd_KernelAvx2(E_BlitMode mode, E_BlitFamily family, uint32_t options, bool tone);
T_SpanKernel Simd_KernelAvx512(E_BlitMode mode, E_BlitFamily family, uint32_t options, bool tone);

// `count` 32-bit words of `value` from `destination` (any alignment), at the
// level in force.
void Simd_Fill32(uint8_t* destination, size_t count, uint32_t value);
// The same routine for the level in force, for callers that fill many spans.
typedef void (*T_Fill32)(uint8_t* destination, size_t count, uint32_t value);
T_Fill32 Simd_Fill32For();
void Simd_Fill32Sse2(uint8_t* destination, size_t count, uint32_t value);
void Simd_Fill32Avx2(uint8_t* destination, size_t count, uint32_t value);
void Simd_Fill32Avx512(uint8_t* destination, size_t count, uint32_t value);
