// Channel planes: extraction, insertion and key-colour alpha.
#include <gtest/gtest.h>

#include "image_test_util.h"

using namespace image_test;

namespace {

C_Image Argb(uint32_t w, uint32_t h, std::initializer_list<uint32_t> pixels) {
    C_Image image;
    EXPECT_TRUE(image.CreateEmpty(w, h, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    uint32_t i = 0;
    for (uint32_t p : pixels) std::memcpy(image.data + 4 * i++, &p, 4);
    return image;
}

}  // namespace

TEST(Channels, AlphaOutAndBackIn) {
    C_Image image = Argb(2, 2, {0x80112233, 0xFF445566, 0x00778899, 0x01AABBCC}), alpha, red;
    ASSERT_TRUE(Gfx_Image_GetChannel(&image, &alpha, GFX_CHANNEL_ALPHA));
    EXPECT_EQ(alpha.format, GFX_FMT_L8);
    EXPECT_EQ(Bytes(alpha.data, alpha.data + 4), (Bytes{0x80, 0xFF, 0x00, 0x01}));
    ASSERT_TRUE(Gfx_Image_GetChannel(&image, &red, GFX_CHANNEL_RED));
    EXPECT_EQ(red.data[3], 0xAA);

    C_Image copy = image;
    std::memset(alpha.data, 0x3C, 4);
    ASSERT_TRUE(Gfx_Image_SetChannel(&alpha, &copy, GFX_CHANNEL_ALPHA));
    EXPECT_TRUE(Pixel32(copy, 0, 0) == 0x3C112233u && Pixel32(copy, 1, 1) == 0x3CAABBCCu);
    // Extracting and putting back the same plane changes nothing.
    ASSERT_TRUE(Gfx_Image_GetChannel(&image, &alpha, GFX_CHANNEL_ALPHA));
    ASSERT_TRUE(Gfx_Image_SetChannel(&alpha, &copy, GFX_CHANNEL_ALPHA));
    EXPECT_TRUE(SamePixels(copy, image));
}

TEST(Channels, LevelsStayUnscaledAndCannotSpill) {
    C_Image image, green;
    ASSERT_TRUE(image.CreateEmpty(2, 1, GFX_FMT_R5G6B5, GFX_FMT_NONE));
    const uint16_t pixels[2] = {0xFFFF, 0x8410};
    std::memcpy(image.data, pixels, 4);
    ASSERT_TRUE(Gfx_Image_GetChannel(&image, &green, GFX_CHANNEL_GREEN));
    EXPECT_TRUE(green.data[0] == 63 && green.data[1] == 32);
    green.data[0] = 0xFF;  // wider than the 6-bit channel
    green.data[1] = 1;
    ASSERT_TRUE(Gfx_Image_SetChannel(&green, &image, GFX_CHANNEL_GREEN));
    EXPECT_EQ(Bytes(image.data, image.data + 4), (Bytes{0xFF, 0xFF, 0x30, 0x80}));
}

TEST(Channels, WideFormatsAndAbsentChannels) {
    C_Image image, plane;
    ASSERT_TRUE(image.CreateEmpty(1, 1, GFX_FMT_A16R16G16B16, GFX_FMT_NONE));
    const uint64_t px = 0xAAAA123456789ABCull;
    std::memcpy(image.data, &px, 8);
    ASSERT_TRUE(Gfx_Image_GetChannel(&image, &plane, GFX_CHANNEL_RED));
    EXPECT_EQ(plane.format, GFX_FMT_L16);
    EXPECT_EQ(plane.data[0] | plane.data[1] << 8, 0x1234);
    plane.data[1] = 0xBE;
    ASSERT_TRUE(Gfx_Image_SetChannel(&plane, &image, GFX_CHANNEL_ALPHA));
    uint64_t now;
    std::memcpy(&now, image.data, 8);
    EXPECT_EQ(now, 0xBE34123456789ABCull);

    // A channel the format lacks reads as 0 and is not written.
    ASSERT_TRUE(image.CreateEmpty(3, 1, GFX_FMT_R8G8B8, GFX_FMT_NONE, C_Color(1.0f, 1.0f, 1.0f, 1.0f)));
    for (uint32_t channel : {3u, 7u}) {
        ASSERT_TRUE(Gfx_Image_GetChannel(&image, &plane, channel));
        for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(plane.data[i], 0);
    }
    std::memset(plane.data, 0x12, 3);
    ASSERT_TRUE(Gfx_Image_SetChannel(&plane, &image, GFX_CHANNEL_ALPHA));
    for (uint32_t i = 0; i < 9; ++i) EXPECT_EQ(image.data[i], 0xFF);

    // Planes of other formats or sizes are refused.
    ASSERT_TRUE(plane.CreateEmpty(3, 1, GFX_FMT_L16, GFX_FMT_NONE));
    EXPECT_FALSE(Gfx_Image_SetChannel(&plane, &image, GFX_CHANNEL_RED));
    ASSERT_TRUE(plane.CreateEmpty(2, 1, GFX_FMT_L8, GFX_FMT_NONE));
    ClearErrors();
    EXPECT_FALSE(Gfx_Image_SetChannel(&plane, &image, GFX_CHANNEL_RED));
    EXPECT_TRUE(FailedWith(10, "Gfx_Image_SetChannel{size}"));
    C_Image empty;
    EXPECT_FALSE(Gfx_Image_GetChannel(&empty, &plane, 0));
    EXPECT_TRUE(FailedWith(15, "Gfx_Image_GetChannel{pImageSrc->format}"));
}

TEST(KeyColour, MarksExactlyTheKeyPixels) {
    C_Image image = Argb(3, 1, {0xFFFF00FF, 0xFFFF00FE, 0x00FF00FF}), alpha, rgb, wide, empty;
    ASSERT_TRUE(Gfx_Image_GetAlpha_FromKeyColor(&image, &alpha, C_Color(1.0f, 0.0f, 1.0f, 1.0f)));
    EXPECT_EQ(alpha.format, GFX_FMT_L8);
    EXPECT_EQ(Bytes(alpha.data, alpha.data + 3), (Bytes{0, 255, 255}));
    ASSERT_TRUE(rgb.CreateEmpty(2, 1, GFX_FMT_R8G8B8, GFX_FMT_NONE));
    const uint8_t bytes[6] = {0xFF, 0x00, 0xFF, 0xFF, 0x01, 0xFF};
    std::memcpy(rgb.data, bytes, 6);
    ASSERT_TRUE(Gfx_Image_GetAlpha_FromKeyColor(&rgb, &alpha, C_Color(1.0f, 0.0f, 1.0f, 0.0f)));
    EXPECT_EQ(Bytes(alpha.data, alpha.data + 2), (Bytes{0, 255}));
    // Wide formats compare whole pixels too; their plane is full scale elsewhere.
    ASSERT_TRUE(wide.CreateEmpty(2, 1, GFX_FMT_R16G16B16, GFX_FMT_NONE, C_Color(1.0f, 0.0f, 1.0f, 0.0f)));
    wide.data[7] ^= 1;
    ASSERT_TRUE(Gfx_Image_GetAlpha_FromKeyColor(&wide, &alpha, C_Color(1.0f, 0.0f, 1.0f, 0.0f)));
    const uint8_t levels[4] = {0, 0, 0xFF, 0xFF};
    EXPECT_TRUE(alpha.format == GFX_FMT_L16 && std::memcmp(alpha.data, levels, 4) == 0);
    ClearErrors();
    EXPECT_FALSE(Gfx_Image_GetAlpha_FromKeyColor(&empty, &alpha, C_Color()));
    EXPECT_TRUE(FailedWith(15, "Gfx_Image_GetAlpha_FromKeyColor{pImageSrc->format}"));
}
