// Loading from files: the choice by extension, a missing file, and the files
// that the netpbm and ImageMagick tools write, generated at test time from
// pictures the test itself makes, each loading to exactly the encoded picture.
#include <fstream>
#include <string>

#include "image_test_util.h"
#include "softblit/core/string.h"

namespace {

struct Variant {
    const char* command;  // run as "<command> < picture > encoded.<extension>"
    const char* extension;
    uint32_t colours;  // 0: any colour
    int32_t format;    // what the loader makes of it; only A8R8G8B8 keeps the alpha
};

// Each test works in a fresh folder, removed afterwards.
class LoadFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(mkdtemp(&dir_[0]), nullptr); }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }
    std::string Write(const std::string& name, const Bytes& bytes) {  // returns the file's path
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path;
    }
    std::string dir_ = "/tmp/softblit-image-XXXXXX";

    void Check(const Variant& v) {
        std::mt19937 random(1);
        for (const auto& size : {std::make_pair(1u, 1u), {37u, 23u}, {255u, 3u}, {3u, 61u}}) {
            const uint32_t w = size.first, h = size.second;
            SCOPED_TRACE(std::string(v.command) + " at " + std::to_string(w) + " x " + std::to_string(h));
            std::vector<uint32_t> picture;  // 0xAARRGGBB
            const char* pam = "P7\nWIDTH %u\nHEIGHT %u\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
            const bool alpha = v.format == GFX_FMT_A8R8G8B8, grey = v.format == GFX_FMT_L8;
            const char* header = alpha ? pam : grey ? "P5\n%u %u\n255\n" : "P6\n%u %u\n255\n";
            char text[96];
            Bytes file(text, text + std::snprintf(text, sizeof text, header, w, h));
            for (uint32_t i = 0; i < w * h; ++i) {
                uint32_t c = uint32_t(random());
                if (v.colours) {  // on a 6 x 6 x 6 grid, far enough apart that colour reduction keeps them
                    const uint32_t k = c % v.colours * 216 / v.colours;
                    c = 0xFF000000 | k / 36 * 0x330000 | k / 6 % 6 * 0x3300 | k % 6 * 0x33;
                }
                if (grey) c = (c & 0xFF) * 0x010101;
                picture.push_back(alpha ? c : c | 0xFF000000);
                const uint8_t sample[4] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)};
                file.insert(file.end(), sample + (grey ? 2 : 0), sample + (alpha ? 4 : 3));
            }
            const std::string in = Write("picture", file), out = dir_ + "/encoded." + v.extension;
            const std::string command = std::string(v.command) + " < '" + in + "' > '" + out + "' 2>/dev/null";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            C_Image image;
            ASSERT_TRUE(image.Load_Format_FromFile(C_String(out.c_str()))) << Err_GetCause().message;
            ASSERT_TRUE(image.pitch == image.rowBytes && image.height == h);
            EXPECT_TRUE(Shows(image, v.format, w, picture));
        }
    }
};

}  // namespace

