// The demo's pictures, drawn procedurally. Every function returns a new
// object (owned by the caller) or null when the framework refused it.
#pragma once

#include <cstdint>

class C_Image;
class C_Surface;

enum : uint32_t {
    RELIEF_WIDTH = 512,
    RELIEF_HEIGHT = 384,
    BALL_SIZE = 32,
    TILE_SIZE = 24,
    BACKDROP_WIDTH = 640,
    BACKDROP_HEIGHT = 416,
    PANEL_WIDTH = 256,
    PANEL_HEIGHT = 350,
    PANEL_CLEAR_ROWS = 32,   // rows kept transparent so the title stays readable
};

// face.img: the relief's normal map, 24-bit (blue = 128 - 128 nz, green =
// 128 + 128 ny, red = 128 + 128 nx, nz towards the viewer).
C_Image* Picture_ReliefNormals();
// data03.srf: an 8-bit indexed plane of the relief's size with a colour-ramp
// palette; the demo relights its indices every frame.
C_Surface* Picture_ReliefPlane();
// data01.srf: a shaded ball with an antialiased alpha plane.
C_Surface* Picture_Ball();
// data02.srf: a small picture meant to be zoomed with bilinear filtering.
C_Surface* Picture_Tile();
// data04.srf: the backdrop of the alpha-blending effect.
C_Surface* Picture_Backdrop();
// data05.srf: a translucent emblem panel with an alpha plane.
C_Surface* Picture_Panel();
