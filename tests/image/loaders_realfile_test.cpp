// Files written by the netpbm and ImageMagick command-line tools, generated at
// test time from pictures the test itself makes, must load to exactly the
// picture that was encoded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "image/loaders_files.h"
#include "softblit/core/string.h"
#include "softblit/image/image.h"

using namespace loader_test;

namespace {

enum class Source { Ppm, Pgm, Pam };

struct Picture {
    uint32_t width;
    uint32_t height;
    std::vector<uint32_t> argb;
};

// A picture of `colours` distinct colours (0: any colour); grey pictures use
// only levels, alpha pictures random alpha. The few-colour pictures take their
// colours from a coarse grid, far enough apart that an encoder's colour
// reduction keeps each of them exactly.
Picture MakePicture(uint32_t width, uint32_t height, uint32_t colours, Source source, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> palette;
    auto any = [&]() {
        uint32_t c = random();
        if (source == Source::Pgm) c = (c & 0xFF) * 0x010101;
        if (source != Source::Pam) c |= 0xFF000000;
        return c;
    };
    for (uint32_t i = 0; i < colours; ++i) {
        uint32_t c;
        do c = 0xFF000000 | (random() % 6 * 51) << 16 | (random() % 6 * 51) << 8 | random() % 6 * 51;
        while (std::find(palette.begin(), palette.end(), c) != palette.end());
        palette.push_back(c);
    }
    Picture p{width, height, {}};
    for (uint32_t i = 0; i < width * height; ++i) p.argb.push_back(colours ? palette[random() % colours] : any());
    return p;
}

bool WritePicture(const Picture& p, Source source, const std::string& path) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    if (source == Source::Pam) {
        fprintf(f, "P7\nWIDTH %u\nHEIGHT %u\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", p.width, p.height);
    } else {
        fprintf(f, "%s\n%u %u\n255\n", source == Source::Pgm ? "P5" : "P6", p.width, p.height);
    }
    for (uint32_t c : p.argb) {  // red, green, blue, alpha; a grey level is its blue
        const uint8_t sample[4] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)};
        const bool grey = source == Source::Pgm;
        fwrite(grey ? sample + 2 : sample, 1, grey ? 1 : source == Source::Pam ? 4 : 3, f);
    }
    return fclose(f) == 0;
}

bool HaveTools(const char* names) {
    std::string command = std::string("command -v ") + names + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

struct Variant {
    const char* command;  // {in} and {out} stand for the file names
    const char* extension;
    Source source;
    uint32_t colours;
    int32_t format;  // what the loader should make of it
    bool keepsAlpha;
};

const uint32_t kSizes[][2] = {{1, 1}, {37, 23}, {255, 3}, {3, 61}};

class RealFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/softblit-realfiles-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

    void Check(const Variant& v) {
        uint32_t seed = 1;
        for (const auto& size : kSizes) {
            SCOPED_TRACE(std::string(v.command) + " at " + std::to_string(size[0]) + " x " + std::to_string(size[1]));
            const Picture picture = MakePicture(size[0], size[1], v.colours, v.source, seed++);
            const char* inExt = v.source == Source::Pam ? ".pam" : v.source == Source::Pgm ? ".pgm" : ".ppm";
            const std::string in = dir_ + "/picture" + inExt;
            const std::string out = dir_ + "/encoded." + v.extension;
            ASSERT_TRUE(WritePicture(picture, v.source, in));
            std::string command = v.command;
            command.replace(command.find("{in}"), 4, "'" + in + "'");
            command.replace(command.find("{out}"), 5, "'" + out + "'");
            command += " 2>/dev/null";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;

            C_Image image;
            ASSERT_TRUE(image.Load_Format_FromFile(C_String(out.c_str()))) << Err_GetCause().message;
            EXPECT_EQ(image.format, v.format);
            ASSERT_TRUE(image.width == picture.width && image.height == picture.height);
            ASSERT_EQ(image.pitch, image.rowBytes);
            for (uint32_t y = 0; y < picture.height; ++y) {
                for (uint32_t x = 0; x < picture.width; ++x) {
                    uint32_t expected = picture.argb[y * picture.width + x];
                    if (!v.keepsAlpha) expected |= 0xFF000000;
                    uint32_t actual = PixelArgb(image, x, y);
                    ASSERT_EQ(actual, expected) << "pixel (" << x << ", " << y << ") " << std::hex << actual
                                                << " instead of " << expected;
                }
            }
        }
    }

    std::string dir_;
};

}  // namespace

