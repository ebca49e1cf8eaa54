#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "softblit/core/status.h"
#include "softblit/demo/demo_state.h"
#include "softblit/demo/driver.h"
#include "softblit/demo/frame.h"
#include "softblit/demo/resources.h"
#include "softblit/demo/texts.h"
#include "softblit/image/image.h"
#include "softblit/math/scalar.h"
#include "softblit/platform/display.h"
#include "softblit/pngio/png_io.h"
#include "softblit/surface/surface.h"

namespace {

struct S_HeadlessArgs {
    int32_t effect = -1;  // -1: all
    long frames = 1;
    double time = 0;
    double step = 1.0 / 60.0;
    const char* out = ".";
    double fps = 0;
    double angle = 1;
    const char* data = nullptr;
};

bool ParseDouble(const char* text, double* value) {
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (end == text || *end || errno || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

bool ParseLong(const char* text, long lo, long hi, long* value) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end || errno || v < lo || v > hi) return false;
    *value = v;
    return true;
}

// Fills args; on a bad command line prints one line and returns false.
bool Parse(const char* program, int argc, char** argv, S_HeadlessArgs* a) {
    for (int i = 1; i < argc; ++i) {
        const char* key = argv[i];
        if (!std::strcmp(key, "--headless")) continue;
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        bool ok = value != nullptr;
        long n = 0;
        if (!ok) {
        } else if (!std::strcmp(key, "--effect")) {
            if (!std::strcmp(value, "all")) a->effect = -1;
            else if ((ok = ParseLong(value, 0, DEMO_EFFECTS - 1, &n))) a->effect = static_cast<int32_t>(n);
        } else if (!std::strcmp(key, "--frames")) {
            ok = ParseLong(value, 1, 9999, &a->frames);
        } else if (!std::strcmp(key, "--time")) {
            ok = ParseDouble(value, &a->time);
        } else if (!std::strcmp(key, "--step")) {
            ok = ParseDouble(value, &a->step);
        } else if (!std::strcmp(key, "--out")) {
            a->out = value;
        } else if (!std::strcmp(key, "--fps")) {
            ok = ParseDouble(value, &a->fps);
        } else if (!std::strcmp(key, "--angle")) {
            ok = ParseDouble(value, &a->angle);
        } else if (!std::strcmp(key, "--data")) {
            a->data = value;
        } else {
            std::fprintf(stderr, "%s: unknown argument '%s'\n", program, key);
            return false;
        }
        if (!ok) {
            std::fprintf(stderr, "%s: %s needs %s\n", program, key,
                         !std::strcmp(key, "--effect") ? "0..4 or all"
                         : !std::strcmp(key, "--frames") ? "a count from 1 to 9999"
                         : !std::strcmp(key, "--out") || !std::strcmp(key, "--data") ? "a folder"
                                                                                     : "a finite number");
            return false;
        }
        ++i;
    }
    return true;
}

}  // namespace

int Demo_RunHeadless(const S_DemoProgram& program, int argc, char** argv) {
    S_HeadlessArgs args;
    if (!Parse(program.name, argc, argv, &args)) return 2;

    static S_DemoState state;
    S_DemoState& s = state;
    demoState = &s;
    s.display = new C_Display();
    const S_DisplayTarget target = {nullptr, nullptr};
    s.display->OpenWindowed(&target, DEMO_WIDTH, DEMO_HEIGHT, 0);
    int status = 0;
    const char* failed = nullptr;
    if (!s.display->Start()) {
        std::fprintf(stderr, "%s: cannot start the display: %s\n", program.name, Err_GetCause().message);
        status = 1;
    } else if (!Demo_LoadResources(s, args.data, &failed)) {
        std::fprintf(stderr, "%s: cannot load %s: %s\n", program.name, failed ? failed : "the data",
                     Err_GetCause().message);
        status = 1;
    }
    if (status == 0) {
        Demo_BuildScrollText(&s.scrollText);
        s.scrollWidth = Demo_MeasureWrapWidth(s.scrollText, s.fonts[DEMO_FONT_TEXT], *Demo_FontType(DEMO_TEXT_SCROLL));
        s.framesPerSecond = static_cast<float>(args.fps);
        const int32_t first = args.effect < 0 ? 0 : args.effect;
        const int32_t last = args.effect < 0 ? DEMO_EFFECTS - 1 : args.effect;
        for (int32_t effect = first; effect <= last && status == 0; ++effect) {
            for (long k = 0; k < args.frames; ++k) {
                s.effectIndex = effect;
                s.elapsedTime = args.time + k * args.step;
                s.effectStartTime = s.elapsedTime;  // effectTime 0: no automatic advance
                s.effectTime = 0;
                s.spinAngle = static_cast<float>(Math_Wrap(args.angle + 18.0 * k * args.step, 360.0));
                s.mousePosition = C_Vector2D();
                Demo_DrawFrame(s);
                char path[4096];
                std::snprintf(path, sizeof(path), "%s/effect%d-%04ld.png", args.out, effect, k);
                const C_Surface* frame = s.display->GetBackBuffer();
                if (!frame || !Png_Save(frame->GetPlaneImage(GFX_PLANE_COLOR), nullptr, path)) {
                    std::fprintf(stderr, "%s: cannot write %s: %s\n", program.name, path, Err_GetCause().message);
                    status = 1;
                    break;
                }
                std::printf("%s\n", path);
            }
        }
    }
    Demo_ReleaseResources(s);
    s.display->Stop();
    delete s.display;
    s.display = nullptr;
    demoState = nullptr;
    return status;
}
