// Windows bitmap reader: 40-, 108- and 124-byte info headers; 1, 4 and 8 bits
// per pixel (uncompressed, or run-length coded at 4 and 8 bits) into PAL8;
// 16 bits (5-5-5 or 5-6-5) kept as they are; 24 bits into R8G8B8; 32 bits
// into A8R8G8B8.
#include <cstdlib>
#include <cstring>

#include "loaders/loader_input.h"
#include "softblit/core/status.h"
#include "softblit/core/string.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"

namespace {

const char kBadFile[] = "C_Image::LoadBMP(stream)";
const char kDataText[] = "C_Image::LoadBMP{data}(stream)";
const char kPaletteText[] = "C_Image::LoadBMP{m_palette}(stream)";
const char kPlace[] = "C_Image::Load_BMP";

enum : uint32_t {
    BMP_RGB = 0,
    BMP_RLE8 = 1,
    BMP_RLE4 = 2,
    BMP_BITFIELDS = 3,
    BMP_ALPHABITFIELDS = 6,
};

constexpr uint32_t kFileHeaderBytes = 14;

bool Bad(C_Image* image) { return Loader_Fail(image, ERR_DATA, kBadFile, kPlace); }

struct S_BmpInfo {
    uint32_t dataOffset;  // from the first byte of the file header
    uint32_t headerSize;
    uint32_t width;
    uint32_t height;
    bool topDown;
    uint32_t bitCount;
    uint32_t compression;
    uint32_t colorsUsed;
    uint32_t mask[4];  // red, green, blue, alpha; 0 = channel absent
};

// The 16-bit layouts that are kept pixel for pixel.
struct S_Bmp16Layout {
    uint32_t mask[4];
    int32_t format;
};

const S_Bmp16Layout kLayouts16[] = {
    {{0x7C00, 0x03E0, 0x001F, 0x0000}, GFX_FMT_R5G5B5},
    {{0xF800, 0x07E0, 0x001F, 0x0000}, GFX_FMT_R5G6B5},
    {{0x7C00, 0x03E0, 0x001F, 0x8000}, GFX_FMT_A1R5G5B5},  // 5-5-5 whose header names the alpha bit
};

// Reads both headers and the bit-field masks. Returns the bytes consumed from
// the start of the file, or 0 when the file is not an accepted bitmap.
uint32_t ReadHeaders(S_LoaderInput& in, S_BmpInfo& info) {
    uint8_t file[kFileHeaderBytes];
    uint8_t header[124];
    if (!Input_Read(in, file, sizeof(file)) || Get16(file) != 0x4D42) return 0;
    info.dataOffset = Get32(file + 10);

    if (!Input_Read(in, header, 4)) return 0;
    info.headerSize = Get32(header);
    if (info.headerSize != 40 && info.headerSize != 108 && info.headerSize != 124) return 0;
    if (!Input_Read(in, header + 4, info.headerSize - 4)) return 0;

    int32_t width = static_cast<int32_t>(Get32(header + 4));
    int32_t height = static_cast<int32_t>(Get32(header + 8));
    if (width <= 0 || height == 0 || height == INT32_MIN) return 0;
    info.width = static_cast<uint32_t>(width);
    info.topDown = height < 0;
    info.height = static_cast<uint32_t>(height < 0 ? -height : height);
    info.bitCount = Get16(header + 14);
    info.compression = Get32(header + 16);
    info.colorsUsed = Get32(header + 32);

    uint32_t consumed = kFileHeaderBytes + info.headerSize;
    memset(info.mask, 0, sizeof(info.mask));
    bool fields = info.compression == BMP_BITFIELDS || info.compression == BMP_ALPHABITFIELDS;
    if (info.headerSize >= 108) {
        // The larger headers carry the masks themselves; the alpha mask counts
        // whatever the compression says.
        if (fields) {
            for (int c = 0; c < 3; ++c) info.mask[c] = Get32(header + 40 + 4 * c);
        }
        info.mask[3] = Get32(header + 52);
    } else if (fields) {
        uint32_t count = info.compression == BMP_ALPHABITFIELDS ? 4 : 3;
        uint8_t masks[16];
        if (!Input_Read(in, masks, 4 * count)) return 0;
        for (uint32_t c = 0; c < count; ++c) info.mask[c] = Get32(masks + 4 * c);
        consumed += 4 * count;
    }
    if (!fields) {
        if (info.bitCount == 16) {
            info.mask[0] = 0x7C00, info.mask[1] = 0x03E0, info.mask[2] = 0x001F;
        } else if (info.bitCount == 32) {
            info.mask[0] = 0xFF0000, info.mask[1] = 0xFF00, info.mask[2] = 0xFF;
        }
    }

    switch (info.compression) {
        case BMP_RGB:
            if (info.bitCount != 1 && info.bitCount != 4 && info.bitCount != 8 && info.bitCount != 16 &&
                info.bitCount != 24 && info.bitCount != 32)
                return 0;
            break;
        case BMP_RLE8:
        case BMP_RLE4:
            // Run-length data are always stored bottom row first.
            if (info.bitCount != (info.compression == BMP_RLE8 ? 8u : 4u) || info.topDown) return 0;
            break;
        case BMP_BITFIELDS:
        case BMP_ALPHABITFIELDS:
            if (info.bitCount != 16 && info.bitCount != 32) return 0;
            break;
        default:
            return 0;
    }
    if (info.bitCount <= 8 && info.colorsUsed > (1u << info.bitCount)) return 0;
    return consumed;
}

// Output format of the file, or GFX_FMT_NONE when its masks are not accepted.
int32_t OutputFormat(const S_BmpInfo& info) {
    if (info.bitCount <= 8) return GFX_FMT_PAL8;
    if (info.bitCount == 24) return GFX_FMT_R8G8B8;
    if (info.bitCount == 16) {
        for (const S_Bmp16Layout& layout : kLayouts16) {
            if (memcmp(layout.mask, info.mask, sizeof(layout.mask)) == 0) return layout.format;
        }
        return GFX_FMT_NONE;
    }
    // 32 bits: any masks whose bits are contiguous and do not overlap, with
    // at least one colour channel (without one the pixels have no colour).
    if ((info.mask[0] | info.mask[1] | info.mask[2]) == 0) return GFX_FMT_NONE;
    uint32_t seen = 0;
    for (uint32_t mask : info.mask) {
        if (!mask) continue;
        uint32_t low = mask & (~mask + 1);
        if (((mask + low) & mask) != 0 || (seen & mask) != 0) return GFX_FMT_NONE;
        seen |= mask;
    }
    return GFX_FMT_A8R8G8B8;
}

struct S_Channel {
    uint32_t mask;
    uint32_t shift;
    uint32_t bits;
};

S_Channel DescribeMask(uint32_t mask) {
    S_Channel channel = {mask, 0, 0};
    if (!mask) return channel;
    while (!((mask >> channel.shift) & 1)) ++channel.shift;
    while (channel.shift + channel.bits < 32 && ((mask >> (channel.shift + channel.bits)) & 1)) ++channel.bits;
    return channel;
}

// Turns one file row into one image row.
struct S_RowConverter {
    uint32_t bitCount;
    uint32_t width;
    S_Channel channel[4];
};

void ConvertRow(const S_RowConverter& conv, const uint8_t* src, uint8_t* dst) {
    switch (conv.bitCount) {
        case 1:
        case 4: {
            uint32_t perByte = 8 / conv.bitCount;
            uint32_t mask = (1u << conv.bitCount) - 1;
            for (uint32_t x = 0; x < conv.width; ++x) {
                uint32_t shift = 8 - conv.bitCount * (x % perByte + 1);
                dst[x] = static_cast<uint8_t>((src[x / perByte] >> shift) & mask);
            }
            break;
        }
        case 32: {
            const S_Channel* ch = conv.channel;
            for (uint32_t x = 0; x < conv.width; ++x, src += 4, dst += 4) {
                uint32_t v = Get32(src);
                dst[0] = Loader_Widen8((v & ch[2].mask) >> ch[2].shift, ch[2].bits);
                dst[1] = Loader_Widen8((v & ch[1].mask) >> ch[1].shift, ch[1].bits);
                dst[2] = Loader_Widen8((v & ch[0].mask) >> ch[0].shift, ch[0].bits);
                dst[3] = ch[3].mask ? Loader_Widen8((v & ch[3].mask) >> ch[3].shift, ch[3].bits) : 255;
            }
            break;
        }
        default:  // 8, 16 and 24 bits are kept byte for byte
            memcpy(dst, src, static_cast<size_t>(conv.width) * (conv.bitCount / 8));
            break;
    }
}

uint8_t* ImageRow(C_Image* image, const S_BmpInfo& info, uint32_t fileRow) {
    uint32_t y = info.topDown ? fileRow : info.height - 1 - fileRow;
    return image->data + static_cast<size_t>(y) * image->pitch;
}

// 0 on success, else the error code.
int32_t ReadRows(S_LoaderInput& in, C_Image* image, const S_BmpInfo& info) {
    // Every row is padded to a multiple of 4 bytes, whatever the image-size
    // field says; the padding after the last row may be missing.
    uint64_t rowBits = static_cast<uint64_t>(info.width) * info.bitCount;
    uint32_t usedBytes = static_cast<uint32_t>((rowBits + 7) / 8);
    uint32_t padding = static_cast<uint32_t>((rowBits + 31) / 32 * 4) - usedBytes;

    S_RowConverter conv = {info.bitCount, info.width, {}};
    for (int c = 0; c < 4; ++c) conv.channel[c] = DescribeMask(info.mask[c]);

    bool direct = info.bitCount == 8 || info.bitCount == 16 || info.bitCount == 24;
    uint8_t* scratch = nullptr;
    if (!direct) {
        scratch = static_cast<uint8_t*>(Mem_Alloc(usedBytes));
        if (!scratch) return ERR_ALLOC;
        Mem_AddUsage(usedBytes);
    }
    bool ok = true;
    for (uint32_t row = 0; ok && row < info.height; ++row) {
        uint8_t* out = ImageRow(image, info, row);
        ok = Input_Read(in, direct ? out : scratch, usedBytes);
        if (ok && !direct) ConvertRow(conv, scratch, out);
        if (ok && row + 1 < info.height) ok = Input_Skip(in, padding);
    }
    if (scratch) {
        Mem_Free(scratch);
        Mem_SubUsage(usedBytes);
    }
    return ok ? 0 : ERR_DATA;
}

// Run-length coded rows (bottom row first). Pixels that the data skip with a
// delta, an end of line or the end of the bitmap stay index 0. Some writers
// code each row with its padding, so runs may reach the padded row length;
// the pixels beyond the width are dropped.
bool DecodeRle(S_LoaderInput& in, C_Image* image, const S_BmpInfo& info) {
    const bool four = info.compression == BMP_RLE4;
    const uint32_t width = info.width;
    const uint32_t height = info.height;
    const uint32_t rowLimit = static_cast<uint32_t>((static_cast<uint64_t>(width) * info.bitCount + 31) / 32 * 32 /
                                                    info.bitCount);
    uint32_t x = 0;
    uint32_t y = 0;
    memset(image->data, 0, image->dataSize);
    for (;;) {
        uint8_t code[2];
        if (!Input_Read(in, code, 2)) return false;  // the data must close with the end marker
        if (code[0] > 0) {
            uint32_t n = code[0];
            if (y >= height || n > rowLimit - x) return false;
            uint8_t* out = ImageRow(image, info, y);
            uint32_t end = x + n < width ? x + n : width;
            for (uint32_t i = x; i < end; ++i) out[i] = four ? ((i - x) & 1 ? code[1] & 15 : code[1] >> 4) : code[1];
            x += n;
            continue;
        }
        switch (code[1]) {
            case 0:  // end of line
                if (y >= height) return false;
                x = 0;
                ++y;
                break;
            case 1:  // end of bitmap
                return true;
            case 2: {  // delta
                uint8_t d[2];
                if (!Input_Read(in, d, 2)) return false;
                x += d[0];
                y += d[1];
                if (x > rowLimit || y > height || (y == height && x > 0)) return false;
                break;
            }
            default: {  // literal pixels, padded to an even byte count
                uint32_t n = code[1];
                if (y >= height || n > rowLimit - x) return false;
                uint32_t bytes = four ? (n + 1) / 2 : n;
                uint8_t literal[256];
                if (!Input_Read(in, literal, bytes + (bytes & 1))) return false;
                uint8_t* out = ImageRow(image, info, y);
                uint32_t end = x + n < width ? x + n : width;
                for (uint32_t i = x; i < end; ++i) {
                    uint32_t k = i - x;
                    out[i] = four ? static_cast<uint8_t>(k & 1 ? literal[k / 2] & 15 : literal[k / 2] >> 4)
                                  : literal[k];
                }
                x += n;
                break;
            }
        }
    }
}

bool Load(C_Image* image, S_LoaderInput& in) {
    S_BmpInfo info;
    uint32_t consumed = ReadHeaders(in, info);
    if (!consumed) return Bad(image);
    int32_t outFormat = OutputFormat(info);
    if (outFormat == GFX_FMT_NONE) return Bad(image);

    // The palette follows the headers; the data offset may cut it short.
    uint32_t paletteEntries = 0;
    if (info.bitCount <= 8) {
        if (info.dataOffset < consumed) return Bad(image);
        paletteEntries = info.colorsUsed ? info.colorsUsed : 1u << info.bitCount;
        uint32_t room = (info.dataOffset - consumed) / 4;
        if (room < paletteEntries) paletteEntries = room;
    }
    uint32_t paletteBytes = paletteEntries * 4;
    if (info.dataOffset < consumed + paletteBytes) return Bad(image);
    uint64_t gap = info.dataOffset - consumed - paletteBytes;
    if (paletteBytes + gap > Input_Left(in)) return Bad(image);
    uint64_t dataLeft = Input_Left(in) - paletteBytes - gap;

    S_FormatDesc desc;
    Gfx_GetFormatDesc(outFormat, desc);
    if (!Loader_SizeAccepted(info.width, info.height, desc.bitsPerPixel)) return Bad(image);
    const bool rle = info.compression == BMP_RLE4 || info.compression == BMP_RLE8;
    const uint64_t rowBits = static_cast<uint64_t>(info.width) * info.bitCount;
    if (rle) {
        // Two bytes of run-length data make at most 255 pixels.
        if (static_cast<uint64_t>(info.width) * info.height > dataLeft * 128) return Bad(image);
    } else if ((rowBits + 31) / 32 * 4 * (info.height - 1) + (rowBits + 7) / 8 > dataLeft) {
        return Bad(image);  // the padding after the last row may be missing
    }

    if (const char* failed =
            Loader_Allocate(image, info.width, info.height, outFormat, info.bitCount <= 8, kDataText, kPaletteText))
        return Loader_Fail(image, ERR_ALLOC, failed, kPlace);
    for (uint32_t i = 0; i < paletteEntries; ++i) {
        uint8_t entry[4];
        if (!Input_Read(in, entry, 4)) return Bad(image);
        memcpy(image->m_palette + 3 * i, entry, 3);  // blue, green, red: the memory order of R8G8B8
    }
    if (!Input_Skip(in, gap)) return Bad(image);

    int32_t error = rle ? (DecodeRle(in, image, info) ? 0 : ERR_DATA) : ReadRows(in, image, info);
    if (error) return Loader_Fail(image, error, error == ERR_ALLOC ? kDataText : kBadFile, kPlace);
    return true;
}

}  // namespace

bool C_Image::LoadBMP(C_Stream* stream) { return Loader_RunStream(this, stream, Load); }

bool C_Image::LoadBMP(const C_String& fileName) {
    return Loader_RunFile(this, fileName, Load, "C_Image::LoadBMP(%s)", kPlace);
}
