#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "softblit/core/status.h"

// Taken during static initialisation, before any test has reported anything.
static const S_SysStatus kInitialStatus = Sys_Status;

TEST(StatusRecord, ReportsKeepTheCauseBehindTheFatalRecord) {
    EXPECT_EQ(kInitialStatus.errorCode, -1);
    EXPECT_EQ(kInitialStatus.errorArg1, -1);
    EXPECT_EQ(kInitialStatus.errorArg2, -1);

    EXPECT_EQ(Err_Set(10, 7, -3, "x"), 10);
    EXPECT_EQ(Sys_Status.errorArg1, 7);
    EXPECT_EQ(Sys_Status.errorArg2, -3);

    Err_Set(11, 0, 0, "C_Image::LoadPCX(%s)", "missing.pcx");
    Err_Fatal("C_Image::LoadPCX");
    EXPECT_EQ(Sys_Status.errorCode, -1);
    EXPECT_EQ(Err_GetCause().code, 11);
    EXPECT_STREQ(Err_GetCause().message, "C_Image::LoadPCX(missing.pcx)");

    // A -1 report that is not a fatal follow-up is a cause of its own.
    Err_Set(-1, 0, 0, "C_Image::Load_Format_FromFile>>>Unknown image file format");
    EXPECT_EQ(Err_GetCause().code, -1);

    Err_Set(12, 0, 0, "%s", std::string(600, 'x').c_str());
    EXPECT_EQ(strlen(Err_GetCause().message), 255u);
}

TEST(MemoryUsage, PeakFollowsTheHighestValue) {
    uint32_t base = Sys_Status.memoryInUse;
    Mem_AddUsage(100);
    Mem_SubUsage(60);
    Mem_AddUsage(30);
    EXPECT_EQ(Sys_Status.memoryInUse - base, 70u);
    EXPECT_GE(Sys_Status.memoryPeak, base + 100);
    Mem_SubUsage(70);

    // Near the top the figure stops at its largest value instead of wrapping.
    const uint32_t peak = Sys_Status.memoryPeak;
    Sys_Status.memoryInUse = 0xFFFFFF00u;
    Mem_AddUsage(0x200);
    EXPECT_TRUE(Sys_Status.memoryInUse == 0xFFFFFFFFu && Sys_Status.memoryPeak == 0xFFFFFFFFu);
    Sys_Status.memoryInUse = 10;
    Mem_SubUsage(20);
    EXPECT_EQ(Sys_Status.memoryInUse, 0u);
    Sys_Status.memoryInUse = base;
    Sys_Status.memoryPeak = peak;
}

// The fills take several routes (byte-equal values, vector blocks after an
// unaligned head, masked tails, string stores and copies on large blocks);
// compare each with a plain element loop over lengths and offsets that reach
// every route.
TEST(MemoryBlocks, FillsMatchAPlainElementLoop) {
    std::vector<uint32_t> lengths;
    for (uint32_t n = 0; n <= 200; ++n) lengths.push_back(n);
    for (uint32_t n : {383u, 1023u, 1024u, 1030u, 4099u, 65536u, 70001u}) lengths.push_back(n);
    for (uint32_t value : {0x00000000u, 0x12345678u, 0x00ABAB00u, 0x7F7F7F7Fu}) {
        for (uint32_t offset : {0u, 1u, 3u, 33u, 63u}) {
            for (uint32_t n : lengths) {
                std::vector<uint8_t> got(n + 80, 0xC3), want(n + 80, 0xC3);
                uint8_t* g = got.data() + offset;
                uint8_t* w = want.data() + offset;
                Mem_Set16(g, n, static_cast<uint16_t>(value));
                for (uint32_t i = 0; i < n; ++i) w[i] = (n & 1) && i == n - 1 ? 0 : uint8_t(value >> (8 * (i & 1)));
                ASSERT_EQ(got, want) << "Mem_Set16 n=" << n << " value=" << value;
                Mem_Set32(g, n, value);
                for (uint32_t i = 0; i < n; ++i) w[i] = i < (n & ~3u) ? uint8_t(value >> (8 * (i & 3))) : 0;
                ASSERT_EQ(got, want) << "Mem_Set32 n=" << n << " value=" << value;
                Mem_Set24(g, n, value);  // the last 0 to 2 bytes stay as they were
                for (uint32_t i = 0; i < n / 3 * 3; ++i) w[i] = uint8_t(value >> (8 * (i % 3)));
                ASSERT_EQ(got, want) << "Mem_Set24 n=" << n << " value=" << value;
            }
        }
    }
}

TEST(MemoryBlocks, CopyCompareAndByteOrder) {
    uint8_t a[5] = {1, 2, 3, 4, 5}, b[5] = {9, 9, 9, 9, 9};
    EXPECT_TRUE(Mem_Copy(nullptr, nullptr, 0));
    EXPECT_TRUE(Mem_Copy(a, b, 5));
    EXPECT_TRUE(Mem_Compare(a, b, 5));
    b[4] = 0;
    EXPECT_FALSE(Mem_Compare(a, b, 5));
    uint8_t probe[2] = {0x77, 0x88};
    EXPECT_EQ(Mem_ProbeByteOrder(probe, 99), 2u);
    EXPECT_EQ(probe[0] << 8 | probe[1], 0x7788);  // put back as it was
}
