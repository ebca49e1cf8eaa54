#include "softblit/demo/driver.h"

#include <cstdio>
#include <cstring>

#include "softblit/core/status.h"
#include "softblit/demo/demo_state.h"
#include "softblit/demo/frame.h"
#include "softblit/demo/handlers.h"
#include "softblit/demo/resources.h"
#include "softblit/demo/texts.h"
#include "softblit/font/text.h"
#include "softblit/platform/display.h"
#include "softblit/platform/system.h"
#include "softblit/platform/window.h"

namespace {

// Deletes what exists, in shutdown order: surfaces and fonts, the display,
// the window.
void Shutdown(S_DemoState& s) {
    Demo_ReleaseResources(s);
    if (s.display) {
        s.display->Stop();
        delete s.display;
        s.display = nullptr;
    }
    delete s.window;
    s.window = nullptr;
}

int FailStartUp(S_DemoState& s, const char* program, const char* what) {
    std::fprintf(stderr, "%s: %s%s\n", program, what, Err_GetCause().message);
    Shutdown(s);
    demoState = nullptr;
    return 1;
}

void RunLoop(S_DemoState& s) {
    const double t0 = Sys_GetTime();
    for (;;) {
        if (!Sys_PumpMessage()) break;
        const double tf = Sys_GetTime();
        s.elapsedTime = tf - t0;
        s.effectTime = s.elapsedTime - s.effectStartTime;
        Demo_DrawFrame(s);
        s.display->Present();
        const double te = Sys_GetTime();
        Demo_EndFrame(s, te - tf);
    }
}

}  // namespace

int Demo_Main(const S_DemoProgram& program, int argc, char** argv) {
    Gfx_Text_SetReferenceRule(program.fullScreen ? FONT_REFERENCE_FIRST : FONT_REFERENCE_FIRST_ABOVE_32);
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--headless")) return Demo_RunHeadless(program, argc, argv);
    if (argc > 1) {
        std::fprintf(stderr, "%s: unknown argument '%s' (only --headless ... is understood)\n", program.name, argv[1]);
        return 2;
    }

    static S_DemoState state;
    S_DemoState& s = state;
    demoState = &s;

    s.window = new C_Window();
    s.window->SetX(0, 0);
    s.window->SetY(0, 0x10);
    s.window->SetWidth(DEMO_WIDTH, 3);
    s.window->SetHeight(DEMO_HEIGHT, 0x40);
    s.window->SetPopup(program.fullScreen ? 1 : 0);
    s.window->SetTitle(C_String(Demo_WindowTitle));
    s.window->Create();
    if (!s.window->IsCreated()) return FailStartUp(s, program.name, "cannot open the window: ");

    Demo_InstallHandlers(s.window);

    s.display = new C_Display();
    S_DisplayTarget target;
    s.window->GetDisplayTarget(&target);
    if (program.fullScreen)
        s.display->OpenFullScreen(&target, DEMO_WIDTH, DEMO_HEIGHT, 16, 0);
    else
        s.display->OpenWindowed(&target, DEMO_WIDTH, DEMO_HEIGHT, 0);
    if (!s.display->Start()) return FailStartUp(s, program.name, "cannot start the display: ");
    if (s.display->IsModeRefused()) {
        // The platform has already said why, in one line.
        Shutdown(s);
        demoState = nullptr;
        return 1;
    }

    const char* failed = nullptr;
    if (!Demo_LoadResources(s, nullptr, &failed)) {
        char what[64];
        std::snprintf(what, sizeof(what), "cannot load %s: ", failed ? failed : "the data");
        return FailStartUp(s, program.name, what);
    }

    Sys_InitClock();
    Demo_BuildScrollText(&s.scrollText);
    s.scrollWidth = Demo_MeasureWrapWidth(s.scrollText, s.fonts[DEMO_FONT_TEXT], *Demo_FontType(DEMO_TEXT_SCROLL));
    s.spinAngle = 1.0f;
    RunLoop(s);

    Shutdown(s);
    std::printf("\n%s\n", s.scrollText.GetText());
    demoState = nullptr;
    return 0;
}
