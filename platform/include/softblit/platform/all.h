// Everything of the platform subsystem.
#pragma once

#include "softblit/platform/display.h"
#include "softblit/platform/keys.h"
#include "softblit/platform/system.h"
#include "softblit/platform/window.h"
