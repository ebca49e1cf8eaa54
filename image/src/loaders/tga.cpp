// Truevision TGA reader: colour-mapped (types 1, 9) into PAL8, true colour
// (types 2, 10) into R5G5B5, R8G8B8 or R8G8B8A8, grey (types 3, 11) into L8;
// uncompressed or run-length coded, in any of the four corner orders.
#include <cstring>

#include "loaders/loader_input.h"
#include "softblit/core/status.h"
#include "softblit/core/string.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"

namespace {

const char kBadFile[] = "C_Image::LoadTGA(stream)";
const char kDataText[] = "C_Image::LoadTGA{data}(stream)";
const char kPaletteText[] = "C_Image::LoadTGA{m_palette}(stream)";
const char kPlace[] = "C_Image::Load_TGA";

constexpr uint32_t kHeaderBytes = 18;
constexpr uint8_t kDescRightToLeft = 0x10;
constexpr uint8_t kDescTopToBottom = 0x20;
constexpr uint8_t kDescInterleave = 0xC0;

struct S_TgaInfo {
    uint32_t idLength;
    uint32_t mapType;
    uint32_t imageType;
    uint32_t mapFirst;
    uint32_t mapLength;
    uint32_t mapEntryBits;
    uint32_t width;
    uint32_t height;
    uint32_t bitCount;
    uint8_t descriptor;
    bool colourMapped;
    bool rle;
    int32_t format;
    uint32_t bytesPerPixel;
};

bool Bad(C_Image* image) { return Loader_Fail(image, ERR_DATA, kBadFile, kPlace); }

bool ParseHeader(const uint8_t* h, S_TgaInfo& info) {
    info.idLength = h[0];
    info.mapType = h[1];
    info.imageType = h[2];
    info.mapFirst = Get16(h + 3);
    info.mapLength = Get16(h + 5);
    info.mapEntryBits = h[7];
    // h[8..11]: the screen position of the image, not needed here.
    info.width = Get16(h + 12);
    info.height = Get16(h + 14);
    info.bitCount = h[16];
    info.descriptor = h[17];

    if (info.width == 0 || info.height == 0 || info.mapType > 1 || (info.descriptor & kDescInterleave)) return false;
    info.rle = info.imageType >= 9;
    switch (info.imageType) {
        case 1:
        case 9:
            if (info.mapType != 1 || info.bitCount != 8 || info.mapFirst != 0 || info.mapLength == 0 ||
                info.mapLength > 256)
                return false;
            if (info.mapEntryBits != 15 && info.mapEntryBits != 16 && info.mapEntryBits != 24 &&
                info.mapEntryBits != 32)
                return false;
            info.colourMapped = true;
            info.format = GFX_FMT_PAL8;
            break;
        case 2:
        case 10:
            info.colourMapped = false;
            if (info.bitCount == 15 || info.bitCount == 16) {
                info.format = GFX_FMT_R5G5B5;
            } else if (info.bitCount == 24) {
                info.format = GFX_FMT_R8G8B8;
            } else if (info.bitCount == 32) {
                info.format = GFX_FMT_R8G8B8A8;
            } else {
                return false;
            }
            break;
        case 3:
        case 11:
            if (info.bitCount != 8) return false;
            info.colourMapped = false;
            info.format = GFX_FMT_L8;
            break;
        default:
            return false;
    }
    info.bytesPerPixel = (info.bitCount + 7) / 8;
    return true;
}

// Colour-map entries of 15, 16, 24 or 32 bits into blue, green, red bytes.
bool ReadColourMap(S_LoaderInput& in, const S_TgaInfo& info, uint8_t* palette) {
    const uint32_t entryBytes = (info.mapEntryBits + 7) / 8;
    for (uint32_t i = 0; i < info.mapLength; ++i) {
        uint8_t e[4];
        if (!Input_Read(in, e, entryBytes)) return false;
        uint8_t* out = palette + 3 * i;
        if (entryBytes == 2) {
            uint32_t v = Get16(e);
            out[0] = Loader_Widen8(v & 31, 5);
            out[1] = Loader_Widen8((v >> 5) & 31, 5);
            out[2] = Loader_Widen8((v >> 10) & 31, 5);
        } else {
            memcpy(out, e, 3);
        }
    }
    return true;
}

// Run-length packets, which may cross rows, into `count` pixels in file order.
bool DecodeRle(S_LoaderInput& in, uint8_t* out, uint64_t count, uint32_t bytesPerPixel) {
    uint64_t done = 0;
    while (done < count) {
        uint8_t h;
        if (!Input_Byte(in, h)) return false;
        uint32_t n = (h & 127u) + 1;
        if (n > count - done) return false;
        uint8_t* dst = out + done * bytesPerPixel;
        if (h & 128) {
            if (!Input_Read(in, dst, bytesPerPixel)) return false;
            for (uint32_t i = 1; i < n; ++i) memcpy(dst + i * bytesPerPixel, dst, bytesPerPixel);
        } else if (!Input_Read(in, dst, static_cast<uint64_t>(n) * bytesPerPixel)) {
            return false;
        }
        done += n;
    }
    return true;
}

// File bytes blue, green, red, alpha become the R8G8B8A8 value, whose bytes
// in memory are alpha, blue, green, red.
void StoreRgba(uint8_t* data, uint64_t count) {
    for (uint64_t i = 0; i < count; ++i, data += 4) {
        uint8_t alpha = data[3];
        data[3] = data[2];
        data[2] = data[1];
        data[1] = data[0];
        data[0] = alpha;
    }
}

bool Load(C_Image* image, S_LoaderInput& in) {
    uint8_t header[kHeaderBytes];
    S_TgaInfo info;
    if (!Input_Read(in, header, sizeof(header)) || !ParseHeader(header, info)) return Bad(image);
    if (!Input_Skip(in, info.idLength)) return Bad(image);

    const uint32_t mapBytes = info.mapType ? info.mapLength * ((info.mapEntryBits + 7) / 8) : 0;
    if (mapBytes > Input_Left(in)) return Bad(image);
    const uint64_t dataLeft = Input_Left(in) - mapBytes;
    const uint64_t pixels = static_cast<uint64_t>(info.width) * info.height;
    const uint32_t bpp = info.bytesPerPixel;
    if (!Loader_SizeAccepted(info.width, info.height, 8 * bpp)) return Bad(image);
    // A run-length packet of 1 + bpp bytes makes at most 128 pixels.
    uint64_t needed = info.rle ? (pixels + 127) / 128 * (1 + bpp) : pixels * bpp;
    if (needed > dataLeft) return Bad(image);

    if (const char* failed =
            Loader_Allocate(image, info.width, info.height, info.format, info.colourMapped, kDataText, kPaletteText))
        return Loader_Fail(image, ERR_ALLOC, failed, kPlace);
    if (info.colourMapped) {
        if (!ReadColourMap(in, info, image->m_palette)) return Bad(image);
    } else if (!Input_Skip(in, mapBytes)) {  // a colour map on a true-colour or grey file
        return Bad(image);
    }

    bool ok = info.rle ? DecodeRle(in, image->data, pixels, bpp) : Input_Read(in, image->data, pixels * bpp);
    if (!ok) return Bad(image);
    if (bpp == 4) StoreRgba(image->data, pixels);
    if (!(info.descriptor & kDescTopToBottom)) Loader_FlipRows(image->data, image->pitch, info.height);
    if (info.descriptor & kDescRightToLeft) Loader_MirrorRows(image->data, info.width, info.height, bpp);
    return true;
}

}  // namespace

bool C_Image::LoadTGA(C_Stream* stream) { return Loader_RunStream(this, stream, Load); }

bool C_Image::LoadTGA(const C_String& fileName) {
    return Loader_RunFile(this, fileName, Load, "C_Image::LoadTGA(%s)", kPlace);
}
