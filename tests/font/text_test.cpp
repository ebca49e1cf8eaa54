// Text drawing with a grid font of 8 x 8 cells (7 x 7 drawn, the last column
// and row of a cell never show): S = 8 gives scale 1, L = 13, and a glyph
// whose pen is at (x, y) covers [x, x + 7) x [y + 8, y + 15).
#include <gtest/gtest.h>

#include <cmath>

#include "font_fixtures.h"
#include "softblit/core/status.h"

using namespace font_test;
using S_Box = T_Canvas::S_Box;

namespace {

// Solid 255 pixels: 'A' and the decorations; 128: 'B'.
S_Box BoxA(const T_Canvas& c) { return c.Box(250); }
S_Box BoxB(const T_Canvas& c) { return c.Box(100, 160); }

bool Draw(T_Canvas& canvas, C_Font& font, const C_FontType& type, const char* text, float x, float y,
          uint8_t anchor = 0x10, uint8_t wrap = 0) {
    const C_String s(text);
    const C_Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const C_Vector2D at(x, y, anchor);
    return Gfx_Surface_DrawText(&s, &font, &type, canvas.surface.get(), &white, &at, wrap);
}

// DrawTextEx with the whole canvas as area unless one is given, y downward.
bool DrawEx(T_Canvas& canvas, C_Font& font, const C_FontType& type, const char* text, float x, float y,
            uint32_t cursor, const C_Rect* area = nullptr) {
    const C_String s(text);
    const C_Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const C_Rect whole(0, 0, float(canvas.image->width), float(canvas.image->height));
    const C_Vector2D at(x, -y, 0x10);
    return Gfx_Surface_DrawTextEx(&s, &font, &type, canvas.surface.get(), &white, area ? area : &whole, 0, 0, 0, 0,
                                  &at, 0, cursor, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0);
}

struct ReferenceRuleGuard {
    ~ReferenceRuleGuard() { Gfx_Text_SetReferenceRule(FONT_REFERENCE_FIRST); }
};

}  // namespace

TEST(TextPlacement, NineAlignmentsPlaceAlignedTextPixelExactly) {
    auto font = MakeGridFont();
    const C_FontType type = GridType();
    // "AB" is 16 wide (W = 15) and one line high (H = 13), drawn at (30, 20).
    struct {
        uint8_t low;
        int32_t aLeft, bLeft;
    } columns[] = {{0x0, 30, 38}, {0x1, 15, 23}, {0x2, 22, 30}};
    struct {
        uint8_t high;
        int32_t top;
    } rows[] = {{0x10, 28}, {0x30, 21}, {0x20, 15}};
    for (const auto& c : columns)
        for (const auto& r : rows) {
            T_Canvas canvas;
            ASSERT_TRUE(Draw(canvas, *font, type, "AB", 30, 20, uint8_t(r.high | c.low)));
            const int anchor = r.high | c.low;
            EXPECT_EQ(BoxA(canvas), MakeBox(c.aLeft, r.top, c.aLeft + 7, r.top + 7)) << std::hex << anchor;
            EXPECT_EQ(BoxB(canvas), MakeBox(c.bLeft, r.top, c.bLeft + 7, r.top + 7)) << std::hex << anchor;
        }
    // Unlisted nibbles mean left and top.
    T_Canvas odd, plain;
    Draw(odd, *font, type, "AB", 30, 20, 0x47);
    Draw(plain, *font, type, "AB", 30, 20, 0x10);
    EXPECT_EQ(BoxA(odd), BoxA(plain));
}

TEST(TextPlacement, ABearingOfSPutsTheGlyphTopOnThePen) {
    auto font = MakeGridFont();
    for (uint8_t c : {'A', 'B'}) font->GetFace(c)->GetGlyph(0)->bearing.y = 8;
    T_Canvas canvas;
    ASSERT_TRUE(Draw(canvas, *font, GridType(), "AB", 10, 20));
    EXPECT_EQ(BoxA(canvas), MakeBox(10, 20, 17, 27));
    EXPECT_EQ(BoxB(canvas), MakeBox(18, 20, 25, 27));
}

