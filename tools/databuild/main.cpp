// Writes the demo's nine data files into a folder, the fonts from the two
// outline font files given.
#include <cstdio>
#include <memory>
#include <string>

#include "fonts.h"
#include "pictures.h"
#include "softblit/core/status.h"
#include "softblit/font/font.h"
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
    if (argc != 4) {
        std::fprintf(stderr, "usage: databuild OUTPUT_FOLDER REGULAR_FONT BOLD_FONT\n");
        return 2;
    }
    const std::string folder = argv[1];
    const char* regular = argv[2];
    const char* bold = argv[3];
    bool ok = Save(Picture_ReliefNormals(), folder, "face.img");
    ok = ok && Save(Picture_Ball(), folder, "data01.srf");
    ok = ok && Save(Picture_Tile(), folder, "data02.srf");
    ok = ok && Save(Picture_ReliefPlane(), folder, "data03.srf");
    ok = ok && Save(Picture_Backdrop(), folder, "data04.srf");
    ok = ok && Save(Picture_Panel(), folder, "data05.srf");
    ok = ok && Save(Font_Text(regular, bold), folder, "font01.uft");
    ok = ok && Save(Font_Titles(bold), folder, "font02.uft");
    ok = ok && Save(Font_Lines(bold), folder, "font03.uft");
    return ok ? 0 : 1;
}
