// Files written by the netpbm and ImageMagick command-line tools, generated at
// test time from pictures the test itself makes, must load to exactly the
// picture that was encoded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "image_test_util.h"
#include "softblit/core/string.h"

using namespace image_test;

namespace {

enum class Source { Ppm, Pgm, Pam };

// A picture of `colours` distinct colours (0: any colour), as 0xAARRGGBB;
// grey pictures use only levels, alpha pictures random alpha. The few-colour
// pictures take their colours from a coarse grid, far enough apart that an
// encoder's colour reduction keeps each of them exactly.
std::vector<uint32_t> MakePicture(uint32_t pixels, uint32_t colours, Source source, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> palette, picture;
    for (uint32_t i = 0; i < colours; ++i) {
        uint32_t c;
        do c = 0xFF000000 | (random() % 6 * 51) << 16 | (random() % 6 * 51) << 8 | random() % 6 * 51;
        while (std::find(palette.begin(), palette.end(), c) != palette.end());
        palette.push_back(c);
    }
    while (picture.size() < pixels) {
        uint32_t c = random();
        if (source == Source::Pgm) c = (c & 0xFF) * 0x010101;
        picture.push_back(colours ? palette[random() % colours] : source == Source::Pam ? c : c | 0xFF000000);
    }
    return picture;
}

bool WritePicture(const std::vector<uint32_t>& picture, uint32_t w, uint32_t h, Source source,
                  const std::string& path) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    if (source == Source::Pam) {
        fprintf(f, "P7\nWIDTH %u\nHEIGHT %u\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", w, h);
    } else {
        fprintf(f, "%s\n%u %u\n255\n", source == Source::Pgm ? "P5" : "P6", w, h);
    }
    for (uint32_t c : picture) {  // red, green, blue, alpha; a grey level is its blue
        const uint8_t sample[4] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)};
        const bool grey = source == Source::Pgm;
        fwrite(grey ? sample + 2 : sample, 1, grey ? 1 : source == Source::Pam ? 4 : 3, f);
    }
    return fclose(f) == 0;
}

struct Variant {
    const char* command;  // {in} and {out} stand for the file names
    const char* extension;
    Source source;
    uint32_t colours;
    int32_t format;  // what the loader should make of it; only A8R8G8B8 keeps the alpha
};

class RealFiles : public TempFolder {
protected:
    void Check(const Variant& v) {
        uint32_t seed = 1;
        for (const auto& size : {std::make_pair(1u, 1u), {37u, 23u}, {255u, 3u}, {3u, 61u}}) {
            const uint32_t w = size.first, h = size.second;
            SCOPED_TRACE(std::string(v.command) + " at " + std::to_string(w) + " x " + std::to_string(h));
            const std::vector<uint32_t> picture = MakePicture(w * h, v.colours, v.source, seed++);
            const std::string in = dir_ + "/picture." + (v.source == Source::Pam   ? "pam"
                                                         : v.source == Source::Pgm ? "pgm"
                                                                                   : "ppm");
            const std::string out = dir_ + "/encoded." + v.extension;
            ASSERT_TRUE(WritePicture(picture, w, h, v.source, in));
            std::string command = v.command;
            command.replace(command.find("{in}"), 4, "'" + in + "'");
            command.replace(command.find("{out}"), 5, "'" + out + "'");
            ASSERT_EQ(std::system((command + " 2>/dev/null").c_str()), 0) << command;

            C_Image image;
            ASSERT_TRUE(image.Load_Format_FromFile(C_String(out.c_str()))) << Err_GetCause().message;
            EXPECT_EQ(image.format, v.format);
            ASSERT_TRUE(image.width == w && image.height == h && image.pitch == image.rowBytes);
            const uint32_t opaque = v.format == GFX_FMT_A8R8G8B8 ? 0 : 0xFF000000;
            for (uint32_t i = 0; i < w * h; ++i)
                ASSERT_EQ(PixelArgb(image, i % w, i / w), picture[i] | opaque) << "pixel " << i % w << ", " << i / w;
        }
    }
};

}  // namespace