TEST(TextPlacement, EachLineIsAlignedByItsOwnWidth) {
    auto font = MakeGridFont();
    T_Canvas canvas;
    ASSERT_TRUE(Draw(canvas, *font, GridType(), "B\nA", 30, 7, 0x32));
    // Both lines are 8 wide: x = 30 - 3.5; H = 26 lifts the block by 13.
    EXPECT_EQ(BoxB(canvas), MakeBox(26, 2, 33, 9));
    EXPECT_EQ(BoxA(canvas), MakeBox(26, 15, 33, 22));

    T_Canvas uneven;
    ASSERT_TRUE(Draw(uneven, *font, GridType(), "BB\nA", 40, 0, 0x11));
    EXPECT_EQ(BoxB(uneven), MakeBox(25, 8, 40, 15));   // 16 wide: x = 40 - 15
    EXPECT_EQ(BoxA(uneven), MakeBox(33, 21, 40, 28));  // 8 wide: x = 40 - 7
}

TEST(TextPlacement, WrapRunsTheTextAroundWithinItsMeasuredWidth) {
    auto font = MakeGridFont();
    T_Canvas wrapped, again, plain;
    ASSERT_TRUE(Draw(wrapped, *font, GridType(), "AB", -10, 0, 0x10, 1));
    // W = 15: 'A' at pen -10 comes back at 5; 'B' at -2 stays, cut by the edge.
    EXPECT_EQ(BoxA(wrapped), MakeBox(5, 8, 12, 15));
    EXPECT_EQ(BoxB(wrapped), MakeBox(0, 8, 5, 15));
    ASSERT_TRUE(Draw(again, *font, GridType(), "AB", -25, 0, 0x10, 1));  // one period further
    EXPECT_EQ(BoxA(again), BoxA(wrapped));
    ASSERT_TRUE(Draw(plain, *font, GridType(), "AB", -10, 0, 0x10, 0));
    EXPECT_TRUE(BoxA(plain).Empty());

    // A one-glyph text measures W = 7 and wraps within it.
    T_Canvas single;
    ASSERT_TRUE(Draw(single, *font, GridType(), "A", -12, 0, 0x10, 1));
    EXPECT_EQ(BoxA(single), MakeBox(0, 8, 2, 15));  // pen end -4 wraps to 3: pen -5
}

TEST(TextPlacement, TabsAddFortySevenPixelsAndFacelessCharactersTakeNoRoom) {
    auto font = MakeGridFont();
    font->AddFace('C');  // a face without glyphs
    T_Canvas tab, gaps;
    ASSERT_TRUE(Draw(tab, *font, GridType(), "A\tB", 10, 20));
    EXPECT_EQ(BoxB(tab), MakeBox(65, 28, 72, 35));
    ASSERT_TRUE(Draw(gaps, *font, GridType(), "A\x01" "CB", 10, 20));
    EXPECT_EQ(BoxB(gaps), MakeBox(18, 28, 25, 35));
}

TEST(TextPlacement, GlyphsOutsideTheAreaOrTheirPageAreSkippedButStillAdvance) {
    auto font = MakeGridFont();
    T_Canvas cut;
    const C_Rect area(0, 0, 15, 64);
    ASSERT_TRUE(DrawEx(cut, *font, GridType(), "AB", 10, 20, FONT_NO_CURSOR, &area));
    EXPECT_FALSE(BoxA(cut).Empty());
    EXPECT_TRUE(BoxB(cut).Empty());  // pen 18 lies past the area's right edge

    T_Canvas high;
    ASSERT_TRUE(Draw(high, *font, GridType(), "AB", 10, -17));  // pen above -2 S
    EXPECT_TRUE(high.Blank());

    font->GetFace('A')->GetGlyph(0)->frame.right = 1000;
    T_Canvas broken;
    ASSERT_TRUE(Draw(broken, *font, GridType(), "AB", 10, 20));
    EXPECT_TRUE(BoxA(broken).Empty());
    EXPECT_EQ(BoxB(broken), MakeBox(18, 28, 25, 35));
    font->GetFace('A')->GetGlyph(0)->pageIndex = 7;
    EXPECT_TRUE(Draw(broken, *font, GridType(), "AB", 10, 20));
}

