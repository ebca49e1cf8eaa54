// What the frame hashes cannot point at: where stars and the title stand, the
// relit plane, state that must not show, text coverage and fit, the effect
// clock, glyph motion and the input handlers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "demo_fixture.h"
#include "softblit/demo/bump_shade.h"
#include "softblit/demo/glyph_motion.h"
#include "softblit/demo/handlers.h"
#include "softblit/font/text.h"
#include "softblit/math/noise.h"
#include "softblit/platform/window.h"

S_DemoState* DemoFrame::state = nullptr;
bool DemoFrame::loaded = false;

namespace {

// At t = 0 every star stands at its noise position and nothing else is lit; it
// drifts right at 360 / sqrt(layer) pixels a second, one screen width per
// period, still exactly after 3600 periods.
TEST_F(DemoFrame, StarsStandWhereTheNoisePutsThemAndDriftAtTheirLayerSpeed) {
    Clear();
    state->elapsedTime = 0;
    Demo_DrawStars(*state);
    std::set<int32_t> lit;
    for (int32_t layer = 1; layer <= 3; ++layer) {
        const double period = 640.0 * std::sqrt(layer) / 360.0;
        for (int32_t k = 0; k < 1000; ++k) {
            SCOPED_TRACE(testing::Message() << "layer " << layer << " star " << k);
            const int32_t i = (layer - 1) * 1000 + k;
            const int32_t x = int32_t(Math_Noise(i) * 640.0f), y = int32_t(Math_Noise(i + 1000) * 480.0f);
            const C_Vector2DI p = Demo_StarPosition(layer, k, 0.0), soon = Demo_StarPosition(layer, k, 0.1);
            ASSERT_EQ(p.x, x);
            ASSERT_EQ(p.y, y);
            ASSERT_EQ(Pixel(x, y), 0xFFFFFFu);
            lit.insert(y * 640 + x);
            ASSERT_NEAR((soon.x - x + 640) % 640, 36.0 / std::sqrt(layer), 1.0);
            ASSERT_EQ(soon.y, y);
            ASSERT_NEAR(Demo_StarPosition(layer, k, period).x, x, 1);
            ASSERT_NEAR(Demo_StarPosition(layer, k, 3600 * period).x, x, 1);
        }
    }
    size_t white = 0;
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 640; ++x) white += Pixel(x, y) != 0;
    EXPECT_EQ(white, lit.size()) << "pixels lit where no star stands";
}

// The bump effect relights the normals by the light at the frame's time (the
// shading itself is pinned by the BumpShade tests).
TEST_F(DemoFrame, TheRelitPlaneIsTheNormalsShadedAtTheFrameTime) {
    At(DEMO_EFFECT_BUMP, 7.25, 1.0f);
    Demo_DrawFrame(*state);
    const C_Image* relit = state->images[DEMO_IMAGE_RELIT];
    const C_Image* normals = state->images[DEMO_IMAGE_NORMALS];
    ASSERT_EQ(relit->width * relit->height, normals->width * normals->height);
    std::vector<uint8_t> shaded(relit->width * relit->height);
    Gfx_BumpShade(shaded.data(), normals->data, normals->width, normals->height, 7.25);
    const auto differs = std::mismatch(shaded.begin(), shaded.end(), relit->data).first;
    EXPECT_TRUE(differs == shaded.end()) << "pixel " << differs - shaded.begin();
    // The display copy was refreshed from the relit plane: the centre of the
    // screen shows the palette colour of the centre index.
    const uint32_t cx = relit->width / 2, cy = relit->height / 2;
    const uint8_t* entry = relit->m_palette + relit->data[cy * relit->width + cx] * 3;
    const uint32_t expected = static_cast<uint32_t>(entry[2]) << 16 | static_cast<uint32_t>(entry[1]) << 8 | entry[0];
    EXPECT_EQ(Pixel(320 - relit->width / 2 + cx, 240 - relit->height / 2 + cy), expected);
}

