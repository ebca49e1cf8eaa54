// Everything of the imaging subsystem.
#pragma once

#include "softblit/image/convert.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"
