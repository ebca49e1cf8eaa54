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

TEST(String, NumbersAndAssignment) {
    EXPECT_EQ(Text(C_String(static_cast<int8_t>(-1))), "-1");
    EXPECT_EQ(Text(C_String(static_cast<uint8_t>(255))), "255");
    EXPECT_EQ(Text(C_String(4000000000u)), "4000000000");
    EXPECT_EQ(Text(C_String(1.5f)), "1.500000");
    EXPECT_EQ(C_String(1e30).GetLength(), 38u);  // the whole "%f" text is kept
    EXPECT_EQ(C_String("  -17xyz").ToInt(), -17);

    C_String s("abc");
    C_String& alias = s;
    s = alias;
    s = s.GetText();  // assigning its own text
    EXPECT_EQ(Text(s), "abc");
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(s.GetText(), nullptr);
    EXPECT_TRUE(C_String("\xC8") > "a");  // bytes compare unsigned
    EXPECT_EQ(Compare(C_String("a"), C_String("b")), -1);
}

TEST(String, EditsSlicesAndSearches) {
    C_String abc("abc");
    EXPECT_EQ(Text(abc.Left(5)), "abc");
    EXPECT_EQ(Text(abc.Mid(5, 2)), "");
    EXPECT_EQ(Text(abc.Mid(1, 9)), "bc");
    EXPECT_EQ(Text(abc.Right(2)), "bc");
    abc += abc;
    abc.InsertChar(0, '[');
    abc.InsertChar(abc.GetLength(), ']');
    abc.DeleteChar(1);
    EXPECT_EQ(Text(abc), "[bcabc]");

    C_String s("ABCabc");
    EXPECT_EQ(s.Find("bc", true), 4);
    EXPECT_EQ(s.Find("bc", false), 1);
    EXPECT_EQ(s.FindLast("bc", false), 4);
    EXPECT_EQ(s.FindLast("AB", true), 0);
    EXPECT_EQ(s.Find("abcd", false), -1);  // a pattern running past the end never matches
    EXPECT_EQ(Text(C_String("archive.tar.GZ").GetExtension()), "GZ");
    EXPECT_EQ(Text(C_String("README").GetExtension()), "");
}

TEST(String, RecordsAreByteExactAndHostileOnesFailSafely) {
    C_Stream out;
    out.OpenMemoryForWrite();
    ASSERT_TRUE(C_String("face").SaveToStream(&out, 0));
    const uint8_t expected[] = {0x0B, 0x00, 0x05, 0x00, 0x00, 0x00, 0x66, 0x61, 0x63, 0x65, 0x00};
    ASSERT_EQ(out.size, sizeof expected);
    EXPECT_EQ(memcmp(out.buffer, expected, sizeof expected), 0);

    struct Case {
        std::string bytes;
        bool loads;
        const char* text;  // the string afterwards
    } cases[] = {
        {std::string("\x0B\x00\x05\x00\x00\x00" "face\0", 11), true, "face"},
        {std::string("\x01\x00\x01\x00\x00\x00\x00", 7), false, "keep"},                  // wrong tag: unchanged
        {std::string("\x0B\x00\xFF\xFF\xFF\xFF" "abc", 9), false, ""},                   // 4 GiB claimed
        {std::string("\x0B\x00\x04\x00\x00\x00" "a\0b\0", 10), true, "a"},                // stops at the zero
    };
    for (const Case& c : cases) {
        C_String s("keep");
        C_Stream in;
        in.OpenMemoryForRead(c.bytes.data(), static_cast<uint32_t>(c.bytes.size()));
        EXPECT_EQ(s.LoadFromStream(&in, 0), c.loads) << c.text;
        EXPECT_EQ(Text(s), c.text);
        if (!c.loads) {
            EXPECT_EQ(Err_GetCause().code, 10);
        }
    }
}

TEST(String, TextFilesDropCarriageReturns) {
    auto path = (std::filesystem::temp_directory_path() / "softblit_core_text.txt").string();
    std::ofstream(path, std::ios::binary) << "A\r\nB";
    C_String s;
    ASSERT_TRUE(s.Load_TXT_FromFile(C_String(path.c_str())));
    EXPECT_EQ(Text(s), "A\nB");

    EXPECT_FALSE(s.Load_TXT_FromFile(C_String("/nonexistent/softblit/none.txt")));
    EXPECT_EQ(s.GetText(), nullptr);
    EXPECT_STREQ(Err_GetCause().message, "C_String::Load_TXT_FromFile(/nonexistent/softblit/none.txt)");
}
