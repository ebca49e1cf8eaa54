#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "softblit/core/string.h"
#include "softblit/demo/texts.h"

namespace {

bool PrintableAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c < 32 || c > 126) return false;
    return true;
}

// The texts are shown in the demo's fonts, which hold the codes 32-126 only,
// and may name no site or address.
void ExpectShowable(const std::string& s) {
    EXPECT_TRUE(PrintableAscii(s)) << s;
    for (const char* banned : {"@", "www", "http", ".com", ".it", ".org", ".net"})
        EXPECT_EQ(s.find(banned), std::string::npos) << banned << " in " << s;
}

TEST(DemoTexts, ScrollTextHasItsShape) {
    C_String text;
    ASSERT_TRUE(Demo_BuildScrollText(&text));
    const std::string s(text.GetText(), text.GetLength());
    EXPECT_EQ(s.size(), 2110u);
    EXPECT_EQ(s.find_first_not_of(' '), 148u);
    EXPECT_EQ(s.substr(148, 67), "Benvenuto nel primo demo programmato per mostrare le potenzialita' ");
    ExpectShowable(s);
    // Pieces read as one line: each ends in a blank and none starts with one.
    for (const char* piece : Demo_ScrollPieces) {
        const size_t n = std::strlen(piece);
        ASSERT_GT(n, 1u);
        EXPECT_EQ(piece[n - 1], ' ') << piece;
        EXPECT_NE(piece[0], ' ') << piece;
    }
    // The credits are about 320 characters.
    size_t credits = 0;
    for (uint32_t i = DEMO_SCROLL_PIECE_COUNT - 3; i < DEMO_SCROLL_PIECE_COUNT; ++i)
        credits += std::strlen(Demo_ScrollPieces[i]);
    EXPECT_NEAR(static_cast<double>(credits), 320.0, 40.0);
}

TEST(DemoTexts, WarpLinesKeepTheirLengths) {
    const size_t lengths[DEMO_WARP_LINE_COUNT] = {37, 37, 37, 37, 37, 37, 37, 36, 37, 37, 33, 37, 34, 37};
    for (uint32_t i = 0; i < DEMO_WARP_LINE_COUNT; ++i) {
        EXPECT_EQ(std::strlen(Demo_WarpLines[i]), lengths[i]) << "line " << i + 1;
        ExpectShowable(Demo_WarpLines[i]);
    }
    EXPECT_EQ(std::string(Demo_WarpLines[0]), std::string(37, '-'));
    EXPECT_EQ(std::string(Demo_WarpLines[13]), std::string(37, '-'));
    const std::string invite = Demo_WarpLines[12];
    EXPECT_EQ(invite.substr(invite.size() - 6), "!!!   ");
}

TEST(DemoTexts, TitlesAndCaption) {
    EXPECT_STREQ(Demo_WindowTitle, "Blit Example (Via Software!)");
    const char* expected[] = {"BILINEAR FILTERING", "ALPHA BLENDING", "BOUNCING BALLS", "BUMP MAPPING", "WARPING TEXT"};
    for (uint32_t i = 0; i < DEMO_EFFECT_COUNT; ++i) EXPECT_STREQ(Demo_EffectTitles[i], expected[i]);
}

}  // namespace
