// Helpers shared by the imaging tests: error checks, memory checks and
// seeded random images.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/image/all.h"
#include "softblit/math/color.h"

namespace image_test {

// The last specific failure recorded, and that the fatal record followed it.
inline ::testing::AssertionResult FailedWith(int32_t code, const char* message) {
    const S_ErrCause& cause = Err_GetCause();
    if (cause.code != code || std::strcmp(cause.message, message) != 0)
        return ::testing::AssertionFailure()
               << "cause was " << cause.code << " \"" << cause.message << "\", expected " << code
               << " \"" << message << "\"";
    if (Sys_Status.errorCode != -1)
        return ::testing::AssertionFailure() << "no fatal record (code " << Sys_Status.errorCode << ")";
    return ::testing::AssertionSuccess();
}

inline void ClearErrors() { Err_Set(0, 0, 0, "none"); }

inline std::vector<uint8_t> Saved(C_Image& image) {
    C_Stream stream;
    stream.OpenMemoryForWrite();
    image.SaveToStream(&stream, 0);
    std::vector<uint8_t> bytes(stream.buffer, stream.buffer + stream.size);
    stream.Close();
    return bytes;
}

inline bool LoadBytes(C_Image& image, const std::vector<uint8_t>& bytes) {
    C_Stream stream;
    stream.OpenMemoryForRead(bytes.data(), static_cast<uint32_t>(bytes.size()));
    const bool ok = image.LoadFromStream(&stream, 0);
    stream.Close();
    return ok;
}

// Bytes biased towards 00 and FF, where conversions tend to go wrong.
inline uint8_t RandomByte(std::mt19937& rng) {
    const uint32_t r = rng();
    switch (r & 7) {
        case 0: return 0x00;
        case 1: return 0xFF;
        default: return static_cast<uint8_t>(r >> 8);
    }
}

// Fills an image's buffer, padding included, with random bytes (and its
// palette, when it has one).
inline void Randomize(C_Image& image, std::mt19937& rng) {
    for (uint32_t i = 0; i < image.dataSize; ++i) image.data[i] = RandomByte(rng);
    for (uint32_t i = 0; i < image.paletteSize; ++i) image.m_palette[i] = RandomByte(rng);
}

// Logical rows compared byte for byte over rowBytes.
inline ::testing::AssertionResult SamePixels(const C_Image& a, const C_Image& b) {
    if (a.width != b.width || a.height != b.height || a.rowBytes != b.rowBytes)
        return ::testing::AssertionFailure() << "shapes differ";
    for (uint32_t y = 0; y < a.height; ++y) {
        const uint8_t* ra = a.GetRow(y);
        const uint8_t* rb = b.GetRow(y);
        for (uint32_t i = 0; i < a.rowBytes; ++i)
            if (ra[i] != rb[i])
                return ::testing::AssertionFailure()
                       << "row " << y << " byte " << i << ": " << int(ra[i]) << " vs " << int(rb[i]);
    }
    return ::testing::AssertionSuccess();
}

inline uint32_t Pixel32(const C_Image& image, uint32_t x, uint32_t y) {
    uint32_t v;
    std::memcpy(&v, image.GetRow(y) + 4 * x, 4);
    return v;
}

}  // namespace image_test
