// Everything of the core subsystem.
#pragma once

#include "softblit/core/array.h"
#include "softblit/core/buffer.h"
#include "softblit/core/object.h"
#include "softblit/core/record.h"
#include "softblit/core/simd_level.h"
#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/core/string.h"
