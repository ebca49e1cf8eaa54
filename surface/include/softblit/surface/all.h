// Everything of the surface subsystem.
#pragma once

#include "softblit/surface/blit_image.h"
#include "softblit/surface/blit_kernel.h"
#include "softblit/surface/blit_params.h"
#include "softblit/surface/primitives.h"
#include "softblit/surface/surface.h"
