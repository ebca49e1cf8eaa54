// The table of pixel formats and its look-up.
#include <cstring>

#include "softblit/image/format.h"

namespace {

struct S_FormatRow {
    uint32_t bitsPerPixel;
    uint8_t channelCount;
    uint8_t componentType;
    uint8_t indexed;
    uint8_t shiftBits[4][2];  // R, G, B, A as {shift, bits}; {0, 0} when absent
    uint32_t mask[4];         // R, G, B, A; 0 where undefined
};

constexpr uint8_t B = GFX_COMPONENT_BIT, U = GFX_COMPONENT_UINT, F = GFX_COMPONENT_FLOAT,
                  D = GFX_COMPONENT_DOUBLE;

// Indexed by code - 1.
const S_FormatRow kFormats[GFX_FMT_LAST] = {
    /*  1 PAL1   */ {1, 1, B, 1, {{0, 1}, {0, 0}, {0, 0}, {0, 0}}, {0xFF, 0, 0, 0}},
    /*  2 PAL2   */ {2, 1, U, 1, {{0, 2}, {0, 0}, {0, 0}, {0, 0}}, {0xFF, 0, 0, 0}},
    /*  3 PAL4   */ {4, 1, U, 1, {{0, 4}, {0, 0}, {0, 0}, {0, 0}}, {0xFF, 0, 0, 0}},
    /*  4 PAL8   */ {8, 1, U, 1, {{0, 8}, {0, 0}, {0, 0}, {0, 0}}, {0xFF, 0, 0, 0}},
    /*  5 L1     */ {1, 1, B, 0, {{0, 1}, {0, 0}, {0, 0}, {0, 0}}, {0xFF, 0, 0, 0}},
    /*  6 L8     */ {8, 1, U, 0, {{0, 8}, {0, 0}, {0, 0}, {0, 0}}, {0xFF, 0, 0, 0}},
    /*  7 L16    */ {16, 1, U, 0, {{0, 16}, {0, 0}, {0, 0}, {0, 0}}, {0xFFFF, 0, 0, 0}},
    /*  8 L24    */ {24, 1, U, 0, {{0, 24}, {0, 0}, {0, 0}, {0, 0}}, {0xFFFFFF, 0, 0, 0}},
    /*  9 L32    */ {32, 1, U, 0, {{0, 32}, {0, 0}, {0, 0}, {0, 0}}, {0xFFFFFFFF, 0, 0, 0}},
    /* 10 L32F   */ {32, 1, F, 0, {{0, 32}, {0, 0}, {0, 0}, {0, 0}}, {0, 0, 0, 0}},
    /* 11 L64F   */ {64, 1, D, 0, {{0, 64}, {0, 0}, {0, 0}, {0, 0}}, {0, 0, 0, 0}},
    /* 12 R3G3B2 */ {8, 3, U, 0, {{5, 3}, {2, 3}, {0, 2}, {0, 0}}, {0xE0, 0x1C, 0x3, 0}},
    /* 13 R5G5B5 */ {16, 3, U, 0, {{10, 5}, {5, 5}, {0, 5}, {0, 0}}, {0x7C00, 0x3E0, 0x1F, 0}},
    /* 14 R5G6B5 */ {16, 3, U, 0, {{11, 5}, {5, 6}, {0, 5}, {0, 0}}, {0xF800, 0x7E0, 0x1F, 0}},
    /* 15 R6G5B5 */ {16, 3, U, 0, {{10, 6}, {5, 5}, {0, 5}, {0, 0}}, {0xFC00, 0x3E0, 0x1F, 0}},
    /* 16 R5G5B6 */ {16, 3, U, 0, {{11, 5}, {6, 5}, {0, 6}, {0, 0}}, {0xF800, 0x7C0, 0x3F, 0}},
    /* 17 R5G5B5A1 */ {16, 4, U, 0, {{11, 5}, {6, 5}, {1, 5}, {0, 1}}, {0xF800, 0x7C0, 0x3E, 0x1}},
    /* 18 R4G4B4A4 */ {16, 4, U, 0, {{12, 4}, {8, 4}, {4, 4}, {0, 4}}, {0xF000, 0xF00, 0xF0, 0xF}},
    /* 19 A1R5G5B5 */ {16, 4, U, 0, {{10, 5}, {5, 5}, {0, 5}, {15, 1}}, {0x7C00, 0x3E0, 0x1F, 0x8000}},
    /* 20 A4R4G4B4 */ {16, 4, U, 0, {{8, 4}, {4, 4}, {0, 4}, {12, 4}}, {0xF00, 0xF0, 0xF, 0xF000}},
    /* 21 R8G8B8 */ {24, 3, U, 0, {{16, 8}, {8, 8}, {0, 8}, {0, 0}}, {0xFF0000, 0xFF00, 0xFF, 0}},
    /* 22 R16G16B16 */ {48, 3, U, 0, {{32, 16}, {16, 16}, {0, 16}, {0, 0}}, {0, 0, 0, 0}},
    /* 23 R8G8B8A8 */
    {32, 4, U, 0, {{24, 8}, {16, 8}, {8, 8}, {0, 8}}, {0xFF000000, 0xFF0000, 0xFF00, 0xFF}},
    /* 24 A8R8G8B8 */
    {32, 4, U, 0, {{16, 8}, {8, 8}, {0, 8}, {24, 8}}, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
    /* 25 R16G16B16A16 */ {64, 4, U, 0, {{48, 16}, {32, 16}, {16, 16}, {0, 16}}, {0, 0, 0, 0}},
    /* 26 A16R16G16B16 */ {64, 4, U, 0, {{32, 16}, {16, 16}, {0, 16}, {48, 16}}, {0, 0, 0, 0}},
    /* 27 B3G3R2 */ {8, 3, U, 0, {{0, 2}, {2, 3}, {5, 3}, {0, 0}}, {0x3, 0x1C, 0xE0, 0}},
    /* 28 B5G5R5 */ {16, 3, U, 0, {{0, 5}, {5, 5}, {10, 5}, {0, 0}}, {0x1F, 0x3E0, 0x7C00, 0}},
    /* 29 B5G6R5 */ {16, 3, U, 0, {{0, 5}, {5, 6}, {11, 5}, {0, 0}}, {0x1F, 0x7E0, 0xF800, 0}},
    /* 30 B6G5R5 */ {16, 3, U, 0, {{0, 5}, {5, 5}, {10, 6}, {0, 0}}, {0x1F, 0x3E0, 0xFC00, 0}},
    /* 31 B5G5R6 */ {16, 3, U, 0, {{0, 6}, {6, 5}, {11, 5}, {0, 0}}, {0x3F, 0x7C0, 0xF800, 0}},
    /* 32 B5G5R5A1 */ {16, 4, U, 0, {{1, 5}, {6, 5}, {11, 5}, {0, 1}}, {0x3E, 0x7C0, 0xF800, 0x1}},
    /* 33 B4G4R4A4 */ {16, 4, U, 0, {{4, 4}, {8, 4}, {12, 4}, {0, 4}}, {0xF0, 0xF00, 0xF000, 0xF}},
    /* 34 A1B5G5R5 */ {16, 4, U, 0, {{0, 5}, {5, 5}, {10, 5}, {15, 1}}, {0x1F, 0x3E0, 0x7C00, 0x8000}},
    /* 35 A4B4G4R4 */ {16, 4, U, 0, {{0, 4}, {4, 4}, {8, 4}, {12, 4}}, {0xF, 0xF0, 0xF00, 0xF000}},
    /* 36 B8G8R8 */ {24, 3, U, 0, {{0, 8}, {8, 8}, {16, 8}, {0, 0}}, {0xFF, 0xFF00, 0xFF0000, 0}},
    /* 37 B16G16R16 */ {48, 3, U, 0, {{0, 16}, {16, 16}, {32, 16}, {0, 0}}, {0, 0, 0, 0}},
    /* 38 B8G8R8A8 */
    {32, 4, U, 0, {{8, 8}, {16, 8}, {24, 8}, {0, 8}}, {0xFF00, 0xFF0000, 0xFF000000, 0xFF}},
    /* 39 A8B8G8R8 */
    {32, 4, U, 0, {{0, 8}, {8, 8}, {16, 8}, {24, 8}}, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}},
    /* 40 B16G16R16A16 */ {64, 4, U, 0, {{16, 16}, {32, 16}, {48, 16}, {0, 16}}, {0, 0, 0, 0}},
    /* 41 A16B16G16R16 */ {64, 4, U, 0, {{0, 16}, {16, 16}, {32, 16}, {48, 16}}, {0, 0, 0, 0}},
    /* 42 R32G32B32F */ {96, 3, F, 0, {{64, 32}, {32, 32}, {0, 32}, {0, 0}}, {0, 0, 0, 0}},
    /* 43 R32G32B32A32F */ {128, 4, F, 0, {{96, 32}, {64, 32}, {32, 32}, {0, 32}}, {0, 0, 0, 0}},
    /* 44 A32R32G32B32F */ {128, 4, F, 0, {{64, 32}, {32, 32}, {0, 32}, {96, 32}}, {0, 0, 0, 0}},
    /* 45 B32G32R32F */ {96, 3, F, 0, {{0, 32}, {32, 32}, {64, 32}, {0, 0}}, {0, 0, 0, 0}},
    /* 46 B32G32R32A32F */ {128, 4, F, 0, {{32, 32}, {64, 32}, {96, 32}, {0, 32}}, {0, 0, 0, 0}},
    /* 47 A32B32G32R32F */ {128, 4, F, 0, {{0, 32}, {32, 32}, {64, 32}, {96, 32}}, {0, 0, 0, 0}},
};

}  // namespace

