// C_Image: the memory in use through creation, loading, failures and release;
// the ".img" record's exact bytes, headers that lie, and every truncation.
#include "image_test_util.h"

// A record: tag 6, then the header fields (dataSize, width, height, pitch,
// bitsPerPixel, format, paletteSize [, paletteFormat, paletteBitsPerPixel]),
// then `rows` bytes of 0x55.
static Bytes Record(std::initializer_list<uint32_t> fields, size_t rows = 0) {
    Bytes b;
    Put(b, 6, 2);
    for (uint32_t v : fields) Put(b, v, 4);
    b.insert(b.end(), rows, 0x55);
    return b;
}

static Bytes Saved(C_Image& image) {
    C_Stream stream;
    stream.OpenMemoryForWrite();
    image.SaveToStream(&stream, 0);
    return Bytes(stream.buffer, stream.buffer + stream.size);
}

TEST(ImageLife, MemoryReturnsToBaselineAfterEveryPath) {
    const uint32_t base = Sys_Status.memoryInUse;
    auto used = [base] { return Sys_Status.memoryInUse - base - uint32_t(sizeof(C_Image)); };
    C_Image* image = new C_Image;
    EXPECT_TRUE(IsReset(*image) && used() == 0);
    ASSERT_TRUE(image->CreateEmpty(3, 2, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    EXPECT_EQ(used(), 24u);
    ASSERT_TRUE(image->CreateEmpty(10, 1, GFX_FMT_PAL1, GFX_FMT_R8G8B8));
    EXPECT_TRUE(image->pitch == 2 && image->paletteSize == 768 && used() == 2 + 768);
    // A row of 2^24 bits is refused, leaving the image as it was.
    EXPECT_FALSE(image->CreateEmpty(1u << 19, 1, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    EXPECT_TRUE(FailedWith(3, "C_Image::CreateEmpty{data}") && image->width == 10 && used() == 2 + 768);
    image->Release(), image->Release();  // a second release frees nothing more
    image->Reset();
    EXPECT_TRUE(IsReset(*image) && used() == 0);
    // A stale palette size must not make CreateEmpty keep a palette that is gone.
    ASSERT_TRUE(image->CreateEmpty(4, 4, GFX_FMT_PAL8, GFX_FMT_R8G8B8));
    EXPECT_TRUE(image->m_palette != nullptr && used() == 16 + 768);

    // Loaders free what the image held, and nothing is left after a failure.
    const Bytes record = Record({2, 2, 1, 2, 8, GFX_FMT_L8, 0}, 2);
    ASSERT_TRUE(LoadBytes(*image, Loader::Img, record));
    EXPECT_EQ(used(), 2u);
    EXPECT_FALSE(LoadBytes(*image, Loader::Img, Bytes(record.begin(), record.end() - 1)));
    EXPECT_TRUE(IsReset(*image) && used() == 0);

    // A borrowed buffer is never freed, by re-shaping or by a loader.
    uint32_t frame[16] = {};
    ASSERT_TRUE(image->CreateLocked(4, 2, 32, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    EXPECT_TRUE(image->locked == 1 && used() == 0);
    EXPECT_TRUE(LoadFailsAsBadFile(*image, Loader::Tga, record));
    ASSERT_TRUE(image->CreateLocked(4, 2, 32, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    ASSERT_TRUE(LoadBytes(*image, Loader::Img, record));
    EXPECT_TRUE(image->locked == 0 && image->data != reinterpret_cast<uint8_t*>(frame) && used() == 2);
    delete image;
    EXPECT_EQ(Sys_Status.memoryInUse, base);
}

TEST(ImageRecord, ExactBytesBackAndEveryTruncation) {
    C_Image image, back;
    ASSERT_TRUE(image.CreateEmpty(3, 2, GFX_FMT_PAL4, GFX_FMT_R8G8B8));
    for (uint32_t i = 0; i < 768; ++i) image.m_palette[i] = uint8_t(i * 13);
    for (uint32_t i = 0; i < 4; ++i) image.data[i] = uint8_t(0x12 + i);
    Bytes want = Record({4, 3, 2, 2, 4, GFX_FMT_PAL4, 768, GFX_FMT_R8G8B8, 24});
    ASSERT_EQ(want.size(), 38u);
    want.insert(want.end(), image.m_palette, image.m_palette + 768);
    want.insert(want.end(), image.data, image.data + 4);
    EXPECT_EQ(Saved(image), want);
    ASSERT_TRUE(LoadBytes(back, Loader::Img, want));
    EXPECT_EQ(Saved(back), want);  // every field came back
    for (size_t n = 0; n < want.size(); ++n) {
        ASSERT_FALSE(LoadBytes(back, Loader::Img, Bytes(want.begin(), want.begin() + n))) << n;
        EXPECT_TRUE(Err_GetCause().code == ERR_DATA && Sys_Status.errorCode == ERR_FATAL && IsReset(back)) << n;
    }
}

TEST(ImageRecord, HostileHeadersFailWithoutAllocating) {
    const char* data = "C_Image::LoadFromStream{data}";
    const struct {
        const char* what;
        Bytes bytes;
        int32_t code;
        const char* text;
    } cases[] = {
        {"format 48", Record({4, 2, 2, 2, 8, 48, 0}, 4), 15, "C_Image::LoadFromStream{format}"},
        {"pitch below row", Record({4, 2, 2, 1, 8, GFX_FMT_L8, 0}, 4), 10, data},
        {"data below rows x height", Record({3, 2, 2, 2, 8, GFX_FMT_L8, 0}, 4), 10, data},
        {"rows missing", Record({4, 2, 2, 2, 8, GFX_FMT_L8, 0}, 3), 10, data},
        {"4 GiB of rows", Record({0xFFFFFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 8, GFX_FMT_L8, 0}, 40), 10, data},
        {"palette of 255 entries", Record({4, 2, 2, 2, 8, GFX_FMT_PAL8, 765, GFX_FMT_R8G8B8, 24}, 769), 10, data},
        {"palette of 257 entries", Record({4, 2, 2, 2, 8, GFX_FMT_PAL8, 771, GFX_FMT_R8G8B8, 24}, 775), 10, data},
        {"empty rows with a pitch", Record({0x8000000, 0, 0x1000000, 8, 32, GFX_FMT_A8R8G8B8, 0}), 10, data},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        C_Image image;
        const uint32_t peakBefore = Sys_Status.memoryPeak, inUse = Sys_Status.memoryInUse;
        EXPECT_FALSE(LoadBytes(image, Loader::Img, c.bytes));
        EXPECT_TRUE(FailedWith(c.code, c.text) && IsReset(image));
        EXPECT_EQ(Sys_Status.memoryInUse, inUse);
        EXPECT_LE(Sys_Status.memoryPeak, std::max(peakBefore, inUse + (1u << 20)));
    }
}

TEST(ImageRecord, StoredPitchAndDataSizeDoNotSizeTheBuffer) {
    // 31 bytes: a 1x1 L8 image that claims a pitch (and dataSize) of 2^28.
    const Bytes giant = Record({1u << 28, 1, 1, 1u << 28, 8, GFX_FMT_L8, 0}, 1);
    ASSERT_EQ(giant.size(), 31u);
    C_Image image;
    const uint32_t inUse = Sys_Status.memoryInUse;
    ASSERT_TRUE(LoadBytes(image, Loader::Img, giant));
    EXPECT_TRUE(image.pitch == 1 && image.dataSize == 1 && image.data[0] == 0x55);
    EXPECT_EQ(Sys_Status.memoryInUse, inUse + 1);

    // A padded, locked image saves unpadded rows and reloads to the same pixels.
    uint8_t frame[2 * 5] = {1, 2, 3, 0xEE, 0xEE, 4, 5, 6, 0xEE, 0xEE};
    C_Image locked;
    ASSERT_TRUE(locked.CreateLocked(3, 2, 5, GFX_FMT_L8, GFX_FMT_NONE, frame));
    ASSERT_TRUE(LoadBytes(image, Loader::Img, Saved(locked)));
    EXPECT_TRUE(image.width == 3 && image.height == 2 && image.pitch == 3 && image.dataSize == 6);
    EXPECT_EQ(Bytes(image.data, image.data + 6), (Bytes{1, 2, 3, 4, 5, 6}));
}
