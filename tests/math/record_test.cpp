// Byte-exact records of every math class, and the failures of their loaders:
// a short record at every length and a wrong tag both leave the old value.

#include <functional>
#include <memory>

#include "record_util.h"
#include "softblit/math/all.h"

namespace {

using Make = std::function<std::unique_ptr<C_Object>()>;

struct RecordCase {
    const char* name;
    Make sample;        // non-default values
    Make other;         // what a failed load must keep
    const char* bytes;  // the sample's record
    // Consecutive segments: a record cut before `end` fails in `cls`, in its tag
    // (the segment's first two bytes) when the segment is tagged.
    struct Segment {
        size_t end;
        const char* cls;
        bool tagged = true;
    };
    std::vector<Segment> segments;
};

template <class T, class... A>
Make New(A... args) {
    return [=] { return std::make_unique<T>(args...); };
}

std::vector<RecordCase> Cases() {
    const C_Vector3D n(-9, -9, -9), p(9, 9, 9);
    return {
        {"C_Color", New<C_Color>(0.25f, -1.5f, 2.0f, 1.0f), New<C_Color>(0.1f, 0.2f, 0.3f, 0.4f),
         "0100 0000803e 0000c0bf 00000040 0000803f", {{18, "C_Color"}}},
        {"C_Vector2D", New<C_Vector2D>(1.5f, -2.0f, uint8_t(0x32)), New<C_Vector2D>(7.0f, 8.0f, uint8_t(0x21)),
         "0f00 0000c03f 000000c0 32", {{11, "C_Vector2D"}}},
        {"C_Vector2DI", New<C_Vector2DI>(INT32_MIN, 70000), New<C_Vector2DI>(3, 4, uint8_t(0x11)),
         "0f00 00000080 70110100 10", {{11, "C_Vector2D"}}},
        {"C_Vector3D", New<C_Vector3D>(1.0f, 2.0f, -3.0f), New<C_Vector3D>(n),
         "1000 0000803f 00000040 000040c0", {{14, "C_Vector3D"}}},
        {"C_Vector4D", New<C_Vector4D>(1.0f, 2.0f, 3.0f, 0.5f), New<C_Vector4D>(5.0f, 6.0f, 7.0f, 8.0f),
         "1100 0000803f 00000040 00004040 0000003f", {{18, "C_Vector4D"}}},
        {"C_Frame", New<C_Frame>(-1, 2, 640, 480, uint8_t(0x12), uint8_t(0x34)), New<C_Frame>(5, 6, 7, 8),
         "0700 ffffffff 02000000 80020000 e0010000 12 34", {{20, "C_Frame"}}},
        {"C_Rect", New<C_Rect>(0.5f, 1.0f, 2.5f, -4.0f, uint8_t(0x20), uint8_t(0x21)), New<C_Rect>(5.f, 6.f, 7.f, 8.f),
         "0900 0000003f 0000803f 00002040 000080c0 20 21", {{20, "C_Rect"}}},
        {"C_Circle", New<C_Circle>(C_Vector2D(3.0f, 4.0f, 0x22), 12.5f), New<C_Circle>(C_Vector2D(-1, -2, 0x11), 3.0f),
         "0800 0f00 00004040 00008040 22 00004841", {{2, "C_Circle"}, {13, "C_Vector2D"}, {17, "C_Circle", false}}},
        {"C_Box", New<C_Box>(C_Vector3D(0, 1, 2), C_Vector3D(3, 4, 5)), New<C_Box>(n, p),
         "0a00 1000 00000000 0000803f 00000040 1000 00004040 00008040 0000a040",
         {{2, "C_Box"}, {16, "C_Vector3D"}, {30, "C_Vector3D"}}},
    };
}

// The specific report for the record cut after `length` bytes.
std::string CauseAt(const RecordCase& c, size_t length) {
    size_t start = 0;
    for (const RecordCase::Segment& segment : c.segments) {
        if (length < segment.end)
            return std::string(segment.cls) +
                   (segment.tagged && length < start + 2 ? "::LoadFromStream{class_type}" : "::LoadFromStream{stream}");
        start = segment.end;
    }
    return "";
}

TEST(MathRecords, SaveIsByteExactAndLoadsBack) {
    for (const RecordCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SaveBytes(*c.sample()), Hex(c.bytes));
        auto loaded = c.other();
        ASSERT_TRUE(LoadBytes(*loaded, Hex(c.bytes)));
        EXPECT_EQ(SaveBytes(*loaded), Hex(c.bytes));
    }
}

TEST(MathRecords, ShortOrMistaggedRecordKeepsOldValue) {
    for (const RecordCase& c : Cases()) {
        const Bytes full = Hex(c.bytes);
        for (size_t n = 0; n <= full.size(); ++n) {
            SCOPED_TRACE(std::string(c.name) + " cut at " + std::to_string(n));
            Bytes input(full.begin(), full.begin() + n);
            if (n == full.size()) input[0] ^= 0x40;  // complete but with a wrong tag
            auto target = c.other();
            const Bytes before = SaveBytes(*target);
            EXPECT_FALSE(LoadBytes(*target, input));
            EXPECT_EQ(SaveBytes(*target), before);
            ExpectFailure(CauseAt(c, n == full.size() ? 0 : n));
        }
    }
}

TEST(MathRecords, VectorFormsShareTheRecordBitForBit) {
    C_Vector2D f(1.0f, -0.0f, 0x21);
    C_Vector2DI i;
    ASSERT_TRUE(LoadBytes(i, SaveBytes(f)));
    EXPECT_EQ(i.x, 0x3F800000);
    EXPECT_EQ(static_cast<uint32_t>(i.y), 0x80000000u);
    EXPECT_EQ(i.anchor, 0x21);
}

TEST(MathRecords, CircleWithBadNestedTagStopsBeforeRadius) {
    C_Circle circle(C_Vector2D(1, 2), 5.0f);
    Bytes bytes = SaveBytes(circle);
    bytes[2] = 16;  // the centre claims to be a 3D vector
    C_Circle target(C_Vector2D(8, 9), 1.0f);
    uint32_t consumed = 0;
    EXPECT_FALSE(LoadBytes(target, bytes, &consumed));
    EXPECT_EQ(consumed, 4u);  // the two tags, nothing after
    EXPECT_EQ(target.centre, C_Vector2D(8, 9));
    EXPECT_EQ(target.radius, 1.0f);
    ExpectFailure("C_Vector2D::LoadFromStream{class_type}");
}

}  // namespace
