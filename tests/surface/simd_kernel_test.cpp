// Every vector kernel against the plain kernel of the same table row, at
// every level this processor runs, bit for bit: seeded random pixels biased
// to 00 and FF, rows of 1 to 67 pixels at any byte alignment, sources in
// both row orders, every option set of the kernel table, and rows that
// write into the plane they read. A failure names seed, kernel, level and
// the first differing column.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "blit/blit_span.h"
#include "kernels/kernel_options.h"
#include "kernels/simd/simd_kernels.h"
#include "softblit/core/simd_level.h"
#include "softblit/surface/blit_kernel.h"
#include "surface_fixtures.h"

namespace {

struct T_Random {
    std::mt19937 rng;
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool Chance(int percent) { return Int(0, 99) < percent; }
    uint8_t Byte() { return Chance(15) ? 0 : Chance(18) ? 255 : uint8_t(Int(0, 255)); }
    uint32_t Word() { return Byte() | Byte() << 8 | Byte() << 16 | uint32_t(Byte()) << 24; }
};

// Channel positions the vector tier serves: any order, same in both planes.
const uint32_t kLayouts[][3] = {{16, 8, 0}, {0, 8, 16}, {24, 16, 8}, {8, 16, 24}};

// One memory block holding the source colour and alpha planes and the
// destination row and its alpha, and a span record over it.
struct T_Case {
    std::vector<uint8_t> memory;
    S_BlitSpan span;

