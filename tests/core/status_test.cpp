#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "softblit/core/status.h"

// Taken during static initialisation, before any test has reported anything.
static const S_SysStatus kInitialStatus = Sys_Status;

TEST(StatusRecord, StartsWithAllBitsSetErrorPart) {
    EXPECT_EQ(kInitialStatus.errorCode, -1);
    EXPECT_EQ(kInitialStatus.errorArg1, -1);
    EXPECT_EQ(kInitialStatus.errorArg2, -1);
}

TEST(StatusRecord, ErrSetStoresCodeAndArgumentsAndReturnsCode) {
    EXPECT_EQ(Err_Set(10, 7, -3, "C_Color::LoadFromStream{class_type}"), 10);
    EXPECT_EQ(Sys_Status.errorCode, 10);
    EXPECT_EQ(Sys_Status.errorArg1, 7);
    EXPECT_EQ(Sys_Status.errorArg2, -3);
}

TEST(StatusRecord, CauseSurvivesTheFatalFollowUp) {
    Err_Set(11, 0, 0, "C_Image::LoadPCX(%s)", "missing.pcx");
    Err_Fatal("C_Image::LoadPCX");
    EXPECT_EQ(Sys_Status.errorCode, -1);
    EXPECT_EQ(Sys_Status.errorArg1, 0);
    EXPECT_EQ(Sys_Status.errorArg2, 0);
    EXPECT_EQ(Err_GetCause().code, 11);
    EXPECT_STREQ(Err_GetCause().message, "C_Image::LoadPCX(missing.pcx)");

    // A -1 report that is not a fatal follow-up is a cause of its own.
    Err_Set(-1, 0, 0, "C_Image::Load_Format_FromFile>>>Unknown image file format");
    EXPECT_EQ(Err_GetCause().code, -1);
    EXPECT_STREQ(Err_GetCause().message, "C_Image::Load_Format_FromFile>>>Unknown image file format");
}

TEST(StatusRecord, CauseMessageIsCutAt255Bytes) {
    std::string longName(600, 'x');
    Err_Set(12, 0, 0, "C_Image::Save_RAW_ToFile(%s)", longName.c_str());
    EXPECT_EQ(strlen(Err_GetCause().message), 255u);
    EXPECT_EQ(std::string(Err_GetCause().message, 25), "C_Image::Save_RAW_ToFile(");
}

TEST(StatusRecord, ErrFailReportsBothAndReturnsFalse) {
    EXPECT_FALSE(Err_Fail(15, "C_Image::Clear{format}", "C_Image::Clear"));
    EXPECT_EQ(Sys_Status.errorCode, -1);
    EXPECT_EQ(Err_GetCause().code, 15);
    EXPECT_STREQ(Err_GetCause().message, "C_Image::Clear{format}");
}

TEST(MemoryUsage, PeakFollowsTheHighestValue) {
    uint32_t base = Sys_Status.memoryInUse;
    uint32_t peak = Sys_Status.memoryPeak;
    Mem_AddUsage(100);
    Mem_SubUsage(60);
    Mem_AddUsage(30);
    EXPECT_EQ(Sys_Status.memoryInUse - base, 70u);
    EXPECT_EQ(Sys_Status.memoryPeak, std::max(peak, base + 100));
    Mem_SubUsage(70);
    EXPECT_EQ(Sys_Status.memoryInUse, base);
}

namespace {
std::vector<uint8_t> Filled(size_t size, uint8_t guard, bool (*fill)(void*, uint32_t, uint32_t), uint32_t bytes,
                            uint32_t value) {
    std::vector<uint8_t> block(size, guard);
    EXPECT_TRUE(fill(block.data(), bytes, value));
    return block;
}
bool Set16(void* d, uint32_t n, uint32_t v) { return Mem_Set16(d, n, static_cast<uint16_t>(v)); }
bool Set8(void* d, uint32_t n, uint32_t v) { return Mem_Set8(d, n, static_cast<uint8_t>(v)); }
}  // namespace

