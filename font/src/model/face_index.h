// faceIndex upkeep shared by AddFace and the loader.
#pragma once

#include <cstdint>

#include "softblit/core/buffer.h"

// Makes the index cover `code` (new entries 0, old ones kept) and sets its
// entry to `value`. Capacity grows geometrically so that filling the index
// code by code stays linear. False when memory runs out (index unchanged).
bool FaceIndex_Set(C_Buffer& index, uint32_t code, uint32_t value);
// Frees the index.
void FaceIndex_Clear(C_Buffer& index);
// Position + 1 of the face of `code`, or 0 when the index has none for it
// or its entry lies past `faceCount`.
uint32_t FaceIndex_Get(const C_Buffer& index, uint32_t code, uint32_t faceCount);
