// Cutting a grid picture into glyphs: the cells, the faces that get none,
// and the grids the builder refuses.
#include <gtest/gtest.h>

#include "font_fixtures.h"
#include "softblit/core/status.h"

using namespace font_test;

TEST(GridBuilder, CutsInclusiveCellFramesFromTheAlphaPlane) {
    C_Font font;
    font.AddFaces('A', 'C');
    C_Surface* grid = MakeGridPicture("AB", 2, 1);
    ASSERT_EQ(grid->GetWidth(), 0u);  // alpha-only: the surface has no colour size
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromGrid(C_String("AB"), 2, 1, 16, grid, &font));
    EXPECT_EQ(Fields(*font.GetFace('A')->GetGlyph(0)),
              "size 16 mode 6 style 7 page 0 frame 0 0 7 7 advance 8 8 bearing 0 0");
    EXPECT_EQ(Fields(*font.GetFace('B')->GetGlyph(0)),
              "size 16 mode 6 style 7 page 0 frame 8 0 15 7 advance 8 8 bearing 0 0");
    EXPECT_EQ(font.GetPage(0), grid);
}

TEST(GridBuilder, EveryFaceGainsExactlyOneGlyphPerCallAndAGridGivenTwiceKeepsItsPage) {
    C_Font font;
    font.AddFaces('A', 'E');  // A B C D
    font.AddFace(200);
    C_Surface* grid = MakeGridPicture("AB", 2, 1);
    // 'A' repeats, 'D' lies past the 2 x 1 cells, 'C' and 200 are not in chars.
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromGrid(C_String("ABAD"), 2, 1, 8, grid, &font));
    EXPECT_EQ(font.GetFace('A')->GetGlyph(0)->frame.left, 0);  // the first occurrence counts
    for (int32_t c : {int32_t('C'), int32_t('D'), 200})
        EXPECT_EQ(Fields(*font.GetFace(c)->GetGlyph(0)),
                  "size 8 mode 6 style 7 page 0 frame 0 0 0 0 advance 0 0 bearing 0 0") << c;
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromGrid(C_String("AB"), 2, 1, 16, grid, &font));
    EXPECT_EQ(font.GetPageCount(), 1u);
    for (int32_t c : {int32_t('A'), int32_t('B'), int32_t('C'), int32_t('D'), 200})
        ASSERT_EQ(font.GetFace(c)->GetGlyphCount(), 2u) << c;
    EXPECT_EQ(font.GetFace('A')->GetGlyph(1)->pageIndex, 0);
    EXPECT_EQ(font.GetFace('A')->GetGlyph(1)->size, 16);
}

TEST(GridBuilder, RefusesWhatItCannotCutAndKeepsNoGridItRefused) {
    C_Font font;
    font.AddFace('A');
    std::unique_ptr<C_Surface> grid(MakeGridPicture("A", 2, 2));  // 16 x 16
    const C_String chars("A");
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromGrid(chars, 1, 1, 8, grid.get(), nullptr));
    EXPECT_STREQ(Err_GetCause().message, "Gfx_Font_AddGlyphsFromGrid{font}");
    EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromGrid(chars, 1, 1, 8, nullptr, &font));
    EXPECT_STREQ(Err_GetCause().message, "Gfx_Font_AddGlyphsFromGrid{grid}");
    struct {
        uint32_t columns, rows;
        const char* cause;
    } sizes[] = {{0, 1, "{columns}"}, {17, 1, "{columns}"}, {1, 0, "{rows}"}, {1, 17, "{rows}"}};
    for (const auto& s : sizes) {
        EXPECT_FALSE(Gfx_Font_AddGlyphsFromGrid(chars, s.columns, s.rows, 8, grid.get(), &font));
        EXPECT_EQ(Err_GetCause().code, ERR_DATA);
        EXPECT_EQ(std::string(Err_GetCause().message), std::string("Gfx_Font_AddGlyphsFromGrid") + s.cause);
    }
    EXPECT_TRUE(Gfx_Font_AddGlyphsFromGrid(chars, 16, 16, 8, grid.get(), &font));
    font.pages->RemoveAt(0);  // the surface stays the test's
    // A colour plane alone, then beside an alpha one; an alpha plane of 16 bits.
    const auto addPlane = [](C_Surface& s, int32_t format, uint32_t plane) {
        C_Image* image = new C_Image();
        image->CreateEmpty(8, 8, format, GFX_FMT_NONE);
        s.AddPlane(image, plane);
    };
    C_Surface colour, wide;
    addPlane(colour, GFX_FMT_A8R8G8B8, GFX_PLANE_COLOR);
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromGrid(chars, 1, 1, 8, &colour, &font));
    EXPECT_EQ(Err_GetCause().code, ERR_MISSING);
    addPlane(colour, GFX_FMT_L8, GFX_PLANE_ALPHA);
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromGrid(chars, 1, 1, 8, &colour, &font));
    EXPECT_EQ(Err_GetCause().code, ERR_MISSING);
    addPlane(wide, GFX_FMT_L16, GFX_PLANE_ALPHA);
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromGrid(chars, 1, 1, 8, &wide, &font));
    EXPECT_EQ(font.GetFace('A')->GetGlyphCount(), 1u);
    EXPECT_EQ(font.GetPageCount(), 0u);
}
