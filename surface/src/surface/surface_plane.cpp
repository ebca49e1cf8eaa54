#include "softblit/image/image.h"
#include "softblit/surface/surface.h"

C_SurfacePlane::C_SurfacePlane(uint8_t shared, C_Image* planeImage, uint32_t id) : displayCopy(nullptr) {
    C_SurfacePlane::Reset();
    planesShared = shared;
    image = planeImage;
    planeId = id;
}

C_SurfacePlane::~C_SurfacePlane() { C_SurfacePlane::Release(); }

void C_SurfacePlane::Release() {
    if (planesShared == 0 && image != nullptr) delete image;
    // Forgotten here so that a Release without a following Reset (the
    // destructor after DeleteAll) cannot free the image twice.
    image = nullptr;
}

void C_SurfacePlane::Reset() {
    image = nullptr;
    planeId = 0;
    planesShared = 0;
}
