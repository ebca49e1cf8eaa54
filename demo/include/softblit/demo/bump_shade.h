// Relighting a normal map into one byte of light per pixel.
#pragma once

#include <cstdint>

// The light at time t as 8.8 fixed-point components (x, y, z), z < 0:
// (cos(t pi/2), sin(0.3 pi t), -1) made unit length.
void Gfx_BumpLight(double t, int32_t light[3]);

// For width x height pixels, read and written strictly in sequence: source
// bytes b0 b1 b2 (blue, green, red of a 24-bit pixel) give
//   ((2 b0 - 256) lz >> 8) + ((2 b1 - 256) ly >> 8) + ((2 b2 - 256) lx >> 8)
// clamped into 0..255, written as the next destination byte.
void Gfx_BumpShade(uint8_t* destination, const uint8_t* source, uint32_t width, uint32_t height,
                   double t);
