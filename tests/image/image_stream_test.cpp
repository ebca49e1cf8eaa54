// The ".img" record: its exact bytes, round trips, and headers that lie.
#include <gtest/gtest.h>

#include <algorithm>

#include "image_test_util.h"

using namespace image_test;

namespace {

// A record: tag, then the header fields (dataSize, width, height, pitch,
// bitsPerPixel, format, paletteSize [, paletteFormat, paletteBitsPerPixel]),
// then `rows` bytes of 0x55.
Bytes Record(std::initializer_list<uint32_t> fields, size_t rows = 0, uint16_t tag = 6) {
    Bytes b;
    Put(b, tag, 2);
    for (uint32_t v : fields) Put(b, v, 4);
    b.insert(b.end(), rows, 0x55);
    return b;
}

bool Load(C_Image& image, const Bytes& bytes) { return LoadBytes(image, Loader::Img, bytes); }

}  // namespace

TEST(ImageRecord, ExactBytesWithAndWithoutPalette) {
    C_Image image;
    ASSERT_TRUE(image.CreateEmpty(3, 2, GFX_FMT_R8G8B8, GFX_FMT_NONE));
    for (uint32_t i = 0; i < 18; ++i) image.data[i] = uint8_t(0xA0 + i);
    Bytes want = Record({18, 3, 2, 9, 24, GFX_FMT_R8G8B8, 0});
    ASSERT_EQ(want.size(), 30u);
    want.insert(want.end(), image.data, image.data + 18);
    EXPECT_EQ(Saved(image), want);

    ASSERT_TRUE(image.CreateEmpty(3, 2, GFX_FMT_PAL4, GFX_FMT_R8G8B8));
    for (uint32_t i = 0; i < 768; ++i) image.m_palette[i] = uint8_t(i * 13);
    for (uint32_t i = 0; i < 4; ++i) image.data[i] = uint8_t(0x12 + i);
    want = Record({4, 3, 2, 2, 4, GFX_FMT_PAL4, 768, GFX_FMT_R8G8B8, 24});
    ASSERT_EQ(want.size(), 38u);
    want.insert(want.end(), image.m_palette, image.m_palette + 768);
    want.insert(want.end(), image.data, image.data + 4);
    EXPECT_EQ(Saved(image), want);
    C_Image back;
    ASSERT_TRUE(Load(back, want));
    EXPECT_TRUE(back.paletteSize == 768 && back.paletteFormat == GFX_FMT_R8G8B8 && back.paletteBitsPerPixel == 24);
    EXPECT_EQ(0, std::memcmp(back.m_palette, image.m_palette, 768));
    EXPECT_TRUE(SamePixels(back, image));
}

TEST(ImageRecord, RoundTripOfEveryFormatThatCarriesRows) {
    std::mt19937 rng(7);
    for (int32_t format = 1; format <= 47; ++format) {
        SCOPED_TRACE(format);
        S_FormatDesc d;
        Gfx_GetFormatDesc(format, d);
        C_Image image, back;
        ASSERT_TRUE(image.CreateEmpty(7, 5, format, d.indexed ? GFX_FMT_A8R8G8B8 : GFX_FMT_NONE));
        Randomize(image, rng);
        const Bytes bytes = Saved(image);
        ASSERT_TRUE(Load(back, bytes));
        EXPECT_TRUE(back.format == format && back.width == 7 && back.height == 5 && back.pitch == image.pitch &&
                    back.dataSize == image.dataSize && back.rowBytes == image.rowBytes);
        const bool carried = !(format == 1 || format == 5 || format == 22 || format == 25 ||
                               format == 26 || format == 37 || format == 40 || format == 41);
        EXPECT_EQ(bytes.size(), 30u + (d.indexed ? 8u + 1024u : 0u) + (carried ? image.dataSize : 0u));
        if (carried) {
            EXPECT_TRUE(SamePixels(back, image));
        } else {
            for (uint32_t i = 0; i < back.dataSize; ++i) ASSERT_EQ(back.data[i], 0) << i;
        }
    }
}

