// Everything of the math subsystem.
#pragma once

#include "softblit/math/box.h"
#include "softblit/math/circle.h"
#include "softblit/math/color.h"
#include "softblit/math/frame.h"
#include "softblit/math/noise.h"
#include "softblit/math/rect.h"
#include "softblit/math/scalar.h"
#include "softblit/math/vector2d.h"
#include "softblit/math/vector3d.h"
#include "softblit/math/vector4d.h"