TEST_F(DemoFrame, EffectsLeaveTheTitleRowsToTheTitle) {
    // With the stars masked out, whatever is lit in rows 0..31 left of the
    // frames-per-second text belongs to the title, centred (that it ends
    // before 545 is checked by TitlesAndFrameRateFitTheirCells).
    // At t = 0.5 the warping lines stand at their deepest, clear of the title.
    for (int32_t effect = 0; effect < DEMO_EFFECTS; ++effect) {
        At(effect, 0.5, 200.0f);
        Demo_DrawFrame(*state);
        std::set<int32_t> stars;
        for (int32_t i = 0; i < 3000; ++i) {
            const C_Vector2DI p = Demo_StarPosition(1 + i / 1000, i % 1000, 0.5);
            stars.insert(p.y * 640 + p.x);
        }
        int32_t left = 640, right = -1, top = 32;
        for (int32_t y = 0; y < 32; ++y)
            for (int32_t x = 0; x < 545; ++x)
                if (Pixel(x, y) != 0 && !stars.count(y * 640 + x)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                }
        ASSERT_GE(right, 0) << "no title on effect " << effect;
        // The title starts at the top, not one line lower.
        EXPECT_LT(top, 8) << Demo_EffectTitles[effect];
        EXPECT_NEAR((left + right) / 2.0, 320.0, 14.0) << Demo_EffectTitles[effect];
    }
}

TEST_F(DemoFrame, RightDragChangesNothingVisible) {
    for (int32_t effect = 0; effect < DEMO_EFFECTS; ++effect) {
        At(effect, 4.0, 50.0f);
        Demo_DrawFrame(*state);
        const C_Image* frame = Frame();
        const std::vector<uint8_t> before(frame->data, frame->data + frame->dataSize);
        At(effect, 4.0, 50.0f);
        state->mousePosition = C_Vector2D(300.0f, 200.0f);
        Demo_DrawFrame(*state);
        EXPECT_TRUE(std::equal(before.begin(), before.end(), Frame()->data)) << Demo_EffectTitles[effect];
    }
}

TEST_F(DemoFrame, EveryTextIsCoveredByItsFontUnderBothRules) {
    struct Use {
        int32_t font, type;
        std::vector<std::string> texts;
    };
    std::vector<Use> uses = {
        {DEMO_FONT_TITLES, DEMO_TEXT_TITLE, {}},
        {DEMO_FONT_LINES, DEMO_TEXT_LINES, {}},
        {DEMO_FONT_TEXT, DEMO_TEXT_FPS, {"FPS:0.000000", "FPS:12345.67", "FPS:inf"}},
        {DEMO_FONT_TEXT, DEMO_TEXT_SCROLL, {std::string(state->scrollText.GetText())}},
    };
    for (const char* title : Demo_EffectTitles) uses[0].texts.push_back(title);
    for (const char* line : Demo_WarpLines) uses[1].texts.push_back(line);
    // Every character has a face with glyphs, and the text's reference
    // character selects one under either rule.
    const uint32_t saved = Gfx_Text_GetReferenceRule();
    for (uint32_t rule : {FONT_REFERENCE_FIRST, FONT_REFERENCE_FIRST_ABOVE_32}) {
        Gfx_Text_SetReferenceRule(rule);
        for (const Use& use : uses) {
            C_Font* font = state->fonts[use.font];
            for (const std::string& text : use.texts) {
                for (unsigned char c : text) {
                    const C_BitmapFace* face = font->GetFace(c);
                    ASSERT_TRUE(face && face->GetGlyphCount() > 0) << "'" << c << "' in " << text;
                }
                const double width = Demo_MeasureWrapWidth(C_String(text.c_str()), font, *Demo_FontType(use.type));
                EXPECT_GT(width, 0) << "rule " << rule << ": nothing drawn of " << text.substr(0, 40);
            }
        }
    }
    Gfx_Text_SetReferenceRule(saved);
}

