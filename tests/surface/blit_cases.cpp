// One seeded random blit of a walking mode, drawn by Blit_Fixed and by the
// plain reference and compared bit for bit.
#include "blit_cases.h"

#include <algorithm>
#include <random>

#include "blit_reference.h"
#include "softblit/surface/blit_kernel.h"
#include "surface_fixtures.h"

namespace {

const int32_t kFormats[] = {GFX_FMT_A8R8G8B8, GFX_FMT_A8B8G8R8, GFX_FMT_R8G8B8A8, GFX_FMT_B8G8R8A8};

struct T_Random {
    std::mt19937 rng;
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    float Float(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }
    bool Chance(int percent) { return Int(0, 99) < percent; }
    // Bytes biased towards 00 and FF, where blends and keys have their edges.
    uint8_t Byte() { return Chance(12) ? 0 : Chance(14) ? 255 : uint8_t(Int(0, 255)); }
    uint32_t Word() { return Byte() | Byte() << 8 | Byte() << 16 | uint32_t(Byte()) << 24; }
    void Fill(T_TestPlane& p) {
        for (uint8_t& b : p.bytes) b = Byte();
        if (p.image->bitsPerPixel == 32 && Chance(30)) {  // repeated words, so keys find matches
            const uint32_t w = Word();
            for (uint32_t y = 0; y < p.image->height; ++y)
                for (uint32_t x = 0; x < p.image->width; ++x)
                    if (Chance(40)) p.Set(x, y, w);
        }
    }
};

// The colour whose packed form in `format` is exactly `word`.
C_Color Color_Of(int32_t format, uint32_t word) {
    S_FormatDesc d;
    Gfx_GetFormatDesc(format, d);
    auto c = [&](int ch) { return float((word >> d.shift[ch]) & 255) / 255.0f; };
    return C_Color(c(0), c(1), c(2), c(3));
}

}  // namespace

