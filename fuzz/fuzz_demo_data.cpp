// libFuzzer entry point for the demo's data files: the first byte names the
// file (0..8) and the effect to draw, the rest replaces that file. The other
// eight are the build's own; all nine are loaded as the demo loads them, one
// frame of the effect is drawn and everything is shut down in the demo's
// order, giving back all counted memory.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "softblit/core/status.h"
#include "softblit/demo/demo_state.h"
#include "softblit/demo/frame.h"
#include "softblit/demo/resources.h"
#include "softblit/demo/texts.h"
#include "softblit/platform/display.h"
#include "softblit/surface/blit_kernel.h"

namespace {

const char* const kFiles[9] = {"font01.uft", "font02.uft", "font03.uft", "face.img",  "data01.srf",
                               "data02.srf", "data03.srf", "data04.srf", "data05.srf"};

// A private folder holding links to the build's data files; the file under
// test is written over its link for each input.
std::string g_folder;

void MakeFolder() {
    char pattern[] = "/tmp/fuzz_demo_data.XXXXXX";
    if (!mkdtemp(pattern)) abort();
    g_folder = pattern;
    for (const char* name : kFiles) {
        const std::string from = std::string(DEMO_DATA_DIR) + "/" + name, to = g_folder + "/" + name;
        if (symlink(from.c_str(), to.c_str()) != 0) abort();
    }
}

void Restore(int file) {
    const std::string from = std::string(DEMO_DATA_DIR) + "/" + kFiles[file], to = g_folder + "/" + kFiles[file];
    unlink(to.c_str());
    if (symlink(from.c_str(), to.c_str()) != 0) abort();
}

void Replace(int file, const uint8_t* data, size_t size) {
    const std::string to = g_folder + "/" + kFiles[file];
    unlink(to.c_str());
    FILE* f = fopen(to.c_str(), "wb");
    if (!f || fwrite(data, 1, size, f) != size || fclose(f) != 0) abort();
}

uint32_t HeldByTheDemo() {
    return Sys_Status.memoryInUse - Gfx_BlitKernel.edgeLeftmost.capacity - Gfx_BlitKernel.edgeRightmost.capacity;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > (8u << 20)) return 0;
    if (g_folder.empty()) MakeFolder();
    const int file = data[0] % 9, effect = (data[0] / 9) % DEMO_EFFECTS;
    Replace(file, data + 1, size - 1);

    const uint32_t start = HeldByTheDemo();
    {
        S_DemoState state;
        demoState = &state;
        state.display = new C_Display();
        const S_DisplayTarget target = {nullptr, nullptr};
        state.display->OpenWindowed(&target, DEMO_WIDTH, DEMO_HEIGHT, 0);
        const char* failed = nullptr;
        if (state.display->Start() && Demo_LoadResources(state, g_folder.c_str(), &failed)) {
            Demo_BuildScrollText(&state.scrollText);
            state.scrollWidth =
                Demo_MeasureWrapWidth(state.scrollText, state.fonts[DEMO_FONT_TEXT], *Demo_FontType(DEMO_TEXT_SCROLL));
            state.effectIndex = effect;
            state.elapsedTime = 2.5;
            state.effectStartTime = state.elapsedTime;
            state.spinAngle = 30.0f;
            Demo_DrawFrame(state);
        }
        Demo_ReleaseResources(state);
        state.display->Stop();
        delete state.display;
        demoState = nullptr;
    }
    Restore(file);
    if (HeldByTheDemo() != start) abort();
    return 0;
}
