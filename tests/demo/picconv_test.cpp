// The picture converter as a user runs it.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "softblit/image/format.h"
#include "softblit/image/image.h"
#include "softblit/surface/surface.h"

namespace {

struct Outcome {
    int status;
    std::string err;
};

Outcome Convert(const std::string& dir, const std::string& args) {
    const std::string err = dir + "/err.txt";
    const int raw = std::system(("cd '" + dir + "' && timeout 20 " PICCONV_PATH " " + args + " >/dev/null 2>'" + err + "'").c_str());
    std::ifstream in(err);
    std::stringstream ss;
    ss << in.rdbuf();
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ss.str()};
}

class PicConv : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override {
        char name[] = "/tmp/picconv-test-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
};

TEST_F(PicConv, KeyColourAlphaSurvivesPngAndSurface) {
    // A 5 x 3 picture: magenta key pixels on the diagonal, grey elsewhere.
    C_Image image;
    ASSERT_TRUE(image.CreateEmpty(5, 3, GFX_FMT_R8G8B8, GFX_FMT_NONE));
    for (uint32_t y = 0; y < 3; ++y)
        for (uint32_t x = 0; x < 5; ++x) {
            uint8_t* p = image.data + y * image.pitch + x * 3;
            const bool key = x == y;
            p[0] = key ? 255 : static_cast<uint8_t>(10 * x);  // blue
            p[1] = key ? 0 : static_cast<uint8_t>(20 * y);    // green
            p[2] = key ? 255 : 77;                           // red
        }
    ASSERT_TRUE(image.SaveToFile((dir + "/in.img").c_str(), 0));
    ASSERT_EQ(Convert(dir, "in.img keyed.png --key FF00FF").status, 0);
    // PNG with alpha back into a surface with both planes.
    ASSERT_EQ(Convert(dir, "keyed.png out.srf --alpha").status, 0);
    C_Surface surface;
    ASSERT_TRUE(surface.LoadFromFile((dir + "/out.srf").c_str(), 0));
    const C_Image* colour = surface.GetPlaneImage(GFX_PLANE_COLOR);
    const C_Image* alpha = surface.GetPlaneImage(GFX_PLANE_ALPHA);
    ASSERT_NE(colour, nullptr);
    ASSERT_NE(alpha, nullptr);
    ASSERT_EQ(alpha->format, GFX_FMT_L8);
    for (uint32_t y = 0; y < 3; ++y)
        for (uint32_t x = 0; x < 5; ++x) {
            EXPECT_EQ(alpha->data[y * alpha->pitch + x], x == y ? 0 : 255) << x << "," << y;
            EXPECT_EQ(0, std::memcmp(colour->data + y * colour->pitch + x * 3, image.data + y * image.pitch + x * 3, 3));
        }
}

TEST_F(PicConv, BadInputIsOneLineAndNonZero) {
    std::ofstream(dir + "/junk.png") << "not a picture at all";
    std::ofstream(dir + "/junk.tga") << "x";
    for (const char* args : {"junk.png out.srf", "junk.tga out.png", "missing.bmp out.img", "junk.png out.gif",
                             "junk.png out.srf --key 12345"}) {
        const Outcome o = Convert(dir, args);
        EXPECT_NE(o.status, 0) << args;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << args << ": " << o.err;
        EXPECT_EQ(o.err.rfind("picconv: ", 0), 0u) << o.err;
    }
}

}  // namespace
