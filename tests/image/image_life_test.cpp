// C_Image shaping, copying, filling and releasing, with the memory in use
// checked after every path.
#include <gtest/gtest.h>

#include <cstdio>

#include "image_test_util.h"

using namespace image_test;

namespace {

struct MemoryCheck {
    uint32_t before = Sys_Status.memoryInUse;
    uint32_t Delta() const { return Sys_Status.memoryInUse - before; }
};

}  // namespace

// A fresh image and a released, reset one are equally empty, and a later
// CreateEmpty does not believe in a palette that is gone.
TEST(ImageLife, MemoryFollowsObjectBufferAndPalette) {
    MemoryCheck mem;
    C_Image* image = new C_Image;
    EXPECT_TRUE(IsReset(*image) && mem.Delta() == sizeof(C_Image));
    ASSERT_TRUE(image->CreateEmpty(3, 2, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    EXPECT_TRUE(image->pitch == 12 && image->rowBytes == 12 && image->dataSize == 24 && image->m_palette == nullptr);
    EXPECT_EQ(mem.Delta(), sizeof(C_Image) + 24);
    ASSERT_TRUE(image->CreateEmpty(10, 1, GFX_FMT_PAL1, GFX_FMT_R8G8B8));
    EXPECT_TRUE(image->pitch == 2 && image->paletteSize == 768 && image->paletteBitsPerPixel == 24);
    EXPECT_EQ(mem.Delta(), sizeof(C_Image) + 2 + 768);
    image->bottomUp = 1;
    image->Release();
    image->Release();  // a second release frees nothing more
    image->Reset();
    EXPECT_TRUE(IsReset(*image) && mem.Delta() == sizeof(C_Image));
    ASSERT_TRUE(image->CreateEmpty(4, 4, GFX_FMT_PAL8, GFX_FMT_R8G8B8));
    EXPECT_TRUE(image->m_palette != nullptr && mem.Delta() == sizeof(C_Image) + 16 + 768);
    delete image;
    EXPECT_EQ(mem.Delta(), 0u);
}

TEST(ImageLife, CreateEmptyKeepsABufferOfTheSameSize) {
    C_Image image;
    ASSERT_TRUE(image.CreateEmpty(4, 2, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    image.data[5] = 0x5A;
    uint8_t* first = image.data;
    ASSERT_TRUE(image.CreateEmpty(2, 4, GFX_FMT_A8B8G8R8, GFX_FMT_NONE));
    EXPECT_TRUE(image.data == first && image.data[5] == 0x5A);
    MemoryCheck mem;
    ASSERT_TRUE(image.CreateEmpty(5, 5, GFX_FMT_R8G8B8, GFX_FMT_NONE));
    EXPECT_TRUE(image.dataSize == 75 && mem.Delta() == 75u - 32u);
}

TEST(ImageLife, CreateEmptyRefusesWithoutChanging) {
    C_Image image;
    ASSERT_TRUE(image.CreateEmpty(2, 2, GFX_FMT_L8, GFX_FMT_NONE));
    uint8_t* data = image.data;
    MemoryCheck mem;
    const struct {
        uint32_t w, h;
        int32_t format, palette, code;
        const char* text;
    } cases[] = {
        {4, 4, 0, -1, 15, "C_Image::CreateEmpty{newFormat}"},
        {4, 4, GFX_FMT_NONE, -1, 15, "C_Image::CreateEmpty{newFormat}"},
        {4, 4, GFX_FMT_L8, 99, 16, "C_Image::CreateEmpty{newPalFormat}"},
        {1u << 19, 1, GFX_FMT_A8R8G8B8, -1, 3, "C_Image::CreateEmpty{data}"},  // row of 2^24 bits
        {(1u << 19) - 1, 0x10000, GFX_FMT_A8R8G8B8, -1, 3, "C_Image::CreateEmpty{data}"},
    };
    for (const auto& c : cases) {
        ClearErrors();
        EXPECT_FALSE(image.CreateEmpty(c.w, c.h, c.format, c.palette));
        EXPECT_TRUE(FailedWith(c.code, c.text));
        EXPECT_TRUE(image.data == data && image.width == 2 && image.format == GFX_FMT_L8);
    }
    EXPECT_EQ(mem.Delta(), 0u);
}

TEST(ImageLife, LockedBufferIsNeverFreed) {
    uint8_t frame[4 * 16 * 3] = {0};
    MemoryCheck mem;
    {
        C_Image image;
        ClearErrors();
        EXPECT_FALSE(image.CreateLocked(4, 3, 16, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, nullptr));
        EXPECT_TRUE(FailedWith(14, "C_Image::CreateLocked{newData}"));
        EXPECT_FALSE(image.CreateLocked(5, 3, 16, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
        EXPECT_TRUE(FailedWith(3, "C_Image::CreateLocked{data}"));  // pitch below the row
        EXPECT_EQ(image.format, GFX_FMT_NONE);

        ASSERT_TRUE(image.CreateEmpty(8, 8, GFX_FMT_L8, GFX_FMT_NONE));
        ASSERT_TRUE(image.CreateLocked(4, 3, 64, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
        EXPECT_TRUE(image.locked == 1 && image.dataSize == 192 && image.rowBytes == 16);
        EXPECT_EQ(mem.Delta(), sizeof(C_Image));
        // Re-shaping forgets the borrowed buffer and allocates its own.
        ASSERT_TRUE(image.CreateEmpty(4, 3, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
        EXPECT_TRUE(image.data != frame && image.locked == 0);
        ASSERT_TRUE(image.CreateLocked(4, 3, 16, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    }
    EXPECT_EQ(mem.Delta(), 0u);
}

TEST(ImageLife, AssignmentIsADeepCopy) {
    MemoryCheck mem;
    {
        C_Image a, b;
        ASSERT_TRUE(a.CreateEmpty(3, 3, GFX_FMT_PAL8, GFX_FMT_R8G8B8));
        std::mt19937 rng(4);
        Randomize(a, rng);
        a.bottomUp = 1;
        b = a;
        EXPECT_TRUE(b.data != a.data && b.m_palette != a.m_palette);
        EXPECT_EQ(0, std::memcmp(b.data, a.data, a.dataSize));
        EXPECT_EQ(0, std::memcmp(b.m_palette, a.m_palette, a.paletteSize));
        EXPECT_TRUE(b.bottomUp == 1 && b.rowBytes == a.rowBytes && b.paletteFormat == GFX_FMT_R8G8B8);
        C_Image& alias = b;
        b = alias;  // self-assignment keeps the pixels
        EXPECT_EQ(0, std::memcmp(b.data, a.data, a.dataSize));
        // A copy of a locked image owns its copy.
        uint32_t frame[4] = {1, 2, 3, 4};
        ASSERT_TRUE(a.CreateLocked(2, 2, 8, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
        const C_Image owned(a);
        EXPECT_TRUE(owned.locked == 0 && owned.data != reinterpret_cast<uint8_t*>(frame));
    }
    EXPECT_EQ(mem.Delta(), 0u);
}

// Each row: the bytes of one pixel (or one byte for L1), repeated over the
// whole buffer.
TEST(ImageClear, FillsEachFormatFamily) {
    const struct {
        uint32_t w, h;
        int32_t format;
        C_Color colour;
        Bytes pixel;
    } cases[] = {
        {3, 2, GFX_FMT_A8R8G8B8, C_Color(1.0f, 0.0f, 0.0f, 1.0f), {0, 0, 0xFF, 0xFF}},
        {5, 3, GFX_FMT_L8, C_Color(0.5f, 0.0f, 0.0f, 0.0f), {0x7F}},
        {13, 2, GFX_FMT_L1, C_Color(1.0f, 0.0f, 0.0f, 0.0f), {0xFF}},
        {2, 1, GFX_FMT_R8G8B8, C_Color(1.0f, 0.0f, 0.2f, 0.0f), {51, 0, 255}},
        {2, 1, GFX_FMT_R16G16B16, C_Color(1.0f, 0.5f, 0.0f, 0.0f), {0, 0, 0xFF, 0x7F, 0xFF, 0xFF}},
        // Floats 0.75, 0.5, 0.25 and 1, lowest shift first; the double 0.25.
        {1, 1, GFX_FMT_A32R32G32B32F, C_Color(0.25f, 0.5f, 0.75f, 1.0f),
         {0, 0, 0x40, 0x3F, 0, 0, 0, 0x3F, 0, 0, 0x80, 0x3E, 0, 0, 0x80, 0x3F}},
        {2, 1, GFX_FMT_L64F, C_Color(0.25f, 0.0f, 0.0f, 0.0f), {0, 0, 0, 0, 0, 0, 0xD0, 0x3F}},
    };
    C_Image image;
    for (const auto& c : cases) {
        ASSERT_TRUE(image.CreateEmpty(c.w, c.h, c.format, GFX_FMT_NONE, c.colour));
        for (uint32_t i = 0; i < image.dataSize; ++i)
            ASSERT_EQ(image.data[i], c.pixel[i % c.pixel.size()]) << c.format << " byte " << i;
    }
}

TEST(ImageClear, LockedFrameKeepsItsRowPadding) {
    uint8_t frame[3 * 20];
    std::memset(frame, 0xEE, sizeof(frame));
    C_Image image;
    ASSERT_TRUE(image.CreateLocked(3, 3, 20, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    ASSERT_TRUE(image.Clear(C_Color(0.0f, 0.0f, 0.0f, 0.0f)));
    for (uint32_t y = 0; y < 3; ++y)
        for (uint32_t i = 0; i < 20; ++i) EXPECT_EQ(frame[y * 20 + i], i < 12 ? 0 : 0xEE) << y << "," << i;
}

TEST(ImageFlip, ExchangesRowsAroundTheMiddle) {
    C_Image image;
    ASSERT_TRUE(image.CreateEmpty(600, 3, GFX_FMT_L8, GFX_FMT_NONE));  // rows longer than the scratch
    for (uint32_t y = 0; y < 3; ++y) std::memset(image.data + y * 600, int(y + 1), 600);
    ASSERT_TRUE(image.FlipVertical());
    EXPECT_TRUE(image.data[0] == 3 && image.data[600 + 599] == 2 && image.data[1200 + 599] == 1);
}

TEST(ImageRaw, WritesBarePixelsWith24BitBytesReversed) {
    const std::string path = ::testing::TempDir() + "softblit_raw.bin";
    C_Image image;
    ASSERT_TRUE(image.CreateEmpty(2, 1, GFX_FMT_R8G8B8, GFX_FMT_NONE));
    const uint8_t pixels[6] = {1, 2, 3, 4, 5, 6};
    std::memcpy(image.data, pixels, 6);
    ASSERT_TRUE(image.Save_RAW_ToFile(path.c_str()));
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    Bytes got(8);
    got.resize(std::fread(got.data(), 1, got.size(), file));
    std::fclose(file);
    std::remove(path.c_str());
    EXPECT_EQ(got, (Bytes{3, 2, 1, 6, 5, 4}));
    ClearErrors();
    EXPECT_FALSE(image.Save_RAW_ToFile("/nonexistent-dir/x.raw"));
    EXPECT_TRUE(FailedWith(12, "C_Image::Save_RAW_ToFile(/nonexistent-dir/x.raw)"));
}
