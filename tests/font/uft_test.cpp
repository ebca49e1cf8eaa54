// The ".uft" record of a whole font: its layout, reloads, and every way a
// stored font can be broken.
#include <gtest/gtest.h>

#include <ctime>

#include "font_fixtures.h"
#include "softblit/core/status.h"

using namespace font_test;

namespace {

void PutU32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// A font record with no name, the given face records, and no pages.
std::vector<uint8_t> FontRecord(const std::vector<std::vector<uint8_t>>& faces) {
    C_String empty;
    std::vector<uint8_t> b = {5, 0};
    const std::vector<uint8_t> name = SaveBytes(empty);
    b.insert(b.end(), name.begin(), name.end());
    PutU32(b, uint32_t(faces.size()));
    for (const auto& f : faces) b.insert(b.end(), f.begin(), f.end());
    PutU32(b, 0);
    return b;
}

std::vector<uint8_t> FaceRecord(int32_t code, uint32_t glyphs) {
    std::vector<uint8_t> b = {4, 0};
    PutU32(b, glyphs);
    C_BitmapGlyph glyph(8, FONT_RENDER_GRID, FONT_STYLE_REGULAR);
    const std::vector<uint8_t> g = SaveBytes(glyph);
    for (uint32_t i = 0; i < glyphs; ++i) b.insert(b.end(), g.begin(), g.end());
    PutU32(b, uint32_t(code));
    return b;
}

bool IsEmpty(const C_Font& font) {
    return font.GetFaceCount() == 0 && font.GetPageCount() == 0 && font.faceIndex.size == 0 &&
           font.faceIndex.data == nullptr;
}

}  // namespace

TEST(UftRecord, SavesTagNameFacesAndPagesInOrder) {
    auto font = MakeGridFont();
    font->name = "g";
    const std::vector<uint8_t> bytes = SaveBytes(*font);
    C_String name("g");
    const std::vector<uint8_t> nameBytes = SaveBytes(name);
    ASSERT_GT(bytes.size(), 2 + nameBytes.size() + 4);
    EXPECT_EQ(bytes[0], 5);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_TRUE(std::equal(nameBytes.begin(), nameBytes.end(), bytes.begin() + 2));
    size_t at = 2 + nameBytes.size();
    EXPECT_EQ(bytes[at], 5);  // five faces
    at += 4;
    const size_t faceBytes = 2 + 4 + 26 + 4;
    EXPECT_EQ(bytes[at], 4);            // the first face's tag
    EXPECT_EQ(bytes[at + faceBytes - 4], 'A');
    at += 5 * faceBytes;
    EXPECT_EQ(bytes[at], 1);            // one page
    EXPECT_EQ(bytes[at + 4], 13);       // in the ".srf" form
    EXPECT_EQ(bytes.back(), 0x80);
}

TEST(UftRecord, ReloadOverAFontReplacesEverythingWithoutLeaking) {
    auto font = MakeGridFont();
    const std::vector<uint8_t> bytes = SaveBytes(*font);
    const uint32_t before = Sys_Status.memoryInUse;
    {
        C_Font target;
        for (int32_t c = 0; c < 300; ++c) target.AddFace(c);
        ASSERT_TRUE(LoadBytes(target, bytes));
        ASSERT_TRUE(LoadBytes(target, bytes));
        EXPECT_EQ(target.GetFaceCount(), 5u);
        EXPECT_EQ(target.faceIndex.size / 4, uint32_t('|') + 1);
        EXPECT_EQ(target.GetFace(200), nullptr);
        EXPECT_EQ(target.GetPageCount(), 1u);
        EXPECT_EQ(target.GetFace('B')->GetGlyph(0)->frame.left, 8);
        EXPECT_EQ(SaveBytes(target), bytes);
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);
}

TEST(UftRecord, PagesComeFromTheFactoryAndAFactoryGivingNoneFailsTheLoad) {
    const std::vector<uint8_t> bytes = SaveBytes(*MakeGridFont());
    static int made;
    made = 0;
    C_Font font;
    font.surfaceFactory = [](void* arg) -> C_Surface* {
        ++made;
        C_Surface* s = new C_Surface();
        s->owner = arg;
        return s;
    };
    int owner;
    font.surfaceFactoryArg = &owner;
    ASSERT_TRUE(LoadBytes(font, bytes));
    EXPECT_EQ(made, 1);
    EXPECT_EQ(font.GetPage(0)->owner, &owner);

    font.surfaceFactory = [](void*) -> C_Surface* { return nullptr; };
    EXPECT_FALSE(LoadBytes(font, bytes));
    EXPECT_EQ(Err_GetCause().code, ERR_ALLOC);
    EXPECT_TRUE(IsEmpty(font));
}

