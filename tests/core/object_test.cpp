#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "softblit/core/object.h"
#include "softblit/core/record.h"
#include "softblit/core/status.h"
#include "softblit/core/stream.h"
#include "softblit/core/string.h"

namespace {

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("softblit_core_") + name)).string();
}

// A storable class with a plain field and a member object, to see how
// failures of each travel outwards.
class C_Labelled : public C_Object {
public:
    int32_t value = 0;
    C_String label;
    bool LoadFromStream(C_Stream* stream, uint32_t flags) override {
        if (!Record_ReadTag(stream, 200, "C_Labelled")) return false;
        int32_t loaded;
        if (!Record_Read(stream, loaded)) return Record_Truncated("C_Labelled");
        if (!label.LoadFromStream(stream, flags)) return Record_MemberFailed("C_Labelled", true);
        value = loaded;
        return true;
    }
    bool SaveToStream(C_Stream* stream, uint32_t flags) override {
        Record_WriteTag(stream, 200);
        Record_Write(stream, value);
        return label.SaveToStream(stream, flags);
    }
};

}  // namespace

TEST(Object, DefaultsTransferNothing) {
    C_Object object;
    EXPECT_EQ(object.GetClassType(), 4u);
    C_Stream stream;
    stream.OpenMemoryForWrite();
    EXPECT_TRUE(object.SaveToStream(&stream, 0));
    EXPECT_TRUE(object.LoadFromStream(&stream, 0));
    EXPECT_EQ(stream.size, 0u);
    EXPECT_FALSE(object.LoadFromStream(nullptr, 0));
}

TEST(Object, FilesRoundTripAndReportWhyTheyFail) {
    C_Labelled saved;
    saved.value = -123456;
    saved.label = "face.img";
    std::string path = TempPath("labelled.bin");
    ASSERT_TRUE(static_cast<C_Object&>(saved).SaveToFile(path.c_str(), 0));
    C_Labelled loaded;
    ASSERT_TRUE(static_cast<C_Object&>(loaded).LoadFromFile(path.c_str(), 0));
    EXPECT_EQ(loaded.value, -123456);
    EXPECT_TRUE(loaded.label == "face.img");

    EXPECT_FALSE(loaded.LoadFromFile("/nonexistent/softblit/missing.bin", 0));
    EXPECT_EQ(Sys_Status.errorCode, -1);
    EXPECT_EQ(Err_GetCause().code, 11);
    EXPECT_STREQ(Err_GetCause().message, "C_Object::LoadFromFile(/nonexistent/softblit/missing.bin)");
    EXPECT_FALSE(loaded.SaveToFile("/nonexistent/softblit/out.bin", 0));
    EXPECT_EQ(Err_GetCause().code, 12);

    ASSERT_TRUE(C_String("x").SaveToFile(path.c_str(), 0));  // another class's record
    EXPECT_FALSE(loaded.LoadFromFile(path.c_str(), 0));
    EXPECT_EQ(loaded.value, -123456);
    EXPECT_STREQ(Err_GetCause().message, "C_Labelled::LoadFromStream{class_type}");
}

TEST(Object, EveryTruncationOfARecordFails) {
    C_Labelled saved;
    saved.value = 77;
    saved.label = "abc";
    C_Stream out;
    out.OpenMemoryForWrite();
    ASSERT_TRUE(saved.SaveToStream(&out, 0));
    for (uint32_t cut = 0; cut < out.size; ++cut) {
        C_Stream in;
        in.OpenMemoryForRead(out.buffer, cut);
        C_Labelled loaded;
        loaded.value = 1;
        EXPECT_FALSE(loaded.LoadFromStream(&in, 0)) << cut;
        EXPECT_EQ(loaded.value, 1) << cut;
        EXPECT_EQ(Err_GetCause().code, 10) << cut;
        EXPECT_EQ(Sys_Status.errorCode, -1) << cut;
    }
}
