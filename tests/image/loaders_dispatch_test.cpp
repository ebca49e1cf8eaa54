// Loading from files: the choice by extension, missing files, memory, and
// streams left right after each image.
#include <gtest/gtest.h>

#include <cstdio>

#include "image_test_util.h"
#include "softblit/core/string.h"

using namespace image_test;

namespace {

class LoaderFiles : public TempFolder {
protected:
    C_String Write(const std::string& name, const Bytes& bytes) {
        const std::string path = dir_ + "/" + name;
        FILE* f = fopen(path.c_str(), "wb");
        EXPECT_TRUE(f && fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
        if (f) fclose(f);
        return C_String(path.c_str());
    }
};

Bytes Grey(uint8_t level) {
    TgaLayout s;
    s.imageType = 3, s.bitCount = 8;
    return MakeTga(s, {level});
}

}  // namespace

TEST_F(LoaderFiles, TheExtensionChoosesTheLoaderInAnyCase) {
    PcxLayout pcx;
    pcx.planes = 3;
    C_Image image;
    ASSERT_TRUE(image.Load_Format_FromFile(Write("lower.bmp", MakeBmp(BmpLayout(), {1, 2, 3, 0}))));
    EXPECT_EQ(PixelArgb(image, 0, 0), 0xFF030201u);
    ASSERT_TRUE(image.Load_Format_FromFile(Write("UPPER.BMP", MakeBmp(BmpLayout(), {1, 2, 3, 0}))));
    ASSERT_TRUE(image.Load_Format_FromFile(Write("mixed.Pcx", MakePcx(pcx, {1, 0, 2, 0, 3, 0}))));
    EXPECT_EQ(PixelArgb(image, 0, 0), 0xFF010203u);
    ASSERT_TRUE(image.Load_Format_FromFile(Write("some.dir.tga", Grey(7))));
    EXPECT_EQ(image.data[0], 7);

    EXPECT_FALSE(image.Load_Format_FromFile(Write("really-a-tga.bmp", Grey(1))));
    EXPECT_STREQ(Err_GetCause().message, "C_Image::LoadBMP(stream)");
    EXPECT_TRUE(IsReset(image));

    ClearErrors();
    EXPECT_FALSE(image.Load_Format_FromFile(C_String("photo.jpeg")));
    EXPECT_FALSE(image.Load_Format_FromFile(C_String("photo.JPG")));
    EXPECT_EQ(Sys_Status.errorCode, 0);
    for (const char* name : {"anim.gif", "noextension", "trailing."}) {
        EXPECT_FALSE(image.Load_Format_FromFile(C_String(name)));
        EXPECT_EQ(Sys_Status.errorCode, ERR_FATAL);
        EXPECT_STREQ(Err_GetCause().message, "C_Image::Load_Format_FromFile>>>Unknown image file format");
    }
}

TEST_F(LoaderFiles, AMissingFileReportsErrorElevenWithItsName) {
    const std::string path = dir_ + "/missing";
    const std::pair<bool (C_Image::*)(const C_String&), std::string> cases[] = {
        {&C_Image::LoadBMP, "BMP"}, {&C_Image::LoadPCX, "PCX"}, {&C_Image::LoadTGA, "TGA"}};
    for (const auto& c : cases) {
        C_Image image;
        ASSERT_TRUE(image.LoadTGA(Write("ok.tga", Grey(1))));
        EXPECT_FALSE((image.*c.first)(C_String(path.c_str())));
        EXPECT_TRUE(FailedWith(ERR_OPEN_READ, ("C_Image::Load" + c.second + "(" + path + ")").c_str()));
        EXPECT_TRUE(IsReset(image));
    }
}

TEST_F(LoaderFiles, TheFileNameConstructorLoadsOrStaysReset) {
    const uint32_t before = Sys_Status.memoryInUse;
    {
        C_Image image(Write("c.tga", Grey(3)));
        EXPECT_EQ(image.format, GFX_FMT_L8);
        C_Image missing(C_String((dir_ + "/none.tga").c_str()));
        EXPECT_TRUE(IsReset(missing));
    }
    EXPECT_EQ(Sys_Status.memoryInUse, before);
}

TEST_F(LoaderFiles, LoadersFreeWhatTheImageHeldAndLeaveNothingAfterAFailure) {
    C_Image image;
    const uint32_t empty = Sys_Status.memoryInUse;
    ASSERT_TRUE(image.CreateEmpty(64, 64, GFX_FMT_PAL8, GFX_FMT_R8G8B8));
    BmpLayout layout;
    layout.bitCount = 8, layout.palette = {0x123456};
    const Bytes bmp = MakeBmp(layout, {0, 0, 0, 0});
    ASSERT_TRUE(LoadBytes(image, Loader::Bmp, bmp));
    EXPECT_EQ(Sys_Status.memoryInUse, empty + 1 + 768);
    const Bytes broken(bmp.begin(), bmp.end() - 4);
    EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Bmp, broken));
    EXPECT_EQ(Sys_Status.memoryInUse, empty);

    uint32_t frame[4] = {};  // a locked buffer is never freed by a loader
    ASSERT_TRUE(image.CreateLocked(2, 2, 8, GFX_FMT_A8R8G8B8, GFX_FMT_NONE, frame));
    EXPECT_TRUE(LoadFailsAsBadFile(image, Loader::Tga, broken));
    ASSERT_TRUE(LoadBytes(image, Loader::Tga, Grey(3)));
    EXPECT_EQ(Sys_Status.memoryInUse, empty + 1);
}

// The loaders read ahead; what they did not use goes back to the stream,
// memory or file, so that a second image follows.
TEST_F(LoaderFiles, StreamsStopRightAfterEachImage) {
    TgaLayout packed;
    packed.imageType = 11, packed.bitCount = 8, packed.width = 2;
    Bytes both = MakeTga(packed, {0x81, 4});
    Append(both, Grey(5));
    for (bool file : {false, true}) {
        C_Stream stream;
        if (file) {
            ASSERT_TRUE(stream.OpenFileForRead(Write("two.tga", both).GetText()));
        } else {
            stream.OpenMemoryForRead(both.data(), uint32_t(both.size()));
        }
        C_Image a, b;
        ASSERT_TRUE(a.LoadTGA(&stream));
        ASSERT_TRUE(b.LoadTGA(&stream)) << file;
        EXPECT_EQ(a.data[1] * 10 + b.data[0], 45);
        stream.Close();
    }
}
