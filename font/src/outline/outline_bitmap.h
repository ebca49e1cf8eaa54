// A rendered FreeType bitmap turned into an L8 page image.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>

#include "softblit/image/image.h"

struct S_OutlineBitmap {
    uint32_t width = 0;
    uint32_t rows = 0;
    int32_t pitch = 0;
    const uint8_t* buffer = nullptr;
    uint8_t pixelMode = 0;  // FT_PIXEL_MODE_*
};

S_OutlineBitmap OutlineBitmap_From(const FT_Bitmap& bitmap);

// Shapes `image` as L8: FONT_RENDER_ANTIALIASED one pixel wider and taller
// than the bitmap (the extra column and row 0), FONT_RENDER_MONO exactly its
// size. Pixels follow the bitmap's own pixel mode, whatever was asked: mono
// bits become 0 or 255, grey levels stay (thresholded at 128 in mono mode),
// other modes leave the image 0. False (error 3) when it cannot be allocated.
bool OutlineBitmap_ToImage(const S_OutlineBitmap& bitmap, uint8_t renderMode, C_Image& image);
