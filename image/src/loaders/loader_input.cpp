#include "loaders/loader_input.h"

#include <cstring>

#include "softblit/core/status.h"
#include "softblit/core/string.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"

void Input_Open(S_LoaderInput& in, C_Stream* stream) {
    in.stream = stream;
    in.streamLeft = Stream_BytesLeft(stream);
    in.window = in.streamLeft;
    in.head = 0;
    in.tail = 0;
}

void Input_Close(S_LoaderInput& in) {
    uint32_t unused = in.tail - in.head;
    in.head = in.tail = 0;
    if (!unused || !in.stream) return;
    if (in.stream->kind == STREAM_MEMORY_READ) {
        in.stream->position -= unused;
    } else {
        Stream_Seek(in.stream, -static_cast<int32_t>(unused), STREAM_SEEK_CUR);
    }
}

bool Input_Refill(S_LoaderInput& in) {
    if (in.head != in.tail) return true;
    in.head = in.tail = 0;
    uint64_t want = in.streamLeft < sizeof(in.buffer) ? in.streamLeft : sizeof(in.buffer);
    if (!want) return false;
    uint32_t got = Stream_Read(in.buffer, 1, static_cast<uint32_t>(want), in.stream);
    if (got > want) got = static_cast<uint32_t>(want);
    in.tail = got;
    in.streamLeft = got == want ? in.streamLeft - got : 0;
    return got != 0;
}

bool Input_Read(S_LoaderInput& in, void* destination, uint64_t bytes) {
    if (bytes > in.window) return false;
    uint8_t* out = static_cast<uint8_t*>(destination);
    uint32_t buffered = in.tail - in.head;
    uint64_t first = bytes < buffered ? bytes : buffered;
    if (first) {
        memcpy(out, in.buffer + in.head, static_cast<size_t>(first));
        in.head += static_cast<uint32_t>(first);
        in.window -= first;
        out += first;
        bytes -= first;
    }
    if (!bytes) return true;
    // Large blocks go straight from the stream to their destination.
    if (bytes >= sizeof(in.buffer)) {
        if (bytes > in.streamLeft) return false;
        while (bytes) {
            uint32_t chunk = bytes > 0x10000000u ? 0x10000000u : static_cast<uint32_t>(bytes);
            uint32_t got = Stream_Read(out, 1, chunk, in.stream);
            if (got != chunk) {
                in.streamLeft = 0;
                in.window = 0;
                return false;
            }
            in.streamLeft -= chunk;
            in.window -= chunk;
            out += chunk;
            bytes -= chunk;
        }
        return true;
    }
    if (!Input_Refill(in) || in.tail - in.head < bytes) return false;
    memcpy(out, in.buffer + in.head, static_cast<size_t>(bytes));
    in.head += static_cast<uint32_t>(bytes);
    in.window -= bytes;
    return true;
}

bool Input_Skip(S_LoaderInput& in, uint64_t bytes) {
    if (bytes > in.window) return false;
    while (bytes) {
        if (in.head == in.tail && !Input_Refill(in)) return false;
        uint32_t buffered = in.tail - in.head;
        uint32_t n = bytes < buffered ? static_cast<uint32_t>(bytes) : buffered;
        in.head += n;
        in.window -= n;
        bytes -= n;
    }
    return true;
}

bool Loader_SizeAccepted(uint64_t width, uint64_t height, uint32_t bitsPerPixel) {
    if (width == 0 || height == 0) return false;
    uint64_t rowBits = width * bitsPerPixel;
    if (rowBits >= IMAGE_MAX_ROW_BITS) return false;
    return ((rowBits + 7) / 8) * height <= IMAGE_MAX_STREAM_BYTES;
}

const char* Loader_Allocate(C_Image* image, uint32_t width, uint32_t height, int32_t format, bool withPalette,
                            const char* dataText, const char* paletteText) {
    if (!image->CreateEmpty(width, height, format, GFX_FMT_NONE) || !image->data) return dataText;
    if (!withPalette) return nullptr;
    if (!image->CreateEmpty(width, height, format, GFX_FMT_R8G8B8) || !image->m_palette) return paletteText;
    memset(image->m_palette, 0, image->paletteSize);
    return nullptr;
}

bool Loader_RunStream(C_Image* image, C_Stream* stream, F_LoaderBody body) {
    image->Release();
    image->Reset();
    S_LoaderInput in;
    Input_Open(in, stream);
    bool ok = body(image, in);
    Input_Close(in);
    return ok;
}

bool Loader_RunFile(C_Image* image, const C_String& fileName, F_LoaderBody body, const char* openText,
                    const char* place) {
    const char* name = fileName.GetText() ? fileName.GetText() : "";
    C_Stream stream;
    if (!stream.OpenFileForRead(name)) {
        Err_Set(ERR_OPEN_READ, 0, 0, openText, name);
        Err_Fatal(place);
        image->Release();
        image->Reset();
        return false;
    }
    bool ok = Loader_RunStream(image, &stream, body);
    stream.CloseFile();
    return ok;
}

bool Loader_Fail(C_Image* image, int32_t code, const char* text, const char* place) {
    Err_Fail(code, text, place);
    image->Release();
    image->Reset();
    return false;
}

uint8_t Loader_Widen8(uint32_t value, uint32_t bits) {
    if (bits == 0) return 0;
    if (bits >= 8) return static_cast<uint8_t>(value >> (bits - 8));
    uint32_t gain = 8 - bits;
    if (gain <= bits) return static_cast<uint8_t>((value << gain) + (value & ((1u << gain) - 1)));
    uint32_t out = 0;
    uint32_t filled = 0;
    while (filled < 8) {
        out = (out << bits) | value;
        filled += bits;
    }
    return static_cast<uint8_t>(out >> (filled - 8));
}

void Loader_FlipRows(uint8_t* data, uint32_t rowBytes, uint32_t height) {
    uint8_t scratch[256];
    for (uint32_t y = 0; y < height / 2; ++y) {
        uint8_t* a = data + static_cast<size_t>(y) * rowBytes;
        uint8_t* b = data + static_cast<size_t>(height - 1 - y) * rowBytes;
        for (uint32_t done = 0; done < rowBytes;) {
            uint32_t n = rowBytes - done < sizeof(scratch) ? rowBytes - done : sizeof(scratch);
            memcpy(scratch, a + done, n);
            memcpy(a + done, b + done, n);
            memcpy(b + done, scratch, n);
            done += n;
        }
    }
}

void Loader_MirrorRows(uint8_t* data, uint32_t width, uint32_t height, uint32_t bytesPerPixel) {
    uint8_t scratch[4];
    size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = data + y * rowBytes;
        for (uint32_t x = 0; x < width / 2; ++x) {
            uint8_t* a = row + static_cast<size_t>(x) * bytesPerPixel;
            uint8_t* b = row + static_cast<size_t>(width - 1 - x) * bytesPerPixel;
            memcpy(scratch, a, bytesPerPixel);
            memcpy(a, b, bytesPerPixel);
            memcpy(b, scratch, bytesPerPixel);
        }
    }
}
