// One hash per effect of a frame at fixed t and A. The table is the same for
// every build (compilers, sanitizers): a change means the pictures changed.
// When they change on purpose, remake the table (from the source folder; the
// next build compiles it in) with
//   SOFTBLIT_WRITE_FRAME_HASHES=$PWD/tests/demo/frame_hashes.inc build/release/tests/test_demo --gtest_filter='DemoFrame.Hashes*'
// and look at the new pictures:
//   build/rel/demo/blitdemo-windowed --headless --effect all --time 2.5 --angle 77 --fps 59.94 --out docs --data build/rel/demo
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "demo_fixture.h"

namespace {

struct S_FrameHash {
    int32_t effect;
    uint64_t hash;
};

const S_FrameHash kExpected[] = {
#include "frame_hashes.inc"
};

// FNV-1a over the frame's colour bytes in logical row order, alpha left out.
uint64_t HashFrame(const C_Image* frame) {
    uint64_t h = 1469598103934665603ull;
    for (uint32_t y = 0; y < frame->height; ++y) {
        const uint8_t* row = frame->GetRow(y);
        for (uint32_t x = 0; x < frame->width * 4; ++x) {
            if (x % 4 == 3) continue;
            h = (h ^ row[x]) * 1099511628211ull;
        }
    }
    return h;
}

TEST_F(DemoFrame, HashesOfEachEffectAtFixedTime) {
    uint64_t hashes[DEMO_EFFECTS];
    for (int32_t effect = 0; effect < DEMO_EFFECTS; ++effect) {
        At(effect, 2.5, 77.0f, 59.94f);
        Demo_DrawFrame(*state);
        hashes[effect] = HashFrame(Frame());
    }
    if (const char* path = std::getenv("SOFTBLIT_WRITE_FRAME_HASHES")) {
        FILE* f = std::fopen(path, "w");
        ASSERT_NE(f, nullptr) << path;
        for (int32_t effect = 0; effect < DEMO_EFFECTS; ++effect)
            std::fprintf(f, "{%d, 0x%016llxull},\n", effect, static_cast<unsigned long long>(hashes[effect]));
        std::fclose(f);
        GTEST_SKIP() << "wrote " << path;
    }
    ASSERT_EQ(sizeof(kExpected) / sizeof(kExpected[0]), static_cast<size_t>(DEMO_EFFECTS));
    for (const S_FrameHash& e : kExpected)
        EXPECT_EQ(hashes[e.effect], e.hash) << "effect " << e.effect << " draws another picture";
}

}  // namespace
