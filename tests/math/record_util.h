// Byte-level helpers for record tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "softblit/core/object.h"
#include "softblit/core/status.h"
#include "softblit/core/stream.h"

using Bytes = std::vector<uint8_t>;

inline Bytes SaveBytes(C_Object& object) {
    C_Stream stream;
    stream.OpenMemoryForWrite();
    EXPECT_TRUE(object.SaveToStream(&stream, 0));
    Bytes out(stream.buffer, stream.buffer + stream.size);
    stream.Close();
    return out;
}

inline bool LoadBytes(C_Object& object, const Bytes& bytes, uint32_t* consumed = nullptr) {
    C_Stream stream;
    stream.OpenMemoryForRead(bytes.data(), static_cast<uint32_t>(bytes.size()));
    const bool ok = object.LoadFromStream(&stream, 0);
    if (consumed) *consumed = stream.position;
    return ok;
}

// "0f00 0000803f" -> bytes; spaces are ignored.
inline Bytes Hex(const char* text) {
    Bytes out;
    std::string digits;
    for (const char* p = text; *p; ++p)
        if (*p != ' ') digits += *p;
    for (size_t i = 0; i + 1 < digits.size(); i += 2) out.push_back(std::stoi(digits.substr(i, 2), nullptr, 16));
    return out;
}

// The specific report kept beside Sys_Status, which the fatal record overwrote.
inline void ExpectFailure(const std::string& cause) {
    EXPECT_EQ(Err_GetCause().code, 10);
    EXPECT_EQ(std::string(Err_GetCause().message), cause);
    EXPECT_EQ(Sys_Status.errorCode, -1);
    EXPECT_EQ(Sys_Status.errorArg1, 0);
    EXPECT_EQ(Sys_Status.errorArg2, 0);
}
