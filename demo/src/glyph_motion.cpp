#include "softblit/demo/glyph_motion.h"

#include <cmath>

#include "softblit/demo/demo_state.h"

namespace {

const double kPi = 3.14159265358979323846;
S_GlyphPlacement g_result;

}  // namespace

const S_GlyphPlacement* Gfx_GlyphWave(const S_GlyphPlacement* placement) {
    if (!placement) return nullptr;
    g_result = *placement;
    const double k = DEMO_HEIGHT / 12.0;
    const double u = placement->position.x / static_cast<double>(DEMO_WIDTH);
    const double phase = 6 * kPi * u;
    g_result.position.y = static_cast<float>(placement->position.y + k * u * std::sin(phase));
    g_result.angle = static_cast<float>(
        std::atan((k * std::sin(phase) + k * u * 6 * kPi * std::cos(phase)) / DEMO_WIDTH) * 180.0 / kPi);
    return &g_result;
}

const S_GlyphPlacement* Gfx_GlyphPerspective(const S_GlyphPlacement* placement) {
    if (!placement) return nullptr;
    g_result = *placement;
    const double x = placement->position.x, y = placement->position.y;
    const double u = x / DEMO_WIDTH, v = y / DEMO_HEIGHT;
    // sin(t pi/2) repeats every 4 seconds: reduce t first so long runs keep
    // their precision.
    const double t = demoState ? std::fmod(demoState->elapsedTime, 4.0) : 0.0;
    const double d = 64 * std::sin((2 * v + t) * kPi / 2 + static_cast<double>(0.94247783f) * u) + 256;
    const double cx = DEMO_WIDTH / 2.0, cy = DEMO_HEIGHT / 2.0;
    g_result.position.x = static_cast<float>((x - cx) * 256 / d + cx);
    g_result.position.y = static_cast<float>((y - cy) * 256 / d + cy);
    return &g_result;
}
