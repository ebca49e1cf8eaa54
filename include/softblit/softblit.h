// Umbrella header: every public header of the framework.
#pragma once

#include "softblit/core/all.h"
#include "softblit/font/all.h"
#include "softblit/image/all.h"
#include "softblit/math/all.h"
#include "softblit/platform/all.h"
#include "softblit/surface/all.h"
