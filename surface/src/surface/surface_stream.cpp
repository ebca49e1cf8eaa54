// The ".srf" form of a surface.
#include "softblit/core/record.h"
#include "softblit/core/status.h"
#include "softblit/image/image.h"
#include "softblit/surface/surface.h"

namespace {
enum : uint8_t { SRF_PLANES = 0x7F, SRF_END = 0x80, SRF_PLANE = 0x81 };
}

bool C_Surface::SaveToStream(C_Stream* stream, uint32_t /*flags*/) {
    if (stream == nullptr) return false;
    Record_WriteTag(stream, CLASS_SURFACE);
    if (planes == nullptr) {
        Record_Write<uint8_t>(stream, SRF_END);
        return true;
    }
    Record_Write<uint8_t>(stream, SRF_PLANES);
    for (uint32_t i = 0; i < planes->GetCount(); ++i) {
        C_SurfacePlane* record = static_cast<C_SurfacePlane*>(planes->GetAt(i));
        if (record == nullptr || record->image == nullptr) continue;
        Record_Write<uint8_t>(stream, SRF_PLANE);
        Record_Write<uint32_t>(stream, record->planeId);
        if (!record->image->SaveToStream(stream, 0)) return Record_MemberFailed("C_Surface", false);
    }
    Record_Write<uint8_t>(stream, SRF_END);
    return true;
}

// Planes are inserted at the front as they are read, so a reloaded surface
// holds them in the reverse of the saved order.
bool C_Surface::LoadFromStream(C_Stream* stream, uint32_t /*flags*/) {
    Release();
    Reset();
    if (!Record_ReadTag(stream, CLASS_SURFACE, "C_Surface")) return false;
    uint8_t marker = 0;
    if (!Record_Read(stream, marker)) return Record_Truncated("C_Surface");
    if (marker != SRF_PLANES) return true;

    planes = new C_Array();
    uint64_t total = 0;
    for (;;) {
        if (!Record_Read(stream, marker)) return Record_Truncated("C_Surface");
        if (marker == SRF_END) return true;
        if (marker != SRF_PLANE) continue;
        uint32_t planeId = 0;
        if (!Record_Read(stream, planeId)) return Record_Truncated("C_Surface");
        C_Image* image = new C_Image();
        if (!image->LoadFromStream(stream, 0)) {
            delete image;
            return Record_MemberFailed("C_Surface", true);
        }
        // Each image is bounded on its own; the surface as a whole is held to
        // the same bound, or a few bytes of planes whose rows the record does
        // not carry could claim gigabytes.
        total += uint64_t(image->dataSize) + image->paletteSize;
        if (total > IMAGE_MAX_STREAM_BYTES) {
            delete image;
            Release();
            Reset();
            return Err_Fail(ERR_DATA, "C_Surface::LoadFromStream{stream}", "C_Surface::LoadFromStream");
        }
        C_SurfacePlane* record = new C_SurfacePlane(0, image, planeId);
        if (!planes->Insert(record, 0)) {
            delete record;
            return Err_Fail(ERR_ALLOC, "C_Surface::LoadFromStream{planes}", "C_Surface::LoadFromStream");
        }
        if (planeId == GFX_PLANE_COLOR) {
            width = image->width;
            height = image->height;
        }
    }
}
