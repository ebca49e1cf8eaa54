// Blit_Fixed against the plain reference, bit for bit, over seeded random blits
// of every walking mode, at every vector level, in ordinary and in guarded
// memory.
//   SOFTBLIT_BLIT_SEED=<seed>  replays one failing case
//   SOFTBLIT_BLIT_RUNS=<n>     blits per mode and level (5000 by default); the
//                              long run prints a checksum of everything drawn
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "blit_cases.h"

#if __has_include("softblit/core/simd_level.h")
#include "softblit/core/simd_level.h"
#define SOFTBLIT_TEST_SIMD_LEVELS 1
#endif

namespace {

// The vector levels this processor runs, plain first.
std::vector<int32_t> Levels() {
#ifdef SOFTBLIT_TEST_SIMD_LEVELS
    std::vector<int32_t> levels;
    for (int32_t level = GFX_SIMD_PLAIN; level <= Gfx_Simd_Available(); ++level) levels.push_back(level);
    return levels;
#else
    return {0};
#endif
}

void ForceLevel(int32_t level) {
#ifdef SOFTBLIT_TEST_SIMD_LEVELS
    Gfx_Simd_SetLevel(level);
#else
    (void)level;
#endif
}

int32_t CurrentLevel() {
#ifdef SOFTBLIT_TEST_SIMD_LEVELS
    return Gfx_Simd_Level();
#else
    return 0;
#endif
}

uint32_t RunsPerLevel(uint32_t fallback) {
    const char* runs = std::getenv("SOFTBLIT_BLIT_RUNS");
    return runs ? uint32_t(std::strtoul(runs, nullptr, 10)) : fallback;
}

// Runs `count` seeds of `mode` (or the one replayed seed) at every level;
// every level must draw the same pixels, so give the same checksum.
void Run_Mode(int mode, uint32_t count, T_Guard guard) {
    uint32_t first = uint32_t(mode) * kBlitSeedsPerMode;
    if (const char* replay = std::getenv("SOFTBLIT_BLIT_SEED")) {
        first = uint32_t(std::strtoul(replay, nullptr, 10)), count = first / kBlitSeedsPerMode == uint32_t(mode);
    }
    const int32_t restore = CurrentLevel();
    uint64_t plainSum = 0;
    for (int32_t level : Levels()) {
        ForceLevel(level);
        uint64_t sum = 0xCBF29CE484222325ull;
        for (uint32_t seed = first, failures = 0; seed < first + count && failures < 5; ++seed) {
            const std::string failure = Blit_RunCase(seed, mode, guard, &sum);
            if (!failure.empty())
                ++failures, ADD_FAILURE() << failure << " at level " << level << "; replay: SOFTBLIT_BLIT_SEED=" << seed;
        }
        if (level == 0) plainSum = sum;
        EXPECT_EQ(sum, plainSum) << "level " << level;
        if (std::getenv("SOFTBLIT_BLIT_RUNS"))
            std::printf("mode %d level %d: %u blits, checksum %016" PRIx64 "\n", mode, level, count, sum);
    }
    ForceLevel(restore);
}

TEST(BlitDifferential, UnscaledMatchesReference) { Run_Mode(0, RunsPerLevel(5000), T_Guard::None); }
TEST(BlitDifferential, ScaledMatchesReference) { Run_Mode(1, RunsPerLevel(5000), T_Guard::None); }
TEST(BlitDifferential, RotatedMatchesReference) { Run_Mode(2, RunsPerLevel(5000), T_Guard::None); }

// Every plane fenced by a protected page right after its last byte, then
// right before its first: a read or write one byte outside faults here in
// the release build too.
TEST(BlitDifferentialGuarded, NoWalkingModeTouchesBeyondAPlane) {
    for (T_Guard guard : {T_Guard::AfterEnd, T_Guard::BeforeStart})
        for (int mode = 0; mode < 3; ++mode) Run_Mode(mode, 400, guard);
}

}  // namespace
