#include "softblit/surface/surface.h"

#include "softblit/core/status.h"
#include "softblit/image/convert.h"
#include "softblit/image/image.h"

C_Surface::C_Surface()
    : prepareHook(nullptr), hook1(nullptr), hook2(nullptr), unprepareHook(nullptr), owner(nullptr) {
    C_Surface::Reset();
}

C_Surface::C_Surface(uint8_t shared, C_Image* colour, C_Image* alpha, C_Image* plane3,
                     C_Image* plane4, C_Image* plane8, C_Image* plane9)
    : prepareHook(nullptr), hook1(nullptr), hook2(nullptr), unprepareHook(nullptr), owner(nullptr) {
    C_Surface::Reset();
    planes = new C_Array();
    const struct {
        C_Image* image;
        uint32_t id;
    } given[] = {{colour, GFX_PLANE_COLOR}, {alpha, GFX_PLANE_ALPHA}, {plane3, 3},
                 {plane4, 4},               {plane8, 8},              {plane9, 9}};
    for (const auto& g : given) {
        if (g.image == nullptr) continue;
        C_SurfacePlane* record = new C_SurfacePlane(shared, g.image, g.id);
        if (!planes->Insert(record, 0)) {
            record->image = nullptr;  // the caller keeps an image that was not filed
            delete record;
        }
    }
    if (colour != nullptr) {
        width = colour->width;
        height = colour->height;
    }
    planesShared = shared;
}

C_Surface::~C_Surface() { C_Surface::Release(); }

void C_Surface::Release() {
    Unprepare(GFX_PLANE_ALL);
    if (planes != nullptr) {
        planes->DeleteAll();
        delete planes;
        planes = nullptr;
    }
}

void C_Surface::Reset() {
    planes = nullptr;
    planesShared = 0;
    width = 0;
    height = 0;
}

bool C_Surface::AddPlane(C_Image* image, uint32_t planeId) {
    if (image == nullptr) return Err_Fail(ERR_MISSING, "C_Surface::AddPlane{image}", "C_Surface::AddPlane");
    if (planes == nullptr) planes = new C_Array();

    C_SurfacePlane* record = new C_SurfacePlane(planesShared, image, planeId);
    bool replaced = false;
    for (uint32_t i = 0; i < planes->GetCount(); ++i) {
        C_SurfacePlane* old = static_cast<C_SurfacePlane*>(planes->GetAt(i));
        if (old == nullptr || old->planeId != planeId) continue;
        planes->SetAt(record, i);
        // The display owns the copy and frees it through the plane it finds;
        // carried over, it is neither lost nor left behind.
        record->displayCopy = old->displayCopy;
        old->displayCopy = nullptr;
        // Filing the plane's own image again must not free it.
        if (old->image == image) old->image = nullptr;
        delete old;
        replaced = true;
        break;
    }
    if (!replaced && !planes->Insert(record, 0)) {
        record->image = nullptr;
        delete record;
        return Err_Fail(ERR_ALLOC, "C_Surface::AddPlane{planes}", "C_Surface::AddPlane");
    }
    if (planeId == GFX_PLANE_COLOR) {
        width = image->width;
        height = image->height;
    }
    return true;
}

C_SurfacePlane* C_Surface::GetPlane(uint32_t planeId) const {
    if (planes == nullptr) return nullptr;
    // Straight through the item list: every primitive and blit asks this.
    C_Object* const* items = planes->items;
    for (uint32_t i = 0, n = planes->GetCount(); i < n; ++i) {
        C_SurfacePlane* record = static_cast<C_SurfacePlane*>(items[i]);
        if (record != nullptr && record->planeId == planeId) return record;
    }
    return nullptr;
}

C_Image* C_Surface::GetPlaneImage(uint32_t planeId) const {
    if (planes == nullptr) return nullptr;
    C_Object* const* items = planes->items;
    for (uint32_t i = 0, n = planes->GetCount(); i < n; ++i) {
        const C_SurfacePlane* record = static_cast<const C_SurfacePlane*>(items[i]);
        if (record != nullptr && record->planeId == planeId) return record->image;
    }
    return nullptr;
}

bool C_Surface::Prepare(int32_t planeId) { return prepareHook != nullptr && prepareHook(this, planeId); }
bool C_Surface::CallHook1(int32_t planeId) { return hook1 != nullptr && hook1(this, planeId); }
bool C_Surface::CallHook2(int32_t planeId) { return hook2 != nullptr && hook2(this, planeId); }
bool C_Surface::Unprepare(int32_t planeId) { return unprepareHook != nullptr && unprepareHook(this, planeId); }

bool Gfx_Surface_ChangeFormat(C_Surface* surface, int32_t newFormat, int32_t newPalFormat) {
    if (surface == nullptr)
        return Err_Fail(ERR_MISSING, "Gfx_Surface_ChangeFormat{pSurface->format}", "Gfx_Surface_ChangeFormat");
    bool ok = true;
    if (C_Image* colour = surface->GetPlaneImage(GFX_PLANE_COLOR))
        ok = Gfx_Image_ChangeFormat(colour, newFormat, newPalFormat) && ok;
    C_Image* alpha = surface->GetPlaneImage(GFX_PLANE_ALPHA);
    if (alpha != nullptr && newFormat != GFX_FMT_KEEP)
        ok = Gfx_Image_ChangeFormat(alpha, Gfx_GetSingleChannelFormat(newFormat), GFX_FMT_KEEP) && ok;
    return ok;
}
