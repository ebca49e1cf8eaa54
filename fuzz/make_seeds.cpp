// Writes a small seed corpus for the fuzz targets: one folder per target
// (bmp, pcx, tga, img, srf) under the folder given on the command line, each with
// tiny files of the kinds that the loaders accept.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/sample_files.h"
#include "softblit/core/stream.h"
#include "softblit/image/image.h"
#include "softblit/math/color.h"
#include "softblit/surface/surface.h"

using namespace loader_test;

namespace {

bool Save(const std::string& path, const Bytes& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}


// A blit choice (position, scale, angle, opacity, flags: 24 bytes) and then
// a surface record with a colour plane and, in the second seed, an alpha plane.
std::vector<Bytes> SrfSeeds() {
    std::vector<Bytes> seeds;
    const float choices[2][5] = {{3.5f, -2.0f, 1.0f, 0.0f, 1.0f}, {20.0f, 12.0f, 1.5f, 30.0f, 0.5f}};
    for (int withAlpha = 0; withAlpha < 2; ++withAlpha) {
        C_Image* colour = new C_Image;
        colour->CreateEmpty(7, 5, GFX_FMT_A8R8G8B8, GFX_FMT_NONE);
        colour->Clear(C_Color(0.2f, 0.4f, 0.6f, 1.0f));
        C_Image* alpha = nullptr;
        if (withAlpha) {
            alpha = new C_Image;
            alpha->CreateEmpty(7, 5, GFX_FMT_L8, GFX_FMT_NONE);
            alpha->Clear(C_Color(0.5f, 0.5f, 0.5f, 0.5f));
        }
        C_Surface surface(0, colour, alpha, nullptr, nullptr, nullptr, nullptr);
        C_Stream out;
        out.OpenMemoryForWrite();
        surface.SaveToStream(&out, 0);
        Bytes seed(24, 0);
        memcpy(seed.data(), choices[withAlpha], sizeof choices[withAlpha]);
        seed[20] = withAlpha ? 0x13 : 0x00;
        seed.insert(seed.end(), out.buffer, out.buffer + out.size);
        seeds.push_back(seed);
    }
    return seeds;
}

bool SaveAll(const std::string& dir, const char* name, const std::vector<Bytes>& seeds) {
    std::string folder = dir + "/" + name;
    std::string command = "mkdir -p '" + folder + "'";
    if (std::system(command.c_str()) != 0) return false;
    for (size_t i = 0; i < seeds.size(); ++i) {
        if (!Save(folder + "/seed" + std::to_string(i) + "." + name, seeds[i])) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = SaveAll(dir, "bmp", BmpSeeds()) && SaveAll(dir, "pcx", PcxSeeds()) && SaveAll(dir, "tga", TgaSeeds()) &&
              SaveAll(dir, "img", ImgSeeds()) && SaveAll(dir, "srf", SrfSeeds());
    if (!ok) fprintf(stderr, "could not write the seeds under %s\n", argv[1]);
    return ok ? 0 : 1;
}
