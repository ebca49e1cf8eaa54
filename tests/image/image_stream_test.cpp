// The ".img" record: its exact bytes, round trips, and headers that lie.
#include <gtest/gtest.h>

#include "image_test_util.h"

using namespace image_test;

namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// A record header with the given fields and `extra` bytes after it.
Bytes Header(uint32_t dataSize, uint32_t w, uint32_t h, uint32_t pitch, uint32_t bpp, int32_t format,
             int32_t paletteSize = 0, int32_t paletteFormat = -1, uint32_t paletteBits = 0) {
    Bytes b = {6, 0};
    Put32(b, dataSize);
    Put32(b, w);
    Put32(b, h);
    Put32(b, pitch);
    Put32(b, bpp);
    Put32(b, uint32_t(format));
    Put32(b, uint32_t(paletteSize));
    if (paletteSize > 0) {
        Put32(b, uint32_t(paletteFormat));
        Put32(b, paletteBits);
    }
    return b;
}

}  // namespace

TEST(ImageRecord, ExactBytesWithAndWithoutPalette) {
    C_Image image;
    ASSERT_TRUE(image.CreateEmpty(3, 2, GFX_FMT_R8G8B8, GFX_FMT_NONE));
    for (uint32_t i = 0; i < 18; ++i) image.data[i] = uint8_t(0xA0 + i);
    Bytes want = Header(18, 3, 2, 9, 24, GFX_FMT_R8G8B8);
    ASSERT_EQ(want.size(), 30u);
    for (uint32_t i = 0; i < 18; ++i) want.push_back(uint8_t(0xA0 + i));
    EXPECT_EQ(Saved(image), want);

    ASSERT_TRUE(image.CreateEmpty(3, 2, GFX_FMT_PAL4, GFX_FMT_R8G8B8));
    for (uint32_t i = 0; i < 768; ++i) image.m_palette[i] = uint8_t(i * 13);
    for (uint32_t i = 0; i < 4; ++i) image.data[i] = uint8_t(0x12 + i);
    want = Header(4, 3, 2, 2, 4, GFX_FMT_PAL4, 768, GFX_FMT_R8G8B8, 24);
    ASSERT_EQ(want.size(), 38u);
    want.insert(want.end(), image.m_palette, image.m_palette + 768);
    want.insert(want.end(), image.data, image.data + 4);
    EXPECT_EQ(Saved(image), want);
    C_Image back;
    ASSERT_TRUE(LoadBytes(back, want));
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
        C_Image image;
        ASSERT_TRUE(image.CreateEmpty(7, 5, format, d.indexed ? GFX_FMT_A8R8G8B8 : GFX_FMT_NONE));
        Randomize(image, rng);
        const Bytes bytes = Saved(image);
        C_Image back;
        ASSERT_TRUE(LoadBytes(back, bytes));
        EXPECT_EQ(back.format, format);
        EXPECT_EQ(back.width, 7u);
        EXPECT_EQ(back.height, 5u);
        EXPECT_EQ(back.pitch, image.pitch);
        EXPECT_EQ(back.dataSize, image.dataSize);
        EXPECT_EQ(back.rowBytes, image.rowBytes);
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
    C_Image image;
    ASSERT_TRUE(image.CreateLocked(1, 2, 8, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    image.bottomUp = 1;
    C_Image back;
    ASSERT_TRUE(LoadBytes(back, Saved(image)));  // logical rows, reloaded top-down
    EXPECT_TRUE(back.bottomUp == 0 && back.pitch == 8);
    EXPECT_EQ(Pixel32(back, 0, 0), 0x0E0D0C0Bu);
    // An empty image stores 30 bytes and loads back empty.
    C_Image empty;
    const Bytes bytes = Saved(empty);
    EXPECT_EQ(bytes.size(), 30u);
    EXPECT_TRUE(LoadBytes(back, bytes));
    EXPECT_TRUE(back.format == GFX_FMT_NONE && back.data == nullptr);
}

TEST(ImageRecord, WrongTagFailsBeforeReadingOn) {
    Bytes bytes = Header(4, 2, 2, 2, 8, GFX_FMT_L8);
    bytes.insert(bytes.end(), 4, 0);
    bytes[0] = 7;
    C_Image image;
    ClearErrors();
    EXPECT_FALSE(LoadBytes(image, bytes));
    EXPECT_TRUE(FailedWith(10, "C_Image::LoadFromStream{class_type}"));
    EXPECT_EQ(image.width, 0u);
}

TEST(ImageRecord, HostileHeadersFailWithoutAllocating) {
    struct Case {
        const char* what;
        Bytes bytes;
        int32_t code;
        const char* text;
    };
    const char* data = "C_Image::LoadFromStream{data}";
    auto withRows = [](Bytes b, size_t n) {
        b.insert(b.end(), n, 0x55);
        return b;
    };
    std::vector<Case> cases = {
        {"format 0", withRows(Header(4, 2, 2, 2, 8, 0), 4), 15, "C_Image::LoadFromStream{format}"},
        {"format 48", withRows(Header(4, 2, 2, 2, 8, 48), 4), 15, "C_Image::LoadFromStream{format}"},
        {"bits disagree", withRows(Header(4, 2, 2, 2, 16, GFX_FMT_L8), 4), 10, data},
        {"pitch below row", withRows(Header(4, 2, 2, 1, 8, GFX_FMT_L8), 4), 10, data},
        {"data below pitch x height", withRows(Header(3, 2, 2, 2, 8, GFX_FMT_L8), 4), 10, data},
        {"rows missing", withRows(Header(4, 2, 2, 2, 8, GFX_FMT_L8), 3), 10, data},
        {"4 GiB of rows", withRows(Header(0xFFFFFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 8, GFX_FMT_L8), 40), 10, data},
        {"huge pitch", withRows(Header(0xFFFFFFF0, 1, 16, 0x0FFFFFFF, 8, GFX_FMT_L8), 16), 10, data},
        {"pitch x height overflows", withRows(Header(16, 1, 0x10000, 0x10000, 8, GFX_FMT_L8), 16), 10, data},
        {"row too wide", withRows(Header(0, 1u << 21, 0, 1u << 24, 8, GFX_FMT_L8), 0), 10, data},
        {"rowless format over 2^28", Header(0x40000000, 0x1000, 0x8000, 0x8000, 64, GFX_FMT_A16R16G16B16), 10, data},
        {"palette of 255 entries", withRows(Header(4, 2, 2, 2, 8, GFX_FMT_PAL8, 765, GFX_FMT_R8G8B8, 24), 769), 10, data},
        {"palette of 257 entries", withRows(Header(4, 2, 2, 2, 8, GFX_FMT_PAL8, 771, GFX_FMT_R8G8B8, 24), 775), 10, data},
        {"negative palette", withRows(Header(4, 2, 2, 2, 8, GFX_FMT_PAL8, -768), 4), 10, data},
        {"palette format 0", withRows(Header(4, 2, 2, 2, 8, GFX_FMT_PAL8, 768, 0, 24), 772), 10, data},
        {"palette bits disagree", withRows(Header(4, 2, 2, 2, 8, GFX_FMT_PAL8, 768, GFX_FMT_R8G8B8, 32), 772), 10, data},
        {"palette beyond the end", withRows(Header(4, 2, 2, 2, 8, GFX_FMT_PAL8, 768, GFX_FMT_R8G8B8, 24), 700), 10, data},
        {"empty rows with a pitch", Header(0x8000000, 0, 0x1000000, 8, 32, GFX_FMT_A8R8G8B8), 10, data},
        {"format -1 with pixels", withRows(Header(4, 2, 2, 2, 0, -1), 4), 10, data},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        C_Image image;
        const uint32_t peakBefore = Sys_Status.memoryPeak;
        const uint32_t inUse = Sys_Status.memoryInUse;
        ClearErrors();
        EXPECT_FALSE(LoadBytes(image, c.bytes));
        EXPECT_TRUE(FailedWith(c.code, c.text));
        EXPECT_EQ(image.data, nullptr);
        EXPECT_EQ(image.m_palette, nullptr);
        EXPECT_EQ(image.format, GFX_FMT_NONE);
        EXPECT_EQ(Sys_Status.memoryInUse, inUse);
        // Nothing near the claimed size was ever counted.
        EXPECT_LE(Sys_Status.memoryPeak, peakBefore > inUse + (1u << 20) ? peakBefore : inUse + (1u << 20));
    }
}

TEST(ImageRecord, EveryTruncationFailsAndLeavesTheImageReset) {
    C_Image image;
    ASSERT_TRUE(image.CreateEmpty(5, 3, GFX_FMT_PAL8, GFX_FMT_R8G8B8));
    std::mt19937 rng(3);
    Randomize(image, rng);
    const Bytes full = Saved(image);
    for (size_t n = 0; n < full.size(); ++n) {
        const Bytes part(full.begin(), full.begin() + n);
        C_Image target;
        ASSERT_TRUE(target.CreateEmpty(2, 2, GFX_FMT_PAL8, GFX_FMT_R8G8B8));
        const uint32_t inUse = Sys_Status.memoryInUse;
        ClearErrors();
        ASSERT_FALSE(LoadBytes(target, part)) << n;
        EXPECT_EQ(Err_GetCause().code, 10) << n;
        EXPECT_EQ(Sys_Status.errorCode, -1) << n;
        EXPECT_EQ(target.data, nullptr) << n;
        EXPECT_EQ(target.m_palette, nullptr) << n;
        EXPECT_EQ(target.paletteSize, 0u) << n;
        EXPECT_EQ(Sys_Status.memoryInUse, inUse - 4 - 768) << n;
        // Loading again after a failure is safe.
        ASSERT_TRUE(LoadBytes(target, full));
        EXPECT_TRUE(SamePixels(target, image));
    }
}

TEST(ImageRecord, LoadingOverAnImageFreesItsPixelsFirst) {
    C_Image image;
    ASSERT_TRUE(image.CreateEmpty(64, 64, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    C_Image small;
    ASSERT_TRUE(small.CreateEmpty(2, 1, GFX_FMT_L8, GFX_FMT_NONE));
    const Bytes bytes = Saved(small);
    const uint32_t inUse = Sys_Status.memoryInUse;
    ASSERT_TRUE(LoadBytes(image, bytes));
    EXPECT_EQ(Sys_Status.memoryInUse, inUse - 64 * 64 * 4 + 2);
    // A locked image keeps its borrower's buffer alive.
    uint8_t frame[16] = {0};
    ASSERT_TRUE(image.CreateLocked(2, 2, 8, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    ASSERT_TRUE(LoadBytes(image, bytes));
    EXPECT_EQ(image.locked, 0);
    EXPECT_NE(image.data, frame);
}