TEST(TextDecorations, UnderlineStrikeOutAndCursorSitWhereTheGlyphsAre) {
    auto font = MakeGridFont();
    C_FontType type = GridType();
    // The blank after 'A' is not blitted, but its decorations are; '_' lights
    // row 6 of its cell, drawn from one column left of the pen.
    type.underline = 1;
    T_Canvas under;
    ASSERT_TRUE(Draw(under, *font, type, "A B", 10, 20));
    EXPECT_EQ(under.Box(250, 255), MakeBox(9, 28, 32, 35));  // 'A' and the lines under all three
    for (int x = 17; x < 24; ++x) EXPECT_EQ(under.Red(x, 34), 255) << x;
    EXPECT_EQ(under.Red(17, 33), 0);
    EXPECT_EQ(under.Red(24, 34), 0);

    type.underline = 0;
    type.strikeOut = 1;
    T_Canvas strike;
    ASSERT_TRUE(Draw(strike, *font, type, "A B", 10, 20));
    for (int x = 17; x < 24; ++x) EXPECT_EQ(strike.Red(x, 30), 255) << x;
    EXPECT_EQ(strike.Red(20, 34), 0);

    // The cursor before character 1: '|' lights column 3, drawn twice from
    // one column left of the pen.
    T_Canvas cursor;
    ASSERT_TRUE(DrawEx(cursor, *font, GridType(), "A B", 10, 20, 1));
    EXPECT_EQ(cursor.Box(250).right, 22);
    for (int y = 28; y < 35; ++y) {
        EXPECT_EQ(cursor.Red(20, y), 255) << y;
        EXPECT_EQ(cursor.Red(21, y), 255) << y;
        EXPECT_EQ(cursor.Red(19, y), 0) << y;
    }
}

TEST(TextDecorations, TabsAreUnderlinedOverTheirWidth) {
    auto font = MakeGridFont();
    C_FontType type = GridType();
    type.underline = 1;
    T_Canvas canvas;
    ASSERT_TRUE(Draw(canvas, *font, type, "A\tB", 10, 20));
    // 7 lit source columns stretched by 47 / 8 from the pen 18, less one:
    // 41 columns from 17, then a gap before the underline of 'B' at 64.
    int end = 17;
    while (canvas.Red(end, 34) > 128) ++end;
    EXPECT_EQ(end, 17 + 41);
    EXPECT_EQ(canvas.Red(63, 34), 0);
    EXPECT_EQ(canvas.Red(64, 34), 255);
    EXPECT_EQ(canvas.Red(40, 33), 0);
}

TEST(TextDecorations, AreSkippedWhenTheirGlyphCannotServe) {
    auto font = MakeGridFont();
    C_FontType type = GridType();
    type.underline = type.strikeOut = 1;
    font->GetFace('_')->GetGlyph(0)->advance.x = 0;
    T_Canvas canvas;
    ASSERT_TRUE(Draw(canvas, *font, type, " ", 10, 20));
    EXPECT_TRUE(canvas.Blank());

    auto noBar = MakeGridFont();
    noBar->GetFace('|')->GetGlyph(0)->pageIndex = -1;
    T_Canvas cursor;
    ASSERT_TRUE(DrawEx(cursor, *noBar, GridType(), "  ", 10, 20, 1));
    EXPECT_TRUE(cursor.Blank());
}

