// Text drawing with a grid font of 8 x 8 cells (7 x 7 drawn, the last column
// and row of a cell never show): S = 8 gives scale 1, L = 13, and a glyph
// whose pen is at (x, y) covers [x, x + 7) x [y + 8, y + 15).
#include <gtest/gtest.h>

#include <cmath>

#include "font_fixtures.h"
#include "softblit/core/status.h"

using namespace font_test;

namespace {

// Solid 255 pixels: 'A' and the decorations; 128: 'B'.
S_Box BoxA(const T_Canvas& c) { return c.Box(250); }
S_Box BoxB(const T_Canvas& c) { return c.Box(100, 160); }

// The red levels of [x0, x1) x [y0, y1) all lie in [lo, hi].
struct S_Levels {
    int x0, y0, x1, y1;
    uint8_t lo, hi;
};
S_Levels On(int x0, int y0, int x1, int y1) { return {x0, y0, x1, y1, 255, 255}; }
S_Levels On(int x, int y) { return On(x, y, x + 1, y + 1); }
S_Levels Off(int x, int y) { return {x, y, x + 1, y + 1, 0, 0}; }

void ExpectLevels(const T_Canvas& c, const S_Levels& r) {
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x)
            EXPECT_TRUE(c.Red(x, y) >= r.lo && c.Red(x, y) <= r.hi) << int(c.Red(x, y)) << " at " << x << ", " << y;
}

struct ReferenceRuleGuard {
    ~ReferenceRuleGuard() { Gfx_Text_SetReferenceRule(FONT_REFERENCE_FIRST); }
};

}  // namespace

