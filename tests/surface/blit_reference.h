// A deliberately plain blit, written pixel by pixel from the formulas, to
// check the engine against. No speed tricks.
#pragma once

#include "softblit/math/all.h"
#include "softblit/surface/blit_params.h"
#include "softblit/surface/surface.h"

// Draws like Blit_Fixed for valid planes (32-bit colour planes, alpha planes at
// least as large as their colour plane), finite, moderate geometry and a
// position measured from the left and top.
void Reference_Blit(C_Surface* source, C_Surface* destination, const C_Rect* sourceRect,
                    const C_Frame* clipFrame, const C_Vector2D* position, const S_BlitParams* params);
