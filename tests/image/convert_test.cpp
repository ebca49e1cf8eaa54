// Format conversion: the channel arithmetic, every family of formats,
// in-place and reallocating changes, and clones.
#include <gtest/gtest.h>

#include <cmath>

#include "image_test_util.h"

using namespace image_test;

namespace {

using Values = std::vector<uint64_t>;

// One row of pixels, each given as its little-endian value (sub-byte pixels
// from the top bits down).
C_Image Row(int32_t format, const Values& values) {
    C_Image image;
    S_FormatDesc d;
    Gfx_GetFormatDesc(format, d);
    EXPECT_TRUE(image.CreateEmpty(uint32_t(values.size()), 1, format, d.indexed ? GFX_FMT_R8G8B8 : GFX_FMT_NONE));
    std::memset(image.data, 0, image.dataSize);
    for (uint32_t x = 0; x < values.size(); ++x) {
        if (d.bitsPerPixel < 8) {
            const uint32_t bit = x * d.bitsPerPixel;
            image.data[bit / 8] |= uint8_t(values[x] << (8 - d.bitsPerPixel - bit % 8));
        } else {
            for (uint32_t i = 0; i < d.bytesPerPixel; ++i)
                image.data[x * d.bytesPerPixel + i] = uint8_t(values[x] >> (8 * i));
        }
    }
    return image;
}

uint64_t Value(const C_Image& image, uint32_t x, uint32_t y = 0) {
    S_FormatDesc d;
    Gfx_GetFormatDesc(image.format, d);
    const uint8_t* row = image.GetRow(y);
    if (d.bitsPerPixel < 8) {
        const uint32_t bit = x * d.bitsPerPixel;
        return (row[bit / 8] >> (8 - d.bitsPerPixel - bit % 8)) & ((1u << d.bitsPerPixel) - 1);
    }
    uint64_t v = 0;
    for (uint32_t i = 0; i < d.bytesPerPixel && i < 8; ++i) v |= uint64_t(row[x * d.bytesPerPixel + i]) << (8 * i);
    return v;
}

// Converts a one-row image into `format` and returns the pixel values.
Values Convert(const C_Image& source, int32_t format) {
    C_Image out;
    EXPECT_TRUE(Gfx_Image_Clone(&source, &out, format, GFX_FMT_NONE));
    Values values;
    for (uint32_t x = 0; x < out.width; ++x) values.push_back(Value(out, x));
    return values;
}

float FloatAt(const C_Image& image, uint32_t x, uint32_t word) {
    float f;
    std::memcpy(&f, image.GetRow(0) + x * (image.bitsPerPixel / 8) + word * 4, 4);
    return f;
}

}  // namespace

