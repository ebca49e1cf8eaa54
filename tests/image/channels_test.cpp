// Channel planes (how the display makes its alpha copies), the alpha of a key
// colour, and Clear on a frame buffer whose rows are padded.
#include "image_test_util.h"

TEST(Channels, OutAndBackInWithoutSpillingAndTheKeyColour) {
    C_Image image, alpha, copy;
    const uint32_t pixels[] = {0x80112233, 0xFF445566, 0x00778899, 0x01AABBCC};
    ASSERT_TRUE(image.CreateEmpty(4, 1, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    std::memcpy(image.data, pixels, 16);
    ASSERT_TRUE(Gfx_Image_GetChannel(&image, &alpha, GFX_CHANNEL_ALPHA));
    EXPECT_TRUE(alpha.format == GFX_FMT_L8 && Bytes(alpha.data, alpha.data + 4) == (Bytes{0x80, 0xFF, 0x00, 0x01}));
    copy = image;
    std::memset(alpha.data, 0x3C, 4);
    ASSERT_TRUE(Gfx_Image_SetChannel(&alpha, &copy, GFX_CHANNEL_ALPHA));
    EXPECT_EQ(PixelArgb(copy, 3, 0), 0x3CAABBCCu);

    // A level wider than its 6-bit channel is cut to it, not spilled.
    C_Image wide, green;
    ASSERT_TRUE(wide.CreateEmpty(2, 1, GFX_FMT_R5G6B5, GFX_FMT_NONE));
    const uint16_t levels[2] = {0xFFFF, 0x8410};
    std::memcpy(wide.data, levels, 4);
    ASSERT_TRUE(Gfx_Image_GetChannel(&wide, &green, GFX_CHANNEL_GREEN));
    EXPECT_TRUE(green.data[0] == 63 && green.data[1] == 32);
    green.data[0] = 0xFF, green.data[1] = 1;
    ASSERT_TRUE(Gfx_Image_SetChannel(&green, &wide, GFX_CHANNEL_GREEN));
    EXPECT_EQ(Bytes(wide.data, wide.data + 4), (Bytes{0xFF, 0xFF, 0x30, 0x80}));

    // The key is compared on all 32 bits: only an opaque magenta matches.
    const uint32_t keyed[] = {0xFFFF00FF, 0xFFFF00FE, 0x00FF00FF};
    std::memcpy(image.data, keyed, 12);
    ASSERT_TRUE(Gfx_Image_GetAlpha_FromKeyColor(&image, &alpha, C_Color(1.0f, 0.0f, 1.0f, 1.0f)));
    EXPECT_EQ(Bytes(alpha.data, alpha.data + 4), (Bytes{0, 255, 255, 255}));  // the fourth pixel is 0x01AABBCC
}

TEST(Clear, FillsOnlyTheRowsOfAPaddedFrameBuffer) {
    Bytes memory(3 * 16, 0xEE);  // 3 rows of 2 pixels, 16 bytes apart
    C_Image locked;
    ASSERT_TRUE(locked.CreateLocked(2, 3, 16, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, memory.data()));
    ASSERT_TRUE(locked.Clear(C_Color(0.0f, 0.0f, 1.0f, 1.0f)));
    for (size_t i = 0; i < memory.size(); ++i) {
        const bool pixel = i % 16 < 8;
        EXPECT_EQ(memory[i], pixel ? (i % 4 == 0 || i % 4 == 3 ? 0xFF : 0x00) : 0xEE) << i;
    }
    // Sub-byte rows: the bits past the last pixel are cleared, not filled.
    Bytes bits(2 * 2, 0xEE);
    ASSERT_TRUE(locked.CreateLocked(3, 2, 2, GFX_FMT_L1, GFX_FMT_NONE, bits.data()));
    ASSERT_TRUE(locked.Clear(C_Color(1.0f, 1.0f, 1.0f, 1.0f)));
    EXPECT_EQ(bits, (Bytes{0xE0, 0xEE, 0xE0, 0xEE}));
}