bool Gfx_GetFormatDesc(int32_t format, S_FormatDesc& desc) {
    std::memset(&desc, 0, sizeof(desc));
    desc.format = format;
    if (format == GFX_FMT_KEEP || format == GFX_FMT_NONE) return true;
    if (format < GFX_FMT_FIRST || format > GFX_FMT_LAST) return false;

    const S_FormatRow& row = kFormats[format - 1];
    for (int c = 0; c < 4; ++c) {
        desc.shift[c] = row.shiftBits[c][0];
        desc.bits[c] = row.shiftBits[c][1];
        desc.mask[c] = row.mask[c];
    }
    desc.bitsPerPixel = row.bitsPerPixel;
    desc.bytesPerPixel = static_cast<uint8_t>(row.bitsPerPixel >= 8 ? row.bitsPerPixel / 8 : 1);
    desc.indexed = row.indexed;
    desc.componentType = row.componentType;
    desc.channelCount = row.channelCount;
    return true;
}

const S_FormatDesc* Gfx_FindFormatDesc(int32_t format) {
    struct S_Table {
        S_FormatDesc desc[GFX_FMT_LAST];
        S_Table() {
            for (int32_t f = GFX_FMT_FIRST; f <= GFX_FMT_LAST; ++f) Gfx_GetFormatDesc(f, desc[f - 1]);
        }
    };
    static const S_Table table;
    if (format < GFX_FMT_FIRST || format > GFX_FMT_LAST) return nullptr;
    return &table.desc[format - 1];
}
