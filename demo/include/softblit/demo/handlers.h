// The demo's window handlers: Escape and closing quit, button releases step
// through the effects, moves with the right button held set the mouse
// position. They act on demoState.
#pragma once

class C_Window;

void Demo_InstallHandlers(C_Window* window);
