// Surfaces bound to the display, and the display-format copies of their
// planes that the blits read while the display-blit flag is set.
#include "softblit/core/status.h"
#include "softblit/image/convert.h"
#include "softblit/image/image.h"
#include "softblit/platform/display.h"

static bool PrepareHook(C_Surface* surface, int32_t planeId) {
    return static_cast<C_Display*>(surface->owner)->PrepareSurface(surface, planeId);
}

static bool UnprepareHook(C_Surface* surface, int32_t planeId) {
    return static_cast<C_Display*>(surface->owner)->UnprepareSurface(surface, planeId);
}

C_Surface* C_Display::CreateSurface() {
    C_Surface* surface = new C_Surface();
    surface->owner = this;
    surface->prepareHook = PrepareHook;
    surface->unprepareHook = UnprepareHook;
    return surface;
}

C_Surface* Gfx_Display_CreateSurface(void* display) {
    if (display == nullptr) {
        Err_Fail(ERR_MISSING, "Gfx_Display_CreateSurface{display}", "Gfx_Display_CreateSurface");
        return nullptr;
    }
    return static_cast<C_Display*>(display)->CreateSurface();
}

static int32_t CopyFormat(uint32_t planeId) {
    if (planeId == static_cast<uint32_t>(GFX_PLANE_COLOR)) return GFX_FMT_A8R8G8B8;
    if (planeId == static_cast<uint32_t>(GFX_PLANE_ALPHA)) return GFX_FMT_L8;
    return GFX_FMT_NONE;
}

// Brings one plane's display copy up to date. Planes other than colour and
// alpha get an empty copy that is never filled.
static bool PreparePlane(C_SurfacePlane* plane) {
    const int32_t format = CopyFormat(plane->planeId);
    C_Image* copy = plane->displayCopy;
    if (copy == nullptr) {
        copy = new C_Image();
        plane->displayCopy = copy;
        if (format == GFX_FMT_NONE) return true;
        return Gfx_Image_Clone(plane->image, copy, format, GFX_FMT_NONE);
    }
    if (format == GFX_FMT_NONE) return true;
    // A plane that was reloaded or resized since the last copy is cloned anew:
    // copying into a copy of another shape would read or write out of bounds.
    if (copy->data == nullptr || copy->format != format || copy->width != plane->image->width ||
        copy->height != plane->image->height)
        return Gfx_Image_Clone(plane->image, copy, format, GFX_FMT_NONE);
    return Gfx_Image_Copy_24to32(plane->image, copy);
}

bool C_Display::PrepareSurface(C_Surface* surface, int32_t planeId) {
    if (surface == nullptr || surface->planes == nullptr) return true;
    bool ok = true;
    C_Array* planes = surface->planes;
    for (uint32_t i = 0; i < planes->GetCount(); ++i) {
        C_SurfacePlane* plane = static_cast<C_SurfacePlane*>(planes->GetAt(i));
        if (plane == nullptr || plane->image == nullptr) continue;
        if (planeId != GFX_PLANE_ALL && plane->planeId != static_cast<uint32_t>(planeId)) continue;
        if (!PreparePlane(plane)) ok = false;
    }
    if (!ok) Err_Fatal("C_Display::PrepareSurface");
    return ok;
}

bool C_Display::UnprepareSurface(C_Surface* surface, int32_t planeId) {
    if (surface == nullptr || surface->planes == nullptr || planeId != GFX_PLANE_ALL) return true;
    C_Array* planes = surface->planes;
    for (uint32_t i = 0; i < planes->GetCount(); ++i) {
        C_SurfacePlane* plane = static_cast<C_SurfacePlane*>(planes->GetAt(i));
        if (plane == nullptr) continue;
        delete plane->displayCopy;
        plane->displayCopy = nullptr;
    }
    return true;
}