// Titles end before column 545, where the frames-per-second text starts; that
// text fits the 95 columns left at any rate.
TEST_F(DemoFrame, TitlesAndFrameRateFitTheirCells) {
    auto width = [](const char* text, int32_t font, int32_t type) {
        return Demo_MeasureWrapWidth(C_String(text), state->fonts[font], *Demo_FontType(type));
    };
    for (const char* title : Demo_EffectTitles)
        EXPECT_LT(320 + (width(title, DEMO_FONT_TITLES, DEMO_TEXT_TITLE) + 1) / 2, 545.0) << title;
    for (const char* text : {"FPS:0.000000", "FPS:12345.67"}) {
        const double w = width(text, DEMO_FONT_TEXT, DEMO_TEXT_FPS);
        EXPECT_GT(w, 40);
        EXPECT_LE(w + 1, 95.0) << text;
    }
}

// Runs frames of `dt` seconds from `from` to `to`, the way the loop computes
// the effect time, and records at which elapsed times the effect changed.
std::vector<double> RunFrames(S_DemoState& s, double from, double to, double dt) {
    std::vector<double> switches;
    for (double t = from; t < to; t += dt) {
        s.elapsedTime = t;
        s.effectTime = s.elapsedTime - s.effectStartTime;
        const int32_t before = s.effectIndex;
        Demo_AutoAdvance(s);
        if (s.effectIndex != before) switches.push_back(t);
    }
    return switches;
}

TEST(DemoClock, EachEffectLastsThirtySecondsFromItsSwitchingFrame) {
    S_DemoState s;
    std::vector<double> sw = RunFrames(s, 0, 100, 0.25);
    ASSERT_EQ(sw.size(), 3u);
    EXPECT_DOUBLE_EQ(sw[0], 30.0);
    EXPECT_DOUBLE_EQ(sw[1], 60.0);
    EXPECT_EQ(s.effectIndex, 3);

    // A mouse switch at t = 10 (between frames: the handler sees the last
    // frame's time) starts a fresh thirty seconds, and no effect lasts sixty.
    S_DemoState m;
    RunFrames(m, 0, 10.25, 0.25);
    Demo_SwitchEffect(m, 1);
    sw = RunFrames(m, 10.25, 75, 0.25);
    ASSERT_FALSE(sw.empty());
    EXPECT_DOUBLE_EQ(sw[0], 40.0);
    EXPECT_EQ(m.effectIndex, 3);
}

TEST(DemoClock, FrameRateAndAngle) {
    S_DemoState s;
    EXPECT_EQ(s.framesPerSecond, 0.0f);  // the first frame shows 0
    EXPECT_EQ(s.spinAngle, 1.0f);
    Demo_EndFrame(s, 0.01);
    EXPECT_FLOAT_EQ(s.framesPerSecond, 100.0f);
    EXPECT_NEAR(s.spinAngle, 1.18f, 1e-5);
    // A frame too short to measure changes nothing: no infinite rate.
    Demo_EndFrame(s, 0.0);
    Demo_EndFrame(s, -1e-9);
    EXPECT_FLOAT_EQ(s.framesPerSecond, 100.0f);
    EXPECT_NEAR(s.spinAngle, 1.18f, 1e-5);
    // The angle keeps to [0, 360) over a long run.
    for (int i = 0; i < 100000; ++i) Demo_EndFrame(s, 0.0137);
    EXPECT_GE(s.spinAngle, 0.0f);
    EXPECT_LT(s.spinAngle, 360.0f);
    EXPECT_NEAR(s.spinAngle, std::fmod(1.0 + 18.0 * (0.01 + 100000 * 0.0137), 360.0), 0.5);
}

TEST(DemoClock, TimeDrivenPositionsRepeatWithTheirPeriod) {
    // Ping-pong over 0..384 at 130 px/s and 0..130 at 95 px/s.
    EXPECT_EQ(Demo_PanelPosition(0.0).x, 0.0f);
    EXPECT_EQ(Demo_PanelPosition(0.0).y, 0.0f);
    EXPECT_NEAR(Demo_PanelPosition(384.0 / 130.0).x, 384.0f, 1e-3);
    const C_Vector2D a = Demo_PanelPosition(1.5), b = Demo_PanelPosition(1.5 + 1e6 * 768.0 / 130.0 * 52);
    EXPECT_NEAR(a.x, b.x, 0.01);
    S_DemoState s;
    s.scrollWidth = 1000.5;
    EXPECT_NEAR(Demo_ScrollX(s, 2.0), -300.0f, 1e-4);
    EXPECT_NEAR(Demo_ScrollX(s, 2.0 + 1000.5 / 150.0 * 1e6), -300.0f, 0.01);
}

