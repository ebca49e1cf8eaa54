// The conversion machinery behind the public converters.
#pragma once

#include <cstddef>
#include <cstdint>

#include "softblit/image/format.h"

class C_Image;

// A rectangle of pixels addressed by logical rows: row y at row0 + y * step
// (step is negative for images stored bottom-up).
struct S_PixelView {
    uint8_t* row0;
    ptrdiff_t step;
    uint32_t width;
    uint32_t height;
    S_FormatDesc desc;
    const uint8_t* palette;
    uint32_t paletteSize;
    int32_t paletteFormat;

    uint8_t* Row(uint32_t y) const { return row0 + static_cast<ptrdiff_t>(y) * step; }
};

// A view of `image`; false when its fields do not describe a buffer that
// holds width x height pixels of its format.
bool Convert_MakeView(const C_Image* image, S_PixelView& view);

enum E_ConvertResult { CONVERT_OK, CONVERT_BAD_PALETTE };

// Pixel-by-pixel conversion between views of the same size and different
// formats; the reference that every fast path matches.
E_ConvertResult Convert_Generic(const S_PixelView& source, const S_PixelView& destination);

// Destination pixels (bytesPerPixel bytes each, or one packed level per
// entry for sub-byte destinations read back through Pixel_Fetcher) of the
// 2^bits palette entries of an indexed source.
E_ConvertResult Convert_PaletteTable(const S_PixelView& source, const S_FormatDesc& destination,
                                     uint8_t table[256 * 16]);

// One row of `width` pixels; `lut` is the palette table where the pair needs it.
using Convert_RowFn = void (*)(const uint8_t* source, uint8_t* destination, uint32_t width,
                               const uint8_t* lut);

// Turns the palette table into what the rows read, once per conversion
// (kPreparedBytes at most).
using Convert_PrepareFn = void (*)(const uint8_t* table, uint8_t* prepared);
constexpr size_t kPreparedBytes = 256 * 8;

struct S_FastPath {
    int32_t source;
    int32_t destination;
    bool needsPalette;
    Convert_RowFn row;
    Convert_PrepareFn prepare;  // null: the rows read the table itself
};

// Rows with vector tiers (convert_simd.cpp). The PAL8 row reads the table
// that Convert_Pal8Prepare made.
void Convert_Pal8Prepare(const uint8_t* table, uint8_t* prepared);
void Convert_Pal8ToA8R8G8B8(const uint8_t* source, uint8_t* destination, uint32_t width, const uint8_t* prepared);
void Convert_R5G6B5ToA8R8G8B8(const uint8_t* source, uint8_t* destination, uint32_t width, const uint8_t*);
void Convert_R8G8B8ToA8R8G8B8(const uint8_t* source, uint8_t* destination, uint32_t width, const uint8_t*);

// The row loop for the pair, or null when it has none.
const S_FastPath* Convert_FindFastPath(int32_t sourceFormat, int32_t destinationFormat);

// Fills the palette of `to` (when it has one) from the palette of `from`,
// converting the entries when the palette formats differ; zeroes it where
// there is nothing that can be carried over.
void Convert_TransferPalette(const C_Image* from, C_Image* to);