TEST(GlyphChoice, ClosestSizeWinsAndTheFirstWinsATieUntilAReloadFlipsTheOrder) {
    auto font = std::make_unique<C_Font>();
    font->AddFace('A');
    C_Surface* grid = MakeGridPicture("A", 1, 1);
    Gfx_Font_AddGlyphsFromGrid(C_String("A"), 1, 1, 12, grid, font.get());
    Gfx_Font_AddGlyphsFromGrid(C_String("A"), 1, 1, 20, grid, font.get());
    const C_FontType type = C_FontType(C_String(""), 16, FONT_RENDER_GRID, 0, 0, 0, 0, 0);

    T_Canvas first;
    ASSERT_TRUE(Draw(first, *font, type, "A", 10, 0));
    const S_Box a = first.Box(1);
    EXPECT_NEAR(a.right - a.left, 7 * 16 / 12, 1);  // the size 12 glyph, scaled by 4/3

    C_Font reloaded;
    ASSERT_TRUE(LoadBytes(reloaded, SaveBytes(*font)));
    T_Canvas flipped;
    ASSERT_TRUE(Draw(flipped, reloaded, type, "A", 10, 0));
    const S_Box b = flipped.Box(1);
    EXPECT_NEAR(b.right - b.left, 7 * 16 / 20, 1);  // now the size 20 glyph comes first

    const C_FontType closer = C_FontType(C_String(""), 19, FONT_RENDER_GRID, 0, 0, 0, 0, 0);
    T_Canvas near20;
    ASSERT_TRUE(Draw(near20, *font, closer, "A", 10, 0));
    EXPECT_NEAR(near20.Box(1).right - near20.Box(1).left, 7 * 19 / 20, 1);
}

TEST(GlyphChoice, StyleAndRenderModeMustMatchAndNothingIsDrawnOtherwise) {
    auto font = MakeGridFont();
    T_Canvas canvas;
    const uint32_t code = uint32_t(Sys_Status.errorCode);
    EXPECT_FALSE(Draw(canvas, *font, C_FontType(), "AB", 10, 20));  // render mode 0
    C_FontType bold = GridType();
    bold.bold = 2;  // any non-zero value is bold
    EXPECT_FALSE(Draw(canvas, *font, bold, "AB", 10, 20));
    font->GetFace('A')->GetGlyph(0)->style = FONT_STYLE_BOLD;
    EXPECT_TRUE(Draw(canvas, *font, bold, "A", 10, 20));
    font->GetFace('A')->GetGlyph(0)->size = 0;  // size 0 never qualifies
    EXPECT_FALSE(Draw(canvas, *font, bold, "A", 10, 20));
    EXPECT_EQ(uint32_t(Sys_Status.errorCode), code);  // nothing to draw is no error
}

TEST(GlyphChoice, RefusesWhatCannotBeDrawn) {
    auto font = MakeGridFont();
    T_Canvas canvas;
    const C_FontType type = GridType();
    const C_String text("AB");
    const C_Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const C_Vector2D at(10, 20);
    C_Surface* dst = canvas.surface.get();
    EXPECT_FALSE(Gfx_Surface_DrawText(nullptr, font.get(), &type, dst, &white, &at, 0));
    EXPECT_FALSE(Gfx_Surface_DrawText(&text, nullptr, &type, dst, &white, &at, 0));
    EXPECT_FALSE(Gfx_Surface_DrawText(&text, font.get(), nullptr, dst, &white, &at, 0));
    EXPECT_FALSE(Draw(canvas, *font, type, "", 10, 20));
    EXPECT_FALSE(Draw(canvas, *font, type, "\x01" "AB", 10, 20));  // reference without a face
    for (float size : {0.0f, -8.0f, NAN, INFINITY}) {
        C_FontType bad = type;
        bad.size = size;
        EXPECT_FALSE(Draw(canvas, *font, bad, "AB", 10, 20)) << size;
    }
    EXPECT_TRUE(canvas.Blank());
}

