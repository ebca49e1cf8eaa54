// The text fast path (fill colour through coverage, unscaled, opaque) against
// the reference for every coverage level over destination words near the
// edges, in each channel order, with and without a source colour plane. Wide
// rows take the four-pixel path, a one-pixel column the one-pixel path.
#include <gtest/gtest.h>

#include "blit_reference.h"
#include "softblit/surface/blit_kernel.h"
#include "surface_fixtures.h"

namespace {

const uint32_t kDestinations[] = {0x00000000u, 0xFFFFFFFFu, 0x80FF0001u, 0x12345678u, 0xFE01FF7Fu};

// Source w x h whose coverage at (x, y) is level(x, y); destination word by row.
template <class Level>
void Check(int32_t sf, int32_t df, bool withColour, uint32_t w, uint32_t h, Level level) {
    T_TestSurface src;
    if (withColour) {
        src.AddColour(w, h, sf);
        src.colour.Fill(0x9A3C5E71u);
    }
    src.AddAlpha(w, h);
    T_TestSurface dst(w + 7, h, df), ref(w + 7, h, df);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w + 7; ++x) {
            if (x < w) src.alpha.Set(x, y, level(x, y));
            dst.colour.Set(x, y, kDestinations[y % 5]);
            ref.colour.Set(x, y, kDestinations[y % 5]);
        }
    S_BlitParams p;
    p.useFillColor = 1;
    p.fillColor = C_Color(0.8f, 0.1f, 0.45f, 0.6f);
    const C_Vector2D at(3, 0);
    ASSERT_TRUE(Gfx_BlitKernel.Blit_Fixed(src.get(), dst.get(), nullptr, nullptr, &at, 0, &p));
    Reference_Blit(src.get(), ref.get(), nullptr, nullptr, &at, &p);
    ASSERT_EQ(dst.colour.bytes, ref.colour.bytes) << sf << " onto " << df << ", colour plane " << withColour
                                                  << ", " << w << " x " << h;
}

}  // namespace

TEST(CoverageKernel, EveryLevelMatchesTheReferenceInEveryChannelOrder) {
    const int32_t formats[] = {GFX_FMT_A8R8G8B8, GFX_FMT_A8B8G8R8, GFX_FMT_R8G8B8A8, GFX_FMT_B8G8R8A8};
    for (int32_t sf : formats)
        for (int32_t df : formats)
            for (bool withColour : {false, true}) {
                Check(sf, df, withColour, 259, 5, [](uint32_t x, uint32_t) { return x % 256; });
                Check(sf, df, withColour, 1, 1280, [](uint32_t, uint32_t y) { return y / 5; });
            }
}
