// Closing what is still open when the process exits.
#pragma once

// Registers, once, the exit handler that destroys the windows still open
// and frees the cursors.
void Platform_AtExit();
void Platform_FreeCursors();
