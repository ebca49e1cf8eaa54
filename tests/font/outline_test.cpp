// Rasterising outline fonts: DejaVu Sans for the outline path, and a tiny
// one-bit BDF font, written by the test, for FreeType's bitmap strikes.
#include <gtest/gtest.h>

#include "font_fixtures.h"
#include "softblit/core/status.h"

using namespace font_test;

namespace {

const C_String kDejaVu("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

std::unique_ptr<C_Font> FontFor(const char* chars) {
    auto font = std::make_unique<C_Font>();
    for (const char* c = chars; *c; ++c) font->AddFace(uint8_t(*c));
    return font;
}

const C_Image* PageAlpha(const C_Font& font, const C_BitmapGlyph& glyph) {
    return font.GetPage(glyph.pageIndex)->GetPlaneImage(GFX_PLANE_ALPHA);
}

// An 8-pixel BDF font with one 4 x 3 glyph for 'A' (a frame with a hole).
std::string WriteBdf() {
    const std::string path = ::testing::TempDir() + "font_test_tiny.bdf";
    FILE* f = fopen(path.c_str(), "w");
    fputs("STARTFONT 2.1\nFONT -test-tiny-medium-r-normal--8-60-96-96-c-40-iso8859-1\nSIZE 6 96 96\n"
          "FONTBOUNDINGBOX 4 8 0 -1\nSTARTPROPERTIES 3\nPIXEL_SIZE 8\nFONT_ASCENT 7\nFONT_DESCENT 1\n"
          "ENDPROPERTIES\nCHARS 1\nSTARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH 5 0\nBBX 4 3 0 2\n"
          "BITMAP\nF0\n90\nF0\nENDCHAR\nENDFONT\n",
          f);
    fclose(f);
    return path;
}

}  // namespace

TEST(OutlineBuilder, GlyphsGetL8PagesOfTheirBitmapOneLargerWhenAntialiased) {
    const struct {
        uint8_t mode, style;
        uint16_t size;
        const char* chars;
        uint32_t extra;  // the zero column and row after an antialiased bitmap
    } rows[] = {{FONT_RENDER_ANTIALIASED, FONT_STYLE_ITALIC, 16, "AB", 1}, {FONT_RENDER_MONO, 7, 12, "Ag", 0}};
    for (const auto& r : rows) {
        auto font = FontFor(r.chars);
        ASSERT_TRUE(Gfx_Font_AddGlyphsFromOutline(kDejaVu, C_BitmapGlyph(r.size, r.mode, r.style), font.get()));
        ASSERT_EQ(font->GetPageCount(), 2u);
        for (int i = 0; i < 2; ++i) {
            const char c = r.chars[i];
            SCOPED_TRACE(c);
            const C_BitmapGlyph& g = *font->GetFace(uint8_t(c))->GetGlyph(0);
            EXPECT_EQ((std::vector<int>{g.size, g.renderMode, g.style, g.pageIndex, g.advance.y}),
                      (std::vector<int>{r.size, r.mode, r.style, i, 0}));
            if (r.mode == FONT_RENDER_ANTIALIASED) {  // 16 points at 96 dpi: capitals about 15 pixels tall
                EXPECT_GE(g.frame.bottom, 13);
                EXPECT_LE(g.frame.bottom, 17);
                EXPECT_GT(g.advance.x, 10);
            }
            if (c == 'g')
                EXPECT_LT(g.bearing.y, g.frame.bottom);  // a descender
            else
                EXPECT_EQ(g.bearing.y, g.frame.bottom);  // capitals stand on the baseline
            const C_Image* alpha = PageAlpha(*font, g);
            ASSERT_NE(alpha, nullptr);
            EXPECT_EQ(font->GetPage(g.pageIndex)->GetPlane(GFX_PLANE_COLOR), nullptr);
            EXPECT_EQ((std::vector<uint32_t>{uint32_t(alpha->format), alpha->width, alpha->height}),
                      (std::vector<uint32_t>{GFX_FMT_L8, g.frame.right + r.extra, g.frame.bottom + r.extra}));
            int on = 0, between = 0, border = 0;
            for (uint32_t y = 0; y < alpha->height; ++y)
                for (uint32_t x = 0; x < alpha->width; ++x) {
                    const uint8_t v = alpha->GetRow(y)[x];
                    on += v == 255;
                    between += v > 0 && v < 255;
                    if (r.extra && (x + 1 == alpha->width || y + 1 == alpha->height)) border += v;
                }
            EXPECT_GT(on, 10);
            EXPECT_EQ(between > 0, r.mode == FONT_RENDER_ANTIALIASED);  // mono: two levels only
            EXPECT_EQ(border, 0);
        }
    }
}

TEST(OutlineBuilder, CallsStackGlyphsInOrderAndCoverMissingCharacters) {
    auto font = FontFor("A ");
    font->AddFace(0x10FFFF);  // not in the font: its missing-glyph shape
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromOutline(kDejaVu, C_BitmapGlyph(12, 5, 7), font.get()));
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromOutline(kDejaVu, C_BitmapGlyph(24, 5, 7), font.get()));
    EXPECT_EQ(font->GetPageCount(), 6u);
    const C_BitmapFace* a = font->GetFace('A');
    ASSERT_EQ(a->GetGlyphCount(), 2u);
    EXPECT_EQ(a->GetGlyph(0)->size, 12);
    EXPECT_EQ(a->GetGlyph(1)->size, 24);
    EXPECT_EQ(a->GetGlyph(1)->pageIndex, 3);
    EXPECT_GT(font->GetFace(0x10FFFF)->GetGlyph(0)->frame.right, 0);
    // A blank has an advance and an empty bitmap, a 1 x 1 page of 0.
    const C_BitmapGlyph& blank = *font->GetFace(' ')->GetGlyph(0);
    EXPECT_GT(blank.advance.x, 0);
    EXPECT_EQ(blank.frame.right, 0);
    EXPECT_EQ(PageAlpha(*font, blank)->width, 1u);
}

