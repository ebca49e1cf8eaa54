// The demo's process-wide state: resources, the effect clock and the values
// every frame reads.
#pragma once

#include <cstdint>

#include "softblit/core/string.h"
#include "softblit/math/vector2d.h"
#include "softblit/surface/blit_params.h"

class C_Display;
class C_Font;
class C_Image;
class C_Surface;
class C_Window;

enum : int32_t {
    DEMO_WIDTH = 640,
    DEMO_HEIGHT = 480,
    DEMO_FONT_SLOTS = 10,
    DEMO_SURFACE_SLOTS = 64,
    DEMO_IMAGE_SLOTS = 64,
    DEMO_EFFECTS = 5,
};

// Table slots of the resources.
enum : int32_t {
    DEMO_FONT_TEXT = 0,    // font01.uft: frames-per-second and scroll text
    DEMO_FONT_TITLES = 1,  // font02.uft
    DEMO_FONT_LINES = 2,   // font03.uft: the warping lines
    DEMO_SURFACE_BALL = 1,      // data01.srf
    DEMO_SURFACE_TILE = 2,      // data02.srf
    DEMO_SURFACE_RELIT = 3,     // data03.srf
    DEMO_SURFACE_BACKDROP = 4,  // data04.srf
    DEMO_SURFACE_PANEL = 5,     // data05.srf
    DEMO_IMAGE_RELIT = 4,    // the colour plane of data03.srf, owned by that surface
    DEMO_IMAGE_NORMALS = 6,  // face.img, owned here
};

enum : int32_t {
    DEMO_EFFECT_BILINEAR = 0,
    DEMO_EFFECT_ALPHA = 1,
    DEMO_EFFECT_BALLS = 2,
    DEMO_EFFECT_BUMP = 3,
    DEMO_EFFECT_WARP = 4,
};

// Seconds an effect stays before the next one takes over.
constexpr double DEMO_EFFECT_SECONDS = 30.0;

struct S_DemoState {
    C_Window* window;
    C_Display* display;
    C_Font* fonts[DEMO_FONT_SLOTS];
    C_Surface* surfaces[DEMO_SURFACE_SLOTS];
    C_Image* images[DEMO_IMAGE_SLOTS];

    int32_t effectIndex;
    double elapsedTime;      // t: seconds since the frame loop began, at this frame's start
    double effectStartTime;  // elapsedTime at which the current effect began
    double effectTime;       // elapsedTime - effectStartTime
    float spinAngle;         // A: degrees in [0, 360), 18 per second of frame time
    float framesPerSecond;   // measured at the end of a frame, shown by the next
    C_Vector2D mousePosition;
    C_Vector2D blitPosition;
    S_BlitParams blit;
    C_String scrollText;
    double scrollWidth;  // the scroll text's wrap width, measured once at start-up

    S_DemoState();
};

// The one state the window handlers and glyph transforms reach.
extern S_DemoState* demoState;
