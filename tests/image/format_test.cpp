// The format descriptors against an independent transcription of the format
// table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>

#include "image_test_util.h"

namespace {

// code | name | bits per pixel | bytes per pixel | channels | component type |
// indexed | R | G | B | A (shift:bits or -) | masks of the channels present
const char* const kTable = R"(
| 1 | GFX_FMT_PAL1 | 1 | 1 | 1 | 1 | yes | 0:1 | - | - | - | 0xFF |
| 2 | GFX_FMT_PAL2 | 2 | 1 | 1 | 2 | yes | 0:2 | - | - | - | 0xFF |
| 3 | GFX_FMT_PAL4 | 4 | 1 | 1 | 2 | yes | 0:4 | - | - | - | 0xFF |
| 4 | GFX_FMT_PAL8 | 8 | 1 | 1 | 2 | yes | 0:8 | - | - | - | 0xFF |
| 5 | GFX_FMT_L1 | 1 | 1 | 1 | 1 | no | 0:1 | - | - | - | 0xFF |
| 6 | GFX_FMT_L8 | 8 | 1 | 1 | 2 | no | 0:8 | - | - | - | 0xFF |
| 7 | GFX_FMT_L16 | 16 | 2 | 1 | 2 | no | 0:16 | - | - | - | 0xFFFF |
| 8 | GFX_FMT_L24 | 24 | 3 | 1 | 2 | no | 0:24 | - | - | - | 0xFFFFFF |
| 9 | GFX_FMT_L32 | 32 | 4 | 1 | 2 | no | 0:32 | - | - | - | 0xFFFFFFFF |
| 10 | GFX_FMT_L32F | 32 | 4 | 1 | 3 | no | 0:32 | - | - | - | - |
| 11 | GFX_FMT_L64F | 64 | 8 | 1 | 4 | no | 0:64 | - | - | - | - |
| 12 | GFX_FMT_R3G3B2 | 8 | 1 | 3 | 2 | no | 5:3 | 2:3 | 0:2 | - | 0xE0, 0x1C, 0x3 |
| 13 | GFX_FMT_R5G5B5 | 16 | 2 | 3 | 2 | no | 10:5 | 5:5 | 0:5 | - | 0x7C00, 0x3E0, 0x1F |
| 14 | GFX_FMT_R5G6B5 | 16 | 2 | 3 | 2 | no | 11:5 | 5:6 | 0:5 | - | 0xF800, 0x7E0, 0x1F |
| 15 | GFX_FMT_R6G5B5 | 16 | 2 | 3 | 2 | no | 10:6 | 5:5 | 0:5 | - | 0xFC00, 0x3E0, 0x1F |
| 16 | GFX_FMT_R5G5B6 | 16 | 2 | 3 | 2 | no | 11:5 | 6:5 | 0:6 | - | 0xF800, 0x7C0, 0x3F |
| 17 | GFX_FMT_R5G5B5A1 | 16 | 2 | 4 | 2 | no | 11:5 | 6:5 | 1:5 | 0:1 | 0xF800, 0x7C0, 0x3E, 0x1 |
| 18 | GFX_FMT_R4G4B4A4 | 16 | 2 | 4 | 2 | no | 12:4 | 8:4 | 4:4 | 0:4 | 0xF000, 0xF00, 0xF0, 0xF |
| 19 | GFX_FMT_A1R5G5B5 | 16 | 2 | 4 | 2 | no | 10:5 | 5:5 | 0:5 | 15:1 | 0x7C00, 0x3E0, 0x1F, 0x8000 |
| 20 | GFX_FMT_A4R4G4B4 | 16 | 2 | 4 | 2 | no | 8:4 | 4:4 | 0:4 | 12:4 | 0xF00, 0xF0, 0xF, 0xF000 |
| 21 | GFX_FMT_R8G8B8 | 24 | 3 | 3 | 2 | no | 16:8 | 8:8 | 0:8 | - | 0xFF0000, 0xFF00, 0xFF |
| 22 | GFX_FMT_R16G16B16 | 48 | 6 | 3 | 2 | no | 32:16 | 16:16 | 0:16 | - | - |
| 23 | GFX_FMT_R8G8B8A8 | 32 | 4 | 4 | 2 | no | 24:8 | 16:8 | 8:8 | 0:8 | 0xFF000000, 0xFF0000, 0xFF00, 0xFF |
| 24 | GFX_FMT_A8R8G8B8 | 32 | 4 | 4 | 2 | no | 16:8 | 8:8 | 0:8 | 24:8 | 0xFF0000, 0xFF00, 0xFF, 0xFF000000 |
| 25 | GFX_FMT_R16G16B16A16 | 64 | 8 | 4 | 2 | no | 48:16 | 32:16 | 16:16 | 0:16 | - |
| 26 | GFX_FMT_A16R16G16B16 | 64 | 8 | 4 | 2 | no | 32:16 | 16:16 | 0:16 | 48:16 | - |
| 27 | GFX_FMT_B3G3R2 | 8 | 1 | 3 | 2 | no | 0:2 | 2:3 | 5:3 | - | 0x3, 0x1C, 0xE0 |
| 28 | GFX_FMT_B5G5R5 | 16 | 2 | 3 | 2 | no | 0:5 | 5:5 | 10:5 | - | 0x1F, 0x3E0, 0x7C00 |
| 29 | GFX_FMT_B5G6R5 | 16 | 2 | 3 | 2 | no | 0:5 | 5:6 | 11:5 | - | 0x1F, 0x7E0, 0xF800 |
| 30 | GFX_FMT_B6G5R5 | 16 | 2 | 3 | 2 | no | 0:5 | 5:5 | 10:6 | - | 0x1F, 0x3E0, 0xFC00 |
| 31 | GFX_FMT_B5G5R6 | 16 | 2 | 3 | 2 | no | 0:6 | 6:5 | 11:5 | - | 0x3F, 0x7C0, 0xF800 |
| 32 | GFX_FMT_B5G5R5A1 | 16 | 2 | 4 | 2 | no | 1:5 | 6:5 | 11:5 | 0:1 | 0x3E, 0x7C0, 0xF800, 0x1 |
| 33 | GFX_FMT_B4G4R4A4 | 16 | 2 | 4 | 2 | no | 4:4 | 8:4 | 12:4 | 0:4 | 0xF0, 0xF00, 0xF000, 0xF |
| 34 | GFX_FMT_A1B5G5R5 | 16 | 2 | 4 | 2 | no | 0:5 | 5:5 | 10:5 | 15:1 | 0x1F, 0x3E0, 0x7C00, 0x8000 |
| 35 | GFX_FMT_A4B4G4R4 | 16 | 2 | 4 | 2 | no | 0:4 | 4:4 | 8:4 | 12:4 | 0xF, 0xF0, 0xF00, 0xF000 |
| 36 | GFX_FMT_B8G8R8 | 24 | 3 | 3 | 2 | no | 0:8 | 8:8 | 16:8 | - | 0xFF, 0xFF00, 0xFF0000 |
| 37 | GFX_FMT_B16G16R16 | 48 | 6 | 3 | 2 | no | 0:16 | 16:16 | 32:16 | - | - |
| 38 | GFX_FMT_B8G8R8A8 | 32 | 4 | 4 | 2 | no | 8:8 | 16:8 | 24:8 | 0:8 | 0xFF00, 0xFF0000, 0xFF000000, 0xFF |
| 39 | GFX_FMT_A8B8G8R8 | 32 | 4 | 4 | 2 | no | 0:8 | 8:8 | 16:8 | 24:8 | 0xFF, 0xFF00, 0xFF0000, 0xFF000000 |
| 40 | GFX_FMT_B16G16R16A16 | 64 | 8 | 4 | 2 | no | 16:16 | 32:16 | 48:16 | 0:16 | - |
| 41 | GFX_FMT_A16B16G16R16 | 64 | 8 | 4 | 2 | no | 0:16 | 16:16 | 32:16 | 48:16 | - |
| 42 | GFX_FMT_R32G32B32F | 96 | 12 | 3 | 3 | no | 64:32 | 32:32 | 0:32 | - | - |
| 43 | GFX_FMT_R32G32B32A32F | 128 | 16 | 4 | 3 | no | 96:32 | 64:32 | 32:32 | 0:32 | - |
| 44 | GFX_FMT_A32R32G32B32F | 128 | 16 | 4 | 3 | no | 64:32 | 32:32 | 0:32 | 96:32 | - |
| 45 | GFX_FMT_B32G32R32F | 96 | 12 | 3 | 3 | no | 0:32 | 32:32 | 64:32 | - | - |
| 46 | GFX_FMT_B32G32R32A32F | 128 | 16 | 4 | 3 | no | 32:32 | 64:32 | 96:32 | 0:32 | - |
| 47 | GFX_FMT_A32B32G32R32F | 128 | 16 | 4 | 3 | no | 0:32 | 32:32 | 64:32 | 96:32 | - |
)";

}  // namespace

