// C_Image: one rectangle of pixels in one format, with an optional palette of
// 256 entries, and its ".img" stream record (class type 6).
#pragma once

#include <cstdint>

#include "softblit/core/object.h"
#include "softblit/image/format.h"

class C_Color;
class C_String;
struct C_Stream;

enum : uint32_t {
    // Largest pixel buffer (bytes) that may be read from a stream or a file,
    // whatever the header claims.
    IMAGE_MAX_STREAM_BYTES = 1u << 28,
    // width x bitsPerPixel must stay below this.
    IMAGE_MAX_ROW_BITS = 1u << 24,
};

class C_Image : public C_Object {
public:
    uint8_t* data;                 // pixel buffer; null when empty
    uint32_t bitsPerPixel;
    uint32_t width;
    uint32_t height;
    uint32_t pitch;                // bytes from one row to the next
    int32_t format;                // GFX_FMT_NONE when empty
    uint32_t dataSize;             // bytes of the pixel buffer
    uint8_t* m_palette;            // 256 entries in paletteFormat; null when none
    uint32_t paletteSize;          // bytes of the palette
    int32_t paletteFormat;         // GFX_FMT_NONE when no palette
    uint32_t paletteBitsPerPixel;
    uint8_t locked;                // 1: `data` belongs to someone else and is never freed here
    uint8_t bottomUp;              // 1: row y lies at data + (height - 1 - y) * pitch
    uint32_t rowBytes;             // ceil(width * bitsPerPixel / 8)

    C_Image();
    // Deep copy, like operator=.
    C_Image(const C_Image& other);
    // Reset, then Load_Format_FromFile(fileName); left reset on failure.
    explicit C_Image(const C_String& fileName);
    ~C_Image() override;

    // Frees what the image owns (pixel buffer unless locked, palette) and
    // counts it out of the memory in use. The freed pointers and sizes are
    // cleared, so a second Release frees nothing.
    void Release() override;
    // Every field back to the empty state; frees nothing.
    void Reset() override;
    // The ".img" record. Loading validates the whole header against the
    // stream before it allocates; on any failure the image is left released
    // and reset. Rows are stored unpadded, so a loaded image has pitch =
    // rowBytes whatever pitch the saved image had.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_IMAGE; }

    // Shapes the image as width x height pixels of newFormat with pitch =
    // rowBytes, keeping the present buffer when its size fits exactly, and a
    // palette of 256 entries of newPalFormat (GFX_FMT_NONE: none). New pixels
    // are uninitialised. On failure the image is unchanged (bad format or
    // size) or holds no buffer (allocation).
    bool CreateEmpty(uint32_t width, uint32_t height, int32_t newFormat, int32_t newPalFormat);
    // CreateEmpty then Clear(colour).
    bool CreateEmpty(uint32_t width, uint32_t height, int32_t newFormat, int32_t newPalFormat,
                     const C_Color& colour);
    // Refers to the caller's buffer of height rows of `pitch` bytes, which is
    // never freed by the image. pitch must be at least rowBytes.
    bool CreateLocked(uint32_t width, uint32_t height, uint32_t pitch, int32_t newFormat,
                      int32_t newPalFormat, void* newData);

    // Deep copy; the copy owns its buffers.
    C_Image& operator=(const C_Image& other);

    // Fills every pixel (rowBytes bytes of each row) with the colour.
    bool Clear(const C_Color& colour);
    // Reverses the order of the rows in memory.
    bool FlipVertical();
    // Writes the bare pixels of 8/16/24/32-bit integer formats, row 0 first,
    // 24-bit pixels byte-reversed.
    bool Save_RAW_ToFile(const char* fileName);
    bool Save_RAW_ToFile(const C_String& fileName);

    // File loaders. Implemented by the sources under image/src/loaders/
    // (BMP, PCX and TGA readers and the dispatch on the file extension).
    // Loaders shape the image with CreateEmpty, which counts the memory.
    bool Load_Format_FromFile(const C_String& fileName);
    bool LoadBMP(C_Stream* stream);
    bool LoadBMP(const C_String& fileName);
    bool LoadPCX(C_Stream* stream);
    bool LoadPCX(const C_String& fileName);
    bool LoadTGA(C_Stream* stream);
    bool LoadTGA(const C_String& fileName);

    // Start of logical row y, honouring bottomUp. y must be below height.
    uint8_t* GetRow(uint32_t y) const {
        return data + static_cast<uintptr_t>(bottomUp ? height - 1 - y : y) * pitch;
    }
};

// ceil(width * bitsPerPixel / 8); the caller keeps width * bitsPerPixel below
// IMAGE_MAX_ROW_BITS.
inline uint32_t Image_RowBytes(uint32_t width, uint32_t bitsPerPixel) {
    return static_cast<uint32_t>((static_cast<uint64_t>(width) * bitsPerPixel + 7) / 8);
}
