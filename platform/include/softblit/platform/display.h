// C_Display: the one object the application draws through. It owns the back
// buffer (a surface whose colour plane is the frame), forwards every drawing
// call to the surface primitives, the image blits or the text drawing with
// the current target as destination, keeps display-format copies of the
// planes of the surfaces it makes, and presents the frame to its window.
//
// Calling order: construct, OpenWindowed or OpenFullScreen, Start, per frame
// drawing then Present, Stop, destroy. A display opened on a target without a
// window composes frames all the same; Present then shows nothing.
#pragma once

#include <cstdint>

#include "softblit/math/circle.h"
#include "softblit/math/color.h"
#include "softblit/math/frame.h"
#include "softblit/math/rect.h"
#include "softblit/math/vector2d.h"
#include "softblit/platform/window.h"
#include "softblit/surface/blit_params.h"
#include "softblit/surface/surface.h"

class C_Font;
class C_FontType;
class C_String;

enum : int32_t {
    DISPLAY_CREATED = 127,
    DISPLAY_OPENED = 128,
    DISPLAY_RUNNING = 129,
};

class C_Display {
public:
    C_Window* targetWindow;  // frames are presented here; may be null
    C_Frame* targetFrame;    // the window's placement; kept, not read
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;  // the depth asked for; 32 when windowed
    uint8_t alphaPlane;    // Start also gives the back buffer an alpha plane
    C_Surface* backBuffer;        // owned; built by Start
    C_Surface* secondarySurface;  // owned; nothing creates one
    int32_t state;
    uint8_t fullScreen;
    C_Surface* target;       // current destination of drawing and Present; not owned
    C_Surface* savedTarget;  // put aside by SwapTarget; not owned
    uint8_t modeRefused;     // Start could not put the window in full screen

    C_Display();
    // Release; the window's full screen is left as it is.
    virtual ~C_Display();
    C_Display(const C_Display&) = delete;
    C_Display& operator=(const C_Display&) = delete;

    // In state 128 only: builds the back buffer (colour plane A8R8G8B8, alpha
    // plane L8 when asked, both bottom-up and cleared to 0), makes it the
    // target, asks for full screen when opened so, and enters state 129.
    // False when not in state 128 or the back buffer cannot be built (the
    // state then stays 128). A refused full screen does not stop it: see
    // IsModeRefused.
    virtual bool Start();
    // 129 -> 128, keeping the back buffer.
    virtual void Stop();
    // State 127, every field cleared without deleting anything.
    virtual void Reset();
    // Deletes the display's own back buffer and secondary surface; surfaces
    // handed to SwapTarget are the caller's and stay.
    virtual void Release();
    virtual bool OpenWindowed(const S_DisplayTarget* target, int32_t width, int32_t height,
                              uint8_t alphaPlane);
    virtual bool OpenFullScreen(const S_DisplayTarget* target, int32_t width, int32_t height,
                                int32_t bitsPerPixel, uint8_t alphaPlane);
    // The current target (the back buffer unless SwapTarget redirected it).
    virtual C_Surface* GetBackBuffer();
    virtual C_Surface* GetSecondarySurface();
    // Format of the secondary surface's colour plane, or -1.
    virtual int32_t GetSecondaryFormat();
    virtual int32_t GetState();
    // Non-null: puts the current target aside and draws into `surface` from
    // now on; returns it. Null: the surface put aside becomes the target
    // again; returns it (null when nothing was put aside, and nothing changes).
    virtual C_Surface* SwapTarget(C_Surface* surface);
    // Hands the target's colour plane to the window. False when there is no
    // window or no colour plane.
    virtual bool Present();
    // A new empty surface whose hooks keep display copies of its planes
    // (PrepareSurface / UnprepareSurface). Null when out of memory.
    virtual C_Surface* CreateSurface();
    // planeId GFX_PLANE_ALL or one id: refreshes the display copies of those
    // planes (A8R8G8B8 for colour, L8 for alpha), cloning anew when a copy is
    // missing or no longer matches its plane's size or format. False when a
    // clone or copy fails.
    virtual bool PrepareSurface(C_Surface* surface, int32_t planeId);
    // GFX_PLANE_ALL only: deletes every display copy. Always true.
    virtual bool UnprepareSurface(C_Surface* surface, int32_t planeId);

    // Primitives onto the target; false without drawing unless running.
    virtual bool DrawPixel(const C_Vector2DI* position, const C_Color* colour, const C_Frame* clip,
                           uint32_t spare);
    virtual bool DrawLine(const C_Vector2D* start, const C_Vector2D* end, const C_Color* colour,
                          const C_Frame* clip, uint32_t spare1, uint32_t spare2);
    virtual bool DrawRect(const C_Rect* rect, const C_Color* colour, const C_Frame* clip,
                          uint8_t filled, uint32_t spare1, uint32_t spare2);
    virtual bool DrawCircle(const C_Circle* circle, const C_Color* colour, const C_Frame* clip,
                            uint8_t filled, uint32_t spare1, uint32_t spare2);
    // Blits and text read the sources' display copies (prepare them first).
    // They draw in any state that has a target; without one: error 14, false.
    virtual bool BlitToRect(C_Surface* source, const C_Rect* srcRect, const C_Frame* clip,
                            const C_Rect* destRect, const C_Vector2D* offset, uint32_t spare,
                            const S_BlitParams* params);
    virtual bool BlitImage(C_Surface* source, const C_Rect* srcRect, const C_Frame* clip,
                           const C_Vector2D* position, uint32_t spare, const S_BlitParams* params);
    virtual bool DrawText(const C_String* text, C_Font* font, C_FontType* fontType,
                          const C_Color* colour, const C_Vector2D* position, uint8_t wrap,
                          uint32_t spare1, const C_Frame* clip, uint32_t spare2);
    // Text inside `area` with position.y measured upward and a text cursor
    // before character cursorIndex (0xFFFFFF: none).
    virtual bool DrawTextEx(const C_String* text, C_Font* font, C_FontType* fontType,
                            const C_Color* colour, const C_Rect* area, uint8_t wrap,
                            const C_Vector2D* position, uint32_t cursorIndex, const C_Frame* clip);

    // True when the last Start asked for full screen and did not get it.
    bool IsModeRefused() const { return modeRefused != 0; }
};

// The display's surface factory in the form fonts store it: `display` is a
// C_Display. Null for a null display.
C_Surface* Gfx_Display_CreateSurface(void* display);
