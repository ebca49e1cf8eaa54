#include "softblit/demo/resources.h"

#include <cstring>

#include "softblit/core/status.h"
#include "softblit/core/string.h"
#include "softblit/font/font.h"
#include "softblit/image/image.h"
#include "softblit/platform/display.h"
#include "softblit/surface/surface.h"

namespace {

const char kPlace[] = "Demo_LoadResources";

C_String PathOf(const char* folder, const char* name) {
    if (!folder || !*folder) return C_String(name);
    C_String path(folder);
    path += C_String("/");
    path += C_String(name);
    return path;
}

bool Load(C_Object* object, const char* folder, const char* name, const char** failedFile) {
    *failedFile = name;
    if (!object) return Err_Fail(ERR_ALLOC, "Demo_LoadResources{object}", kPlace);
    // A string that could not grow keeps what it had: a cut path would name
    // another file, so it is refused as the allocation failure it is.
    const C_String path = PathOf(folder, name);
    const size_t expected = (folder && *folder ? strlen(folder) + 1 : 0) + strlen(name);
    if (path.GetText() == nullptr || strlen(path.GetText()) != expected)
        return Err_Fail(ERR_ALLOC, "Demo_LoadResources{path}", kPlace);
    return object->LoadFromFile(path.GetText(), 0);
}

// Gfx_BumpShade walks both buffers as plain byte runs of width x height
// pixels: anything else would shear the picture or read past face.img.
bool CheckRelief(const C_Image* normals, const C_Image* relit, const char** failedFile) {
    *failedFile = "face.img";
    if (!normals || normals->bitsPerPixel != 24 || normals->pitch != normals->width * 3 || !normals->data)
        return Err_Fail(ERR_DATA, "face.img is not an unpadded picture of 3 bytes a pixel", kPlace);
    *failedFile = "data03.srf";
    if (!relit || relit->bitsPerPixel != 8 || relit->pitch != relit->width || !relit->data)
        return Err_Fail(ERR_DATA, "data03.srf has no unpadded colour plane of 1 byte a pixel", kPlace);
    if (normals->width != relit->width || normals->height != relit->height || normals->bottomUp != relit->bottomUp)
        return Err_Fail(ERR_DATA, "face.img and data03.srf differ in size or row order", kPlace);
    return true;
}

}  // namespace

bool Demo_LoadResources(S_DemoState& s, const char* folder, const char** failedFile) {
    const char* ignored = nullptr;
    if (!failedFile) failedFile = &ignored;
    *failedFile = nullptr;
    if (!s.display) return Err_Fail(ERR_MISSING, "Demo_LoadResources{display}", kPlace);

    const char* fontFiles[3] = {"font01.uft", "font02.uft", "font03.uft"};
    for (int i = 0; i < 3; ++i) {
        C_Font* font = new C_Font();
        font->surfaceFactory = Gfx_Display_CreateSurface;
        font->surfaceFactoryArg = s.display;
        s.fonts[i] = font;
        if (!Load(font, folder, fontFiles[i], failedFile)) return false;
        font->PreparePages();
    }

    for (int slot = DEMO_SURFACE_BALL; slot <= DEMO_SURFACE_PANEL; ++slot) {
        s.surfaces[slot] = s.display->CreateSurface();
        if (!s.surfaces[slot]) {
            *failedFile = "data01.srf";
            return Err_Fail(ERR_ALLOC, "Demo_LoadResources{surface}", kPlace);
        }
    }
    s.images[DEMO_IMAGE_NORMALS] = new C_Image();
    if (!Load(s.images[DEMO_IMAGE_NORMALS], folder, "face.img", failedFile)) return false;
    const char* surfaceFiles[5] = {"data01.srf", "data02.srf", "data03.srf", "data04.srf", "data05.srf"};
    for (int slot = DEMO_SURFACE_BALL; slot <= DEMO_SURFACE_PANEL; ++slot)
        if (!Load(s.surfaces[slot], folder, surfaceFiles[slot - 1], failedFile)) return false;
    s.images[DEMO_IMAGE_RELIT] = s.surfaces[DEMO_SURFACE_RELIT]->GetPlaneImage(GFX_PLANE_COLOR);

    if (!CheckRelief(s.images[DEMO_IMAGE_NORMALS], s.images[DEMO_IMAGE_RELIT], failedFile)) return false;
    for (int slot = DEMO_SURFACE_BALL; slot <= DEMO_SURFACE_PANEL; ++slot) {
        *failedFile = surfaceFiles[slot - 1];
        if (!s.surfaces[slot]->Prepare(GFX_PLANE_ALL)) return false;
    }
    *failedFile = nullptr;
    return true;
}

void Demo_ReleaseResources(S_DemoState& s) {
    // Surfaces made by the display call back into it while they go, so all
    // of this happens before the display is deleted.
    for (C_Surface*& surface : s.surfaces) {
        delete surface;
        surface = nullptr;
    }
    for (C_Font*& font : s.fonts) {
        delete font;
        font = nullptr;
    }
    s.images[DEMO_IMAGE_RELIT] = nullptr;
    delete s.images[DEMO_IMAGE_NORMALS];
    s.images[DEMO_IMAGE_NORMALS] = nullptr;
}
