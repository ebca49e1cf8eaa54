// mkfont grid: cut a picture into a grid font with faces for exactly the
// characters given.
#include <memory>

#include "mkfont.h"
#include "softblit/image/all.h"

namespace mkfont {

namespace {

bool HasAlpha(const C_Image& image) {
    S_FormatDesc desc;
    if (image.m_palette && Gfx_GetFormatDesc(image.paletteFormat, desc) && desc.bits[3] > 0) return true;
    return Gfx_GetFormatDesc(image.format, desc) && desc.bits[3] > 0;
}

bool IsConstant(const C_Image& l8) {
    for (uint32_t y = 0; y < l8.height; ++y)
        for (uint32_t x = 0; x < l8.width; ++x)
            if (l8.GetRow(y)[x] != l8.GetRow(0)[0]) return false;
    return true;
}

// The picture's alpha channel, else its red one, as an L8 image. An alpha
// channel of one level throughout (many editors write opaque pixels) holds
// no glyphs: the red channel is taken then.
C_Image* LoadCoverage(const std::string& path, std::string& channel) {
    C_Image picture;
    const size_t dot = path.find_last_of('.');
    const std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    const bool loaded = ext == "img" || ext == "IMG" ? picture.LoadFromFile(path.c_str(), 0)
                                                     : picture.Load_Format_FromFile(C_String(path.c_str()));
    if (!loaded) throw Failed("cannot read the picture " + path);
    C_Image wide;
    if (!Gfx_Image_Clone(&picture, &wide, GFX_FMT_A8R8G8B8, GFX_FMT_NONE))
        throw Failed("cannot convert the picture " + path);
    auto coverage = std::make_unique<C_Image>();
    channel = "alpha";
    bool ok = HasAlpha(picture) && Gfx_Image_GetChannel(&wide, coverage.get(), 3);
    if (!ok || IsConstant(*coverage)) {
        channel = "red";
        ok = Gfx_Image_GetChannel(&wide, coverage.get(), 0);
    }
    if (!ok || coverage->format != GFX_FMT_L8) throw Failed("cannot take the coverage of " + path);
    return coverage.release();
}

std::string Characters(const S_Args& args) {
    if (args.Has("chars")) return args.Get("chars", "");
    if (!args.Has("range")) throw S_Failure{"grid needs --chars TEXT or --range FIRST-LAST"};
    const std::string range = args.Get("range", "");
    const size_t dash = range.find('-', 1);
    if (dash == std::string::npos) throw S_Failure{"--range must be FIRST-LAST, not \"" + range + "\""};
    const long first = ParseNumber(range.substr(0, dash), "the range's first code", 0, 255);
    const long last = ParseNumber(range.substr(dash + 1), "the range's last code", first, 255);
    std::string chars;
    for (long c = first; c <= last; ++c) chars += char(c);
    return chars;
}

}  // namespace

std::string RunGrid(const S_Args& args) {
    if (args.positional.size() != 2) throw S_Failure{"grid takes PICTURE OUT.uft (--help)"};
    const std::string& source = args.positional[0];
    const std::string& out = args.positional[1];
    if (!args.Has("columns") || !args.Has("rows") || !args.Has("size"))
        throw S_Failure{"grid needs --columns, --rows and --size"};
    const long columns = ParseNumber(args.Get("columns", ""), "--columns", 1, 65535);
    const long rows = ParseNumber(args.Get("rows", ""), "--rows", 1, 65535);
    const long size = ParseNumber(args.Get("size", ""), "--size", 1, 65535);
    const std::string chars = Characters(args);
    if (chars.empty()) throw S_Failure{"--chars is empty"};
    if (long(chars.size()) > columns * rows)
        throw S_Failure{"there are " + std::to_string(chars.size()) + " characters but only " +
                        std::to_string(columns * rows) + " cells"};

    C_Font font(C_String(args.Get("name", out).c_str()));
    for (unsigned char c : chars)
        if (!font.GetFace(c) && !font.AddFace(c)) throw Failed("cannot make the faces");

    auto grid = std::make_unique<C_Surface>();
    std::string channel;
    C_Image* coverage = LoadCoverage(source, channel);
    const uint32_t width = coverage->width, height = coverage->height;
    if (!grid->AddPlane(coverage, GFX_PLANE_ALPHA)) {
        delete coverage;
        throw Failed("cannot make the page");
    }
    if (!Gfx_Font_AddGlyphsFromGrid(C_String(chars.c_str()), uint32_t(columns), uint32_t(rows), uint16_t(size),
                                    grid.get(), &font))
        throw Failed("cannot cut " + source);
    grid.release();  // the font owns it now

    const long bytes = SaveChecked(font, out);
    return "wrote " + out + ": " + std::to_string(font.GetFaceCount()) + " characters in a " +
           std::to_string(columns) + " x " + std::to_string(rows) + " grid of " + std::to_string(width / columns) +
           " x " + std::to_string(height / rows) + " cells (" + channel + " channel), size " + std::to_string(size) + ", " +
           std::to_string(bytes) + " bytes";
}

}  // namespace mkfont