TEST(FormatTable, EveryFieldOfEveryRow) {
    std::string text = kTable;
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '|' || c == ','; }, ' ');
    std::istringstream rows(text);
    int count = 0;
    for (std::string line; std::getline(rows, line);) {
        std::istringstream in(line);
        int32_t code;
        std::string name, indexed, channel[4], mask;
        uint32_t bits, bytes, channels, type;
        if (!(in >> code >> name >> bits >> bytes >> channels >> type >> indexed)) continue;
        SCOPED_TRACE(name);
        ++count;
        S_FormatDesc d;
        ASSERT_TRUE(Gfx_GetFormatDesc(code, d));
        EXPECT_TRUE(d.format == code && d.bitsPerPixel == bits && d.bytesPerPixel == bytes);
        EXPECT_TRUE(d.channelCount == channels && d.componentType == type && d.indexed == (indexed == "yes"));
        for (std::string& c : channel) in >> c;
        const bool masks = in >> mask && mask != "-";
        for (int c = 0; c < 4; ++c) {
            const bool present = channel[c] != "-";
            uint32_t shift = 0, width = 0;
            if (present) std::sscanf(channel[c].c_str(), "%u:%u", &shift, &width);
            EXPECT_TRUE(d.shift[c] == shift && d.bits[c] == width) << "channel " << c;
            EXPECT_EQ(d.mask[c], masks && present ? std::stoul(mask, nullptr, 16) : 0) << "channel " << c;
            if (masks && present) in >> mask;
        }
    }
    EXPECT_EQ(count, 47);
}
