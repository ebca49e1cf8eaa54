// The placement arithmetic on its own, so it can be checked without a screen.
#pragma once

#include <cstdint>

#include "softblit/math/frame.h"

// The window's frame for `request` (x, y, width value, height value and the
// two mode bytes) on a screen of screenW x screenH. Edges whose mode keeps
// them take their value from `current`.
C_Frame Window_Place(const C_Frame& request, int32_t screenW, int32_t screenH,
                     const C_Frame& current);
