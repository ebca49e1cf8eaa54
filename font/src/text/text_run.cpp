#include "text/text_run.h"

#include "softblit/font/text.h"
#include "softblit/math/scalar.h"

namespace {

uint32_t g_referenceRule = FONT_REFERENCE_FIRST;

// Index of the character whose face chooses the glyph.
uint32_t ReferenceCharacter(const uint8_t* bytes, uint32_t length) {
    if (g_referenceRule != FONT_REFERENCE_FIRST_ABOVE_32) return 0;
    for (uint32_t k = 0; k < length; ++k)
        if (static_cast<int8_t>(bytes[k]) > 32) return k;
    return length - 1;
}

uint8_t StyleCode(const C_FontType& type) {
    const bool bold = type.bold != 0, italic = type.italic != 0;
    if (bold && italic) return FONT_STYLE_BOLD_ITALIC;
    if (bold) return FONT_STYLE_BOLD;
    if (italic) return FONT_STYLE_ITALIC;
    return FONT_STYLE_REGULAR;
}

}  // namespace

void Gfx_Text_SetReferenceRule(uint32_t rule) { g_referenceRule = rule; }
uint32_t Gfx_Text_GetReferenceRule() { return g_referenceRule; }

bool TextRun_Begin(S_TextRun& run, const uint8_t* bytes, uint32_t length, C_Font* font, const C_FontType& type) {
    if (length == 0) return false;
    const C_BitmapFace* face = font->GetFace(bytes[ReferenceCharacter(bytes, length)]);
    if (face == nullptr) return false;

    const uint8_t style = StyleCode(type);
    float best = 65536.0f;
    uint32_t chosen = 0;
    for (uint32_t i = 0; i < face->GetGlyphCount(); ++i) {
        const C_BitmapGlyph* glyph = face->GetGlyph(i);
        if (glyph == nullptr || glyph->size == 0 || glyph->style != style || glyph->renderMode != type.renderMode)
            continue;
        const float distance = Math_Abs(float(glyph->size) - type.size);
        if (distance < best) {
            best = distance;
            chosen = i;
        }
    }
    if (!(best < 65536.0f)) return false;

    run.bytes = bytes;
    run.length = length;
    run.font = font;
    run.glyphIndex = chosen;
    run.size = type.size;
    run.lineHeight = type.size / 2 + type.size + 1;
    run.scale = type.size / float(face->GetGlyph(chosen)->size);
    return true;
}

const C_BitmapGlyph* TextRun_Glyph(const S_TextRun& run, uint8_t c) {
    if (c == kLineFeed || c == kTab) return nullptr;
    const C_BitmapFace* face = run.font->GetFace(c);
    return face ? face->GetGlyph(run.glyphIndex) : nullptr;
}

float TextRun_LineWidth(const S_TextRun& run, uint32_t start) {
    float x = 0, width = 0;
    for (uint32_t k = start; k < run.length && run.bytes[k] != kLineFeed; ++k) {
        if (run.bytes[k] == kTab) {
            x += kTabWidth;
            continue;
        }
        const C_BitmapGlyph* glyph = TextRun_Glyph(run, run.bytes[k]);
        if (glyph == nullptr) continue;
        x += float(glyph->advance.x) * run.scale;
        if (x > width) width = x;
    }
    return width;
}

S_TextMeasure TextRun_Measure(const S_TextRun& run) {
    S_TextMeasure m{0, 0, 0};
    uint32_t lines = 1;
    for (uint32_t k = 0; k < run.length; ++k) {
        if (k == 0 || run.bytes[k - 1] == kLineFeed) {
            const float width = TextRun_LineWidth(run, k);
            if (width > m.widest) m.widest = width;
        }
        if (run.bytes[k] == kLineFeed) ++lines;
        if (const C_BitmapGlyph* glyph = TextRun_Glyph(run, run.bytes[k]))
            m.lastAdvance = float(glyph->advance.x) * run.scale;
    }
    m.height = float(lines) * run.lineHeight;
    return m;
}
