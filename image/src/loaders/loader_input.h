// Shared pieces of the BMP, PCX and TGA loaders: a buffered reader that never
// takes more bytes than the stream holds, little-endian field access, the size
// limits that every loaded image obeys, and the common failure exit.
#pragma once

#include <cstdint>

#include "softblit/core/stream.h"

class C_Image;
class C_String;

// Reads a stream through a small buffer. Every read is checked against the
// bytes the stream can still supply, so a header that promises more data
// than exists is caught before anything is allocated for it. A window can
// narrow the readable bytes to a region (the PCX pixel data before its
// trailing palette).
struct S_LoaderInput {
    C_Stream* stream;
    uint64_t streamLeft;  // bytes not yet pulled from the stream
    uint64_t window;      // bytes that may still be consumed (buffered ones included)
    uint32_t head;        // unread buffered bytes are buffer[head, tail)
    uint32_t tail;
    uint8_t buffer[4096];
};

void Input_Open(S_LoaderInput& in, C_Stream* stream);
// Hands the buffered bytes that were not consumed back to the stream, so that
// it stands just after the last byte the loader used.
void Input_Close(S_LoaderInput& in);

inline uint64_t Input_Left(const S_LoaderInput& in) { return in.window; }
// Narrows the readable bytes to the next `bytes` (at most Input_Left).
inline void Input_SetWindow(S_LoaderInput& in, uint64_t bytes) {
    if (bytes < in.window) in.window = bytes;
}
// Widens the window again to everything the stream still holds.
inline void Input_ClearWindow(S_LoaderInput& in) { in.window = (in.tail - in.head) + in.streamLeft; }

// True when all `bytes` arrived; on false nothing useful was read.
bool Input_Read(S_LoaderInput& in, void* destination, uint64_t bytes);
bool Input_Skip(S_LoaderInput& in, uint64_t bytes);
bool Input_Refill(S_LoaderInput& in);

inline bool Input_Byte(S_LoaderInput& in, uint8_t& value) {
    if (in.window == 0) return false;
    if (in.head == in.tail && !Input_Refill(in)) return false;
    value = in.buffer[in.head++];
    --in.window;
    return true;
}

inline uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// True when an image of this shape may be read: a row of fewer than
// IMAGE_MAX_ROW_BITS bits and at most IMAGE_MAX_STREAM_BYTES of pixels.
bool Loader_SizeAccepted(uint64_t width, uint64_t height, uint32_t bitsPerPixel);

// Shapes `image` (pixels, and a zeroed 256-entry GFX_FMT_R8G8B8 palette when
// `withPalette`). Returns null on success, else `dataText` or `paletteText`
// for the part that could not be allocated (to be reported as error 3).
const char* Loader_Allocate(C_Image* image, uint32_t width, uint32_t height, int32_t format, bool withPalette,
                     const char* dataText, const char* paletteText);

// The body of a stream loader: parses from `in` into `image`, which starts
// released and reset; on failure it reports and leaves the image so.
typedef bool (*F_LoaderBody)(C_Image* image, S_LoaderInput& in);

// The stream operation around a body: frees what the image holds, reads the
// file through a buffered input, and leaves the stream after the bytes used.
bool Loader_RunStream(C_Image* image, C_Stream* stream, F_LoaderBody body);
// The file-name operation: opens the file (error 11 with `openText`, a format
// holding one %s for the name, then the fatal record of `place`) and runs the
// stream operation on it.
bool Loader_RunFile(C_Image* image, const C_String& fileName, F_LoaderBody body, const char* openText,
                    const char* place);

// The common failure exit: records `code` with `text`, then the fatal record
// of `place`, and leaves the image released and reset. Returns false.
bool Loader_Fail(C_Image* image, int32_t code, const char* text, const char* place);

// Widens a channel of `bits` bits to 8 bits: by the framework's conversion
// rule when 8 - bits <= bits, by repeating the bits otherwise, so that the
// largest value always becomes 255.
uint8_t Loader_Widen8(uint32_t value, uint32_t bits);

// Swaps rows so that the first row in memory becomes the last.
void Loader_FlipRows(uint8_t* data, uint32_t rowBytes, uint32_t height);
// Reverses the order of the pixels within every row.
void Loader_MirrorRows(uint8_t* data, uint32_t width, uint32_t height, uint32_t bytesPerPixel);
