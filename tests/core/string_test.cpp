#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/core/string.h"

namespace {

std::string Text(const C_String& s) { return s.GetText() ? std::string(s.GetText(), s.GetLength()) : "<null>"; }

}  // namespace

TEST(String, ConstructionFromTextsAndNumbers) {
    EXPECT_EQ(Text(C_String()), "");
    EXPECT_EQ(C_String(static_cast<const char*>(nullptr)).GetText(), nullptr);
    EXPECT_EQ(Text(C_String(static_cast<int8_t>(-1))), "-1");
    EXPECT_EQ(Text(C_String(static_cast<uint8_t>(255))), "255");
    EXPECT_EQ(Text(C_String(static_cast<uint16_t>(65535))), "65535");
    EXPECT_EQ(Text(C_String(static_cast<int16_t>(-32768))), "-32768");
    EXPECT_EQ(Text(C_String(static_cast<int32_t>(INT32_MIN))), "-2147483648");
    EXPECT_EQ(Text(C_String(4000000000u)), "4000000000");
    EXPECT_EQ(Text(C_String(1.5f)), "1.500000");
    EXPECT_EQ(Text(C_String(-0.25)), "-0.250000");
    EXPECT_EQ(C_String(1e30).GetLength(), 38u);  // the whole "%f" text is kept

    C_String s("abc");
    C_String& alias = s;
    s = alias;
    EXPECT_EQ(Text(s), "abc");
    s = s.GetText();
    EXPECT_EQ(Text(s), "abc");
    s = static_cast<int32_t>(42);
    EXPECT_EQ(Text(s), "42");
    C_String copy(s);
    s = "changed";
    EXPECT_EQ(Text(copy), "42");
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(s.GetText(), nullptr);
    EXPECT_EQ(s.GetLength(), 0u);
}

TEST(String, CaseConversionsAndNumbers) {
    C_String s("Face.IMG 1");
    EXPECT_EQ(Text(s.GetUpper()), "FACE.IMG 1");
    EXPECT_EQ(Text(s.GetLower()), "face.img 1");
    EXPECT_EQ(Text(s), "Face.IMG 1");
    s.ToUpper();
    EXPECT_EQ(Text(s), "FACE.IMG 1");
    EXPECT_EQ(C_String("  -17xyz").ToInt(), -17);
    EXPECT_EQ(C_String("x").ToLong(), 0);
    EXPECT_FLOAT_EQ(C_String("2.5e1").ToFloat(), 25.0f);
    EXPECT_DOUBLE_EQ(C_String("-0.125").ToDouble(), -0.125);
}

TEST(String, Comparisons) {
    C_String b("b");
    EXPECT_TRUE(b == "b");
    EXPECT_TRUE(b != "a");
    EXPECT_TRUE(b > "a");
    EXPECT_TRUE(b < "ba");
    EXPECT_TRUE(b <= "b");
    EXPECT_TRUE(b >= "b");
    EXPECT_TRUE(C_String("\xC8") > "a");  // bytes compare unsigned
    EXPECT_TRUE(b == C_String("b"));
    EXPECT_FALSE(b == C_String("bb"));
    EXPECT_EQ(Compare(C_String("a"), C_String("b")), -1);
    EXPECT_EQ(Compare(C_String("b"), C_String("b")), 0);
    EXPECT_EQ(Compare(C_String("c"), C_String("b")), 1);
}

TEST(String, SlicesAndJoins) {
    C_String abc("abc");
    EXPECT_EQ(Text(C_String("ab").Left(3)), "ab");
    EXPECT_EQ(Text(abc.Left(1)), "a");
    EXPECT_EQ(Text(abc.Mid(5, 2)), "");
    EXPECT_EQ(Text(abc.Mid(1, 9)), "bc");
    EXPECT_EQ(Text(abc.Right(2)), "bc");
    EXPECT_EQ(Text(abc.Right(10)), "abc");
    EXPECT_EQ(Text(abc + C_String("de")), "abcde");
    abc += C_String("!");
    EXPECT_EQ(Text(abc), "abc!");
    abc += abc;
    EXPECT_EQ(Text(abc), "abc!abc!");
    abc.InsertChar(0, '[');
    abc.InsertChar(abc.GetLength(), ']');
    abc.InsertChar(4, '-');
    EXPECT_EQ(Text(abc), "[abc-!abc!]");
    abc.DeleteChar(4);
    abc.DeleteChar(0);
    abc.DeleteChar(abc.GetLength() - 1);
    EXPECT_EQ(Text(abc), "abc!abc!");
}

