// Writes the demo's nine data files into the folder given as the argument.
#include <cstdio>
#include <memory>
#include <string>

#include "pictures.h"
#include "softblit/core/status.h"
#include "softblit/image/image.h"
#include "softblit/surface/surface.h"

namespace {

bool Save(C_Object* object, const std::string& folder, const char* name) {
    std::unique_ptr<C_Object> owned(object);
    const std::string path = folder + "/" + name;
    if (!owned) {
        std::fprintf(stderr, "databuild: cannot make %s: %s\n", name, Err_GetCause().message);
        return false;
    }
    if (!owned->SaveToFile(path.c_str(), 0)) {
        std::fprintf(stderr, "databuild: cannot write %s: %s\n", path.c_str(), Err_GetCause().message);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: databuild OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = Save(Picture_ReliefNormals(), folder, "face.img");
    ok = ok && Save(Picture_Ball(), folder, "data01.srf");
    ok = ok && Save(Picture_Tile(), folder, "data02.srf");
    ok = ok && Save(Picture_ReliefPlane(), folder, "data03.srf");
    ok = ok && Save(Picture_Backdrop(), folder, "data04.srf");
    ok = ok && Save(Picture_Panel(), folder, "data05.srf");
    return ok ? 0 : 1;
}
