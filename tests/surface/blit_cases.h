// Seeded random blits compared with the plain reference, shared by the
// differential tests and the long run.
#pragma once

#include <cstdint>
#include <string>

#include "support/guarded_bytes.h"

// Walking modes: 0 unscaled, 1 scaled, 2 rotated. A seed names its mode
// (seed / kBlitSeedsPerMode), so one failing case replays from its seed alone.
constexpr uint32_t kBlitSeedsPerMode = 1000003;

// Draws the blit of `seed` with Blit_Fixed and with the reference, every
// plane of both surfaces in `guard` memory; returns an empty string when the
// planes agree byte for byte, else what differs. With `checksum`, folds the
// drawn planes into it.
std::string Blit_RunCase(uint32_t seed, int mode, T_Guard guard, uint64_t* checksum = nullptr);
