// Moving pixels between formats, and splitting and joining channel planes.
//
// All operations address rows logically (row 0 first), so images stored
// bottom-up and top-down convert into each other without turning over.
#pragma once

#include <cstdint>

class C_Color;
class C_Image;

// Converts every pixel of `source` into `destination`, which must already have
// the same width and height and its target format. Channels are adapted to
// the destination's widths; channels the source lacks become 0; indexed
// sources are looked up in their palette (except into an indexed destination,
// which receives the index). Sources and destinations of every format,
// including the sub-byte ones (packed first pixel in the top bits) and L64F.
bool Gfx_Image_Copy_24to32(const C_Image* source, C_Image* destination);

// Converts `image` to newFormat: in place when the bits per pixel stay the
// same, otherwise into a new buffer that the image then owns.
// GFX_FMT_KEEP for either format keeps the present one.
bool Gfx_Image_ChangeFormat(C_Image* image, int32_t newFormat, int32_t newPalFormat);

// Shapes `destination` like `source` in newFormat / newPalFormat (GFX_FMT_KEEP:
// the source's) and converts into it; an indexed copy receives the palette.
bool Gfx_Image_Clone(const C_Image* source, C_Image* destination, int32_t newFormat,
                     int32_t newPalFormat);

// Channel `channel` (0 red .. 3 alpha) of `source` as an image of
// Gfx_GetSingleChannelFormat(source->format), levels unscaled.
bool Gfx_Image_GetChannel(const C_Image* source, C_Image* destination, uint32_t channel);
// Writes the levels of `source` (of the single-channel format of
// `destination`) into channel `channel` of `destination`, unscaled.
bool Gfx_Image_SetChannel(const C_Image* source, C_Image* destination, uint32_t channel);
// An alpha plane of `source`: 0 where the pixel equals keyColour packed in the
// source's format, full scale elsewhere.
bool Gfx_Image_GetAlpha_FromKeyColor(const C_Image* source, C_Image* destination,
                                     const C_Color& keyColour);

// The per-pair row loops are on by default; switching them off runs every
// conversion through the generic per-pixel path (the reference they must
// match bit for bit).
void Gfx_Convert_EnableFastPaths(bool enabled);
bool Gfx_Convert_FastPathsEnabled();
