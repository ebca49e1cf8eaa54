// Both programs: BLITDEMO_FULL_SCREEN picks the full-screen one.
#include "softblit/demo/driver.h"

int main(int argc, char** argv) {
#if BLITDEMO_FULL_SCREEN
    const S_DemoProgram program = {"blitdemo", true};
#else
    const S_DemoProgram program = {"blitdemo-windowed", false};
#endif
    return Demo_Main(program, argc, argv);
}