TEST(UftRecord, FaceCodesOutsideTheRangeFailTheLoad) {
    for (int32_t code : {-1, 0x110000, 0x7FFFFFFF}) {
        C_Font font;
        font.AddFace(1);
        EXPECT_FALSE(LoadBytes(font, FontRecord({FaceRecord(65, 1), FaceRecord(code, 1)}))) << code;
        EXPECT_STREQ(Err_GetCause().message, "C_Font::LoadFromStream{charCode}");
        EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
        EXPECT_TRUE(IsEmpty(font));
    }
    C_Font top;
    ASSERT_TRUE(LoadBytes(top, FontRecord({FaceRecord(0x10FFFF, 0)})));
    EXPECT_EQ(top.GetFace(0x10FFFF)->charCode, 0x10FFFF);
}

TEST(UftRecord, TruncationAtEveryByteFailsAndLeavesTheFontEmpty) {
    auto source = MakeGridFont();
    source->name = "grid";
    const std::vector<uint8_t> bytes = SaveBytes(*source);
    const uint32_t before = Sys_Status.memoryInUse;
    C_Font font;
    for (size_t n = 0; n < bytes.size(); ++n) {
        ASSERT_FALSE(LoadBytes(font, bytes, n)) << n;
        ASSERT_TRUE(IsEmpty(font)) << n;
        ASSERT_EQ(Sys_Status.errorCode, ERR_FATAL) << n;
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);
    EXPECT_TRUE(LoadBytes(font, bytes));
}

TEST(UftRecord, AWrongTagAtAnyLevelFailsTheLoadWithItsOwnCause) {
    const std::vector<uint8_t> good = FontRecord({FaceRecord(65, 1)});
    const size_t nameEnd = good.size() - 4 - (2 + 4 + 26 + 4) - 4;
    struct {
        size_t at;
        const char* cause;
    } cases[] = {{0, "C_Font::LoadFromStream{class_type}"},
                 {nameEnd + 4, "C_BitmapFace::LoadFromStream{class_type}"},
                 {nameEnd + 10, "C_BitmapGlyph::LoadFromStream{class_type}"}};
    for (const auto& c : cases) {
        std::vector<uint8_t> bad = good;
        bad[c.at] ^= 0x40;
        C_Font font;
        EXPECT_FALSE(LoadBytes(font, bad)) << c.at;
        EXPECT_STREQ(Err_GetCause().message, c.cause);
        EXPECT_TRUE(IsEmpty(font));
    }
}

TEST(UftRecord, CountsPromisingMoreThanTheStreamHoldsAreRefused) {
    std::vector<uint8_t> faces = FontRecord({});
    const size_t countAt = faces.size() - 8;
    faces[countAt + 3] = 0x10;  // 2^28 faces of at least 10 bytes
    C_Font font;
    EXPECT_FALSE(LoadBytes(font, faces));
    EXPECT_STREQ(Err_GetCause().message, "C_Font::LoadFromStream{faceCount}");

    std::vector<uint8_t> pages = FontRecord({});
    pages[pages.size() - 4] = 2;  // two pages of at least 3 bytes, none present
    EXPECT_FALSE(LoadBytes(font, pages));
    EXPECT_STREQ(Err_GetCause().message, "C_Font::LoadFromStream{pageCount}");
}

TEST(UftRecord, AMillionGlyphFaceLoadsInUnderASecond) {
    const std::vector<uint8_t> bytes = FontRecord({FaceRecord(65, 1000000)});
    C_Font font;
    // Processor time, so that other work on a shared machine does not count.
    const std::clock_t start = std::clock();
    ASSERT_TRUE(LoadBytes(font, bytes));
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_EQ(font.GetFace(65)->GetGlyphCount(), 1000000u);
    EXPECT_LT(seconds, 1.0);
}

TEST(UftRecord, EmptyPagesSaveAndLoad) {
    C_Font font;
    font.AddFace(32);
    font.pages = new C_Array();
    C_Surface* page = new C_Surface();
    C_Image* empty = new C_Image();
    ASSERT_TRUE(empty->CreateEmpty(0, 0, GFX_FMT_L8, GFX_FMT_NONE));
    page->AddPlane(empty, GFX_PLANE_ALPHA);
    font.pages->Insert(page, 0);
    font.pages->Insert(new C_Surface(), 1);

    C_Font loaded;
    ASSERT_TRUE(LoadBytes(loaded, SaveBytes(font)));
    ASSERT_EQ(loaded.GetPageCount(), 2u);
    ASSERT_NE(loaded.GetPage(0)->GetPlaneImage(GFX_PLANE_ALPHA), nullptr);
    EXPECT_EQ(loaded.GetPage(0)->GetPlaneImage(GFX_PLANE_ALPHA)->width, 0u);
    EXPECT_EQ(loaded.GetPage(1)->planes, nullptr);
}
