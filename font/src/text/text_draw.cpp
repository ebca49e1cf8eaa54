// Text drawing: one glyph index per text, a measuring pass for alignment and
// wrap-around, then one blit per visible glyph through the blit engine, which
// draws an alpha-only page as coverage of the fill colour.
#include <cmath>

#include "softblit/font/text.h"
#include "softblit/math/scalar.h"
#include "softblit/surface/blit_image.h"
#include "text/glyph_page.h"
#include "text/text_run.h"

T_GlyphTransform glyphTransform = nullptr;

namespace {

struct S_Decoration {
    const C_BitmapGlyph* glyph = nullptr;  // null: not drawn
    C_Surface* page = nullptr;
};

struct S_TextDraw {
    const S_TextRun* run;
    C_Surface* destination;
    const C_Frame* clip;
    S_BlitParams params;
    float areaX, areaY, areaRight, areaBottom;
    bool wrap;
    float wrapWidth;  // W: the widest line - 1
    float anchorX;    // position.x
    uint8_t alignX;   // 0 left, 1 right, 2 centre
    bool underline, strikeOut;
    S_Decoration bar;   // the cursor's '|'
    S_Decoration line;  // '_' for underline and strike-out
};

S_Decoration FindDecoration(const S_TextRun& run, uint8_t code, bool needsAdvance) {
    S_Decoration d;
    const C_BitmapGlyph* glyph = TextRun_Glyph(run, code);
    if (glyph == nullptr || (needsAdvance && glyph->advance.x <= 0)) return d;
    d.page = GlyphPage_Drawable(*run.font, *glyph);
    if (d.page != nullptr) d.glyph = glyph;
    return d;
}

// The pen x where the line starting at byte `start` begins.
float LineStart(const S_TextDraw& d, uint32_t start) {
    if (d.alignX == 0) return d.anchorX;
    const float width = TextRun_LineWidth(*d.run, start) - 1;
    return d.alignX == 2 ? d.anchorX - width / 2 : d.anchorX - width;
}

// With wrap-around the pen runs around within `width`; a glyph passes its
// own advance (and the text's W), the cursor and tabs the previous advance
// (and W + that advance). A range that is not positive turns wrapping off.
float Wrapped(const S_TextDraw& d, float x, float advance, float width) {
    if (!d.wrap || !(d.wrapWidth > 0) || !(width > 0)) return x;
    return Math_Wrap(x + advance, width) - advance;
}

// Decorations (underline, strike-out, cursor): grid glyphs share their page,
// so they take their own frame; rasterised glyphs take their whole page.
void DrawDecoration(S_TextDraw& d, const S_Decoration& deco, float x, float y, float hotspotY, float scaleX) {
    const C_BitmapGlyph& g = *deco.glyph;
    C_Rect source(0, 0, 0, 0);
    const C_Rect* sourceRect = nullptr;
    if (g.renderMode == FONT_RENDER_GRID) {
        source = C_Rect(float(g.frame.left), float(g.frame.top), float(g.frame.right), float(g.frame.bottom));
        sourceRect = &source;
    }
    const float S = d.run->size, scale = d.run->scale;
    S_BlitParams& p = d.params;
    const float keptScaleX = p.scale.x;
    p.scale.x = scaleX;
    p.hotspot = C_Vector2D(0, hotspotY, MATH_ANCHOR_DEFAULT);
    const C_Vector2D at(x, Math_Trunc(y + S * (1 - scale)), MATH_ANCHOR_DEFAULT);
    Gfx_Surface_BlitImage(deco.page, d.destination, sourceRect, d.clip, &at, 0, &p);
    p.scale.x = keptScaleX;
}

// Underline and strike-out over `width` pixels from drawX.
void DrawLines(S_TextDraw& d, float drawX, float y, float width) {
    if (d.line.glyph == nullptr || !(width > 0)) return;
    const float S = d.run->size;
    const float scaleX = width / float(d.line.glyph->advance.x);
    const float bearingY = float(d.line.glyph->bearing.y);
    if (d.underline) DrawDecoration(d, d.line, drawX + d.areaX - 1, y + d.areaY, bearingY - S, scaleX);
    if (d.strikeOut) DrawDecoration(d, d.line, drawX + d.areaX - 1, y + d.areaY, bearingY - S / 2, scaleX);
}

void DrawCursor(S_TextDraw& d, float drawX, float y) {
    const float S = d.run->size;
    if (d.bar.glyph == nullptr || !(drawX + d.areaX < d.areaRight) || !(y + d.areaY < d.areaBottom) ||
        !(drawX >= -2 * S) || !(y >= -2 * S))
        return;
    const float hotspotY = float(d.bar.glyph->bearing.y) - S;
    DrawDecoration(d, d.bar, drawX + d.areaX - 1, y + d.areaY, hotspotY, d.run->scale);
    DrawDecoration(d, d.bar, drawX + d.areaX, y + d.areaY, hotspotY, d.run->scale);
}

// One glyph, its centre as the hotspot so that a transform turns it about
// its middle.
void DrawGlyph(S_TextDraw& d, const C_BitmapGlyph& g, C_Surface* page, float drawX, float y) {
    const C_Frame& f = g.frame;
    const C_Rect source(float(f.left), float(f.top), float(f.right), float(f.bottom));
    const float hx = Math_Trunc(float(f.right - f.left) / 2), hy = Math_Trunc(float(f.bottom - f.top) / 2);
    const float scale = d.run->scale, S = d.run->size;
    S_BlitParams& p = d.params;
    p.hotspot = C_Vector2D(hx, hy, MATH_ANCHOR_DEFAULT);
    C_Vector2D at(Math_Trunc(drawX + d.areaX + (float(g.bearing.x) + hx) * scale),
                  Math_Trunc(y + d.areaY + S - (float(g.bearing.y) - hy) * scale), MATH_ANCHOR_DEFAULT);
    const float keptAngle = p.angle;
    if (glyphTransform != nullptr) {
        const S_GlyphPlacement placement{at, C_Vector2D(0, 0), p.hotspot, p.angle};
        if (const S_GlyphPlacement* moved = glyphTransform(&placement)) {
            const S_GlyphPlacement copy = *moved;
            at = copy.position;
            p.angle = copy.angle;
        }
    }
    Gfx_Surface_BlitImage(page, d.destination, &source, d.clip, &at, 0, &p);
    p.angle = keptAngle;
}

void DrawRun(S_TextDraw& d, float startY, uint32_t cursorIndex, float firstPrevious) {
    const S_TextRun& run = *d.run;
    const float S = run.size, L = run.lineHeight;
    float x = LineStart(d, 0), y = startY, previous = firstPrevious;
    for (uint32_t k = 0; k < run.length; ++k) {
        const uint8_t c = run.bytes[k];
        if (k == cursorIndex) DrawCursor(d, Wrapped(d, x, previous, d.wrapWidth + previous), y);
        if (c == kLineFeed) {
            y += L;
            x = LineStart(d, k + 1);
            continue;
        }
        if (c == kTab) {
            const float drawX = Wrapped(d, x, previous, d.wrapWidth + previous);
            if (drawX + d.areaX < d.areaRight && d.areaY - L + y < d.areaBottom && drawX >= -kTabWidth &&
                y >= -2 * S)
                DrawLines(d, drawX, y, kTabWidth);
            x += kTabWidth;
            continue;
        }
        const C_BitmapGlyph* glyph = TextRun_Glyph(run, c);
        if (glyph == nullptr) continue;
        const float a = float(glyph->advance.x) * run.scale;
        const float drawX = Wrapped(d, x, a, d.wrapWidth);
        const bool visible = drawX + d.areaX < d.areaRight && d.areaY - L + y < d.areaBottom &&
                             float(glyph->bearing.x) - a <= drawX && -2 * S <= y;
        if (visible) {
            if (c != kBlank)
                if (C_Surface* page = GlyphPage_Drawable(*run.font, *glyph)) DrawGlyph(d, *glyph, page, drawX, y);
            DrawLines(d, drawX, y, a);
        }
        x += a;
        previous = a;
    }
}

}  // namespace

