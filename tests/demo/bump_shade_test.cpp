#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "softblit/demo/bump_shade.h"
#include "softblit/math/vector3d.h"

namespace {

// The relighting written out per pixel, with no tables.
uint8_t Reference(const uint8_t* p, const int32_t l[3]) {
    int32_t i = (((2 * p[0] - 256) * l[2]) >> 8) + (((2 * p[1] - 256) * l[1]) >> 8) +
                (((2 * p[2] - 256) * l[0]) >> 8);
    return static_cast<uint8_t>(i < 0 ? 0 : (i > 255 ? 255 : i));
}

TEST(BumpShade, LightFollowsTime) {
    int32_t l[3];
    Gfx_BumpLight(0.0, l);  // (1, 0, -1) / sqrt 2
    EXPECT_EQ(l[0], 181);
    EXPECT_EQ(l[1], 0);
    EXPECT_EQ(l[2], -181);
    Gfx_BumpLight(1.0, l);  // (cos pi/2, sin 0.3 pi, -1): x nearly 0, y positive
    EXPECT_EQ(l[0], 0);
    EXPECT_GT(l[1], 0);
    EXPECT_LT(l[2], 0);
}

TEST(BumpShade, MatchesTheFormulaBitForBit) {
    // Every byte value in every channel position, on an odd width so rows
    // are not a multiple of anything convenient.
    const uint32_t w = 37, h = 29;
    std::vector<uint8_t> src(w * h * 3), dst(w * h, 0xAA);
    for (size_t i = 0; i < src.size(); ++i) src[i] = static_cast<uint8_t>(i * 97 + (i >> 8) * 13);
    for (double t : {0.0, 0.37, 1.9, 123.25}) {
        Gfx_BumpShade(dst.data(), src.data(), w, h, t);
        int32_t l[3];
        Gfx_BumpLight(t, l);
        for (uint32_t i = 0; i < w * h; ++i) ASSERT_EQ(dst[i], Reference(&src[i * 3], l)) << "t " << t << " pixel " << i;
    }
}

TEST(BumpShade, FlatGreyIsDarkAndZeroIsTheNegatedLight) {
    const uint8_t grey[3] = {128, 128, 128}, zero[3] = {0, 0, 0};
    uint8_t out[2] = {9, 9};
    Gfx_BumpShade(out, grey, 1, 1, 0.5);
    Gfx_BumpShade(out + 1, zero, 1, 1, 0.5);
    int32_t l[3];
    Gfx_BumpLight(0.5, l);
    EXPECT_EQ(out[0], 0);
    const int32_t expected = -(l[0] + l[1] + l[2]);
    EXPECT_EQ(out[1], expected < 0 ? 0 : (expected > 255 ? 255 : expected));
}

}  // namespace