TEST(ConvertChannels, IntegerFamilies) {
    const struct {
        int32_t from;
        Values in;
        int32_t to;
        Values out;
    } cases[] = {
        // 5-bit 31 becomes 255 and 16 becomes 128; alpha the source lacks is 0.
        {GFX_FMT_R5G6B5, {0xFFFF, 0x8410}, GFX_FMT_A8R8G8B8, {0x00FFFFFF, 0x00808080}},
        {GFX_FMT_A8R8G8B8, {0x12F8FC07, 0xFFFFFFFF}, GFX_FMT_R5G6B5, {0xFFE0, 0xFFFF}},  // the top bits
        // Widening by more than the source width repeats its bits: 1 and
        // 3-bit 7 become 255.
        {GFX_FMT_A1R5G5B5, {0x8000, 0x0000}, GFX_FMT_A8R8G8B8, {0xFF000000, 0}},
        {GFX_FMT_R3G3B2, {0xFF, 0xA0, 0x01}, GFX_FMT_A8R8G8B8, {0x00FFFFFF, 0x00B60000, 0x00000055}},
        {GFX_FMT_L8, {0xAB}, GFX_FMT_L32, {0xABABABAB}},
        {GFX_FMT_L8, {0xAB}, GFX_FMT_L16, {0xABAB}},
        {GFX_FMT_A4R4G4B4, {0xF8F1}, GFX_FMT_A8R8G8B8, {0xFF88FF11}},
        {GFX_FMT_L8, {0x40}, GFX_FMT_R8G8B8, {0x400000}},  // one channel gives red only
        {GFX_FMT_R8G8B8, {0x123456}, GFX_FMT_R16G16B16, {0x121234345656}},
        {GFX_FMT_A16B16G16R16, {0xFFFF000180007FFF}, GFX_FMT_A8R8G8B8, {0xFF7F8000}},
        // Sub-byte pixels.
        {GFX_FMT_L1, {1, 0, 1, 1, 0, 0, 0, 1, 1}, GFX_FMT_L8, {255, 0, 255, 255, 0, 0, 0, 255, 255}},
        {GFX_FMT_L8, {0x80, 0x7F, 0xFF, 0, 0x90, 0x10, 0, 0xF0, 0xC0}, GFX_FMT_L1, {1, 0, 1, 0, 1, 0, 0, 1, 1}},
        {GFX_FMT_A8R8G8B8, {0x00C00000, 0x00400000}, GFX_FMT_PAL2, {3, 1}},
        // Into another indexed format the index is carried.
        {GFX_FMT_PAL4, {9, 15, 0}, GFX_FMT_PAL8, {9, 15, 0}},
        {GFX_FMT_PAL8, {200, 3}, GFX_FMT_PAL2, {0, 3}},
    };
    for (const auto& c : cases) EXPECT_EQ(Convert(Row(c.from, c.in), c.to), c.out) << c.from << "->" << c.to;
}

TEST(ConvertChannels, PaletteLookUp) {
    C_Image image = Row(GFX_FMT_PAL8, {5, 0});
    std::memset(image.m_palette, 0, image.paletteSize);
    image.m_palette[15] = 10, image.m_palette[16] = 20, image.m_palette[17] = 30;
    EXPECT_EQ(Convert(image, GFX_FMT_A8R8G8B8), (Values{0x001E140A, 0}));
    EXPECT_EQ(Convert(image, GFX_FMT_R5G6B5), (Values{(3u << 11) | (5u << 5) | 1u, 0}));
    EXPECT_EQ(Convert(image, GFX_FMT_L8), (Values{30, 0}));  // red
    C_Image nibbles = Row(GFX_FMT_PAL4, {5, 0, 5});
    std::memcpy(nibbles.m_palette, image.m_palette, 768);
    EXPECT_EQ(Convert(nibbles, GFX_FMT_A8R8G8B8), (Values{0x001E140A, 0, 0x001E140A}));
    // Palettes in other formats are read in their own format.
    C_Image wide;
    ASSERT_TRUE(wide.CreateEmpty(1, 1, GFX_FMT_PAL8, GFX_FMT_A8B8G8R8));
    wide.data[0] = 255;
    const uint32_t entry = 0x80112233;
    std::memcpy(wide.m_palette + 255 * 4, &entry, 4);
    EXPECT_EQ(Convert(wide, GFX_FMT_A8R8G8B8), (Values{0x80332211}));
}

