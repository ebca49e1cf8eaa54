// Everything of the font subsystem.
#pragma once

#include "softblit/font/bitmap_face.h"
#include "softblit/font/bitmap_glyph.h"
#include "softblit/font/font.h"
#include "softblit/font/font_type.h"
#include "softblit/font/outline.h"
#include "softblit/font/text.h"