TEST_F(RealFiles, NetpbmFilesLoadToTheEncodedPicture) {
    if (std::system("command -v ppmtobmp ppmtotga ppmtopcx >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "netpbm is not installed (apt-get install netpbm): its BMP, TGA and PCX files are not tested";
    const Variant variants[] = {
        {"ppmtobmp -bpp 1 {in} > {out}", "bmp", Source::Ppm, 2, GFX_FMT_PAL8},
        {"ppmtobmp -bpp 4 {in} > {out}", "bmp", Source::Ppm, 16, GFX_FMT_PAL8},
        {"ppmtobmp -bpp 8 {in} > {out}", "bmp", Source::Ppm, 200, GFX_FMT_PAL8},
        {"ppmtobmp -bpp 24 {in} > {out}", "bmp", Source::Ppm, 0, GFX_FMT_R8G8B8},
        {"ppmtotga -rgb {in} > {out}", "tga", Source::Ppm, 0, GFX_FMT_R8G8B8},
        {"ppmtotga -rgb -norle {in} > {out}", "tga", Source::Ppm, 0, GFX_FMT_R8G8B8},
        {"ppmtotga -cmap {in} > {out}", "tga", Source::Ppm, 200, GFX_FMT_PAL8},
        {"ppmtotga -cmap -norle {in} > {out}", "tga", Source::Ppm, 200, GFX_FMT_PAL8},
        {"ppmtotga -mono {in} > {out}", "tga", Source::Pgm, 0, GFX_FMT_L8},
        {"ppmtotga -mono -norle {in} > {out}", "tga", Source::Pgm, 0, GFX_FMT_L8},
        {"ppmtopcx -8bit {in} > {out}", "pcx", Source::Ppm, 200, GFX_FMT_PAL8},
        {"ppmtopcx -24bit {in} > {out}", "pcx", Source::Ppm, 0, GFX_FMT_R8G8B8},
        {"ppmtopcx {in} > {out}", "pcx", Source::Ppm, 16, GFX_FMT_PAL8},  // four planes of one bit
        {"ppmtopcx -packed {in} > {out}", "pcx", Source::Ppm, 16, GFX_FMT_PAL8},
        {"ppmtopcx {in} > {out}", "pcx", Source::Ppm, 2, GFX_FMT_PAL8},  // monochrome
    };
    for (const Variant& v : variants) Check(v);
}

TEST_F(RealFiles, ImageMagickFilesLoadToTheEncodedPicture) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick is not installed (apt-get install imagemagick): its BMP and PCX files are not "
                        "tested";
    const Variant variants[] = {
        {"convert {in} -type TrueColor BMP3:{out}", "bmp", Source::Ppm, 0, GFX_FMT_R8G8B8},
        {"convert {in} -type TrueColor BMP:{out}", "bmp", Source::Ppm, 0, GFX_FMT_R8G8B8},
        {"convert {in} +dither -type Palette BMP3:{out}", "bmp", Source::Ppm, 200, GFX_FMT_PAL8},
        {"convert {in} +dither -type Palette BMP:{out}", "bmp", Source::Ppm, 200, GFX_FMT_PAL8},
        {"convert {in} +dither -type Palette BMP3:{out}", "bmp", Source::Ppm, 16, GFX_FMT_PAL8},
        {"convert {in} +dither -type Palette BMP:{out}", "bmp", Source::Ppm, 2, GFX_FMT_PAL8},
        {"convert {in} -type TrueColorAlpha BMP:{out}", "bmp", Source::Pam, 0, GFX_FMT_A8R8G8B8},
        // The older form has no alpha: the colours stay, the alpha goes.
        {"convert {in} -type TrueColorAlpha BMP3:{out}", "bmp", Source::Pam, 0, GFX_FMT_R8G8B8},
        {"convert {in} -type TrueColor PCX:{out}", "pcx", Source::Ppm, 0, GFX_FMT_R8G8B8},
        {"convert {in} +dither -type Palette PCX:{out}", "pcx", Source::Ppm, 200, GFX_FMT_PAL8},
    };
    for (const Variant& v : variants) Check(v);
}