TEST(TextPlacement, PlacesEachGlyphPixelExactlyAndDrawsNothingElse) {
    auto grid = MakeGridFont(), raised = MakeGridFont(), outside = MakeGridFont(), pageless = MakeGridFont();
    grid->AddFace('C');  // a face without glyphs
    for (uint8_t c : {'A', 'B'}) raised->GetFace(c)->GetGlyph(0)->bearing.y = 8;  // top on the pen
    outside->GetFace('A')->GetGlyph(0)->frame.right = 1000;
    pageless->GetFace('A')->GetGlyph(0)->pageIndex = 7;
    C_Font* const g = grid.get();
    const S_Box none;
    const struct {
        const char* what;
        C_Font* font;
        const char* text;
        float x, y;
        uint8_t anchor, wrap;
        S_Box a, b;
    } rows[] = {
        // "AB" is 16 wide (W = 15) and one line high (H = 13).
        {"top left", g, "AB", 30, 20, 0x10, 0, {30, 28, 37, 35}, {38, 28, 45, 35}},
        {"top right", g, "AB", 30, 20, 0x11, 0, {15, 28, 22, 35}, {23, 28, 30, 35}},
        {"top centre", g, "AB", 30, 20, 0x12, 0, {22, 28, 29, 35}, {30, 28, 37, 35}},
        {"middle left", g, "AB", 30, 20, 0x30, 0, {30, 21, 37, 28}, {38, 21, 45, 28}},
        {"middle right", g, "AB", 30, 20, 0x31, 0, {15, 21, 22, 28}, {23, 21, 30, 28}},
        {"middle centre", g, "AB", 30, 20, 0x32, 0, {22, 21, 29, 28}, {30, 21, 37, 28}},
        {"bottom left", g, "AB", 30, 20, 0x20, 0, {30, 15, 37, 22}, {38, 15, 45, 22}},
        {"bottom right", g, "AB", 30, 20, 0x21, 0, {15, 15, 22, 22}, {23, 15, 30, 22}},
        {"bottom centre", g, "AB", 30, 20, 0x22, 0, {22, 15, 29, 22}, {30, 15, 37, 22}},
        {"unlisted nibbles are top left", g, "AB", 30, 20, 0x47, 0, {30, 28, 37, 35}, {38, 28, 45, 35}},
        // Both lines 8 wide: x = 30 - 3.5; H = 26 lifts the block by 13.
        {"each line centred", g, "B\nA", 30, 7, 0x32, 0, {26, 15, 33, 22}, {26, 2, 33, 9}},
        {"each line right-aligned by its own width", g, "BB\nA", 40, 0, 0x11, 0, {33, 21, 40, 28}, {25, 8, 40, 15}},
        // W = 15: 'A' at pen -10 comes back at 5; 'B' at -2 stays, cut by the edge.
        {"wrap", g, "AB", -10, 0, 0x10, 1, {5, 8, 12, 15}, {0, 8, 5, 15}},
        {"wrap one period further", g, "AB", -25, 0, 0x10, 1, {5, 8, 12, 15}, {0, 8, 5, 15}},
        {"no wrap", g, "AB", -10, 0, 0x10, 0, none, {0, 8, 5, 15}},
        {"one glyph wraps within W = 7: pen -12 to -5", g, "A", -12, 0, 0x10, 1, {0, 8, 2, 15}, none},
        {"a tab adds 47 pixels", g, "A\tB", 10, 20, 0x10, 0, {10, 28, 17, 35}, {65, 28, 72, 35}},
        {"faceless characters take no room", g, "A\x01" "CB", 10, 20, 0x10, 0, {10, 28, 17, 35}, {18, 28, 25, 35}},
        {"a pen above -2 S is skipped", g, "AB", 10, -17, 0x10, 0, none, none},
        {"a bearing of S puts the glyph top on the pen", raised.get(), "AB", 10, 20, 0x10, 0, {10, 20, 17, 27},
         {18, 20, 25, 27}},
        // Glyphs that cannot be drawn are skipped but still advance.
        {"a glyph reaching outside its page", outside.get(), "AB", 10, 20, 0x10, 0, none, {18, 28, 25, 35}},
        {"a glyph on a missing page", pageless.get(), "AB", 10, 20, 0x10, 0, none, {18, 28, 25, 35}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        T_Canvas canvas;
        ASSERT_TRUE(Draw(canvas, *r.font, GridType(), r.text, r.x, r.y, r.anchor, r.wrap));
        EXPECT_EQ(BoxA(canvas), r.a);
        EXPECT_EQ(BoxB(canvas), r.b);
        EXPECT_EQ(canvas.Box(1), Union(r.a, r.b));
    }
}

TEST(TextPlacement, GlyphsPastTheAreaAreSkipped) {
    auto font = MakeGridFont();
    T_Canvas cut;
    const C_Rect area(0, 0, 15, 64);
    ASSERT_TRUE(Draw(cut, *font, GridType(), "AB", 10, 20, 0x10, 0, FONT_NO_CURSOR, &area));
    EXPECT_EQ(BoxA(cut), (S_Box{10, 28, 17, 35}));
    EXPECT_TRUE(BoxB(cut).Empty());  // pen 18 lies past the area's right edge
}

TEST(TextDecorations, SitWhereTheGlyphsAreAtEverySize) {
    auto font = MakeGridFont();
    const struct {
        const char* what;
        const char* text;
        float size;
        uint8_t underline, strikeOut;
        uint32_t cursor;
        S_Box bright;  // every pixel of 250 and above
        std::vector<S_Levels> levels;
    } rows[] = {
        // The blank is not blitted but decorated: '_' lights row 6 of its
        // cell, drawn from one column left of the pen, over the advance.
        {"underline", "A B", 8, 1, 0, FONT_NO_CURSOR, {9, 28, 32, 35},
         {On(17, 34, 24, 35), Off(17, 33), Off(24, 34)}},
        {"strike-out", "A B", 8, 0, 1, FONT_NO_CURSOR, {9, 28, 32, 35}, {On(17, 30, 24, 31), Off(20, 34)}},
        // '|' lights column 3, drawn twice from one column left of the pen.
        {"cursor before character 1", "A B", 8, 0, 0, 1, {10, 28, 22, 35},
         {On(20, 28, 22, 35), {19, 28, 20, 35, 0, 0}}},
        // 7 lit source columns stretched by 47 / 8 from the pen 18, less one:
        // 41 columns from 17, then a gap before the underline of 'B' at 64.
        {"tab underlined over its width", "A\tB", 8, 1, 0, FONT_NO_CURSOR, {9, 28, 71, 35},
         {{17, 34, 58, 35, 129, 255}, {58, 34, 59, 35, 0, 128}, Off(63, 34), On(64, 34), Off(40, 33)}},
        // Scale 2 about the pen (10, 20): hotspot (3, 3) lands at (10 + 3 x 2,
        // 20 + 16 + 3 x 2). The underline of the blank lies on row 6 scaled
        // (rows 48 and 49, blurred by the filter), from one column left of its pen 26.
        {"scaled underline", "A ", 16, 1, 0, FONT_NO_CURSOR, {9, 36, 39, 50},
         {On(10, 36), On(23, 47), Off(24, 36), On(30, 48), Off(30, 46), Off(30, 50), On(25, 48), Off(39, 48)}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        C_FontType type = GridType(r.size);
        type.underline = r.underline;
        type.strikeOut = r.strikeOut;
        T_Canvas canvas;
        ASSERT_TRUE(Draw(canvas, *font, type, r.text, 10, 20, 0x10, 0, r.cursor));
        EXPECT_EQ(canvas.Box(250), r.bright);
        for (const S_Levels& l : r.levels) ExpectLevels(canvas, l);
    }
}

TEST(TextDecorations, AreSkippedWhenTheirGlyphCannotServe) {
    auto font = MakeGridFont();
    C_FontType type = GridType();
    type.underline = type.strikeOut = 1;
    font->GetFace('_')->GetGlyph(0)->advance.x = 0;
    font->GetFace('|')->GetGlyph(0)->pageIndex = -1;
    T_Canvas canvas;
    ASSERT_TRUE(Draw(canvas, *font, type, " ", 10, 20));
    ASSERT_TRUE(Draw(canvas, *font, GridType(), "  ", 10, 20, 0x10, 0, 1));
    EXPECT_TRUE(canvas.Blank());
}

TEST(GlyphChoice, ClosestSizeWinsAndTheFirstWinsATieUntilAReloadFlipsTheOrder) {
    auto font = std::make_unique<C_Font>();
    font->AddFace('A');
    C_Surface* grid = MakeGridPicture("A", 1, 1);
    Gfx_Font_AddGlyphsFromGrid(C_String("A"), 1, 1, 12, grid, font.get());
    Gfx_Font_AddGlyphsFromGrid(C_String("A"), 1, 1, 20, grid, font.get());
    C_Font reloaded;
    ASSERT_TRUE(LoadBytes(reloaded, SaveBytes(*font)));
    const auto width = [](C_Font& f, float size) {
        T_Canvas canvas;
        EXPECT_TRUE(Draw(canvas, f, C_FontType(C_String(""), size, FONT_RENDER_GRID, 0, 0, 0, 0, 0), "A", 10, 0));
        return canvas.Box(1).right - canvas.Box(1).left;
    };
    EXPECT_NEAR(width(*font, 16), 7 * 16 / 12, 1);    // the size 12 glyph, scaled by 4/3
    EXPECT_NEAR(width(reloaded, 16), 7 * 16 / 20, 1);  // now the size 20 glyph comes first
    EXPECT_NEAR(width(*font, 19), 7 * 19 / 20, 1);
}

TEST(GlyphChoice, TheReferenceCharacterNeedsAGlyphOfTheTypesStyleModeAndSize) {
    ReferenceRuleGuard guard;
    ASSERT_EQ(Gfx_Text_GetReferenceRule(), uint32_t(FONT_REFERENCE_FIRST));
    auto grid = MakeGridFont(), boldA = MakeGridFont(), sizeless = MakeGridFont();
    for (C_Font* f : {boldA.get(), sizeless.get()}) f->GetFace('A')->GetGlyph(0)->style = FONT_STYLE_BOLD;
    sizeless->GetFace('A')->GetGlyph(0)->size = 0;  // size 0 never qualifies
    C_FontType bold = GridType();
    bold.bold = 2;  // any non-zero value is bold
    const uint32_t first = FONT_REFERENCE_FIRST, above32 = FONT_REFERENCE_FIRST_ABOVE_32;
    const S_Box none, a{10, 28, 17, 35};
    const struct {
        const char* what;
        C_Font* font;
        C_FontType type;
        uint32_t rule;
        const char* text;
        bool drawn;
        S_Box box;
    } rows[] = {
        {"render mode 0", grid.get(), C_FontType(), first, "AB", false, none},
        {"no bold glyph", grid.get(), bold, first, "AB", false, none},
        {"a bold glyph", boldA.get(), bold, first, "A", true, a},
        {"a bold glyph of size 0", sizeless.get(), bold, first, "A", false, none},
        {"empty text", grid.get(), GridType(), first, "", false, none},
        {"a reference without a face", grid.get(), GridType(), first, "\x01" "AB", false, none},
        {"size 0", grid.get(), GridType(0), first, "AB", false, none},
        {"size -8", grid.get(), GridType(-8), first, "AB", false, none},
        {"size NaN", grid.get(), GridType(NAN), first, "AB", false, none},
        {"size infinite", grid.get(), GridType(INFINITY), first, "AB", false, none},
        {"0xC0 first", grid.get(), GridType(), first, "\xC0" "A", false, none},
        // 0xC0 is negative as a signed byte, so 'A' is the reference.
        {"0xC0 above 32", grid.get(), GridType(), above32, "\xC0" "A", true, a},
        {"none above 32: the last", grid.get(), GridType(), above32, "  ", true, none},
        {"none above 32: the last, without a face", grid.get(), GridType(), above32, " \x01", false, none},
        {"empty text above 32", grid.get(), GridType(), above32, "", false, none},
    };
    const uint32_t code = uint32_t(Sys_Status.errorCode);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        Gfx_Text_SetReferenceRule(r.rule);
        T_Canvas canvas;
        EXPECT_EQ(Draw(canvas, *r.font, r.type, r.text, 10, 20), r.drawn);
        EXPECT_EQ(canvas.Box(1), r.box);
        EXPECT_EQ(uint32_t(Sys_Status.errorCode), code);  // nothing to draw is no error
    }
    T_Canvas canvas;
    const C_String text("AB");
    const C_Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const C_Vector2D at(10, 20);
    C_Surface* dst = canvas.surface.get();
    const C_FontType type = GridType();
    EXPECT_FALSE(Gfx_Surface_DrawText(nullptr, grid.get(), &type, dst, &white, &at, 0));
    EXPECT_FALSE(Gfx_Surface_DrawText(&text, nullptr, &type, dst, &white, &at, 0));
    EXPECT_FALSE(Gfx_Surface_DrawText(&text, grid.get(), nullptr, dst, &white, &at, 0));
    EXPECT_TRUE(canvas.Blank());
}

TEST(GlyphTransform, MovesAndTurnsEachGlyphAndANullResultLeavesItAsItWas) {
    auto font = MakeGridFont();
    C_BitmapGlyph& a = *font->GetFace('A')->GetGlyph(0);
    a.frame.bottom = a.frame.top + 3;  // 'A' 7 x 3, so that a turn shows
    T_Canvas unchanged, moved, turned;
    glyphTransform = [](const S_GlyphPlacement*) -> const S_GlyphPlacement* { return nullptr; };
    Draw(unchanged, *font, GridType(), "AB", 10, 20);
    glyphTransform = [](const S_GlyphPlacement* p) -> const S_GlyphPlacement* {
        static S_GlyphPlacement out;
        out = *p;
        out.position.x += 5;
        out.position.y -= 3;
        return &out;
    };
    Draw(moved, *font, GridType(), "AB", 10, 20);
    glyphTransform = [](const S_GlyphPlacement* p) -> const S_GlyphPlacement* {
        static S_GlyphPlacement out;
        out = *p;
        out.angle += 90.0f;
        return &out;
    };
    Draw(turned, *font, GridType(), "AB", 10, 20);
    glyphTransform = nullptr;
    EXPECT_EQ(BoxA(unchanged), (S_Box{10, 28, 17, 31}));
    EXPECT_EQ(BoxB(unchanged), (S_Box{18, 28, 25, 35}));
    EXPECT_EQ(BoxA(moved), (S_Box{15, 25, 22, 28}));
    EXPECT_EQ(BoxB(moved), (S_Box{23, 25, 30, 32}));
    const S_Box upright = BoxA(turned);
    EXPECT_GT(upright.bottom - upright.top, upright.right - upright.left) << upright;
}
