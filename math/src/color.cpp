#include "softblit/math/color.h"

#include "softblit/core/record.h"

C_Color::C_Color(int32_t r, int32_t g, int32_t b, int32_t a)
    : red(static_cast<float>(r / 255.0)),
      green(static_cast<float>(g / 255.0)),
      blue(static_cast<float>(b / 255.0)),
      alpha(static_cast<float>(a / 255.0)) {}

C_Color::C_Color(uint32_t packed)
    : red(static_cast<float>((packed & 255u) / 255.0)),
      green(static_cast<float>(((packed >> 8) & 255u) / 255.0)),
      blue(static_cast<float>((packed >> 16) / 255.0)),
      alpha(0) {}

void C_Color::Clamp() {
    float* parts[4] = {&red, &green, &blue, &alpha};
    for (float* p : parts) {
        if (*p > 1.0f) *p = 1.0f;
        if (!(*p >= 0.0f)) *p = 0.0f;
    }
}

C_Color C_Color::Lerp(const C_Color& other, float t) const { return *this * (1.0f - t) + other * t; }

bool C_Color::LoadFromStream(C_Stream* stream, uint32_t) {
    if (!Record_ReadTag(stream, CLASS_COLOR, "C_Color")) return false;
    float r, g, b, a;
    if (!Record_Read(stream, r) || !Record_Read(stream, g) || !Record_Read(stream, b) || !Record_Read(stream, a))
        return Record_Truncated("C_Color");
    Set(r, g, b, a);
    return true;
}

bool C_Color::SaveToStream(C_Stream* stream, uint32_t) {
    if (!stream) return false;
    Record_WriteTag(stream, CLASS_COLOR);
    Record_Write(stream, red);
    Record_Write(stream, green);
    Record_Write(stream, blue);
    Record_Write(stream, alpha);
    return true;
}

C_Color operator+(const C_Color& a, const C_Color& b) {
    return C_Color(a.red + b.red, a.green + b.green, a.blue + b.blue, a.alpha + b.alpha);
}
C_Color operator-(const C_Color& a, const C_Color& b) {
    return C_Color(a.red - b.red, a.green - b.green, a.blue - b.blue, a.alpha - b.alpha);
}
C_Color operator*(const C_Color& a, const C_Color& b) {
    return C_Color(a.red * b.red, a.green * b.green, a.blue * b.blue, a.alpha * b.alpha);
}
C_Color operator/(const C_Color& a, const C_Color& b) {
    return C_Color(a.red / b.red, a.green / b.green, a.blue / b.blue, a.alpha / b.alpha);
}
C_Color operator*(const C_Color& a, float s) { return C_Color(a.red * s, a.green * s, a.blue * s, a.alpha * s); }
C_Color operator*(float s, const C_Color& a) { return a * s; }
C_Color operator/(const C_Color& a, float s) { return C_Color(a.red / s, a.green / s, a.blue / s, a.alpha / s); }
C_Color operator-(const C_Color& a) { return C_Color(-a.red, -a.green, -a.blue, -a.alpha); }
C_Color& operator+=(C_Color& a, const C_Color& b) { return a = a + b; }
C_Color& operator-=(C_Color& a, const C_Color& b) { return a = a - b; }
C_Color& operator*=(C_Color& a, const C_Color& b) { return a = a * b; }
C_Color& operator/=(C_Color& a, const C_Color& b) { return a = a / b; }
C_Color& operator*=(C_Color& a, float s) { return a = a * s; }
C_Color& operator/=(C_Color& a, float s) { return a = a / s; }
bool operator==(const C_Color& a, const C_Color& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}
bool operator!=(const C_Color& a, const C_Color& b) { return !(a == b); }
