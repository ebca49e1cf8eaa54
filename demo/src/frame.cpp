#include "softblit/demo/frame.h"

#include <cmath>
#include <cstdio>

#include "softblit/demo/bump_shade.h"
#include "softblit/demo/glyph_motion.h"
#include "softblit/demo/texts.h"
#include "softblit/font/font.h"
#include "softblit/font/font_type.h"
#include "softblit/font/text.h"
#include "softblit/image/image.h"
#include "softblit/math/noise.h"
#include "softblit/math/rect.h"
#include "softblit/math/scalar.h"
#include "softblit/platform/display.h"
#include "softblit/surface/surface.h"

namespace {

const double kPi = 3.14159265358979323846;
const float W = static_cast<float>(DEMO_WIDTH);
const float H = static_cast<float>(DEMO_HEIGHT);

const C_Color kClear(0.0f, 0.0f, 0.0f, 0.0f);
const C_Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);
const C_Color kBlue(0.0f, 0.0f, 1.0f, 1.0f);
const C_Color kRed(1.0f, 0.0f, 0.0f, 1.0f);
const C_Color kKey(1.0f, 0.0f, 1.0f, 1.0f);

float Sin(double degrees) { return static_cast<float>(std::sin(degrees * kPi / 180.0)); }
float Cos(double degrees) { return static_cast<float>(std::cos(degrees * kPi / 180.0)); }

void Blit(S_DemoState& s, int32_t slot) {
    s.display->BlitImage(s.surfaces[slot], nullptr, nullptr, &s.blitPosition, 0, &s.blit);
}

void Text(S_DemoState& s, const C_String& text, int32_t fontSlot, int32_t use, const C_Color& colour,
          const C_Vector2D& position, uint8_t wrap) {
    s.display->DrawText(&text, s.fonts[fontSlot], Demo_FontType(use), &colour, &position, wrap, 0, nullptr, 0);
}

void CentreBlit(S_DemoState& s) {
    s.blit.hotspot = C_Vector2D(0.0f, 0.0f, 0x32);
    s.blitPosition = C_Vector2D(0.0f, 0.0f, 0x32);
}

void EffectBilinear(S_DemoState& s) {
    const float a = s.spinAngle;
    s.blit.angle = a;
    s.blit.filter = 1;
    const float scale = (Sin(7.0 * a) + 2.5f) * 2.7f + 1.5f;
    s.blit.scale = C_Vector2D(scale, scale);
    s.blit.fitHorizontal = 0;
    s.blit.fitVertical = 0;
    CentreBlit(s);
    Blit(s, DEMO_SURFACE_TILE);
}

void EffectAlpha(S_DemoState& s) {
    s.blit.angle = 0;
    s.blit.filter = 0;
    s.blit.scale = C_Vector2D(1.0f, 1.0f);
    CentreBlit(s);
    Blit(s, DEMO_SURFACE_BACKDROP);
    s.blit.hotspot = C_Vector2D(0.0f, 0.0f, 0x10);
    s.blitPosition = Demo_PanelPosition(s.elapsedTime);
    Blit(s, DEMO_SURFACE_PANEL);
}

void EffectBalls(S_DemoState& s) {
    const double phi = 7.0 * s.spinAngle;
    const C_Vector2D centre(W / 2 + Sin(phi) * W * 0.5625f, H / 2);
    s.blitPosition = centre;
    s.blit.angle = 0;
    s.blit.filter = 0;
    s.blit.scale = C_Vector2D(1.0f, 1.0f);
    s.blit.hotspot = C_Vector2D(0.0f, 0.0f, 0x32);
    C_Vector2D points[15];
    int n = 0;
    for (int theta = 0; theta < 359; theta += 24, ++n) {
        const double a = theta + phi;
        points[n] = C_Vector2D(centre.x + 130 * Cos(a), centre.y + 130 * Sin(a));
    }
    // Line ends may go lower than the balls: 550 against 450.
    for (int i = 0; i < n; ++i) {
        const C_Vector2D end(Math_Clamp(points[i].x, 16.0f, W - 16), Math_Clamp(points[i].y, 16.0f, 550.0f));
        s.display->DrawLine(&s.blitPosition, &end, &kRed, nullptr, 0, 0);
    }
    for (int i = 0; i < n; ++i) {
        s.blitPosition = C_Vector2D(Math_Clamp(points[i].x, 16.0f, W - 16), Math_Clamp(points[i].y, 16.0f, 450.0f));
        Blit(s, DEMO_SURFACE_BALL);
    }
}

