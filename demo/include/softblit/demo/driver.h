// The programs' main routine and their headless mode.
#pragma once

#include <cstdint>

// What tells the two programs apart: the name in their messages, full screen
// or a window, and the text drawing's reference character.
struct S_DemoProgram {
    const char* name;
    bool fullScreen;
};

// Runs the demo: the window, the display, the nine data files, the frame
// loop until Escape or close, then the scroll text on stdout. With
// --headless, Demo_RunHeadless instead. Returns the exit status: 0, or 1
// after one line on stderr (2 for a bad command line).
int Demo_Main(const S_DemoProgram& program, int argc, char** argv);

// --headless --effect N|all --frames K --time T --step S --out DIR [--fps F]
// [--angle A] [--data DIR]: draws frame k of each chosen effect at
// t = T + k S with A = A0 + 18 k S, on a display without a window, and writes
// DIR/effect<N>-<kkkk>.png, one stdout line per file.
int Demo_RunHeadless(const S_DemoProgram& program, int argc, char** argv);
