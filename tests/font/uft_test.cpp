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

// A font record with the given name and face records, and no pages.
std::vector<uint8_t> FontRecord(const std::vector<std::vector<uint8_t>>& faces, const char* name = "") {
    C_String s(name);
    std::vector<uint8_t> b = {5, 0};
    const std::vector<uint8_t> nameBytes = SaveBytes(s);
    b.insert(b.end(), nameBytes.begin(), nameBytes.end());
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

TEST(UftRecord, SavesTagNameFacesAndPagesInTheOrderItLoadsThem) {
    const std::vector<uint8_t> record = FontRecord({FaceRecord('A', 1), FaceRecord(0x10FFFF, 0)}, "g");
    C_Font font;
    ASSERT_TRUE(LoadBytes(font, record));
    EXPECT_TRUE(font.name == "g");
    EXPECT_EQ(font.GetFace(0x10FFFF)->charCode, 0x10FFFF);
    EXPECT_EQ(SaveBytes(font), record);
    // The pages follow the faces: their count, then each one's ".srf" record.
    auto grid = MakeGridFont();
    const std::vector<uint8_t> bytes = SaveBytes(*grid), page = SaveBytes(*grid->GetPage(0));
    std::vector<uint8_t> tail;
    PutU32(tail, 1);
    tail.insert(tail.end(), page.begin(), page.end());
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - tail.size()));
    EXPECT_EQ(tail[4], 13);
    EXPECT_EQ(bytes[2 + SaveBytes(grid->name).size()], 5);  // five faces
}

TEST(UftRecord, ReloadOverAFontReplacesEverythingWithoutLeakingAndTakesPagesFromTheFactory) {
    const std::vector<uint8_t> bytes = SaveBytes(*MakeGridFont());
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
    font.surfaceFactory = [](void*) -> C_Surface* { return nullptr; };  // a factory giving none fails the load
    EXPECT_FALSE(LoadBytes(font, bytes));
    EXPECT_EQ(Err_GetCause().code, ERR_ALLOC);
    EXPECT_TRUE(IsEmpty(font));
}

TEST(UftRecord, ABrokenRecordFailsWithItsOwnCauseAndLeavesTheFontEmpty) {
    const std::vector<uint8_t> good = FontRecord({FaceRecord(65, 1)});
    const size_t faceAt = good.size() - 4 - (2 + 4 + 26 + 4);
    const auto changed = [](std::vector<uint8_t> b, size_t at, uint8_t v) {
        b[at] = v;
        return b;
    };
    const std::vector<uint8_t> empty = FontRecord({});
    const struct {
        std::vector<uint8_t> bytes;
        const char* cause;
    } rows[] = {
        {FontRecord({FaceRecord(65, 1), FaceRecord(-1, 1)}), "C_Font::LoadFromStream{charCode}"},
        {FontRecord({FaceRecord(65, 1), FaceRecord(0x110000, 1)}), "C_Font::LoadFromStream{charCode}"},
        {FontRecord({FaceRecord(65, 1), FaceRecord(0x7FFFFFFF, 1)}), "C_Font::LoadFromStream{charCode}"},
        {changed(good, 0, 0x45), "C_Font::LoadFromStream{class_type}"},
        {changed(good, faceAt, 0x44), "C_BitmapFace::LoadFromStream{class_type}"},
        {changed(good, faceAt + 6, 0x43), "C_BitmapGlyph::LoadFromStream{class_type}"},
        // 2^28 faces of at least 10 bytes; two pages of at least 3 bytes, none present.
        {changed(empty, empty.size() - 5, 0x10), "C_Font::LoadFromStream{faceCount}"},
        {changed(empty, empty.size() - 4, 2), "C_Font::LoadFromStream{pageCount}"},
    };
    const uint32_t before = Sys_Status.memoryInUse;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.cause);
        C_Font font;
        font.AddFace(1);
        EXPECT_FALSE(LoadBytes(font, r.bytes));
        EXPECT_STREQ(Err_GetCause().message, r.cause);
        EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
        EXPECT_TRUE(IsEmpty(font));
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);
    // So does a record cut short at any byte.
    auto source = MakeGridFont();
    source->name = "grid";
    const std::vector<uint8_t> bytes = SaveBytes(*source);
    C_Font font;
    for (size_t n = 0; n < bytes.size(); ++n) {
        ASSERT_FALSE(LoadBytes(font, bytes, n)) << n;
        ASSERT_TRUE(IsEmpty(font)) << n;
        ASSERT_EQ(Sys_Status.errorCode, ERR_FATAL) << n;
    }
    EXPECT_TRUE(LoadBytes(font, bytes));
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