void EffectBump(S_DemoState& s) {
    C_Image* relit = s.images[DEMO_IMAGE_RELIT];
    const C_Image* normals = s.images[DEMO_IMAGE_NORMALS];
    if (relit && normals) Gfx_BumpShade(relit->data, normals->data, relit->width, relit->height, s.elapsedTime);
    if (s.surfaces[DEMO_SURFACE_RELIT]) s.surfaces[DEMO_SURFACE_RELIT]->Prepare(GFX_PLANE_COLOR);
    s.blit.angle = 0;
    s.blit.filter = 1;
    s.blit.scale = C_Vector2D(1.0f, 1.0f);
    s.blit.fitHorizontal = 0;
    s.blit.fitVertical = 0;
    CentreBlit(s);
    Blit(s, DEMO_SURFACE_RELIT);
}

void EffectWarp(S_DemoState& s) {
    glyphTransform = Gfx_GlyphPerspective;
    for (uint32_t i = 0; i < DEMO_WARP_LINE_COUNT; ++i) {
        const C_Vector2D at(W / 2, 50.0f + 24.0f * i, 0x12);
        Text(s, C_String(Demo_WarpLines[i]), DEMO_FONT_LINES, DEMO_TEXT_LINES, kWhite, at, 0);
    }
}

}  // namespace

C_FontType* Demo_FontType(int32_t use) {
    static C_FontType types[4] = {
        C_FontType(C_String("Titles"), 24.0f, FONT_RENDER_GRID, 0, 0, 0, 0, 0),
        C_FontType(C_String("Lines"), 16.0f, FONT_RENDER_GRID, 0, 0, 0, 0, 0),
        C_FontType(C_String("DejaVu Sans"), 16.0f, FONT_RENDER_ANTIALIASED, 1, 0, 0, 0, 0),
        C_FontType(C_String("DejaVu Sans"), 16.0f, FONT_RENDER_ANTIALIASED, 0, 0, 0, 0, 0),
    };
    return use >= 0 && use < 4 ? &types[use] : nullptr;
}

void Demo_ResetBlit(S_DemoState& s) {
    S_BlitParams& b = s.blit;
    b = S_BlitParams();
    b.hotspot = C_Vector2D(0.0f, 0.0f, 0x32);
    b.fitHorizontal = 1;
    b.fitVertical = 1;
    b.keyColor = kKey;
    b.fillColor = kRed;
}

namespace {

// The noise of every star, computed once: its start x and its row.
struct S_StarTable {
    double x[3000];
    int32_t y[3000];
    S_StarTable() {
        for (int32_t i = 0; i < 3000; ++i) {
            x[i] = static_cast<double>(Math_Noise(i)) * W;
            y[i] = static_cast<int32_t>(Math_Noise(i + 1000) * H);
        }
    }
};
const S_StarTable& Stars() {
    static const S_StarTable table;
    return table;
}

}  // namespace

C_Vector2DI Demo_StarPosition(int32_t layer, int32_t k, double t) {
    const int32_t i = (layer - 1) * 1000 + k;
    // In double and reduced by the screen width before it becomes a float, so
    // the stars keep moving smoothly however long the program runs.
    double x = Stars().x[i] + t * 360.0 / std::sqrt(static_cast<double>(layer));
    if (!(x >= 0 && x < W)) {
        // x is far below 2^52 for any real run, so this is exact enough and
        // much cheaper than fmod.
        x -= std::floor(x / W) * W;
        if (!(x >= 0)) x = 0;
    }
    float xf = static_cast<float>(x);
    if (xf >= W) xf = 0;
    return C_Vector2DI(static_cast<int32_t>(xf), Stars().y[i]);
}

void Demo_DrawStars(const S_DemoState& s) {
    for (int32_t layer = 1; layer <= 3; ++layer) {
        for (int32_t k = 0; k < 1000; ++k) {
            const C_Vector2DI p = Demo_StarPosition(layer, k, s.elapsedTime);
            s.display->DrawPixel(&p, &kWhite, nullptr, 0);
        }
    }
}

C_Vector2D Demo_PanelPosition(double t) {
    // Ping-pong repeats every 2b: reduce in double first.
    const float x = static_cast<float>(std::fmod(t * 130.0, 2 * 384.0));
    const float y = static_cast<float>(std::fmod(t * 95.0, 2 * 130.0));
    return C_Vector2D(Math_PingPong(x, 384.0f), Math_PingPong(y, 130.0f), 0x10);
}