TEST(GlyphChoice, BothReferenceRules) {
    ReferenceRuleGuard guard;
    auto font = MakeGridFont();
    T_Canvas canvas;
    ASSERT_EQ(Gfx_Text_GetReferenceRule(), uint32_t(FONT_REFERENCE_FIRST));
    EXPECT_FALSE(Draw(canvas, *font, GridType(), "\xC0" "A", 10, 20));

    Gfx_Text_SetReferenceRule(FONT_REFERENCE_FIRST_ABOVE_32);
    // 0xC0 is negative as a signed byte, so 'A' is the reference.
    EXPECT_TRUE(Draw(canvas, *font, GridType(), "\xC0" "A", 10, 20));
    EXPECT_EQ(BoxA(canvas), MakeBox(10, 28, 17, 35));
    EXPECT_TRUE(Draw(canvas, *font, GridType(), "  ", 10, 20));   // none above 32: the last
    EXPECT_FALSE(Draw(canvas, *font, GridType(), " \x01", 10, 20));
    EXPECT_FALSE(Draw(canvas, *font, GridType(), "", 10, 20));
}

TEST(ScaledPlacement, GlyphsAndDecorationsScaleAboutThePenAndBaseline) {
    auto font = MakeGridFont();
    C_FontType type = GridType(16);  // scale 2
    type.underline = 1;
    T_Canvas canvas;
    ASSERT_TRUE(Draw(canvas, *font, type, "A ", 10, 20));
    // Pen (10, 20): hotspot (3, 3) lands at (10 + 3 x 2, 20 + 16 + 3 x 2).
    const S_Box a = canvas.Box(250);
    EXPECT_EQ(a.left, 9);  // the underline starts one column left of the pen
    EXPECT_EQ(a.top, 36);
    EXPECT_EQ(canvas.Red(10, 36), 255);
    EXPECT_EQ(canvas.Red(23, 47), 255);
    EXPECT_EQ(canvas.Red(24, 36), 0);
    // The underline of the blank lies on the glyph's row 6 scaled (rows 48
    // and 49, blurred by the filter), from one column left of its pen 26.
    EXPECT_EQ(canvas.Red(30, 48), 255);
    EXPECT_EQ(canvas.Red(30, 46), 0);
    EXPECT_EQ(canvas.Red(30, 50), 0);
    EXPECT_EQ(canvas.Red(25, 48), 255);
    EXPECT_EQ(canvas.Red(39, 48), 0);
}

TEST(GlyphTransform, MovesEachGlyphAndANullResultLeavesItInPlace) {
    auto font = MakeGridFont();
    T_Canvas plain, unchanged, moved;
    Draw(plain, *font, GridType(), "AB", 10, 20);

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
    glyphTransform = nullptr;

    EXPECT_EQ(BoxA(unchanged), BoxA(plain));
    EXPECT_EQ(BoxB(unchanged), BoxB(plain));
    EXPECT_EQ(BoxA(moved), MakeBox(15, 25, 22, 32));
    EXPECT_EQ(BoxB(moved), MakeBox(23, 25, 30, 32));
}

TEST(DisplayDrawing, ReadsThePagesDisplayCopies) {
    auto font = MakeGridFont();
    Gfx_BlitKernel.displayBlit = 1;
    T_Canvas without, with;
    EXPECT_TRUE(Draw(without, *font, GridType(), "AB", 10, 20));
    C_SurfacePlane* plane = font->GetPage(0)->GetPlane(GFX_PLANE_ALPHA);
    C_Image copy(*plane->image);
    plane->displayCopy = &copy;
    EXPECT_TRUE(Draw(with, *font, GridType(), "AB", 10, 20));
    plane->displayCopy = nullptr;
    Gfx_BlitKernel.displayBlit = 0;
    EXPECT_TRUE(without.Blank());
    EXPECT_EQ(BoxA(with), MakeBox(10, 28, 17, 35));
}
