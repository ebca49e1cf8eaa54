// Loading the demo's nine data files and deleting them again.
#pragma once

#include "softblit/demo/demo_state.h"

// Loads font01..03.uft, face.img and data01..05.srf from `folder` (null or
// empty: the working directory) into the state's tables, the fonts' pages and
// the surfaces made by the state's display and prepared by it. Before that
// the state's tables must be empty. False when a file is missing, damaged or
// of the wrong kind (face.img 24 bits a pixel, the colour plane of data03.srf
// 8 bits a pixel, both the same size, unpadded, in the same row order): the
// cause is recorded (Err_GetCause) and *failedFile names the file; what was
// loaded stays in the tables for Demo_ReleaseResources.
bool Demo_LoadResources(S_DemoState& state, const char* folder, const char** failedFile);

// Deletes every surface, then every font, then the image of face.img (the
// plane in image slot 4 belongs to its surface), emptying the tables.
void Demo_ReleaseResources(S_DemoState& state);
