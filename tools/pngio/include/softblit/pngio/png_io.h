// PNG files to and from images. Failures record the cause (Err_Set: 11 or
// 12 for files that cannot be opened, 10 for data libpng refuses, 15 for a
// format that cannot be converted, 3 for memory) and return false.
#pragma once

class C_Image;

// 8-bit RGB from any format that converts to 24 bits; rows in their logical
// order (a bottom-up image is written upright). With `alpha` (one level per
// pixel, same size) the file is RGBA instead.
bool Png_Save(const C_Image* colour, const C_Image* alpha, const char* fileName);

// Any PNG libpng reads, expanded to 8 bits a channel: the colour as
// GFX_FMT_R8G8B8 and, when the file has an alpha channel (or transparency)
// and `alpha` is given, the alpha as GFX_FMT_L8. `hasAlpha` tells which.
bool Png_Load(const char* fileName, C_Image* colour, C_Image* alpha, bool* hasAlpha);