void Demo_DrawEffect(S_DemoState& s) {
    const int32_t effect = Math_Wrap(s.effectIndex, static_cast<int32_t>(DEMO_EFFECTS));
    Text(s, C_String(Demo_EffectTitles[effect]), DEMO_FONT_TITLES, DEMO_TEXT_TITLE, kWhite,
         C_Vector2D(W / 2, 0.0f, 0x12), 0);
    switch (effect) {
        case DEMO_EFFECT_BILINEAR: EffectBilinear(s); break;
        case DEMO_EFFECT_ALPHA: EffectAlpha(s); break;
        case DEMO_EFFECT_BALLS: EffectBalls(s); break;
        case DEMO_EFFECT_BUMP: EffectBump(s); break;
        default: EffectWarp(s); break;
    }
}

float Demo_ScrollX(const S_DemoState& s, double t) {
    double x = -150.0 * t;
    if (s.scrollWidth > 0) x = std::fmod(x, s.scrollWidth);
    return static_cast<float>(x);
}

void Demo_DrawTexts(S_DemoState& s) {
    char fps[64];
    std::snprintf(fps, sizeof(fps), "FPS:%f", static_cast<double>(s.framesPerSecond));
    Text(s, C_String(fps), DEMO_FONT_TEXT, DEMO_TEXT_FPS, kBlue, C_Vector2D(W - 95, 0.0f, 0x10), 0);
    glyphTransform = Gfx_GlyphWave;
    Text(s, s.scrollText, DEMO_FONT_TEXT, DEMO_TEXT_SCROLL, kWhite,
         C_Vector2D(Demo_ScrollX(s, s.elapsedTime), H - 25, 0x20), 1);
    glyphTransform = nullptr;
}

void Demo_DrawFrame(S_DemoState& s) {
    Demo_ResetBlit(s);
    const C_Rect all(0.0f, 0.0f, W, H, 0x10, 0x10);
    s.display->DrawRect(&all, &kClear, nullptr, 1, 0, 0);
    Demo_DrawStars(s);
    s.blitPosition = C_Vector2D(s.mousePosition.x, s.mousePosition.y, 0x10);
    Demo_DrawEffect(s);
    glyphTransform = nullptr;
    Demo_AutoAdvance(s);
    Demo_DrawTexts(s);
}

void Demo_SwitchEffect(S_DemoState& s, int32_t step) {
    s.effectStartTime = s.elapsedTime;
    s.effectIndex = Math_Wrap(s.effectIndex + step, static_cast<int32_t>(DEMO_EFFECTS));
}

void Demo_AutoAdvance(S_DemoState& s) {
    if (s.effectTime >= DEMO_EFFECT_SECONDS) Demo_SwitchEffect(s, 1);
}

void Demo_EndFrame(S_DemoState& s, double frameSeconds) {
    if (!(frameSeconds > 0)) return;
    s.framesPerSecond = static_cast<float>(1.0 / frameSeconds);
    const float angle = s.spinAngle + (60.0f / s.framesPerSecond) * 0.3f;
    s.spinAngle = Math_Wrap(angle, 360.0f);
}

double Demo_MeasureWrapWidth(const C_String& text, C_Font* font, const C_FontType& type) {
    if (!font || text.GetLength() == 0 || !(type.size > 0)) return 0;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.GetText());
    const uint32_t n = text.GetLength();
    uint32_t ref = 0;
    if (Gfx_Text_GetReferenceRule() == FONT_REFERENCE_FIRST_ABOVE_32) {
        ref = n - 1;
        for (uint32_t i = 0; i < n; ++i)
            if (static_cast<int8_t>(bytes[i]) > 32) {
                ref = i;
                break;
            }
    }
    const C_BitmapFace* face = font->GetFace(bytes[ref]);
    if (!face) return 0;
    const uint8_t style = type.bold ? (type.italic ? FONT_STYLE_BOLD_ITALIC : FONT_STYLE_BOLD)
                                    : (type.italic ? FONT_STYLE_ITALIC : FONT_STYLE_REGULAR);
    float best = 65536.0f;
    uint32_t g = 0;
    for (uint32_t i = 0; i < face->GetGlyphCount(); ++i) {
        const C_BitmapGlyph* glyph = face->GetGlyph(i);
        if (glyph->style != style || glyph->renderMode != type.renderMode || glyph->size == 0) continue;
        const float d = std::fabs(static_cast<float>(glyph->size) - type.size);
        if (d < best) {
            best = d;
            g = i;
        }
    }
    if (best == 65536.0f) return 0;
    const float scale = type.size / face->GetGlyph(g)->size;
    float width = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const C_BitmapFace* f = bytes[i] == 9 || bytes[i] == 10 ? nullptr : font->GetFace(bytes[i]);
        if (f && f->GetGlyphCount() > g) width += f->GetGlyph(g)->advance.x * scale;
    }
    return width - 1;
}