TEST(ConvertChannels, FloatAndDoubleChannels) {
    // Integer into float: widened to 32 bits by the plain rule, times 2^-32.
    C_Image f;
    ASSERT_TRUE(Gfx_Image_Clone(&static_cast<const C_Image&>(Row(GFX_FMT_A8R8G8B8, {0xFF000080})), &f,
                                GFX_FMT_A32R32G32B32F, GFX_FMT_NONE));
    EXPECT_EQ(FloatAt(f, 0, 0), float((128.0 * 16777216 + 128) / 4294967296.0));  // blue
    EXPECT_EQ(FloatAt(f, 0, 1), 0.0f);
    EXPECT_EQ(FloatAt(f, 0, 3), float((255.0 * 16777216 + 255) / 4294967296.0));  // alpha

    // Float into integer: trunc(f x (2^t - 1)); out-of-range values saturate.
    C_Image floats;
    ASSERT_TRUE(floats.CreateEmpty(2, 1, GFX_FMT_A32B32G32R32F, GFX_FMT_NONE));
    const float values[8] = {1.0f, 0.5f, -1.0f, NAN, 2.0f, 0.25f, 1e30f, -0.0f};
    std::memcpy(floats.data, values, sizeof(values));
    EXPECT_EQ(Convert(floats, GFX_FMT_A8R8G8B8), (Values{0x00FF7F00, 0x00FF3FFF}));
    EXPECT_EQ(Convert(floats, GFX_FMT_R5G6B5), (Values{0xFBE0, 0xF9FF}));
    // Float into float carries the values; a missing alpha is 0.
    C_Image back;
    ASSERT_TRUE(Gfx_Image_Clone(&floats, &back, GFX_FMT_R32G32B32A32F, GFX_FMT_NONE));
    EXPECT_EQ(FloatAt(back, 0, 1), -1.0f);  // blue
    EXPECT_EQ(FloatAt(back, 1, 1), 1e30f);
    EXPECT_TRUE(std::isnan(FloatAt(back, 0, 0)));

    // L64F is one double channel.
    C_Image d, wide;
    ASSERT_TRUE(d.CreateEmpty(3, 1, GFX_FMT_L64F, GFX_FMT_NONE));
    const double levels[3] = {0.5, 1.0, -3.0};
    std::memcpy(d.data, levels, sizeof(levels));
    EXPECT_EQ(Convert(d, GFX_FMT_A8R8G8B8), (Values{0x7F0000, 0xFF0000, 0}));
    ASSERT_TRUE(Gfx_Image_Clone(&static_cast<const C_Image&>(Row(GFX_FMT_L8, {255})), &wide, GFX_FMT_L64F,
                                GFX_FMT_NONE));
    double got;
    std::memcpy(&got, wide.data, 8);
    EXPECT_EQ(got, (255.0 * 16777216 + 255) / 4294967296.0);
}

// Every pair of the 47 formats converts and writes every destination pixel:
// two runs over differently filled destinations agree. Where both are integer
// formats and the destination is at least as wide in each of the source's
// channels, converting back gives the original channel bits.
TEST(ConvertChannels, EveryPairFillsTheDestinationAndWideningRoundTrips) {
    auto integer = [](const S_FormatDesc& d) { return !d.indexed && d.componentType <= GFX_COMPONENT_UINT; };
    std::mt19937 rng(5);
    int roundTrips = 0;
    for (int32_t a = 1; a <= 47; ++a) {
        S_FormatDesc da, db;
        Gfx_GetFormatDesc(a, da);
        C_Image source;
        ASSERT_TRUE(source.CreateEmpty(29, 3, a, da.indexed ? GFX_FMT_R8G8B8 : GFX_FMT_NONE));
        Randomize(source, rng);
        uint64_t used = 0;  // the channel bits of an integer pixel
        for (int c = 0; c < 4 && integer(da); ++c)
            if (da.bits[c]) used |= (da.bits[c] >= 64 ? ~0ull : (1ull << da.bits[c]) - 1) << da.shift[c];
        for (int32_t b = 1; b <= 47; ++b) {
            Gfx_GetFormatDesc(b, db);
            C_Image d1, d2, back;
            ASSERT_TRUE(d1.CreateEmpty(29, 3, b, GFX_FMT_NONE) && d2.CreateEmpty(29, 3, b, GFX_FMT_NONE));
            std::memset(d1.data, 0x00, d1.dataSize);
            std::memset(d2.data, 0xFF, d2.dataSize);
            ASSERT_TRUE(Gfx_Image_Copy_24to32(&source, &d1) && Gfx_Image_Copy_24to32(&source, &d2)) << a << "->" << b;
            for (uint32_t y = 0; y < 3; ++y)
                for (uint32_t x = 0; x < 29; ++x) ASSERT_EQ(Value(d1, x, y), Value(d2, x, y)) << a << "->" << b;
            bool widens = a != b && integer(da) && integer(db);
            for (int c = 0; c < 4; ++c) widens = widens && db.bits[c] >= da.bits[c];
            if (!widens) continue;
            ++roundTrips;
            ASSERT_TRUE(Gfx_Image_Clone(&d1, &back, a, GFX_FMT_NONE));
            for (uint32_t y = 0; y < 3; ++y)
                for (uint32_t x = 0; x < 29; ++x)
                    ASSERT_EQ(Value(back, x, y) & used, Value(source, x, y) & used) << a << "->" << b << " at " << x;
        }
    }
    EXPECT_GT(roundTrips, 100);
}