bool Gfx_Surface_DrawText(const C_String* text, C_Font* font, const C_FontType* fontType, C_Surface* destination,
                          const C_Color* colour, const C_Vector2D* position, uint8_t wrap, uint32_t /*spare1*/,
                          const C_Frame* clip, uint32_t /*spare2*/) {
    if (destination == nullptr || position == nullptr) return false;
    const C_Rect area(0.0f, 0.0f, float(destination->GetWidth()), float(destination->GetHeight()));
    const C_Vector2D upward(position->x, -position->y, position->anchor);
    return Gfx_Surface_DrawTextEx(text, font, fontType, destination, colour, &area, 0, 0, wrap, 0, &upward, 0,
                                  FONT_NO_CURSOR, 0, 0, 0, nullptr, clip, 0, 0, 0, 0);
}

bool Gfx_Surface_DrawTextEx(const C_String* text, C_Font* font, const C_FontType* fontType,
                            C_Surface* destination, const C_Color* colour, const C_Rect* area, uint32_t /*spare1*/,
                            uint32_t /*spare2*/, uint8_t wrap, uint32_t /*spare3*/, const C_Vector2D* position,
                            uint32_t /*spare4*/, uint32_t cursorIndex, uint32_t /*spare5*/, uint32_t /*spare6*/,
                            uint32_t /*spare7*/, const C_Color* /*spareColour*/, const C_Frame* clip,
                            uint32_t /*spare8*/, uint32_t /*spare9*/, uint32_t /*spare10*/, uint32_t /*spare11*/) {
    if (text == nullptr || font == nullptr || fontType == nullptr || destination == nullptr || colour == nullptr ||
        area == nullptr || position == nullptr)
        return false;
    if (!std::isfinite(fontType->size) || !(fontType->size > 0)) return false;
    S_TextRun run;
    if (!TextRun_Begin(run, reinterpret_cast<const uint8_t*>(text->GetText()), text->GetLength(), font, *fontType))
        return false;
    const S_TextMeasure m = TextRun_Measure(run);

    S_TextDraw d;
    d.run = &run;
    d.destination = destination;
    d.clip = clip;
    d.params.scale.Set(run.scale, run.scale);
    d.params.filter = 1;
    d.params.fillColor = *colour;
    d.areaX = area->left;
    d.areaY = area->top;
    d.areaRight = area->right;
    d.areaBottom = area->bottom;
    d.wrap = wrap == 1;
    d.wrapWidth = m.widest - 1;
    d.anchorX = position->x;
    const uint8_t low = position->anchor & 0x0F;
    d.alignX = low == 1 || low == 2 ? low : 0;
    d.underline = fontType->underline != 0;
    d.strikeOut = fontType->strikeOut != 0;
    d.bar = FindDecoration(run, kBar, false);
    if (d.underline || d.strikeOut) d.line = FindDecoration(run, kUnderscore, true);

    float y = -position->y;
    switch (position->anchor & 0xF0) {
        case 0x30: y -= m.height / 2; break;
        case 0x20: y -= m.height; break;
        default: break;
    }
    DrawRun(d, y, cursorIndex, m.lastAdvance);
    return true;
}
