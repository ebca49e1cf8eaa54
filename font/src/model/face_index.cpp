#include "model/face_index.h"

#include <cstring>

#include "softblit/font/bitmap_face.h"

bool FaceIndex_Set(C_Buffer& index, uint32_t code, uint32_t value) {
    const uint32_t needed = (code + 1) * 4u;
    const uint32_t oldSize = index.data ? index.size : 0;
    if (needed > oldSize) {
        if (needed > index.capacity) {
            const uint32_t limit = (uint32_t(FONT_MAX_CHAR_CODE) + 1) * 4u;
            uint32_t grown = index.capacity > limit / 2 ? limit : index.capacity * 2;
            if (grown < needed) grown = needed;
            if (!index.Resize(grown, true)) return false;
        }
        memset(index.data + oldSize, 0, needed - oldSize);
        index.size = needed;
    }
    memcpy(index.data + code * 4u, &value, 4);
    return true;
}

void FaceIndex_Clear(C_Buffer& index) {
    index.Release();
    index.Reset();
}

uint32_t FaceIndex_Get(const C_Buffer& index, uint32_t code, uint32_t faceCount) {
    if (index.data == nullptr || code >= index.size / 4u) return 0;
    uint32_t entry;
    memcpy(&entry, index.data + code * 4u, 4);
    return entry <= faceCount ? entry : 0;
}
