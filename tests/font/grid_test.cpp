// Cutting a grid picture into glyphs: the cells, the faces that get none,
// and the grids the builder refuses.
#include <gtest/gtest.h>

#include "font_fixtures.h"
#include "softblit/core/status.h"

using namespace font_test;

TEST(GridBuilder, CutsInclusiveCellFramesFromTheAlphaPlane) {
    C_Font font;
    font.AddFace('A');
    font.AddFace('B');
    C_Surface* grid = MakeGridPicture("AB", 2, 1);
    ASSERT_EQ(grid->GetWidth(), 0u);  // alpha-only: the surface has no colour size
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromGrid(C_String("AB"), 2, 1, 16, grid, &font));
    const C_BitmapGlyph* a = font.GetFace('A')->GetGlyph(0);
    const C_BitmapGlyph* b = font.GetFace('B')->GetGlyph(0);
    EXPECT_TRUE(a->frame.left == 0 && a->frame.top == 0 && a->frame.right == 7 && a->frame.bottom == 7);
    EXPECT_TRUE(b->frame.left == 8 && b->frame.top == 0 && b->frame.right == 15 && b->frame.bottom == 7);
    EXPECT_EQ(a->advance.x, 8);
    EXPECT_EQ(a->advance.y, 8);
    EXPECT_EQ(a->bearing.x, 0);
    EXPECT_EQ(a->bearing.y, 0);
    EXPECT_EQ(a->size, 16);
    EXPECT_EQ(a->renderMode, FONT_RENDER_GRID);
    EXPECT_EQ(a->style, FONT_STYLE_REGULAR);
    EXPECT_EQ(a->pageIndex, 0);
    EXPECT_EQ(font.GetPage(0), grid);
}

TEST(GridBuilder, EveryFaceGainsExactlyOneGlyphPerCall) {
    C_Font font;
    font.AddFaces('A', 'E');  // A B C D
    font.AddFace(200);
    // 'A' repeats, 'D' lies past the 2 x 1 cells, 'C' and 200 are not in chars.
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromGrid(C_String("ABAD"), 2, 1, 8, MakeGridPicture("AB", 2, 1), &font));
    for (int32_t c : {int32_t('A'), int32_t('B'), int32_t('C'), int32_t('D'), 200}) ASSERT_EQ(font.GetFace(c)->GetGlyphCount(), 1u) << c;
    EXPECT_EQ(font.GetFace('A')->GetGlyph(0)->frame.left, 0);  // the first occurrence counts
    for (int32_t c : {int32_t('C'), int32_t('D'), 200}) {
        const C_BitmapGlyph* g = font.GetFace(c)->GetGlyph(0);
        EXPECT_TRUE(g->frame.left == 0 && g->frame.right == 0 && g->frame.bottom == 0) << c;
        EXPECT_EQ(g->advance.x, 0);
        EXPECT_EQ(g->size, 8);
        EXPECT_EQ(g->renderMode, FONT_RENDER_GRID);
        EXPECT_EQ(g->pageIndex, 0);
    }
}

TEST(GridBuilder, AGridGivenTwiceKeepsItsPageIndex) {
    C_Font font;
    font.AddFace('A');
    C_Surface* grid = MakeGridPicture("A", 1, 1);
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromGrid(C_String("A"), 1, 1, 8, grid, &font));
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromGrid(C_String("A"), 1, 1, 16, grid, &font));
    EXPECT_EQ(font.GetPageCount(), 1u);
    EXPECT_EQ(font.GetFace('A')->GetGlyphCount(), 2u);
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

    std::unique_ptr<C_Surface> noAlpha(new C_Surface());
    C_Image* colour = new C_Image();
    colour->CreateEmpty(8, 8, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
    noAlpha->AddPlane(colour, GFX_PLANE_COLOR);
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromGrid(chars, 1, 1, 8, noAlpha.get(), &font));
    EXPECT_EQ(Err_GetCause().code, ERR_MISSING);
    C_Image* alpha = new C_Image();
    alpha->CreateEmpty(8, 8, GFX_FMT_L8, GFX_FMT_NONE);
    noAlpha->AddPlane(alpha, GFX_PLANE_ALPHA);  // now a colour plane besides the alpha one
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromGrid(chars, 1, 1, 8, noAlpha.get(), &font));
    EXPECT_EQ(Err_GetCause().code, ERR_MISSING);

    std::unique_ptr<C_Surface> wide(new C_Surface());
    C_Image* alpha16 = new C_Image();
    alpha16->CreateEmpty(8, 8, GFX_FMT_L16, GFX_FMT_NONE);
    wide->AddPlane(alpha16, GFX_PLANE_ALPHA);
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromGrid(chars, 1, 1, 8, wide.get(), &font));
    EXPECT_EQ(font.GetFace('A')->GetGlyphCount(), 1u);
    EXPECT_EQ(font.GetPageCount(), 0u);
}