TEST(ImageRecord, BottomUpAndEmptyImages) {
    uint8_t frame[2 * 8] = {1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18};
    C_Image image, back, empty;
    ASSERT_TRUE(image.CreateLocked(1, 2, 8, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    image.bottomUp = 1;
    ASSERT_TRUE(Load(back, Saved(image)));  // logical rows, reloaded top-down
    EXPECT_TRUE(back.bottomUp == 0 && back.pitch == 8);
    EXPECT_EQ(Pixel32(back, 0, 0), 0x0E0D0C0Bu);
    // An empty image stores 30 bytes and loads back empty.
    const Bytes bytes = Saved(empty);
    EXPECT_EQ(bytes.size(), 30u);
    EXPECT_TRUE(Load(back, bytes));
    EXPECT_TRUE(back.format == GFX_FMT_NONE && back.data == nullptr);
}

TEST(ImageRecord, HostileHeadersFailWithoutAllocating) {
    const char* data = "C_Image::LoadFromStream{data}";
    const char* format = "C_Image::LoadFromStream{format}";
    const struct {
        const char* what;
        Bytes bytes;
        int32_t code;
        const char* text;
    } cases[] = {
        {"wrong tag", Record({4, 2, 2, 2, 8, GFX_FMT_L8, 0}, 4, 7), 10, "C_Image::LoadFromStream{class_type}"},
        {"format 0", Record({4, 2, 2, 2, 8, 0, 0}, 4), 15, format},
        {"format 48", Record({4, 2, 2, 2, 8, 48, 0}, 4), 15, format},
        {"bits disagree", Record({4, 2, 2, 2, 16, GFX_FMT_L8, 0}, 4), 10, data},
        {"pitch below row", Record({4, 2, 2, 1, 8, GFX_FMT_L8, 0}, 4), 10, data},
        {"data below pitch x height", Record({3, 2, 2, 2, 8, GFX_FMT_L8, 0}, 4), 10, data},
        {"rows missing", Record({4, 2, 2, 2, 8, GFX_FMT_L8, 0}, 3), 10, data},
        {"4 GiB of rows", Record({0xFFFFFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 8, GFX_FMT_L8, 0}, 40), 10, data},
        {"huge pitch", Record({0xFFFFFFF0, 1, 16, 0x0FFFFFFF, 8, GFX_FMT_L8, 0}, 16), 10, data},
        {"pitch x height overflows", Record({16, 1, 0x10000, 0x10000, 8, GFX_FMT_L8, 0}, 16), 10, data},
        {"row too wide", Record({0, 1u << 21, 0, 1u << 24, 8, GFX_FMT_L8, 0}), 10, data},
        {"rowless format over 2^28", Record({0x40000000, 0x1000, 0x8000, 0x8000, 64, GFX_FMT_A16R16G16B16, 0}), 10,
         data},
        {"palette of 255 entries", Record({4, 2, 2, 2, 8, GFX_FMT_PAL8, 765, GFX_FMT_R8G8B8, 24}, 769), 10, data},
        {"palette of 257 entries", Record({4, 2, 2, 2, 8, GFX_FMT_PAL8, 771, GFX_FMT_R8G8B8, 24}, 775), 10, data},
        {"negative palette", Record({4, 2, 2, 2, 8, GFX_FMT_PAL8, uint32_t(-768)}, 4), 10, data},
        {"palette format 0", Record({4, 2, 2, 2, 8, GFX_FMT_PAL8, 768, 0, 24}, 772), 10, data},
        {"palette bits disagree", Record({4, 2, 2, 2, 8, GFX_FMT_PAL8, 768, GFX_FMT_R8G8B8, 32}, 772), 10, data},
        {"palette beyond the end", Record({4, 2, 2, 2, 8, GFX_FMT_PAL8, 768, GFX_FMT_R8G8B8, 24}, 700), 10, data},
        {"empty rows with a pitch", Record({0x8000000, 0, 0x1000000, 8, 32, GFX_FMT_A8R8G8B8, 0}), 10, data},
        {"format -1 with pixels", Record({4, 2, 2, 2, 0, uint32_t(-1), 0}, 4), 10, data},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        C_Image image;
        const uint32_t peakBefore = Sys_Status.memoryPeak, inUse = Sys_Status.memoryInUse;
        ClearErrors();
        EXPECT_FALSE(Load(image, c.bytes));
        EXPECT_TRUE(FailedWith(c.code, c.text));
        EXPECT_TRUE(IsReset(image));
        EXPECT_EQ(Sys_Status.memoryInUse, inUse);
        // Nothing near the claimed size was ever counted.
        EXPECT_LE(Sys_Status.memoryPeak, std::max(peakBefore, inUse + (1u << 20)));
    }
}

TEST(ImageRecord, EveryTruncationFailsAndLeavesTheImageReset) {
    C_Image image;
    ASSERT_TRUE(image.CreateEmpty(5, 3, GFX_FMT_PAL8, GFX_FMT_R8G8B8));
    std::mt19937 rng(3);
    Randomize(image, rng);
    const Bytes full = Saved(image);
    for (size_t n = 0; n < full.size(); ++n) {
        SCOPED_TRACE(n);
        C_Image target;
        ASSERT_TRUE(target.CreateEmpty(2, 2, GFX_FMT_PAL8, GFX_FMT_R8G8B8));
        const uint32_t inUse = Sys_Status.memoryInUse;
        ClearErrors();
        ASSERT_FALSE(Load(target, Bytes(full.begin(), full.begin() + n)));
        EXPECT_TRUE(Err_GetCause().code == ERR_DATA && Sys_Status.errorCode == ERR_FATAL && IsReset(target));
        EXPECT_EQ(Sys_Status.memoryInUse, inUse - 4 - 768);
        // Loading again after a failure is safe.
        ASSERT_TRUE(Load(target, full));
        EXPECT_TRUE(SamePixels(target, image));
    }
}

TEST(ImageRecord, LoadingOverAnImageFreesItsPixelsFirst) {
    C_Image image, small;
    ASSERT_TRUE(image.CreateEmpty(64, 64, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    ASSERT_TRUE(small.CreateEmpty(2, 1, GFX_FMT_L8, GFX_FMT_NONE));
    const Bytes bytes = Saved(small);
    const uint32_t inUse = Sys_Status.memoryInUse;
    ASSERT_TRUE(Load(image, bytes));
    EXPECT_EQ(Sys_Status.memoryInUse, inUse - 64 * 64 * 4 + 2);
    // A locked image keeps its borrower's buffer alive.
    uint8_t frame[16] = {0};
    ASSERT_TRUE(image.CreateLocked(2, 2, 8, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    ASSERT_TRUE(Load(image, bytes));
    EXPECT_TRUE(image.locked == 0 && image.data != frame);
}