TEST_F(RealFiles, NetpbmFilesLoadToTheEncodedPicture) {
    if (!HaveTools("ppmtobmp ppmtotga ppmtopcx"))
        GTEST_SKIP() << "netpbm is not installed (apt-get install netpbm): its BMP, TGA and PCX files are not tested";
    const Variant variants[] = {
        {"ppmtobmp -bpp 1 {in} > {out}", "bmp", Source::Ppm, 2, GFX_FMT_PAL8, false},
        {"ppmtobmp -bpp 4 {in} > {out}", "bmp", Source::Ppm, 16, GFX_FMT_PAL8, false},
        {"ppmtobmp -bpp 8 {in} > {out}", "bmp", Source::Ppm, 200, GFX_FMT_PAL8, false},
        {"ppmtobmp -bpp 24 {in} > {out}", "bmp", Source::Ppm, 0, GFX_FMT_R8G8B8, false},
        {"ppmtotga -rgb {in} > {out}", "tga", Source::Ppm, 0, GFX_FMT_R8G8B8, false},
        {"ppmtotga -rgb -norle {in} > {out}", "tga", Source::Ppm, 0, GFX_FMT_R8G8B8, false},
        {"ppmtotga -cmap {in} > {out}", "tga", Source::Ppm, 200, GFX_FMT_PAL8, false},
        {"ppmtotga -cmap -norle {in} > {out}", "tga", Source::Ppm, 200, GFX_FMT_PAL8, false},
        {"ppmtotga -mono {in} > {out}", "tga", Source::Pgm, 0, GFX_FMT_L8, false},
        {"ppmtotga -mono -norle {in} > {out}", "tga", Source::Pgm, 0, GFX_FMT_L8, false},
        {"ppmtopcx -8bit {in} > {out}", "pcx", Source::Ppm, 200, GFX_FMT_PAL8, false},
        {"ppmtopcx -24bit {in} > {out}", "pcx", Source::Ppm, 0, GFX_FMT_R8G8B8, false},
        {"ppmtopcx {in} > {out}", "pcx", Source::Ppm, 16, GFX_FMT_PAL8, false},  // four planes of one bit
        {"ppmtopcx -packed {in} > {out}", "pcx", Source::Ppm, 16, GFX_FMT_PAL8, false},
        {"ppmtopcx {in} > {out}", "pcx", Source::Ppm, 2, GFX_FMT_PAL8, false},  // monochrome
    };
    for (const Variant& v : variants) Check(v);
}

TEST_F(RealFiles, ImageMagickFilesLoadToTheEncodedPicture) {
    if (!HaveTools("convert"))
        GTEST_SKIP() << "ImageMagick is not installed (apt-get install imagemagick): its BMP and PCX files are not "
                        "tested";
    const Variant variants[] = {
        {"convert {in} -type TrueColor BMP3:{out}", "bmp", Source::Ppm, 0, GFX_FMT_R8G8B8, false},
        {"convert {in} -type TrueColor BMP:{out}", "bmp", Source::Ppm, 0, GFX_FMT_R8G8B8, false},
        {"convert {in} +dither -type Palette BMP3:{out}", "bmp", Source::Ppm, 200, GFX_FMT_PAL8, false},
        {"convert {in} +dither -type Palette BMP:{out}", "bmp", Source::Ppm, 200, GFX_FMT_PAL8, false},
        {"convert {in} +dither -type Palette BMP3:{out}", "bmp", Source::Ppm, 16, GFX_FMT_PAL8, false},
        {"convert {in} +dither -type Palette BMP:{out}", "bmp", Source::Ppm, 2, GFX_FMT_PAL8, false},
        {"convert {in} -type TrueColorAlpha BMP:{out}", "bmp", Source::Pam, 0, GFX_FMT_A8R8G8B8, true},
        // The older form has no alpha: the colours stay, the alpha goes.
        {"convert {in} -type TrueColorAlpha BMP3:{out}", "bmp", Source::Pam, 0, GFX_FMT_R8G8B8, false},
        {"convert {in} -type TrueColor PCX:{out}", "pcx", Source::Ppm, 0, GFX_FMT_R8G8B8, false},
        {"convert {in} +dither -type Palette PCX:{out}", "pcx", Source::Ppm, 200, GFX_FMT_PAL8, false},
    };
    for (const Variant& v : variants) Check(v);
}