    // The span record moved over a copy of the memory block.
    S_BlitSpan Over(std::vector<uint8_t>& m) const {
        auto at = [&](const uint8_t* p) { return p ? m.data() + (p - memory.data()) : nullptr; };
        S_BlitSpan s = span;
        s.srcOrigin = at(s.srcOrigin), s.srcAlphaOrigin = at(s.srcAlphaOrigin), s.src = at(s.src);
        s.srcAlpha = at(s.srcAlpha), s.dst = at(s.dst), s.dstAlpha = at(s.dstAlpha);
        return s;
    }
};

T_Case Make_Case(uint32_t seed, E_BlitMode mode, E_BlitFamily family, uint32_t options) {
    T_Random r{std::mt19937(seed)};
    T_Case c;
    S_BlitSpan& s = c.span;
    std::memset(&s, 0, sizeof(s));
    s.count = 1 + int32_t(seed % 67);
    const bool mirror = (options & SPAN_MIRROR) != 0, hasAlpha = (options & SPAN_SRC_ALPHA) != 0;
    intptr_t srcOrigin, srcAlphaOrigin, src = -1, srcAlpha = -1, dst, dstAlpha;  // offsets, -1: null

    // Source planes: at least a row of `count` pixels for the unscaled walk.
    const int32_t w = mode == BLIT_UNSCALED ? s.count + r.Int(0, 5) : r.Int(1, 20);
    const int32_t h = r.Int(1, 12);
    const intptr_t pitch = intptr_t(w) * 4 + r.Int(0, 6), alphaPitch = w + r.Int(0, 3);
    const intptr_t colourAt = r.Int(0, 3), alphaAt = colourAt + pitch * h + r.Int(0, 3);
    const intptr_t dstAt = alphaAt + alphaPitch * h + r.Int(0, 3);
    const intptr_t dstAlphaAt = dstAt + intptr_t(s.count) * 4 + r.Int(0, 3);
    c.memory.resize(size_t(dstAlphaAt + s.count + 4));
    for (uint8_t& b : c.memory) b = r.Byte();
    if (r.Chance(40)) {  // repeated words, so keys find matches
        const uint32_t word = r.Word();
        for (intptr_t i = colourAt; i + 4 <= alphaAt; i += 4)
            if (r.Chance(35)) std::memcpy(&c.memory[size_t(i)], &word, 4);
    }
    const bool bottomUp = r.Chance(40), alphaUp = r.Chance(40);
    srcOrigin = bottomUp ? colourAt + pitch * (h - 1) : colourAt;
    s.srcPitch = bottomUp ? -pitch : pitch;
    srcAlphaOrigin = !hasAlpha ? -1 : alphaUp ? alphaAt + alphaPitch * (h - 1) : alphaAt;
    s.srcAlphaPitch = alphaUp ? -alphaPitch : alphaPitch;
    s.srcWidth = w, s.srcHeight = h;
    s.boxLeft = r.Int(0, w - 1), s.boxTop = r.Int(0, h - 1);
    s.boxRight = r.Int(s.boxLeft + 1, w), s.boxBottom = r.Int(s.boxTop + 1, h);

    const uint32_t* layout = kLayouts[r.Int(0, 3)];
    for (int ch = 0; ch < 3; ++ch) s.srcShift[ch] = s.dstShift[ch] = layout[ch];
    const int32_t row = r.Int(0, h - 1);
    const intptr_t rowAt = srcOrigin + intptr_t(row) * s.srcPitch;
    const intptr_t alphaRowAt = hasAlpha ? srcAlphaOrigin + intptr_t(row) * s.srcAlphaPitch : -1;
    if (mode == BLIT_UNSCALED) {
        const int32_t column = mirror ? r.Int(s.count - 1, w - 1) : r.Int(0, w - s.count);
        src = rowAt + intptr_t(column) * 4;
        srcAlpha = hasAlpha ? alphaRowAt + column : -1;
    } else if (mode == BLIT_SCALED) {
        src = rowAt;
        srcAlpha = alphaRowAt;
    }
    // Steps and starts reach a few cells past every edge (clamped or wrapped).
    const int32_t steps[] = {65536, 32768, 8192, 65536 * 2, -65536, r.Int(-200000, 200000)};
    s.u = r.Int(-4 * 65536, (w + 4) * 65536);
    s.v = r.Int(-4 * 65536, (h + 4) * 65536);
    s.du = steps[r.Int(0, 5)];
    s.dv = mode == BLIT_ROTATED ? steps[r.Int(0, 5)] : 0;
    if (mode == BLIT_SCALED) s.v = row * 65536 + r.Int(0, 65535);

    // A row that lands inside the source plane, as a surface blitted onto itself.
    dst = dstAt;
    dstAlpha = options & SPAN_DST_ALPHA ? dstAlphaAt : -1;
    if (r.Chance(8) && pitch * h >= intptr_t(s.count) * 4) dst = colourAt + r.Int(0, int(pitch * h - s.count * 4));
    if (dstAlpha >= 0 && hasAlpha && r.Chance(8) && alphaPitch * h >= s.count)
        dstAlpha = alphaAt + r.Int(0, int(alphaPitch * h - s.count));

    const uint32_t keyAt = uint32_t(colourAt + 4 * r.Int(0, w * h / 2));
    std::memcpy(&s.key, &c.memory[keyAt], 4);
    if (r.Chance(20)) s.key = r.Word();
    s.fill = r.Word();
    for (int ch = 0; ch < 3; ++ch) s.fillChannel[ch] = int32_t((s.fill >> s.srcShift[ch]) & 255);
    const int32_t opacities[] = {0, 1, 128, 255, 300, 65536, r.Int(1, 255), r.Int(1, 255)};
    s.opacity = options & SPAN_OPAQUE ? 256 : opacities[r.Int(0, 7)];
    const bool identity = family != BLIT_EFFECTS || r.Chance(50);
    for (int ch = 0; ch < 3; ++ch)
        for (int level = 0; level < 256; ++level) s.tone[ch][level] = identity ? uint8_t(level) : r.Byte();
    auto at = [&](intptr_t o) { return o < 0 ? nullptr : c.memory.data() + o; };
    s.srcOrigin = at(srcOrigin), s.srcAlphaOrigin = at(srcAlphaOrigin), s.src = at(src);
    s.srcAlpha = at(srcAlpha), s.dst = at(dst), s.dstAlpha = at(dstAlpha);
    return c;
}

bool Tone_Identity(const S_BlitSpan& s) {
    for (int ch = 0; ch < 3; ++ch)
        for (int level = 0; level < 256; ++level)
            if (s.tone[ch][level] != level) return false;
    return true;
}

const char* kModes[] = {"unscaled", "scaled", "rotated"};
const char* kFamilies[] = {"plain", "blend", "effects"};

std::string Options_Name(uint32_t o) {
    const char* names[] = {"mirror", "fill", "srcAlpha", "dstAlpha", "opaque", "key", "bilinear"};
    std::string n;
    for (int b = 0; b < 7; ++b)
        if (o & (1u << b)) n += std::string(n.empty() ? "" : "+") + names[b];
    return n.empty() ? "none" : n;
}

// The option sets that the kernel table tells apart for one family and mode.
bool Options_Distinct(E_BlitMode mode, E_BlitFamily family, uint32_t o) {
    if (family == BLIT_PLAIN)
        return (o & ~uint32_t(SPAN_FILL | SPAN_KEY | SPAN_MIRROR)) == 0 && (mode == BLIT_UNSCALED || !(o & SPAN_MIRROR));
    if (family == BLIT_BLEND) return Options_CanonicalBlend(mode, o) == o;
    return Options_Canonical(mode, o) == o;
}

// Runs every distinct kernel of one family at one level; returns the
// number of vector kernels compared.
int Compare_Family(int32_t level, E_BlitFamily family, uint32_t seedsPerKernel) {
    int compared = 0;
    for (int m = 0; m < 3; ++m) {
        const E_BlitMode mode = E_BlitMode(m);
        for (uint32_t o = 0; o < SPAN_OPTION_COUNT; ++o) {
            if (!Options_Distinct(mode, family, o)) continue;
            const T_SpanKernel plain = Kernel_Choose(mode, family, o);
            bool any = false;
            for (uint32_t k = 0, failures = 0; k < seedsPerKernel && failures < 3; ++k) {
                const uint32_t seed = (o * 3 + m) * 100003u + k;
                const T_Case c = Make_Case(seed, mode, family, o);
                const bool tone = family == BLIT_EFFECTS && !(o & SPAN_FILL) && !Tone_Identity(c.span);
                const T_SpanKernel fast = Simd_Kernel(level, mode, family, o, tone);
                if (!fast) continue;
                any = true;
                std::vector<uint8_t> expected = c.memory, actual = c.memory;
                S_BlitSpan a = c.Over(expected), b = c.Over(actual);
                plain(a);
                fast(b);
                if (expected == actual) continue;
                size_t at = 0;
                while (expected[at] == actual[at]) ++at;
                ++failures;
                ADD_FAILURE() << "seed " << seed << ", kernel " << kFamilies[family] << " " << kModes[m] << " "
                              << Options_Name(o) << (tone ? " tone" : "") << ", level " << level << ", column "
                              << (intptr_t(at) - (c.span.dst - c.memory.data())) / 4 << " (byte " << at
                              << " of the block, row of " << c.span.count << ")";
            }
            compared += any;
        }
    }
    return compared;
}

// Every blend and effects kernel has a vector form at every level; the plain
// family only some.
TEST(SimdKernels, EveryFamilyMatchesPlainAtEveryLevel) {
    if (Gfx_Simd_Available() < GFX_SIMD_SSE2) GTEST_SKIP() << "no vector level";
    const struct {
        E_BlitFamily family;
        uint32_t seeds;
        int least, most;
    } families[] = {{BLIT_PLAIN, 134, 9, 1000}, {BLIT_BLEND, 67, 128, 128}, {BLIT_EFFECTS, 67, 192, 192}};
    for (int32_t level = GFX_SIMD_SSE2; level <= Gfx_Simd_Available(); ++level)
        for (const auto& f : families) {
            SCOPED_TRACE(testing::Message() << kFamilies[f.family] << " family, level " << level);
            const int compared = Compare_Family(level, f.family, f.seeds);
            EXPECT_GE(compared, f.least);
            EXPECT_LE(compared, f.most);
        }
}

// Whole blits of a surface onto itself: rows that read what earlier rows
// wrote must see those writes, and nothing kept from row to row may go
// stale. Every level against the plain one.
TEST(SimdBlits, OntoTheirOwnSourceMatchPlainAtEveryLevel) {
    const float scales[] = {1.0f, 2.0f, 3.0f, 0.5f, 8.0f};
    for (uint32_t seed = 0; seed < 120; ++seed) {
        T_Random r{std::mt19937(seed)};
        const uint32_t w = uint32_t(r.Int(4, 30)), h = uint32_t(r.Int(4, 30));
        const bool alpha = r.Chance(40);
        std::vector<uint8_t> colour(size_t(w) * h * 4), coverage(size_t(w) * h);
        for (uint8_t& b : colour) b = r.Byte();
        for (uint8_t& b : coverage) b = r.Byte();
        S_BlitParams p;
        p.scale.Set(scales[r.Int(0, 4)], scales[r.Int(0, 4)]);
        p.filter = r.Chance(50);
        p.opacity = r.Chance(50) ? 1.0f : 0.5f;
        if (r.Chance(20)) p.angle = 30.0f;
        const C_Vector2D at(float(r.Int(-4, int(w) - 2)), float(r.Int(-4, int(h) - 2)));
        std::vector<uint8_t> plain;
        for (int32_t level = GFX_SIMD_PLAIN; level <= Gfx_Simd_Available(); ++level) {
            T_TestSurface s;
            s.AddColour(w, h, GFX_FMT_A8R8G8B8);
            std::copy(colour.begin(), colour.end(), s.colour.bytes.begin());
            if (alpha) {
                s.AddAlpha(w, h);
                std::copy(coverage.begin(), coverage.end(), s.alpha.bytes.begin());
            }
            Gfx_Simd_SetLevel(level);
            ASSERT_TRUE(Gfx_BlitKernel.Blit_Fixed(s.get(), s.get(), nullptr, nullptr, &at, 0, &p));
            std::vector<uint8_t> out = s.colour.bytes;
            out.insert(out.end(), s.alpha.bytes.begin(), s.alpha.bytes.end());
            if (level == GFX_SIMD_PLAIN) plain = out;
            else EXPECT_EQ(out, plain) << "seed " << seed << ", level " << level;
        }
        Gfx_Simd_SetLevel(Gfx_Simd_Available());
    }
}

}  // namespace
