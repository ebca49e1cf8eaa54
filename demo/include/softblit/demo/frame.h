// Drawing one frame of the demo through the display, and the effect clock.
#pragma once

#include <cstdint>

#include "softblit/demo/demo_state.h"
#include "softblit/math/vector2d.h"

class C_Font;
class C_FontType;
class C_String;

// The four ways the demo draws text.
enum : int32_t { DEMO_TEXT_TITLE = 0, DEMO_TEXT_LINES = 1, DEMO_TEXT_FPS = 2, DEMO_TEXT_SCROLL = 3 };
C_FontType* Demo_FontType(int32_t use);

// The whole frame, in drawing order: clear, stars, the effect with its title,
// the automatic advance, the frames-per-second text and the scroll text.
void Demo_DrawFrame(S_DemoState& state);

// The blit record as every frame starts it.
void Demo_ResetBlit(S_DemoState& state);
void Demo_DrawStars(const S_DemoState& state);
// The title of the current effect, then the effect.
void Demo_DrawEffect(S_DemoState& state);
void Demo_DrawTexts(S_DemoState& state);

// Where star k (0..999) of layer 1..3 stands at time t.
C_Vector2DI Demo_StarPosition(int32_t layer, int32_t k, double t);
// Top-left corner of the sliding picture of the alpha-blending effect.
C_Vector2D Demo_PanelPosition(double t);
// The scroll text's x at time t, reduced by its wrap width.
float Demo_ScrollX(const S_DemoState& state, double t);

// One effect further (step 1) or back (step -1); the new effect's time
// counts from the last frame's elapsedTime.
void Demo_SwitchEffect(S_DemoState& state, int32_t step);
// After an effect has run DEMO_EFFECT_SECONDS, the next one takes over.
void Demo_AutoAdvance(S_DemoState& state);
// The frame took frameSeconds: frames per second and the spin angle follow.
// A frame of no measurable length keeps both as they were.
void Demo_EndFrame(S_DemoState& state, double frameSeconds);

// The width within which `text` wraps when drawn with the font type: the
// sum of its glyph advances at the drawing scale, less one. 0 when the text
// would draw nothing.
double Demo_MeasureWrapWidth(const C_String& text, C_Font* font, const C_FontType& fontType);
