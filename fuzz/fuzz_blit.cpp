// libFuzzer entry point for drawing: two small surfaces of fuzzed formats,
// plane sets, pitches and row orders, and one fuzzed call of the blit engine,
// an image-blit entry point or a primitive, with fuzzed records, rectangles,
// clip frames, positions, angles, scales and colours. Whatever the input,
// nothing may be read or written outside a plane (the sanitizers watch every
// plane, each in a block of exactly pitch x height bytes), and with vector
// kernels present the call must draw the same bytes as at the plain level.
#include <cstdint>
#include <cstdlib>

#include "blit_input.h"
#include "softblit/core/status.h"

#if __has_include("softblit/core/simd_level.h")
#include "softblit/core/simd_level.h"
#define FUZZ_SIMD_LEVELS 1
#endif

using namespace fuzz_blit;

namespace {

#ifdef FUZZ_SIMD_LEVELS
void ClonePlane(const T_Plane& from, T_Plane& to) {
    if (!from.image) return;
    const C_Image& f = *from.image;
    to.bytes = from.bytes;
    to.image = new C_Image;
    if (!to.image->CreateLocked(f.width, f.height, f.pitch, f.format, f.paletteFormat, to.bytes.data())) abort();
    to.image->bottomUp = f.bottomUp;
}

// A second surface over copies of the same bytes.
void CloneSurface(const T_Surface& from, T_Surface& to) {
    ClonePlane(from.colour, to.colour);
    ClonePlane(from.alpha, to.alpha);
    to.surface.reset(new C_Surface(0, to.colour.image, to.alpha.image, nullptr, nullptr, nullptr, nullptr));
}

bool SamePlanes(const T_Surface& a, const T_Surface& b) {
    return a.colour.bytes == b.colour.bytes && a.alpha.bytes == b.alpha.bytes;
}
#endif

// Memory in use apart from the engine's edge tables, which only grow.
uint32_t HeldByCalls() {
    return Sys_Status.memoryInUse - Gfx_BlitKernel.edgeLeftmost.capacity - Gfx_BlitKernel.edgeRightmost.capacity;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    FuzzedDataProvider in(data, size);
    const uint32_t baseline = HeldByCalls();
    {
        T_Surface src, dst;
        MakeSurface(in, src, 32);
        MakeSurface(in, dst, 64);
        const T_Call call = ReadCall(in);
#ifdef FUZZ_SIMD_LEVELS
        // The same destination drawn again at the plain level.
        T_Surface again;
        CloneSurface(dst, again);
        const bool drawn = Draw(call, src, dst);
        const int32_t level = Gfx_Simd_Level();
        if (level != GFX_SIMD_PLAIN) {
            Gfx_Simd_SetLevel(GFX_SIMD_PLAIN);
            const bool plainDrawn = Draw(call, src, again);
            Gfx_Simd_SetLevel(level);
            if (plainDrawn != drawn || !SamePlanes(dst, again)) abort();
        }
#else
        Draw(call, src, dst);
#endif
    }
    // Process-wide tables (the edge tables, the circle's row table) only
    // grow and stay; the leak checker sees blocks that are lost. Counted
    // memory must never fall below where it stood: that is a double release.
    if (HeldByCalls() < baseline) abort();
    return 0;
}
