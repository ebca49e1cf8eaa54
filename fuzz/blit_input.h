// How fuzz_blit reads its input: two surfaces and one drawing call, decoded
// from the bytes with FuzzedDataProvider. The seed generator decodes random
// bytes the same way to keep inputs that draw something.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "softblit/image/format.h"
#include "softblit/image/image.h"
#include "softblit/math/all.h"
#include "softblit/surface/blit_image.h"
#include "softblit/surface/blit_kernel.h"
#include "softblit/surface/primitives.h"
#include "softblit/surface/surface.h"

namespace fuzz_blit {


// Formats the engine blends, more often than the rest, which it refuses.
constexpr int32_t kBlitFormats[] = {GFX_FMT_A8R8G8B8, GFX_FMT_A8B8G8R8, GFX_FMT_R8G8B8A8, GFX_FMT_B8G8R8A8};

struct T_Plane {
    std::vector<uint8_t> bytes;
    C_Image* image = nullptr;  // handed to the surface, which owns it
};

// A surface of up to two planes over blocks this harness owns.
struct T_Surface {
    T_Plane colour, alpha;
    std::unique_ptr<C_Surface> surface;
};

inline int32_t PickFormat(FuzzedDataProvider& in) {
    const uint8_t pick = in.ConsumeIntegral<uint8_t>();
    if (pick < 192) return kBlitFormats[pick & 3];
    return GFX_FMT_FIRST + pick % (GFX_FMT_LAST - GFX_FMT_FIRST + 1);
}

inline bool MakePlane(FuzzedDataProvider& in, T_Plane& plane, uint32_t width, uint32_t height, int32_t format) {
    S_FormatDesc desc;
    if (!Gfx_GetFormatDesc(format, desc) || desc.bitsPerPixel == 0) return false;
    const uint32_t rowBytes = (width * desc.bitsPerPixel + 7) / 8;
    const uint32_t pitch = rowBytes + in.ConsumeIntegralInRange<uint32_t>(0, 3);
    plane.bytes.assign(size_t(pitch) * height, 0);
    // At most half of what is left, repeated over the plane, so that large
    // planes leave bytes for the call that follows.
    const std::vector<uint8_t> given =
        in.ConsumeBytes<uint8_t>(std::min(plane.bytes.size(), in.remaining_bytes() / 2));
    for (size_t i = 0; !given.empty() && i < plane.bytes.size(); ++i) plane.bytes[i] = given[i % given.size()];
    plane.image = new C_Image;
    const bool paletted = format >= GFX_FMT_PAL1 && format <= GFX_FMT_PAL8;
    if (!plane.image->CreateLocked(width, height, pitch, format, paletted ? GFX_FMT_R8G8B8 : GFX_FMT_NONE,
                                   plane.bytes.data())) {
        delete plane.image;
        plane.image = nullptr;
        return false;
    }
    plane.image->bottomUp = in.ConsumeBool();
    return true;
}

// Colour plane and alpha plane each optional (a glyph page has only alpha),
// the alpha plane sometimes smaller or larger than the colour plane.
inline void MakeSurface(FuzzedDataProvider& in, T_Surface& s, uint32_t most) {
    const uint32_t width = in.ConsumeIntegralInRange<uint32_t>(1, most);
    const uint32_t height = in.ConsumeIntegralInRange<uint32_t>(1, most);
    const uint8_t planes = in.ConsumeIntegral<uint8_t>();
    C_Image* colour = nullptr;
    C_Image* alpha = nullptr;
    if ((planes & 3) != 1 && MakePlane(in, s.colour, width, height, PickFormat(in))) colour = s.colour.image;
    if (planes & 1) {
        const uint32_t aw = planes & 4 ? width + (planes >> 6) - 1 : width;
        const uint32_t ah = planes & 8 ? height + ((planes >> 4) & 3) - 1 : height;
        if (aw && ah && MakePlane(in, s.alpha, aw, ah, planes & 0x80 ? PickFormat(in) : GFX_FMT_L8))
            alpha = s.alpha.image;
    }
    s.surface.reset(new C_Surface(0, colour, alpha, nullptr, nullptr, nullptr, nullptr));
}

inline float Float(FuzzedDataProvider& in) {
    // Mostly moderate values; sometimes any bit pattern (NaN, infinities, huge).
    if (in.ConsumeIntegralInRange<uint8_t>(0, 7) == 0) {
        const uint32_t bits = in.ConsumeIntegral<uint32_t>();
        float f;
        memcpy(&f, &bits, sizeof f);
        return f;
    }
    return float(in.ConsumeIntegralInRange<int32_t>(-1280, 1280)) / 16.0f;
}

inline C_Color Colour(FuzzedDataProvider& in) {
    return C_Color(in.ConsumeFloatingPointInRange(-0.5f, 1.5f), in.ConsumeFloatingPointInRange(-0.5f, 1.5f),
                   in.ConsumeFloatingPointInRange(-0.5f, 1.5f), in.ConsumeFloatingPointInRange(-0.5f, 1.5f));
}

// Mostly with a positive size; Float's odd values give the rest.
inline C_Rect Rect(FuzzedDataProvider& in) {
    const float l = Float(in), t = Float(in), w = Float(in), h = Float(in);
    return C_Rect(l, t, l + (w < -8.0f ? -w : w), t + (h < -8.0f ? -h : h));
}

inline C_Frame Frame(FuzzedDataProvider& in) {
    const int32_t l = in.ConsumeIntegralInRange<int32_t>(-80, 80), t = in.ConsumeIntegralInRange<int32_t>(-80, 80);
    if (in.ConsumeIntegralInRange<uint8_t>(0, 15) == 0) return C_Frame(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    return C_Frame(l, t, l + in.ConsumeIntegralInRange<int32_t>(-4, 100), t + in.ConsumeIntegralInRange<int32_t>(-4, 100));
}

inline S_BlitParams Params(FuzzedDataProvider& in) {
    S_BlitParams p;
    const uint32_t flags = in.ConsumeIntegral<uint32_t>();
    if (flags & 1) p.scale.Set(Float(in) / 8.0f, Float(in) / 8.0f);
    if (flags & 2) p.angle = Float(in);
    if (flags & 4) p.hotspot = C_Vector2D(Float(in), Float(in), in.ConsumeIntegral<uint8_t>());
    if (flags & 8) p.scroll = C_Vector2D(Float(in), Float(in), in.ConsumeIntegral<uint8_t>());
    p.flipVertical = (flags >> 4) & 1;
    p.flipHorizontal = (flags >> 5) & 1;
    p.wrapHorizontal = (flags >> 6) & 1;
    p.wrapVertical = (flags >> 7) & 1;
    p.fitHorizontal = (flags >> 8) & 3;  // 2 and 3 are not fit modes
    p.fitVertical = (flags >> 10) & 3;
    if (flags & (1u << 12)) p.opacity = in.ConsumeFloatingPointInRange(-0.5f, 2.0f);
    p.filter = (flags >> 13) & 1;
    p.useKeyColor = (flags >> 14) & 1;
    if (p.useKeyColor) p.keyColor = Colour(in);
    p.useFillColor = (flags >> 15) & 1;
    if (p.useFillColor) p.fillColor = Colour(in);
    p.useBrightness = (flags >> 16) & 1;
    if (p.useBrightness) p.brightness = Colour(in);
    p.useContrast = (flags >> 17) & 1;
    if (p.useContrast) p.contrast = C_Color(Float(in), Float(in), Float(in), 0.0f);
    return p;
}

// Everything one call needs, read once so the call can be repeated exactly.
struct T_Call {
    uint8_t kind = 0;
    S_BlitParams params;
    bool hasParams = false, hasRect = false, hasClip = false;
    C_Rect rect, destRect;
    C_Frame clip;
    C_Vector2D position, offset, end;
    C_Vector2DI point;
    C_Color colour;
    uint8_t filled = 0;
};

inline T_Call ReadCall(FuzzedDataProvider& in) {
    T_Call c;
    c.kind = in.ConsumeIntegralInRange<uint8_t>(0, 7);
    c.hasParams = in.ConsumeIntegralInRange<uint8_t>(0, 15) != 0;
    if (c.hasParams) c.params = Params(in);
    c.hasRect = in.ConsumeBool();
    if (c.hasRect) c.rect = Rect(in);
    c.hasClip = in.ConsumeBool();
    if (c.hasClip) c.clip = Frame(in);
    c.position = C_Vector2D(Float(in), Float(in), in.ConsumeIntegral<uint8_t>());
    c.offset = C_Vector2D(Float(in), Float(in));
    c.end = C_Vector2D(Float(in), Float(in));
    c.point = in.ConsumeBool() ? C_Vector2DI(in.ConsumeIntegralInRange<int32_t>(-4, 68), in.ConsumeIntegralInRange<int32_t>(-4, 68))
                               : C_Vector2DI(in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>());
    c.destRect = Rect(in);
    c.colour = Colour(in);
    c.filled = in.ConsumeIntegral<uint8_t>() & 1;
    return c;
}

inline bool Draw(const T_Call& c, T_Surface& src, T_Surface& dst) {
    const S_BlitParams* params = c.hasParams ? &c.params : nullptr;
    const C_Rect* rect = c.hasRect ? &c.rect : nullptr;
    const C_Frame* clip = c.hasClip ? &c.clip : nullptr;
    C_Surface* s = src.surface.get();
    C_Surface* d = dst.surface.get();
    switch (c.kind) {
        case 0: return Gfx_BlitKernel.Blit_Fixed(s, d, rect, clip, &c.position, 0, params);
        case 1: return Gfx_Surface_BlitImage(s, d, rect, clip, &c.position, 0, params);
        case 2: return Gfx_Surface_BlitToRect(s, d, rect, clip, &c.destRect, &c.offset, 0, params);
        case 3: return Gfx_Surface_BlitTiled(s, d, rect, clip, &c.destRect, &c.offset, 0, params);
        case 4: return Gfx_Surface_Blit(d, &c.point, &c.colour, clip);
        case 5: return Gfx_Surface_Blit(d, &c.position, &c.end, &c.colour, clip);
        case 6: return Gfx_Surface_Blit(d, &c.destRect, &c.colour, clip, c.filled);
        default: {
            const C_Circle circle(c.position, c.end.x);
            return Gfx_Surface_Blit(d, &circle, &c.colour, clip, c.filled);
        }
    }
}

}  // namespace fuzz_blit