TEST(DemoGlyphs, WaveAndPerspectiveMoveOnlyWhatTheyShould) {
    S_GlyphPlacement p;
    p.position = C_Vector2D(0.0f, 455.0f, 0x10);
    p.hotspot = C_Vector2D(4.0f, 5.0f, 0x10);
    p.angle = 0;
    const S_GlyphPlacement* r = Gfx_GlyphWave(&p);
    EXPECT_EQ(r->position.x, 0.0f);
    EXPECT_EQ(r->position.y, 455.0f);
    EXPECT_EQ(r->angle, 0.0f);
    // At u = 1/12 the sine is at its first maximum: y + 40 / 12.
    p.position.x = 640.0f / 12;
    r = Gfx_GlyphWave(&p);
    EXPECT_NEAR(r->position.y, 455.0f + 40.0f / 12, 1e-3);
    EXPECT_EQ(r->hotspot.x, 4.0f);
    EXPECT_NEAR(r->angle, std::atan(40.0 / 640.0) * 180 / M_PI, 1e-3);

    S_DemoState s;
    S_DemoState* saved = demoState;
    demoState = &s;
    for (double t : {0.0, 0.7, 3.3, 1e7}) {
        s.elapsedTime = t;
        p.position = C_Vector2D(320.0f, 240.0f, 0x10);
        r = Gfx_GlyphPerspective(&p);
        EXPECT_EQ(r->position.x, 320.0f);
        EXPECT_EQ(r->position.y, 240.0f);
        // Elsewhere the depth swings between 192 and 320.
        p.position = C_Vector2D(0.0f, 0.0f, 0x10);
        r = Gfx_GlyphPerspective(&p);
        EXPECT_GE(r->position.x, -320.0f * 256 / 192 + 320 - 1e-3);
        EXPECT_LE(r->position.x, -320.0f * 256 / 320 + 320 + 1e-3);
    }
    demoState = saved;
}

// The handlers as the window calls them, on a window that was never opened.
TEST(DemoHandlers, ReleasesStepAndRightDragsMoveTheBlitPoint) {
    S_DemoState s;
    S_DemoState* saved = demoState;
    demoState = &s;
    C_Window window;
    Demo_InstallHandlers(&window);
    const S_WindowHandlers& h = window.handlers;
    ASSERT_TRUE(h.OnMouseUp && h.OnMouseDown && h.OnMouseMove && h.OnKeyUp && h.OnClose);
    EXPECT_EQ(h.OnKeyDown, nullptr);

    s.elapsedTime = 3.0;
    h.OnMouseDown(&window, 1, 0, 0, 10, 10);  // presses change nothing
    EXPECT_EQ(s.effectIndex, 0);
    h.OnMouseUp(&window, 1, 0, 0, 10, 10);
    EXPECT_EQ(s.effectIndex, 4);
    EXPECT_EQ(s.effectStartTime, 3.0);
    h.OnMouseUp(&window, 0, 1, 0, 10, 10);  // middle: nothing
    EXPECT_EQ(s.effectIndex, 4);
    s.elapsedTime = 5.0;
    h.OnMouseUp(&window, 0, 0, 1, 10, 10);
    EXPECT_EQ(s.effectIndex, 0);
    EXPECT_EQ(s.effectStartTime, 5.0);

    h.OnMouseMove(&window, 0, 0, 1, 123, 45);
    EXPECT_EQ(s.mousePosition.x, 123.0f);
    EXPECT_EQ(s.mousePosition.y, 45.0f);
    h.OnMouseMove(&window, 1, 0, 0, 7, 8);  // only with the right button held
    h.OnMouseMove(&window, 0, 0, 0, 7, 8);
    EXPECT_EQ(s.mousePosition.x, 123.0f);
    demoState = saved;
}

}  // namespace
