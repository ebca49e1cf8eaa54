// Shared body of the loader fuzz targets: loads the input through a memory
// stream and aborts when a load breaks what every loader promises.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"

namespace fuzz {

inline void Require(bool condition) {
    if (!condition) abort();
}

inline bool IsReset(const C_Image& image) {
    return !image.data && !image.m_palette && image.width == 0 && image.height == 0 && image.pitch == 0 &&
           image.dataSize == 0 && image.rowBytes == 0 && image.paletteSize == 0 && image.format == GFX_FMT_NONE &&
           image.paletteFormat == GFX_FMT_NONE;
}

// A loaded image: a valid format and a buffer that holds every row. The file loaders never
// accept an empty picture; an ".img" record may hold one.
inline void CheckLoaded(const C_Image& image, bool mayBeEmpty) {
    S_FormatDesc desc;
    Require(Gfx_GetFormatDesc(image.format, desc) && desc.bitsPerPixel == image.bitsPerPixel);
    Require(mayBeEmpty || (image.width > 0 && image.height > 0));
    Require(image.data || image.dataSize == 0);
    Require(image.rowBytes == (static_cast<uint64_t>(image.width) * image.bitsPerPixel + 7) / 8);
    Require(image.pitch >= image.rowBytes);
    Require(static_cast<uint64_t>(image.pitch) * image.height <= image.dataSize);
    Require(image.dataSize <= IMAGE_MAX_STREAM_BYTES);
    // The sanitizer checks that the ends of the buffers can be read.
    volatile uint8_t touch = 0;
    if (image.dataSize) touch = touch + image.data[0] + image.data[image.dataSize - 1];
    if (image.paletteSize) touch = touch + image.m_palette[0] + image.m_palette[image.paletteSize - 1];
    Require(image.m_palette != nullptr || image.paletteSize == 0);
}

// Runs `load` twice on the same image (the second load must free the first
// image's buffers) and checks that all memory comes back.
template <class F>
int RunLoader(const uint8_t* data, size_t size, F load, bool mayBeEmpty = false) {
    if (size > (1u << 22)) return 0;
    const uint32_t baseline = Sys_Status.memoryInUse;
    {
        C_Image image;
        for (int pass = 0; pass < 2; ++pass) {
            C_Stream stream;
            stream.OpenMemoryForRead(data, static_cast<uint32_t>(size));
            if (load(image, &stream)) {
                CheckLoaded(image, mayBeEmpty);
            } else {
                Require(IsReset(image));
            }
            stream.Close();
        }
    }
    Require(Sys_Status.memoryInUse == baseline);
    return 0;
}

}  // namespace fuzz
