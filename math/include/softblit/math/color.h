// A colour of four floats, nominally 0..1 each; only Clamp enforces the range.
#pragma once

#include <cstdint>

#include "softblit/core/object.h"

class C_Color : public C_Object {
public:
    float red;
    float green;
    float blue;
    float alpha;

    C_Color() : red(0), green(0), blue(0), alpha(0) {}
    C_Color(float r, float g, float b, float a) : red(r), green(g), blue(b), alpha(a) {}
    // Channels 0..255, each divided by 255.
    C_Color(int32_t r, int32_t g, int32_t b, int32_t a);
    // v = blue * 65536 + green * 256 + red. Blue takes all the bits above the
    // lowest 16 (so it can exceed 1); alpha is 0.
    explicit C_Color(uint32_t packed);
    C_Color(const C_Color&) = default;
    C_Color& operator=(const C_Color&) = default;

    void Set(float r, float g, float b, float a) { red = r; green = g; blue = b; alpha = a; }
    // Components above 1 become 1, then components not >= 0 (negative or NaN) become 0.
    void Clamp();
    // this * (1 - t) + other * t
    C_Color Lerp(const C_Color& other, float t) const;

    // Record: u16 tag 1; f32 red, green, blue, alpha (18 bytes). A short or
    // mistagged record leaves the colour unchanged and returns false.
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override;
    bool SaveToStream(C_Stream* stream, uint32_t flags) override;
    uint32_t GetClassType() override { return CLASS_COLOR; }
};

// Component-wise; divisions are unguarded (IEEE infinities / NaN).
C_Color operator+(const C_Color& a, const C_Color& b);
C_Color operator-(const C_Color& a, const C_Color& b);
C_Color operator*(const C_Color& a, const C_Color& b);
C_Color operator/(const C_Color& a, const C_Color& b);
C_Color operator*(const C_Color& a, float s);
C_Color operator*(float s, const C_Color& a);
C_Color operator/(const C_Color& a, float s);
C_Color operator-(const C_Color& a);
C_Color& operator+=(C_Color& a, const C_Color& b);
C_Color& operator-=(C_Color& a, const C_Color& b);
C_Color& operator*=(C_Color& a, const C_Color& b);
C_Color& operator/=(C_Color& a, const C_Color& b);
C_Color& operator*=(C_Color& a, float s);
C_Color& operator/=(C_Color& a, float s);
bool operator==(const C_Color& a, const C_Color& b);
bool operator!=(const C_Color& a, const C_Color& b);