TEST(OutlineBuilder, RefusalsLeaveTheFontUnchanged) {
    auto font = FontFor("AB");
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromOutline(kDejaVu, C_BitmapGlyph(16, 5, 7), nullptr));
    EXPECT_EQ(Err_GetCause().code, ERR_MISSING);
    for (const C_BitmapGlyph& t : {C_BitmapGlyph(16, FONT_RENDER_GRID, 7), C_BitmapGlyph(0, 5, 7)}) {
        EXPECT_FALSE(Gfx_Font_AddGlyphsFromOutline(kDejaVu, t, font.get()));
        EXPECT_STREQ(Err_GetCause().message, "Gfx_Font_AddGlyphsFromOutline{template}");
        EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
    }
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromOutline(C_String("/no/such.ttf"), C_BitmapGlyph(16, 5, 7), font.get()));
    EXPECT_EQ(Err_GetCause().code, ERR_OPEN_READ);
    EXPECT_STREQ(Err_GetCause().message, "Gfx_Font_AddGlyphsFromOutline(/no/such.ttf)");
    // A factory that gives no surface halfway: what was added is taken back.
    static int calls;
    calls = 0;
    font->surfaceFactory = [](void*) -> C_Surface* { return ++calls > 1 ? nullptr : new C_Surface(); };
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromOutline(kDejaVu, C_BitmapGlyph(16, 5, 7), font.get()));
    EXPECT_EQ(Err_GetCause().code, ERR_ALLOC);
    EXPECT_EQ(font->GetPageCount(), 0u);
    EXPECT_EQ(font->GetFace('A')->GetGlyphCount() + font->GetFace('B')->GetGlyphCount(), 0u);
}

TEST(OutlineBuilder, OneBitBitmapFontsGiveTwoLevelsInEitherModeAndNeedTheirOwnSize) {
    const C_String bdf(WriteBdf().c_str());
    auto font = FontFor("AB");
    // 6 points at 96 dpi is the strike's 8 pixels; FreeType has no other size.
    EXPECT_FALSE(Gfx_Font_AddGlyphsFromOutline(bdf, C_BitmapGlyph(12, 5, 7), font.get()));
    EXPECT_EQ(Err_GetCause().code, ERR_OPEN_READ);
    EXPECT_EQ(font->GetPageCount(), 0u);
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromOutline(bdf, C_BitmapGlyph(6, FONT_RENDER_ANTIALIASED, 7), font.get()));
    const C_BitmapGlyph& a = *font->GetFace('A')->GetGlyph(0);
    EXPECT_EQ(Fields(a), "size 6 mode 5 style 7 page 0 frame 0 0 4 3 advance 5 0 bearing 0 5");
    const C_Image* alpha = PageAlpha(*font, a);
    ASSERT_EQ(alpha->width, 5u);
    const char* expected[] = {"XXXX.", "X..X.", "XXXX.", "....."};
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 5; ++x)
            EXPECT_EQ(alpha->GetRow(y)[x], expected[y][x] == 'X' ? 255 : 0) << x << "," << y;
    EXPECT_EQ(font->GetFace('B')->GetGlyphCount(), 1u);  // missing from the font: still one glyph
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromOutline(bdf, C_BitmapGlyph(6, FONT_RENDER_MONO, 7), font.get()));
    const C_Image* mono = PageAlpha(*font, *font->GetFace('A')->GetGlyph(1));
    EXPECT_EQ(mono->width, 4u);
    EXPECT_EQ(mono->GetRow(1)[1], 0);
    EXPECT_EQ(mono->GetRow(1)[3], 255);
}

TEST(OutlineBuilder, AnOutlineFontDrawsAfterAReload) {
    auto font = FontFor("Hi");
    ASSERT_TRUE(Gfx_Font_AddGlyphsFromOutline(kDejaVu, C_BitmapGlyph(16, 5, 7), font.get()));
    C_Font loaded;
    ASSERT_TRUE(LoadBytes(loaded, SaveBytes(*font)));
    T_Canvas canvas;
    const C_FontType type(C_String("DejaVu Sans"), 16, FONT_RENDER_ANTIALIASED, 0, 0, 0, 0, 0);
    ASSERT_TRUE(Draw(canvas, loaded, type, "Hi", 4, 4));
    // The baseline lies at y + S = 20: 'H' stands on it, its stem at the pen.
    const S_Box box = canvas.Box(128);
    EXPECT_EQ(box.bottom, 20);
    EXPECT_NEAR(box.top, 20 - 15, 2);
    EXPECT_NEAR(box.left, 4 + loaded.GetFace('H')->GetGlyph(0)->bearing.x, 1);
}