std::string Blit_RunCase(uint32_t seed, int mode, T_Guard guard, uint64_t* checksum) {
    T_Random r{std::mt19937(seed)};
    T_TestSurface src, dst, ref;
    const uint32_t sw = uint32_t(r.Int(1, 24)), sh = uint32_t(r.Int(1, 24));
    const int32_t sf = kFormats[r.Int(0, 3)], df = kFormats[r.Int(0, 3)];
    const bool alphaOnly = r.Chance(6);  // a glyph page
    // Guarded planes carry no padding, so their rows end right at the protected page.
    auto padding = [&](int most) { return guard == T_Guard::None ? uint32_t(r.Int(0, most)) : (r.Int(0, most), 0u); };
    if (!alphaOnly) src.AddColour(sw, sh, sf, padding(5), r.Chance(30), guard), r.Fill(src.colour);
    if (alphaOnly || r.Chance(30)) {
        src.AddAlpha(sw + uint32_t(r.Int(0, 2)), sh + uint32_t(r.Int(0, 2)), padding(3), r.Chance(30), guard);
        r.Fill(src.alpha);
    }
    const uint32_t dw = uint32_t(r.Int(1, 48)), dh = uint32_t(r.Int(1, 48));
    const uint32_t pad = padding(5), apad = padding(3);
    const bool up = r.Chance(35), alphaUp = r.Chance(35), dstAlpha = r.Chance(25);
    for (T_TestSurface* d : {&dst, &ref}) {
        d->AddColour(dw, dh, df, pad, up, guard);
        if (dstAlpha) d->AddAlpha(dw, dh, apad, alphaUp, guard);
    }
    r.Fill(dst.colour);
    if (dstAlpha) r.Fill(dst.alpha);
    ref.colour.bytes = dst.colour.bytes;
    ref.alpha.bytes = dst.alpha.bytes;

    C_Rect rect;
    const bool hasRect = r.Chance(45);
    if (hasRect) {
        const float l = r.Float(-3, float(sw) * 0.7f), t = r.Float(-3, float(sh) * 0.7f);
        rect = C_Rect(l, t, l + r.Float(-0.2f, float(sw) + 3), t + r.Float(-0.2f, float(sh) + 3));
    }
    C_Frame clip;
    const bool hasClip = r.Chance(50);
    if (hasClip) {
        const int l = r.Int(-5, int(dw) - 1), t = r.Int(-5, int(dh) - 1);
        clip = C_Frame(l, t, std::max(l, 0) + r.Int(0, int(dw) + 5), std::max(t, 0) + r.Int(0, int(dh) + 5));
    }
    // Mostly where the image is at least partly visible; the anchors are pinned by the placement test.
    float x = r.Float(-float(sw) * 0.8f, float(dw) - 0.5f), y = r.Float(-float(sh) * 0.8f, float(dh) - 0.5f);
    if (r.Chance(30)) x = float(int(x)), y = float(int(y));
    const C_Vector2D position(x, y);

    S_BlitParams p;
    if (mode == 1) {
        const float choices[] = {1.0f, 2.0f, 0.5f, 8.0f, r.Float(0.2f, 4.0f), r.Float(0.2f, 4.0f), -1.5f};
        p.scale.Set(choices[r.Int(0, 6)], choices[r.Int(0, 6)]);
        if (p.scale.x == 1.0f && p.scale.y == 1.0f) p.scale.x = 3.0f;
    } else if (mode == 2) {
        const float angles[] = {90.0f, 180.0f, 30.0f, -45.0f, r.Float(-720, 720), r.Float(-720, 720)};
        p.angle = angles[r.Int(0, 5)];
        if (p.angle == 0.0f) p.angle = 1.0f;
        p.scale.Set(r.Chance(30) ? 1.0f : r.Float(0.3f, 3.0f), r.Chance(30) ? 1.0f : r.Float(0.3f, 3.0f));
    }
    p.flipHorizontal = r.Chance(50);
    p.flipVertical = r.Chance(50);
    const int op = r.Int(0, 19);
    p.opacity = op < 11 ? 1.0f : op < 14 ? 0.5f : op < 17 ? r.Float(0.0f, 1.0f) : op < 19 ? r.Float(1.0f, 3.0f) : 0.0f;
    p.filter = r.Chance(40) ? 1 : 0;
    p.useKeyColor = r.Chance(35);
    const int32_t keyFormat = alphaOnly ? df : sf;  // a key that is mostly a word of the image
    const uint32_t kx = uint32_t(r.Int(0, int(sw) - 1)), ky = uint32_t(r.Int(0, int(sh) - 1));
    p.keyColor = Color_Of(keyFormat, !alphaOnly && r.Chance(80) ? src.colour.Get(kx, ky) : r.Word());
    p.useFillColor = r.Chance(20);
    p.fillColor = Color_Of(keyFormat, r.Word());
    p.useBrightness = r.Chance(15);
    p.brightness = C_Color(r.Float(-0.6f, 1.2f), r.Float(-0.6f, 1.2f), r.Float(-0.6f, 1.2f), 0.0f);
    p.useContrast = r.Chance(15);
    p.contrast = C_Color(r.Float(0, 3), r.Float(0, 3), r.Float(0, 3), 0.0f);
    const S_BlitParams* params = mode == 0 && r.Chance(5) ? nullptr : &p;

    const C_Rect* rp = hasRect ? &rect : nullptr;
    const C_Frame* cp = hasClip ? &clip : nullptr;
    if (!Gfx_BlitKernel.Blit_Fixed(src.surface.get(), dst.surface.get(), rp, cp, &position, 0, params))
        return "Blit_Fixed returned false";
    Reference_Blit(src.surface.get(), ref.surface.get(), rp, cp, &position, params);
    if (checksum) {
        for (const T_GuardedBytes* plane : {&dst.colour.bytes, &dst.alpha.bytes})
            for (uint8_t b : *plane) *checksum = (*checksum ^ b) * 0x100000001B3ull;  // FNV-1a
    }
    for (size_t i = 0; i < dst.colour.bytes.size(); ++i)
        if (dst.colour.bytes[i] != ref.colour.bytes[i]) return "colour plane differs at byte " + std::to_string(i);
    for (size_t i = 0; i < dst.alpha.bytes.size(); ++i)
        if (dst.alpha.bytes[i] != ref.alpha.bytes[i]) return "alpha plane differs at byte " + std::to_string(i);
    return "";
}
