// A deliberately plain blit, written pixel by pixel from the formulas, to
// check the engine against: which destination pixels are covered, which source
// cell each samples, and how each channel is blended. No speed tricks.
#pragma once

#include "softblit/core/all.h"
#include "softblit/image/all.h"
#include "softblit/math/all.h"
#include "softblit/surface/blit_params.h"
#include "softblit/surface/surface.h"

// Draws like Blit_Fixed for valid planes (32-bit colour planes with 8-bit
// channels, alpha planes at least as large as their colour plane).
void Reference_Blit(C_Surface* source, C_Surface* destination, const C_Rect* sourceRect,
                    const C_Frame* clipFrame, const C_Vector2D* position, const S_BlitParams* params,
                    bool displayBlit = false);
