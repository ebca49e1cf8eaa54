// The font classes and their records: byte layouts, the 16-bit coordinates,
// the glyph order of a loaded face, and the face index.
#include <gtest/gtest.h>

#include "font_fixtures.h"
#include "softblit/core/status.h"

using namespace font_test;

TEST(FontTypeRecord, DefaultSavesItsNameAndSizeAndKeepsRenderModeOnLoad) {
    C_FontType type;
    const std::vector<uint8_t> bytes = SaveBytes(type);
    ASSERT_GE(bytes.size(), 2u + 4 + 8);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1], 0);
    float size;
    std::memcpy(&size, &bytes[bytes.size() - 12], 4);
    EXPECT_EQ(size, 10.0f);
    C_FontType loaded(C_String("x"), 3, FONT_RENDER_GRID, 1, 1, 1, 1, 9);
    ASSERT_TRUE(LoadBytes(loaded, bytes));
    EXPECT_TRUE(loaded.name == "MS Sans Serif");
    EXPECT_EQ(loaded.size, 10.0f);
    EXPECT_EQ(loaded.renderMode, FONT_RENDER_GRID);
    EXPECT_EQ(loaded.bold + loaded.italic + loaded.underline + loaded.strikeOut, 0);
    EXPECT_EQ(loaded.reserved, 0u);
    // A short record changes nothing.
    C_FontType kept(C_String("kept"), 5, 0, 1, 0, 0, 0, 0);
    EXPECT_FALSE(LoadBytes(kept, bytes, bytes.size() - 1));
    EXPECT_TRUE(kept.name == "kept");
    EXPECT_EQ(kept.size, 5.0f);
}

TEST(GlyphRecord, IsTwentySixBytesWithCoordinatesTruncatedToSixteenBits) {
    C_BitmapGlyph glyph(16, FONT_RENDER_ANTIALIASED, FONT_STYLE_BOLD);
    glyph.pageIndex = 0x01020304;
    glyph.frame = C_Frame(1, -2, 70000, 4);
    glyph.advance.Set(9, 0);
    glyph.bearing.Set(-1, 12);
    const std::vector<uint8_t> bytes = SaveBytes(glyph);
    const std::vector<uint8_t> expected = {3, 0, 16, 0, 5, 8, 4, 3, 2, 1, 1, 0, 0xFE, 0xFF, 0x70, 0x11,
                                           4, 0, 9, 0, 0, 0, 0xFF, 0xFF, 12, 0};
    EXPECT_EQ(bytes, expected);
    C_BitmapGlyph loaded;
    ASSERT_TRUE(LoadBytes(loaded, bytes));  // 70000 & 0xFFFF sign-extended is 4464
    EXPECT_EQ(Fields(loaded), "size 16 mode 5 style 8 page 16909060 frame 1 -2 4464 4 advance 9 0 bearing -1 12");
    std::vector<uint8_t> wrongTag = bytes;
    wrongTag[0] = 4;
    EXPECT_FALSE(LoadBytes(loaded, wrongTag));
    EXPECT_STREQ(Err_GetCause().message, "C_BitmapGlyph::LoadFromStream{class_type}");
    EXPECT_EQ(loaded.frame.right, 4464);  // a failed load leaves the glyph as it was
}

TEST(FaceRecord, LoadReversesTheGlyphsAndASecondRoundTripRestoresThem) {
    C_BitmapFace face;
    face.charCode = 65;
    for (uint16_t size : {1, 2, 3}) face.AppendGlyph(new C_BitmapGlyph(size, FONT_RENDER_MONO, FONT_STYLE_REGULAR));
    C_BitmapFace once;
    ASSERT_TRUE(LoadBytes(once, SaveBytes(face)));
    ASSERT_EQ(once.GetGlyphCount(), 3u);
    EXPECT_EQ(once.charCode, 65);
    EXPECT_EQ(once.GetGlyph(0)->size, 3);
    EXPECT_EQ(once.GetGlyph(2)->size, 1);
    C_BitmapFace twice;
    ASSERT_TRUE(LoadBytes(twice, SaveBytes(once)));
    EXPECT_EQ(twice.GetGlyph(0)->size, 1);
    EXPECT_EQ(twice.GetGlyph(2)->size, 3);
}

TEST(FaceRecord, RefusesACountLargerThanTheStreamBeforeAllocating) {
    const std::vector<uint8_t> bytes = {4, 0, 0xFF, 0xFF, 0xFF, 0x0F, 65, 0, 0, 0};
    C_BitmapFace face;
    face.charCode = 7;
    const uint32_t before = Sys_Status.memoryInUse;
    EXPECT_FALSE(LoadBytes(face, bytes));
    EXPECT_EQ(Err_GetCause().code, ERR_DATA);
    EXPECT_EQ(Sys_Status.memoryInUse, before);
    EXPECT_EQ(face.glyphs, nullptr);
    EXPECT_EQ(face.charCode, -1);
}

TEST(FontFaces, IndexCoversCodesUpToTheLargestAndRefusesCodesOutsideTheRange) {
    C_Font font;
    ASSERT_TRUE(font.AddFace(65));
    ASSERT_TRUE(font.AddFace(66));
    EXPECT_EQ(font.faceIndex.size / 4, 67u);
    uint32_t* index = reinterpret_cast<uint32_t*>(font.faceIndex.data);
    EXPECT_EQ(std::vector<uint32_t>(index + 64, index + 67), (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(font.GetFace(67), nullptr);
    EXPECT_EQ(font.GetFace(66)->charCode, 66);
    EXPECT_FALSE(font.AddFace(-1));
    EXPECT_STREQ(Err_GetCause().message, "C_Font::AddFace{charCode}");
    EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
    EXPECT_FALSE(font.AddFace(0x110000));
    EXPECT_TRUE(font.AddFace(0x10FFFF));
    EXPECT_EQ(font.GetFaceCount(), 3u);
    // A refused range adds nothing, not even its valid codes.
    EXPECT_FALSE(font.AddFaces(0x10FFF0, 0x110001));
    EXPECT_EQ(font.GetFaceCount(), 3u);
    EXPECT_EQ(Err_GetCause().code, ERR_DATA);
    index = reinterpret_cast<uint32_t*>(font.faceIndex.data);
    index[65] = 4;  // an entry past the face count is no face
    EXPECT_EQ(font.GetFace(65), nullptr);
    C_Font ascii;
    ASSERT_TRUE(ascii.AddFaces(32, 127));
    EXPECT_EQ(ascii.GetFaceCount(), 95u);
    EXPECT_EQ(ascii.GetFace(126)->charCode, 126);
    EXPECT_EQ(ascii.GetFace(127), nullptr);
}

TEST(FontPages, ChangeFormatReportsANullFontAndPreparePagesCallsEveryHook) {
    EXPECT_FALSE(Gfx_Font_ChangeFormat(nullptr, GFX_FMT_L8, GFX_FMT_NONE));
    EXPECT_STREQ(Err_GetCause().message, "Gfx_Font_ChangeFormat{pFont->format}");
    static int prepared;
    prepared = 0;
    auto font = MakeGridFont();
    font->GetPage(0)->prepareHook = [](C_Surface*, int32_t plane) {
        prepared += plane == GFX_PLANE_ALL;
        return true;
    };
    EXPECT_TRUE(font->PreparePages());
    EXPECT_EQ(prepared, 1);
}