TEST(String, FindAndExtension) {
    C_String s("ABCabc");
    EXPECT_EQ(s.Find("bc", true), 4);
    EXPECT_EQ(s.Find("bc", false), 1);
    EXPECT_EQ(s.FindLast("bc", false), 4);
    EXPECT_EQ(s.FindLast("AB", true), 0);
    EXPECT_EQ(s.Find("x", false), -1);
    EXPECT_EQ(s.Find("", true), 0);
    EXPECT_EQ(s.Find("abcd", false), -1);  // a pattern running past the end never matches
    EXPECT_EQ(C_String("").Find("", true), -1);
    EXPECT_EQ(s.Find(C_String("Ca"), true), 2);

    EXPECT_EQ(Text(C_String("face.img").GetExtension()), "img");
    EXPECT_EQ(Text(C_String("archive.tar.gz").GetExtension()), "gz");
    EXPECT_EQ(Text(C_String("README").GetExtension()), "");
    EXPECT_EQ(Text(C_String("dir.d/name.").GetExtension()), "");
}

TEST(String, RecordsAreByteExactAndRoundTrip) {
    C_String face("face");
    C_Stream out;
    out.OpenMemoryForWrite();
    ASSERT_TRUE(face.SaveToStream(&out, 0));
    const uint8_t expected[] = {0x0B, 0x00, 0x05, 0x00, 0x00, 0x00, 0x66, 0x61, 0x63, 0x65, 0x00};
    ASSERT_EQ(out.size, sizeof expected);
    EXPECT_EQ(memcmp(out.buffer, expected, sizeof expected), 0);

    C_String loaded("old");
    C_Stream in;
    in.OpenMemoryForRead(out.buffer, out.size);
    ASSERT_TRUE(loaded.LoadFromStream(&in, 0));
    EXPECT_EQ(Text(loaded), "face");

    C_String released(static_cast<const char*>(nullptr));
    C_Stream empty;
    empty.OpenMemoryForWrite();
    released.SaveToStream(&empty, 0);
    EXPECT_EQ(empty.size, 7u);
}

TEST(String, HostileRecordsFailSafely) {
    // Wrong tag: unchanged string.
    const uint8_t wrongTag[] = {0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00};
    C_String s("keep");
    C_Stream in;
    in.OpenMemoryForRead(wrongTag, sizeof wrongTag);
    EXPECT_FALSE(s.LoadFromStream(&in, 0));
    EXPECT_EQ(Text(s), "keep");
    EXPECT_STREQ(Err_GetCause().message, "C_String::LoadFromStream{class_type}");

    // A length of 4 GiB with 3 bytes behind it: no huge allocation, a failure.
    const uint8_t huge[] = {0x0B, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'};
    C_Stream hugeIn;
    hugeIn.OpenMemoryForRead(huge, sizeof huge);
    EXPECT_FALSE(s.LoadFromStream(&hugeIn, 0));
    EXPECT_EQ(Err_GetCause().code, 10);
    EXPECT_STREQ(Err_GetCause().message, "C_String::LoadFromStream{stream}");
    ASSERT_NE(s.GetText(), nullptr);

    // Embedded zero: the length stops at the first zero.
    const uint8_t zero[] = {0x0B, 0x00, 0x04, 0x00, 0x00, 0x00, 'a', 0, 'b', 0};
    C_Stream zeroIn;
    zeroIn.OpenMemoryForRead(zero, sizeof zero);
    ASSERT_TRUE(s.LoadFromStream(&zeroIn, 0));
    EXPECT_EQ(s.GetLength(), 1u);
}

TEST(String, TextFilesDropCarriageReturns) {
    auto path = (std::filesystem::temp_directory_path() / "softblit_core_text.txt").string();
    std::ofstream(path, std::ios::binary) << "A\r\nB";
    C_String s;
    ASSERT_TRUE(s.Load_TXT_FromFile(C_String(path.c_str())));
    EXPECT_EQ(Text(s), "A\nB");
    EXPECT_EQ(s.GetLength(), 3u);

    std::ofstream(path, std::ios::binary) << "";
    ASSERT_TRUE(s.Load_TXT_FromFile(C_String(path.c_str())));
    EXPECT_EQ(Text(s), "");

    EXPECT_FALSE(s.Load_TXT_FromFile(C_String("/nonexistent/softblit/none.txt")));
    EXPECT_EQ(s.GetText(), nullptr);
    EXPECT_EQ(Err_GetCause().code, 11);
    EXPECT_STREQ(Err_GetCause().message, "C_String::Load_TXT_FromFile(/nonexistent/softblit/none.txt)");
}
