// Picture converter: BMP, PCX, TGA, PNG, ".img" or ".srf" in; ".img", ".srf"
// or PNG out, optionally with an alpha plane from a key colour or from the
// picture's own alpha channel.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "softblit/core/status.h"
#include "softblit/core/string.h"
#include "softblit/image/convert.h"
#include "softblit/image/format.h"
#include "softblit/image/image.h"
#include "softblit/math/color.h"
#include "softblit/pngio/png_io.h"
#include "softblit/surface/surface.h"

namespace {

const char kUsage[] =
    "usage: picconv INPUT OUTPUT [--key RRGGBB | --alpha]\n"
    "  INPUT   .bmp .pcx .tga .png .img or .srf\n"
    "  OUTPUT  .img (the colour image), .srf (colour and alpha planes) or .png\n"
    "  --key RRGGBB  alpha plane: 0 where a pixel has this colour, 255 elsewhere\n"
    "  --alpha       alpha plane from the picture's own alpha channel (TGA, PNG, .srf)\n";

std::string Extension(const std::string& name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.find('/', dot) != std::string::npos) return "";
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext;
}

int Fail(const std::string& what) {
    std::fprintf(stderr, "picconv: %s\n", what.c_str());
    return 1;
}
int FailCause(const std::string& what) { return Fail(what + ": " + Err_GetCause().message); }

bool ParseKey(const char* text, C_Color* key) {
    if (std::strlen(text) != 6) return false;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text, &end, 16);
    if (*end) return false;
    *key = C_Color(static_cast<int32_t>(v >> 16 & 255), static_cast<int32_t>(v >> 8 & 255),
                   static_cast<int32_t>(v & 255), 255);
    return true;
}

// The picture: a colour image and, when the input carries one, an alpha image.
struct Picture {
    C_Image colour;
    C_Image alpha;
    bool hasAlpha = false;
};

bool Load(const std::string& name, Picture* pic, std::string* why) {
    const std::string ext = Extension(name);
    if (ext == "png") return Png_Load(name.c_str(), &pic->colour, &pic->alpha, &pic->hasAlpha);
    if (ext == "img") return pic->colour.LoadFromFile(name.c_str(), 0);
    if (ext == "srf") {
        C_Surface surface;
        if (!surface.LoadFromFile(name.c_str(), 0)) return false;
        const C_Image* colour = surface.GetPlaneImage(GFX_PLANE_COLOR);
        const C_Image* alpha = surface.GetPlaneImage(GFX_PLANE_ALPHA);
        if (!colour) {
            *why = "the surface has no colour plane";
            return false;
        }
        pic->colour = *colour;
        if (alpha) {
            pic->alpha = *alpha;
            pic->hasAlpha = true;
        }
        return true;
    }
    if (ext == "bmp" || ext == "pcx" || ext == "tga") {
        if (!pic->colour.Load_Format_FromFile(C_String(name.c_str()))) return false;
        S_FormatDesc desc;
        if (Gfx_GetFormatDesc(pic->colour.format, desc) && desc.bits[GFX_CHANNEL_ALPHA] > 0) {
            if (!Gfx_Image_GetChannel(&pic->colour, &pic->alpha, GFX_CHANNEL_ALPHA)) return false;
            if (pic->alpha.format != GFX_FMT_L8 && !Gfx_Image_ChangeFormat(&pic->alpha, GFX_FMT_L8, GFX_FMT_NONE))
                return false;
            pic->hasAlpha = true;
        }
        return true;
    }
    *why = "unknown input type (want .bmp .pcx .tga .png .img or .srf)";
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string input = argv[1], output = argv[2];
    bool useKey = false, useAlpha = false;
    C_Color key;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--key") && i + 1 < argc) {
            if (!ParseKey(argv[++i], &key)) return Fail(std::string("bad key colour '") + argv[i] + "' (want RRGGBB)");
            useKey = true;
        } else if (!std::strcmp(argv[i], "--alpha")) {
            useAlpha = true;
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (useKey && useAlpha) return Fail("--key and --alpha exclude each other");
    const std::string outExt = Extension(output);
    if (outExt != "img" && outExt != "srf" && outExt != "png")
        return Fail("unknown output type '" + output + "' (want .img .srf or .png)");

    Picture pic;
    std::string why;
    if (!Load(input, &pic, &why)) return why.empty() ? FailCause("cannot read " + input) : Fail(input + ": " + why);
    if (pic.colour.width == 0 || pic.colour.height == 0) return Fail(input + ": the picture is empty");

    std::unique_ptr<C_Image> alpha;
    if (useKey) {
        alpha.reset(new C_Image());
        if (!Gfx_Image_GetAlpha_FromKeyColor(&pic.colour, alpha.get(), key)) return FailCause("cannot key " + input);
        if (alpha->format != GFX_FMT_L8 && !Gfx_Image_ChangeFormat(alpha.get(), GFX_FMT_L8, GFX_FMT_NONE))
            return FailCause("cannot key " + input);
    } else if (useAlpha) {
        if (!pic.hasAlpha) return Fail(input + ": the picture has no alpha channel");
        alpha.reset(new C_Image(pic.alpha));
    }

    if (outExt == "png") {
        if (!Png_Save(&pic.colour, alpha.get(), output.c_str())) return FailCause("cannot write " + output);
    } else if (outExt == "img") {
        if (alpha) return Fail(".img holds one image: write a .srf or .png to keep the alpha plane");
        if (!pic.colour.SaveToFile(output.c_str(), 0)) return FailCause("cannot write " + output);
    } else {
        C_Surface surface;
        C_Image* colour = new C_Image(pic.colour);
        if (!surface.AddPlane(colour, GFX_PLANE_COLOR)) {
            delete colour;
            return FailCause("cannot build the surface");
        }
        if (alpha) {
            if (!surface.AddPlane(alpha.get(), GFX_PLANE_ALPHA)) return FailCause("cannot build the surface");
            alpha.release();
        }
        if (!surface.SaveToFile(output.c_str(), 0)) return FailCause("cannot write " + output);
    }
    std::printf("%s: %ux%u%s -> %s\n", input.c_str(), pic.colour.width, pic.colour.height,
                alpha ? " with alpha" : "", output.c_str());
    return 0;
}