TEST(MemoryBlocks, FillsGiveTheDocumentedBytes) {
    EXPECT_EQ(Filled(8, 0xEE, Set16, 7, 0x1234),
              (std::vector<uint8_t>{0x34, 0x12, 0x34, 0x12, 0x34, 0x12, 0x00, 0xEE}));
    EXPECT_EQ(Filled(8, 0xEE, Mem_Set32, 6, 0xAABBCCDD),
              (std::vector<uint8_t>{0xDD, 0xCC, 0xBB, 0xAA, 0x00, 0x00, 0xEE, 0xEE}));
    EXPECT_EQ(Filled(8, 0xEE, Mem_Set24, 8, 0xFF112233),
              (std::vector<uint8_t>{0x33, 0x22, 0x11, 0x33, 0x22, 0x11, 0xEE, 0xEE}));
    EXPECT_EQ(Filled(4, 0xEE, Set8, 3, 0x5A), (std::vector<uint8_t>{0x5A, 0x5A, 0x5A, 0xEE}));
}

// The fills take several routes (byte-equal patterns, aligned vector blocks
// after an unaligned head, string stores on large blocks, tails); compare each
// with a plain element-by-element fill over lengths and offsets that exercise
// every route and every tail.
TEST(MemoryBlocks, FillsMatchAPlainElementLoopAtEveryLengthAndOffset) {
    const uint32_t values[] = {0x00000000u, 0xFFFFFFFFu, 0x12345678u, 0x00ABAB00u, 0x7F7F7F7Fu};
    for (uint32_t value : values) {
        std::vector<uint32_t> lengths;
        for (uint32_t n = 0; n <= 200; ++n) lengths.push_back(n);
        for (uint32_t n : {383u, 384u, 385u, 1023u, 1024u, 1025u, 1030u, 4099u, 65536u, 65539u, 70001u}) lengths.push_back(n);
        for (uint32_t offset : {0u, 1u, 2u, 3u, 17u, 33u, 63u}) {
            for (uint32_t n : lengths) {
                std::vector<uint8_t> got(n + 80, 0xC3), want(n + 80, 0xC3);
                uint8_t* g = got.data() + offset;
                uint8_t* w = want.data() + offset;

                Mem_Set16(g, n, static_cast<uint16_t>(value));
                for (uint32_t i = 0; i + 2 <= n; i += 2) {
                    w[i] = static_cast<uint8_t>(value);
                    w[i + 1] = static_cast<uint8_t>(value >> 8);
                }
                if (n & 1) w[n - 1] = 0;
                ASSERT_EQ(got, want) << "Mem_Set16 n=" << n << " value=" << value;

                Mem_Set32(g, n, value);
                for (uint32_t i = 0; i < n; ++i) w[i] = i < (n & ~3u) ? static_cast<uint8_t>(value >> (8 * (i & 3))) : 0;
                ASSERT_EQ(got, want) << "Mem_Set32 n=" << n << " value=" << value;

                Mem_Set24(g, n, value);
                for (uint32_t i = 0; i < n / 3 * 3; ++i) w[i] = static_cast<uint8_t>(value >> (8 * (i % 3)));
                ASSERT_EQ(got, want) << "Mem_Set24 n=" << n << " value=" << value;
            }
        }
    }
}

TEST(MemoryBlocks, CopyCompareZeroAndByteOrder) {
    uint8_t a[5] = {1, 2, 3, 4, 5}, b[5] = {9, 9, 9, 9, 9};
    EXPECT_TRUE(Mem_Copy(a, b, 0));
    EXPECT_EQ(b[0], 9);
    EXPECT_TRUE(Mem_Copy(nullptr, nullptr, 0));
    EXPECT_TRUE(Mem_Copy(a, b, 5));
    EXPECT_TRUE(Mem_Compare(a, b, 5));
    b[4] = 0;
    EXPECT_FALSE(Mem_Compare(a, b, 5));
    EXPECT_TRUE(Mem_Compare(a, b, 4));
    EXPECT_TRUE(Mem_Zero(b, 5));
    EXPECT_EQ(b[0] | b[1] | b[2] | b[3] | b[4], 0);

    EXPECT_EQ(Mem_GetByteOrder(), 2u);
    uint8_t probe[2] = {0x77, 0x88};
    EXPECT_EQ(Mem_ProbeByteOrder(probe, 99), 2u);
    EXPECT_EQ(probe[0], 0x77);  // the probe puts back what was there
    EXPECT_EQ(probe[1], 0x88);
}