TEST(ConvertChannels, RowsAreLogicalAcrossStorageOrders) {
    uint32_t frame[2][3] = {{1, 2, 3}, {4, 5, 6}};
    C_Image upside, copy;
    ASSERT_TRUE(upside.CreateLocked(2, 2, 12, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    upside.bottomUp = 1;  // logical row 0 is the second row in memory
    ASSERT_TRUE(Gfx_Image_Clone(&upside, &copy, GFX_FMT_A8B8G8R8, GFX_FMT_NONE));
    EXPECT_EQ(copy.bottomUp, 0);
    EXPECT_EQ(Pixel32(copy, 0, 0), 0x00040000u);
    EXPECT_EQ(Pixel32(copy, 1, 1), 0x00020000u);
}

TEST(ConvertErrors, RefusedArguments) {
    C_Image a = Row(GFX_FMT_L8, {1, 2}), b = Row(GFX_FMT_A8R8G8B8, {3, 4, 5}), empty;
    ClearErrors();
    EXPECT_FALSE(Gfx_Image_Copy_24to32(&a, &b));
    EXPECT_TRUE(FailedWith(10, "Gfx_Image_Copy_24to32{size}"));
    b.width = 2;
    b.dataSize = 7;  // the buffer's claim no longer covers the row
    EXPECT_FALSE(Gfx_Image_Copy_24to32(&a, &b));
    EXPECT_TRUE(FailedWith(10, "Gfx_Image_Copy_24to32{size}"));
    EXPECT_FALSE(Gfx_Image_Copy_24to32(&empty, &b));
    EXPECT_TRUE(FailedWith(15, "Gfx_Image_Copy_24to32{pImageSrc->format}"));
    C_Image indices = Row(GFX_FMT_PAL8, {1}), out = Row(GFX_FMT_A8R8G8B8, {0});
    indices.paletteSize = 300;  // fewer than 256 entries of 3 bytes
    EXPECT_FALSE(Gfx_Image_Copy_24to32(&indices, &out));
    EXPECT_TRUE(FailedWith(16, "Gfx_Image_Copy_24to32{pImageSrc->m_palette}"));
    indices.paletteSize = 768;
    EXPECT_FALSE(Gfx_Image_ChangeFormat(&a, GFX_FMT_L16, 0));
    EXPECT_TRUE(FailedWith(16, "Gfx_Image_ChangeFormat{newPalFormat}"));
    EXPECT_FALSE(Gfx_Image_Clone(&a, nullptr, GFX_FMT_KEEP, GFX_FMT_KEEP));
    EXPECT_TRUE(FailedWith(14, "Gfx_Image_Clone{pImageDst}"));
}

TEST(ChangeFormat, InPlaceForTheSamePixelSize) {
    C_Image image = Row(GFX_FMT_A8R8G8B8, {0x11223344, 0xFF000080});
    uint8_t* buffer = image.data;
    const uint32_t inUse = Sys_Status.memoryInUse;
    ASSERT_TRUE(Gfx_Image_ChangeFormat(&image, GFX_FMT_A8B8G8R8, GFX_FMT_KEEP));
    EXPECT_TRUE(image.data == buffer && Sys_Status.memoryInUse == inUse);
    EXPECT_TRUE(Value(image, 0) == 0x11443322u && Value(image, 1) == 0xFF800000u);
    // Same format or KEEP: nothing changes, the palette format included.
    EXPECT_TRUE(Gfx_Image_ChangeFormat(&image, GFX_FMT_KEEP, GFX_FMT_R8G8B8));
    EXPECT_TRUE(Gfx_Image_ChangeFormat(&image, GFX_FMT_A8B8G8R8, GFX_FMT_R8G8B8));
    EXPECT_TRUE(image.paletteFormat == GFX_FMT_NONE && Value(image, 0) == 0x11443322u);
}

TEST(ChangeFormat, NewBufferForAnotherPixelSize) {
    C_Image image = Row(GFX_FMT_A8R8G8B8, {0x11223344, 0xFF000080, 0x00ABCDEF});
    const uint32_t inUse = Sys_Status.memoryInUse;
    ASSERT_TRUE(Gfx_Image_ChangeFormat(&image, GFX_FMT_R8G8B8, GFX_FMT_NONE));
    EXPECT_TRUE(image.pitch == 9 && image.rowBytes == 9 && image.dataSize == 9 && image.bitsPerPixel == 24);
    EXPECT_TRUE(Value(image, 2) == 0xABCDEFu && Sys_Status.memoryInUse == inUse - 12 + 9);
    // PAL4 and PAL8 share a byte per pixel but not a pixel size.
    C_Image nibbles = Row(GFX_FMT_PAL4, {1, 2, 3, 4, 5});
    ASSERT_TRUE(Gfx_Image_ChangeFormat(&nibbles, GFX_FMT_PAL8, GFX_FMT_NONE));
    EXPECT_TRUE(nibbles.dataSize == 5 && nibbles.m_palette == nullptr);
    for (uint32_t x = 0; x < 5; ++x) EXPECT_EQ(Value(nibbles, x), x + 1);
    // Between indexed formats the palette comes along.
    C_Image indices = Row(GFX_FMT_PAL8, {7, 200});
    for (uint32_t i = 0; i < 768; ++i) indices.m_palette[i] = uint8_t(i * 3);
    const Bytes palette(indices.m_palette, indices.m_palette + 768);
    ASSERT_TRUE(Gfx_Image_ChangeFormat(&indices, GFX_FMT_PAL4, GFX_FMT_KEEP));
    ASSERT_NE(indices.m_palette, nullptr);
    EXPECT_TRUE(Bytes(indices.m_palette, indices.m_palette + 768) == palette && Value(indices, 0) == 7);
    // A borrowed buffer is left to its owner; the image owns the new one.
    uint32_t frame[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFFFFFFFF};
    C_Image locked;
    ASSERT_TRUE(locked.CreateLocked(2, 2, 8, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    ASSERT_TRUE(Gfx_Image_ChangeFormat(&locked, GFX_FMT_L8, GFX_FMT_NONE));
    EXPECT_TRUE(locked.locked == 0 && locked.data != reinterpret_cast<uint8_t*>(frame) && frame[3] == 0xFFFFFFFFu);
    EXPECT_TRUE(Value(locked, 0, 0) == 0xFF && Value(locked, 1, 0) == 0 && Value(locked, 1, 1) == 0xFF);
}

TEST(Clone, KeepGivesAnIdenticalCopy) {
    C_Image image, copy, other;
    ASSERT_TRUE(image.CreateEmpty(9, 4, GFX_FMT_PAL8, GFX_FMT_R8G8B8));
    std::mt19937 rng(2);
    Randomize(image, rng);
    ASSERT_TRUE(Gfx_Image_Clone(&image, &copy, GFX_FMT_KEEP, GFX_FMT_KEEP));
    EXPECT_TRUE(copy.format == GFX_FMT_PAL8 && copy.paletteFormat == GFX_FMT_R8G8B8 && SamePixels(copy, image));
    EXPECT_EQ(0, std::memcmp(copy.m_palette, image.m_palette, 768));
    // A palette of another format is converted, not overrun.
    ASSERT_TRUE(Gfx_Image_Clone(&image, &other, GFX_FMT_PAL8, GFX_FMT_R5G6B5));
    EXPECT_EQ(other.paletteSize, 512u);
    uint16_t entry;
    std::memcpy(&entry, other.m_palette + 2 * 9, 2);
    const uint8_t* rgb = image.m_palette + 3 * 9;
    EXPECT_EQ(entry, ((rgb[2] >> 3) << 11) | ((rgb[1] >> 2) << 5) | (rgb[0] >> 3));
    EXPECT_TRUE(SamePixels(other, image));
}
