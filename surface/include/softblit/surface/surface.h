// A surface: a small stack of image planes (colour, optional alpha, ...) with
// hooks through which an owner keeps display-format copies of the planes.
#pragma once

#include <cstdint>

#include "softblit/core/array.h"
#include "softblit/core/object.h"

class C_Image;
class C_Surface;

// Plane identifiers: u32 in records, signed where handed to hooks.
enum : int32_t {
    GFX_PLANE_COLOR = 1,
    GFX_PLANE_ALPHA = 2,
    GFX_PLANE_ALL = -3,  // hook argument only: every plane of the surface
};

// One plane record. Not serialised on its own (the surface writes its planes).
class C_SurfacePlane : public C_Object {
public:
    C_Image* image;
    uint32_t planeId;
    // Display-format copy, made and deleted by the display device; the plane
    // never frees it.
    C_Image* displayCopy;
    // 1: the plane does not own image.
    uint8_t planesShared;

    C_SurfacePlane(uint8_t shared, C_Image* planeImage, uint32_t id);
    ~C_SurfacePlane() override;
    C_SurfacePlane(const C_SurfacePlane&) = delete;
    C_SurfacePlane& operator=(const C_SurfacePlane&) = delete;

    // Deletes image unless shared, and forgets it.
    void Release() override;
    void Reset() override;
};

typedef bool (*T_SurfaceHook)(C_Surface* surface, int32_t planeId);

class C_Surface : public C_Object {
public:
    // Plane records, newest first; null until the first plane is added.
    // The surface owns the array and the records.
    C_Array* planes;
    T_SurfaceHook prepareHook;    // hook 0, called by Prepare
    T_SurfaceHook hook1;          // spare hooks with calls of their own
    T_SurfaceHook hook2;
    T_SurfaceHook unprepareHook;  // hook 3, called by Unprepare and Release
    void* owner;                  // the object that installed the hooks
    // Copied into every plane record the surface creates: 1 when the surface
    // does not own its plane images.
    uint8_t planesShared;
    uint32_t width;   // of the colour plane, taken when it is added
    uint32_t height;

    C_Surface();
    // Files each non-null image under its plane id, in the order colour, alpha,
    // 3, 4, 8, 9, each in front of the ones before.
    C_Surface(uint8_t shared, C_Image* colour, C_Image* alpha, C_Image* plane3,
              C_Image* plane4, C_Image* plane8, C_Image* plane9);
    ~C_Surface() override;
    C_Surface(const C_Surface&) = delete;
    C_Surface& operator=(const C_Surface&) = delete;

    // Unprepare(GFX_PLANE_ALL), then deletes the records and the array.
    void Release() override;
    // Forgets the planes without deleting them; hooks and owner stay.
    void Reset() override;
    // The ".srf" form: tag 13, 0x80 (no plane array) or 0x7F, then per plane
    // 0x81, u32 plane id and the image's own record, then 0x80. The planes'
    // pixels and palettes together may not pass IMAGE_MAX_STREAM_BYTES
    // (error 10, nothing kept).
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_SURFACE; }

    // Files image under planeId. An existing record with that id is replaced
    // (its image freed unless shared); otherwise the record goes in front.
    // Plane 1 sets the surface's width and height. False for a null image or
    // when the record cannot be stored.
    bool AddPlane(C_Image* image, uint32_t planeId);
    // First record with that id from the front, or null.
    C_SurfacePlane* GetPlane(uint32_t planeId) const;
    C_Image* GetPlaneImage(uint32_t planeId) const;
    uint32_t GetWidth() const { return width; }
    uint32_t GetHeight() const { return height; }

    // Run the hook with (this, planeId) and return its result; false when the
    // hook is not set.
    bool Prepare(int32_t planeId);
    bool CallHook1(int32_t planeId);
    bool CallHook2(int32_t planeId);
    bool Unprepare(int32_t planeId);
};

// Converts the colour plane to newFormat / newPalFormat and the alpha plane to
// the single-channel format of newFormat (keeping its palette format). False
// for a null surface (error 14) or when a conversion fails (which recorded why).
bool Gfx_Surface_ChangeFormat(C_Surface* surface, int32_t newFormat, int32_t newPalFormat);
