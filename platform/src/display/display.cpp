// Life cycle of the display: open, start, stop, the back buffer and the
// target that drawing and Present go to.
#include "softblit/platform/display.h"

#include "softblit/core/status.h"
#include "softblit/image/image.h"
#include "softblit/platform/system.h"

C_Display::C_Display() { C_Display::Reset(); }

C_Display::~C_Display() { C_Display::Release(); }

void C_Display::Reset() {
    targetWindow = nullptr;
    targetFrame = nullptr;
    width = 0;
    height = 0;
    bitsPerPixel = 0;
    alphaPlane = 0;
    backBuffer = nullptr;
    secondarySurface = nullptr;
    state = DISPLAY_CREATED;
    fullScreen = 0;
    target = nullptr;
    savedTarget = nullptr;
    modeRefused = 0;
}

void C_Display::Release() {
    // Only the display's own surfaces go; a pointer to them in the target
    // fields would dangle, so those are dropped too.
    C_Surface* owned[2] = {backBuffer, secondarySurface};
    for (C_Surface* surface : owned) {
        if (surface == nullptr) continue;
        if (target == surface) target = nullptr;
        if (savedTarget == surface) savedTarget = nullptr;
        delete surface;
    }
    backBuffer = nullptr;
    secondarySurface = nullptr;
}

static bool OpenDisplay(C_Display* display, const S_DisplayTarget* target, int32_t width,
                        int32_t height, int32_t bitsPerPixel, uint8_t alphaPlane,
                        uint8_t fullScreen) {
    display->Release();
    display->Reset();
    display->width = width;
    display->height = height;
    if (target != nullptr) {
        display->targetWindow = target->window;
        display->targetFrame = target->frame;
    }
    display->bitsPerPixel = bitsPerPixel;
    display->alphaPlane = alphaPlane;
    display->fullScreen = fullScreen;
    display->state = DISPLAY_OPENED;
    return true;
}

bool C_Display::OpenWindowed(const S_DisplayTarget* displayTarget, int32_t newWidth,
                             int32_t newHeight, uint8_t withAlpha) {
    return OpenDisplay(this, displayTarget, newWidth, newHeight, 32, withAlpha, 0);
}

bool C_Display::OpenFullScreen(const S_DisplayTarget* displayTarget, int32_t newWidth,
                               int32_t newHeight, int32_t newBitsPerPixel, uint8_t withAlpha) {
    return OpenDisplay(this, displayTarget, newWidth, newHeight, newBitsPerPixel, withAlpha, 1);
}

// A plane image of the back buffer: cleared to 0 and stored bottom-up, the
// row order the window expects of a frame.
static C_Image* NewPlaneImage(int32_t width, int32_t height, int32_t format) {
    C_Image* image = new C_Image();
    if (width <= 0 || height <= 0 ||
        !image->CreateEmpty(static_cast<uint32_t>(width), static_cast<uint32_t>(height), format,
                            GFX_FMT_NONE, C_Color(0.0f, 0.0f, 0.0f, 0.0f))) {
        delete image;
        return nullptr;
    }
    image->bottomUp = 1;
    return image;
}

static C_Surface* NewBackBuffer(int32_t width, int32_t height, bool withAlpha) {
    C_Image* colour = NewPlaneImage(width, height, GFX_FMT_A8R8G8B8);
    if (colour == nullptr) return nullptr;
    C_Image* alpha = nullptr;
    if (withAlpha) {
        alpha = NewPlaneImage(width, height, GFX_FMT_L8);
        if (alpha == nullptr) {
            delete colour;
            return nullptr;
        }
    }
    // The surface files each image in its plane list; an image it could not
    // file (no memory for the list) stays ours, and the buffer is not whole.
    C_Surface* surface = new C_Surface(0, colour, alpha, nullptr, nullptr, nullptr, nullptr);
    const bool colourFiled = surface->GetPlaneImage(GFX_PLANE_COLOR) == colour;
    const bool alphaFiled = alpha == nullptr || surface->GetPlaneImage(GFX_PLANE_ALPHA) == alpha;
    if (colourFiled && alphaFiled) return surface;
    delete surface;
    if (!colourFiled) delete colour;
    if (!alphaFiled) delete alpha;
    return nullptr;
}

bool C_Display::Start() {
    if (state != DISPLAY_OPENED) return false;
    // A restart after Stop builds a fresh buffer in place of the kept one.
    Release();
    target = nullptr;
    savedTarget = nullptr;
    backBuffer = NewBackBuffer(width, height, alphaPlane != 0);
    if (backBuffer == nullptr)
        return Err_Fail(ERR_ALLOC, "C_Display::Start{backBuffer}", "C_Display::Start");
    target = backBuffer;
    modeRefused = 0;
    if (fullScreen && !Sys_ChangeDisplayMode(targetWindow, width, height, bitsPerPixel))
        modeRefused = 1;
    state = DISPLAY_RUNNING;
    return true;
}

void C_Display::Stop() {
    if (state == DISPLAY_RUNNING) state = DISPLAY_OPENED;
}

C_Surface* C_Display::GetBackBuffer() { return target; }

C_Surface* C_Display::GetSecondarySurface() { return secondarySurface; }

int32_t C_Display::GetSecondaryFormat() {
    if (secondarySurface == nullptr) return GFX_FMT_NONE;
    C_Image* colour = secondarySurface->GetPlaneImage(GFX_PLANE_COLOR);
    return colour != nullptr ? colour->format : GFX_FMT_NONE;
}

int32_t C_Display::GetState() { return state; }

C_Surface* C_Display::SwapTarget(C_Surface* surface) {
    if (surface != nullptr) {
        savedTarget = target;
        target = surface;
        return surface;
    }
    C_Surface* putAside = savedTarget;
    if (putAside != nullptr) target = putAside;
    savedTarget = nullptr;
    return putAside;
}

bool C_Display::Present() {
    if (targetWindow == nullptr || target == nullptr) return false;
    C_Image* colour = target->GetPlaneImage(GFX_PLANE_COLOR);
    if (colour == nullptr) return false;
    targetWindow->PresentImage(colour);
    return true;
}