TEST_F(LoadFiles, TheExtensionChoosesTheLoaderAndAMissingFileFails) {
    TgaLayout grey;
    grey.imageType = 3, grey.bitCount = 8;
    PcxLayout pcx;
    pcx.planes = 3;
    const struct {
        const char* name;
        Bytes file;
        uint32_t want;  // 0: the load fails
    } cases[] = {
        {"lower.bmp", MakeBmp(BmpLayout(), {1, 2, 3, 0}), 0xFF030201},
        {"UPPER.BMP", MakeBmp(BmpLayout(), {1, 2, 3, 0}), 0xFF030201},
        {"mixed.Pcx", MakePcx(pcx, {1, 0, 2, 0, 3, 0}), 0xFF010203},
        {"some.dir.tga", MakeTga(grey, {7}), 0xFF070707},
        {"really-a-tga.bmp", MakeTga(grey, {7}), 0},
    };
    for (const auto& c : cases) {
        C_Image image;
        EXPECT_EQ(image.Load_Format_FromFile(C_String(Write(c.name, c.file).c_str())), c.want != 0) << c.name;
        EXPECT_TRUE(c.want ? Shows(image, image.format, 1, {c.want}) : FailedWith(10, "C_Image::LoadBMP(stream)"));
    }
    C_Image image;
    for (const char* name : {"anim.gif", "noextension"}) {
        EXPECT_FALSE(image.Load_Format_FromFile(C_String(name)));
        EXPECT_STREQ(Err_GetCause().message, "C_Image::Load_Format_FromFile>>>Unknown image file format");
    }
    // A missing file reports error 11 with its name.
    const std::string path = dir_ + "/missing";
    const std::pair<bool (C_Image::*)(const C_String&), std::string> loaders[] = {
        {&C_Image::LoadBMP, "BMP"}, {&C_Image::LoadPCX, "PCX"}, {&C_Image::LoadTGA, "TGA"}};
    for (const auto& c : loaders) {
        EXPECT_FALSE((image.*c.first)(C_String(path.c_str())));
        EXPECT_TRUE(FailedWith(ERR_OPEN_READ, ("C_Image::Load" + c.second + "(" + path + ")").c_str()));
        EXPECT_TRUE(IsReset(image));
    }
    for (const char* extension : {".bmp", ".pcx", ".tga"}) {
        EXPECT_FALSE(image.Load_Format_FromFile(C_String((path + extension).c_str())));
        EXPECT_EQ(Err_GetCause().code, ERR_OPEN_READ) << extension;
    }
    EXPECT_FALSE(image.LoadFromFile((path + ".img").c_str(), 0));  // the record
    EXPECT_TRUE(FailedWith(ERR_OPEN_READ, ("C_Object::LoadFromFile(" + path + ".img)").c_str()));
}

TEST_F(LoadFiles, NetpbmAndImageMagickFilesLoadToTheEncodedPicture) {
    const Variant variants[] = {
        {"ppmtobmp -bpp 1", "bmp", 2, GFX_FMT_PAL8},          {"ppmtobmp -bpp 4", "bmp", 16, GFX_FMT_PAL8},
        {"ppmtobmp -bpp 8", "bmp", 200, GFX_FMT_PAL8},        {"ppmtobmp -bpp 24", "bmp", 0, GFX_FMT_R8G8B8},
        {"ppmtotga -rgb", "tga", 0, GFX_FMT_R8G8B8},          {"ppmtotga -cmap -norle", "tga", 200, GFX_FMT_PAL8},
        {"ppmtotga -cmap", "tga", 200, GFX_FMT_PAL8},         {"ppmtotga -mono -norle", "tga", 0, GFX_FMT_L8},
        {"ppmtopcx -8bit", "pcx", 200, GFX_FMT_PAL8},         {"ppmtopcx -24bit", "pcx", 0, GFX_FMT_R8G8B8},
        // ppmtopcx writes 16 colours as four planes of one bit, and 2 as one bit.
        {"ppmtopcx", "pcx", 16, GFX_FMT_PAL8},                {"ppmtopcx", "pcx", 2, GFX_FMT_PAL8},
        {"convert - -type TrueColor BMP3:-", "bmp", 0, GFX_FMT_R8G8B8},
        {"convert - +dither -type Palette BMP:-", "bmp", 200, GFX_FMT_PAL8},
        {"convert - -type TrueColorAlpha BMP:-", "bmp", 0, GFX_FMT_A8R8G8B8},
        {"convert - -type TrueColor PCX:-", "pcx", 0, GFX_FMT_R8G8B8},
        {"convert - +dither -type Palette PCX:-", "pcx", 200, GFX_FMT_PAL8},
    };
    std::string missing;
    for (const Variant& v : variants) {
        const std::string tool = std::string(v.command).substr(0, std::string(v.command).find(' '));
        if (std::system(("command -v " + tool + " >/dev/null").c_str()) == 0) Check(v);
        else if (missing.find(tool) == std::string::npos) missing += " " + tool;
    }
    if (!missing.empty()) GTEST_SKIP() << "not installed (apt-get install netpbm imagemagick):" << missing;
}
