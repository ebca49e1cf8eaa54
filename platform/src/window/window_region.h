// Window shapes from 8-bit images: every run of 255 bytes in a row is a
// piece of the shape, one pixel high.
#pragma once

#include <cstdint>

#include "softblit/core/buffer.h"
#include "softblit/image/image.h"
#include "softblit/platform/window.h"

struct S_RegionRun {
    int32_t x;
    int32_t y;
    int32_t width;
};

// Fills `runs` with the S_RegionRun records of `image`, rows in picture
// order (row 0 at the top whatever the image's row order). False with error
// 15 when the image is not 8 bits per pixel, error 3 when out of memory.
bool Region_CollectRuns(const C_Image* image, C_Buffer* runs, uint32_t* count);
// Code 53: shapes a created popup window from its region image, where the
// window system has shaped windows; other windows keep their shape.
void Window_ApplyRegion(C_Window* window);
