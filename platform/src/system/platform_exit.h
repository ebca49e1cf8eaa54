// Orderly shutdown of SDL when the process exits.
#pragma once

// Registers, once, the exit handler that destroys the windows still open,
// frees the cursors and shuts SDL down.
void Platform_AtExit();
void Platform_FreeCursors();
