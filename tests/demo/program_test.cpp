// The programs as a user starts them: failures end in one line on stderr and
// status 1; the headless mode writes the same files from both programs.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "softblit/image/format.h"
#include "softblit/image/image.h"

namespace {

const char* const kDataFiles[] = {"font01.uft", "font02.uft", "font03.uft", "face.img", "data01.srf",
                                  "data02.srf", "data03.srf", "data04.srf", "data05.srf"};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct Result {
    int status = -1;
    std::string out, err;
    double seconds = 0;
};

// Runs `command` under timeout with message boxes off, from `folder`.
Result RunIn(const std::string& folder, const std::string& command) {
    const std::string out = folder + "/stdout.txt", err = folder + "/stderr.txt";
    const std::string line = "cd '" + folder + "' && SOFTBLIT_NO_DIALOGS=1 timeout 20 " + command + " >'" + out +
                             "' 2>'" + err + "'";
    const auto start = std::chrono::steady_clock::now();
    const int raw = std::system(line.c_str());
    Result r;
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFile(out);
    r.err = ReadFile(err);
    return r;
}

class DemoProgram : public ::testing::Test {
protected:
    std::string dir;

    void SetUp() override {
        char name[] = "/tmp/blitdemo-test-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        for (const char* f : kDataFiles) WriteFile(dir + "/" + f, ReadFile(std::string(DEMO_DATA_DIR) + "/" + f));
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

    Result Headless(const char* program = BLITDEMO_WINDOWED_PATH, const std::string& extra = "") {
        return RunIn(dir, std::string(program) + " --headless --effect 3 --out . " + extra);
    }
    // One line on stderr that starts with `prefix`, nothing on stdout, status 1.
    static void ExpectOneLineFailure(const Result& r, const std::string& prefix) {
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(r.err.compare(0, prefix.size(), prefix), 0) << r.err;
    }
};

TEST_F(DemoProgram, MissingTruncatedAndWrongKindFilesEndInOneLine) {
    const std::string face = ReadFile(dir + "/face.img");
    std::remove((dir + "/face.img").c_str());
    ExpectOneLineFailure(Headless(), "blitdemo-windowed: cannot load face.img: ");

    WriteFile(dir + "/face.img", face.substr(0, face.size() / 2));
    ExpectOneLineFailure(Headless(), "blitdemo-windowed: cannot load face.img: ");

    // A surface record where an image belongs.
    WriteFile(dir + "/face.img", ReadFile(dir + "/data01.srf"));
    ExpectOneLineFailure(Headless(), "blitdemo-windowed: cannot load face.img: ");

    // A sound image of the wrong depth would be read past its end.
    C_Image wide;
    ASSERT_TRUE(wide.CreateEmpty(512, 384, GFX_FMT_A8R8G8B8, GFX_FMT_NONE));
    for (uint32_t i = 0; i < wide.dataSize; ++i) wide.data[i] = static_cast<uint8_t>(i);
    ASSERT_TRUE(wide.SaveToFile((dir + "/face.img").c_str(), 0));
    ExpectOneLineFailure(Headless(), "blitdemo-windowed: cannot load face.img: ");

    // A relit plane of another size would shear the picture.
    WriteFile(dir + "/face.img", face);
    C_Image small;
    ASSERT_TRUE(small.CreateEmpty(64, 64, GFX_FMT_R8G8B8, GFX_FMT_NONE));
    ASSERT_TRUE(small.SaveToFile((dir + "/face.img").c_str(), 0));
    ExpectOneLineFailure(Headless(), "blitdemo-windowed: cannot load data03.srf: ");

    WriteFile(dir + "/face.img", face);
    std::remove((dir + "/font02.uft").c_str());
    ExpectOneLineFailure(Headless(BLITDEMO_PATH), "blitdemo: cannot load font02.uft: ");
}

TEST_F(DemoProgram, BadCommandLinesAreRefused) {
    Result r = Headless(BLITDEMO_WINDOWED_PATH, "--effect 7");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    r = RunIn(dir, std::string(BLITDEMO_WINDOWED_PATH) + " --bogus");
    EXPECT_EQ(r.status, 2);
}

TEST_F(DemoProgram, NoDisplayIsOneLineAndStatusOne) {
    Result r = RunIn(dir, "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " +
                              std::string(BLITDEMO_WINDOWED_PATH));
    EXPECT_NE(r.status, 0);
    EXPECT_LT(r.seconds, 5.0);
    ExpectOneLineFailure(r, "blitdemo-windowed: cannot open the window: ");
}

TEST_F(DemoProgram, BothProgramsWriteTheSameFrames) {
    const std::string args = "--headless --effect all --frames 2 --time 4.5 --step 0.25 --fps 61.5 --angle 33";
    mkdir((dir + "/a").c_str(), 0700);
    mkdir((dir + "/b").c_str(), 0700);
    const Result a = RunIn(dir, std::string(BLITDEMO_WINDOWED_PATH) + " " + args + " --out a");
    const Result b = RunIn(dir, std::string(BLITDEMO_PATH) + " " + args + " --out b");
    ASSERT_EQ(a.status, 0) << a.err;
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_EQ(a.out.substr(0, 2), "a/");
    int files = 0;
    for (int effect = 0; effect < 5; ++effect)
        for (int k = 0; k < 2; ++k, ++files) {
            char name[32];
            std::snprintf(name, sizeof(name), "/effect%d-%04d.png", effect, k);
            const std::string fa = ReadFile(dir + "/a" + name), fb = ReadFile(dir + "/b" + name);
            ASSERT_GT(fa.size(), 1000u) << name;
            EXPECT_EQ(fa.substr(1, 3), "PNG");
            EXPECT_TRUE(fa == fb) << name << " differs between the programs";
        }
    EXPECT_EQ(std::count(a.out.begin(), a.out.end(), '\n'), files);
}

}  // namespace
