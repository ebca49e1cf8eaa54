// PC Paintbrush reader: one plane of 8 bits with the palette at the end of the
// file into PAL8, three planes of 8 bits into R8G8B8, and the 16-colour kinds
// (1 to 4 planes of 1 bit, or one plane of 4 bits) into PAL8 with the header's
// palette.
#include <cstdlib>
#include <cstring>

#include "loaders/loader_input.h"
#include "softblit/core/status.h"
#include "softblit/core/string.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"

namespace {

const char kBadFile[] = "C_Image::LoadPCX(stream)";
const char kDataText[] = "C_Image::LoadPCX{data}(stream)";
const char kRowText[] = "C_Image::LoadPCX{pixelRow}(stream)";
const char kPaletteText[] = "C_Image::LoadPCX{filename}(stream)";
const char kPlace[] = "C_Image::Load_PCX";

constexpr uint32_t kHeaderBytes = 128;
constexpr uint32_t kPaletteMarker = 12;
constexpr uint32_t kTrailerBytes = 1 + 256 * 3;  // marker and palette after the pixel data

enum E_PcxKind { PCX_PALETTE8, PCX_RGB24, PCX_PLANAR16 };

struct S_PcxInfo {
    E_PcxKind kind;
    uint32_t width;
    uint32_t height;
    uint32_t bitsPerPlane;
    uint32_t planes;
    uint32_t bytesPerLine;
    uint8_t headerPalette[48];
};

bool Bad(C_Image* image) { return Loader_Fail(image, ERR_DATA, kBadFile, kPlace); }

bool ParseHeader(const uint8_t* h, S_PcxInfo& info) {
    if (h[0] != 10 || h[2] != 1) return false;  // manufacturer, run-length encoding
    uint32_t xMin = Get16(h + 4), yMin = Get16(h + 6), xMax = Get16(h + 8), yMax = Get16(h + 10);
    if (xMax < xMin || yMax < yMin) return false;
    info.width = xMax - xMin + 1;
    info.height = yMax - yMin + 1;
    info.bitsPerPlane = h[3];
    info.planes = h[65];
    info.bytesPerLine = Get16(h + 66);
    memcpy(info.headerPalette, h + 16, sizeof(info.headerPalette));

    if (info.bitsPerPlane == 8 && info.planes == 1) {
        if (h[1] != 5) return false;  // only version 5 files carry the 256-colour palette
        info.kind = PCX_PALETTE8;
    } else if (info.bitsPerPlane == 8 && info.planes == 3) {
        info.kind = PCX_RGB24;
    } else if ((info.bitsPerPlane == 1 && info.planes >= 1 && info.planes <= 4) ||
               (info.bitsPerPlane == 4 && info.planes == 1)) {
        info.kind = PCX_PLANAR16;
    } else {
        return false;
    }
    return static_cast<uint64_t>(info.bytesPerLine) * 8 >= static_cast<uint64_t>(info.width) * info.bitsPerPlane;
}

// Run-length decoder whose runs may cross scan lines.
struct S_PcxDecoder {
    uint32_t runLeft;
    uint8_t runValue;
};

bool DecodeLine(S_LoaderInput& in, S_PcxDecoder& dec, uint8_t* line, uint32_t bytes) {
    uint32_t filled = 0;
    while (filled < bytes) {
        if (dec.runLeft) {
            uint32_t n = dec.runLeft < bytes - filled ? dec.runLeft : bytes - filled;
            memset(line + filled, dec.runValue, n);
            filled += n;
            dec.runLeft -= n;
            continue;
        }
        uint8_t c;
        if (!Input_Byte(in, c)) return false;
        if (c >= 192) {
            if (!Input_Byte(in, dec.runValue)) return false;
            dec.runLeft = c & 63u;
        } else {
            line[filled++] = c;
        }
    }
    return true;
}

void StoreLine(const S_PcxInfo& info, const uint8_t* line, uint8_t* row) {
    const uint32_t bpl = info.bytesPerLine;
    switch (info.kind) {
        case PCX_PALETTE8:
            memcpy(row, line, info.width);
            break;
        case PCX_RGB24:
            for (uint32_t x = 0; x < info.width; ++x) {
                row[3 * x + 0] = line[2 * bpl + x];
                row[3 * x + 1] = line[bpl + x];
                row[3 * x + 2] = line[x];
            }
            break;
        case PCX_PLANAR16: {
            // Pixel x takes bitsPerPlane bits from each plane, the first plane
            // giving the lowest bits of the index.
            const uint32_t bits = info.bitsPerPlane;
            const uint32_t mask = (1u << bits) - 1;
            for (uint32_t x = 0; x < info.width; ++x) {
                uint32_t bit = x * bits;
                uint32_t shift = 8 - bits - (bit & 7);
                uint32_t index = 0;
                for (uint32_t p = 0; p < info.planes; ++p) {
                    index |= ((line[p * bpl + bit / 8] >> shift) & mask) << (p * bits);
                }
                row[x] = static_cast<uint8_t>(index);
            }
            break;
        }
    }
}

void StoreHeaderPalette(const S_PcxInfo& info, uint8_t* palette) {
    const uint8_t* rgb = info.headerPalette;
    // Monochrome files often leave the header palette empty: show them black
    // on white then.
    static const uint8_t kBlackWhite[6] = {0, 0, 0, 255, 255, 255};
    if (info.bitsPerPlane == 1 && info.planes == 1 && memcmp(rgb, rgb + 3, 3) == 0) rgb = kBlackWhite;
    uint32_t entries = 1u << (info.bitsPerPlane * info.planes);
    for (uint32_t i = 0; i < entries; ++i) {
        palette[3 * i + 0] = rgb[3 * i + 2];
        palette[3 * i + 1] = rgb[3 * i + 1];
        palette[3 * i + 2] = rgb[3 * i + 0];
    }
}

bool Load(C_Image* image, S_LoaderInput& in) {
    uint8_t header[kHeaderBytes];
    S_PcxInfo info;
    if (!Input_Read(in, header, sizeof(header)) || !ParseHeader(header, info)) return Bad(image);

    const bool rgb = info.kind == PCX_RGB24;
    const int32_t outFormat = rgb ? GFX_FMT_R8G8B8 : GFX_FMT_PAL8;
    if (!Loader_SizeAccepted(info.width, info.height, rgb ? 24 : 8)) return Bad(image);

    // The 256-colour palette trails the pixel data at the very end of the file.
    if (info.kind == PCX_PALETTE8) {
        if (Input_Left(in) < kTrailerBytes) return Bad(image);
        Input_SetWindow(in, Input_Left(in) - kTrailerBytes);
    }
    // Two bytes of run-length data make at most 63 bytes.
    const uint32_t lineBytes = info.bytesPerLine * info.planes;
    const uint64_t decoded = static_cast<uint64_t>(lineBytes) * info.height;
    if (decoded / 63 * 2 + (decoded % 63 ? 1 : 0) > Input_Left(in)) return Bad(image);

    if (const char* failed = Loader_Allocate(image, info.width, info.height, outFormat, !rgb, kDataText, kPaletteText))
        return Loader_Fail(image, ERR_ALLOC, failed, kPlace);
    uint8_t* line = static_cast<uint8_t*>(Mem_Alloc(lineBytes));
    if (!line) return Loader_Fail(image, ERR_ALLOC, kRowText, kPlace);
    Mem_AddUsage(lineBytes);

    S_PcxDecoder dec = {0, 0};
    bool ok = true;
    for (uint32_t y = 0; ok && y < info.height; ++y) {
        ok = DecodeLine(in, dec, line, lineBytes);
        if (ok) StoreLine(info, line, image->data + static_cast<size_t>(y) * image->pitch);
    }
    Mem_Free(line);
    Mem_SubUsage(lineBytes);
    // A run that reaches past the last scan line is as broken as one cut short.
    if (!ok || dec.runLeft) return Bad(image);

    if (info.kind == PCX_PALETTE8) {
        uint8_t trailer[kTrailerBytes];
        if (!Input_Skip(in, Input_Left(in))) return Bad(image);
        Input_ClearWindow(in);
        if (!Input_Read(in, trailer, sizeof(trailer)) || trailer[0] != kPaletteMarker) return Bad(image);
        for (uint32_t i = 0; i < 256; ++i) {
            image->m_palette[3 * i + 0] = trailer[1 + 3 * i + 2];
            image->m_palette[3 * i + 1] = trailer[1 + 3 * i + 1];
            image->m_palette[3 * i + 2] = trailer[1 + 3 * i + 0];
        }
    } else if (!rgb) {
        StoreHeaderPalette(info, image->m_palette);
    }
    return true;
}

}  // namespace

bool C_Image::LoadPCX(C_Stream* stream) { return Loader_RunStream(this, stream, Load); }

bool C_Image::LoadPCX(const C_String& fileName) {
    return Loader_RunFile(this, fileName, Load, "C_Image::LoadPCX(%s)", kPlace);
}
