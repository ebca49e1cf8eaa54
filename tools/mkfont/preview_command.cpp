// mkfont preview: draws a text with a ".uft" font into a grey PGM picture,
// to see what a font looks like.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "mkfont.h"
#include "softblit/image/all.h"
#include "softblit/surface/all.h"

namespace mkfont {

namespace {

uint8_t ParseMode(const std::string& m) {
    if (m == "aa") return FONT_RENDER_ANTIALIASED;
    if (m == "mono") return FONT_RENDER_MONO;
    if (m == "grid") return FONT_RENDER_GRID;
    throw S_Failure{"--mode must be aa, mono or grid, not \"" + m + "\""};
}

// Writes the red levels of the picture, cut to the drawn pixels and a
// margin of 8, as a binary PGM file.
void WritePgm(const C_Image& image, const std::string& path, uint32_t& width, uint32_t& height) {
    uint32_t right = 0, bottom = 0;
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x)
            if (image.GetRow(y)[x * 4 + 2]) {
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
    width = std::min(image.width, right + 8);
    height = std::min(image.height, bottom + 8);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw S_Failure{"cannot write " + path + " (" + std::strerror(errno) + ")"};
    std::fprintf(f, "P5\n%u %u\n255\n", width, height);
    std::vector<uint8_t> row(width);
    bool ok = true;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) row[x] = image.GetRow(y)[x * 4 + 2];
        ok = std::fwrite(row.data(), 1, row.size(), f) == row.size() && ok;
    }
    if (std::fclose(f) != 0 || !ok) throw S_Failure{"cannot write " + path};
}

}  // namespace

std::string RunPreview(const S_Args& args) {
    if (args.positional.size() != 2) throw S_Failure{"preview takes FONT.uft OUT.pgm (--help)"};
    const std::string& source = args.positional[0];
    const std::string& out = args.positional[1];
    const std::string text = args.Get("text", "The quick brown fox jumps over the lazy dog 0123456789");
    const long size = ParseNumber(args.Get("size", "16"), "--size", 1, 512);

    C_Font font;
    if (!font.LoadFromFile(source.c_str(), 0)) throw Failed("cannot load " + source);
    const C_FontType type(C_String("preview"), float(size), ParseMode(args.Get("mode", "aa")), 0, 0, 0, 0, 0);

    // Room for every line at up to 1.5 x size per character; grid glyphs are
    // drawn size pixels below their pen.
    size_t lines = 1, longest = 0, current = 0;
    for (char c : text) {
        if (c == '\n') {
            ++lines;
            current = 0;
        } else {
            longest = std::max(longest, ++current);
        }
    }
    const uint32_t width = uint32_t(std::min<size_t>(8192, 16 + longest * size_t(size) * 3 / 2));
    const uint32_t height = uint32_t(std::min<size_t>(8192, 16 + size_t(size) * 2 + lines * (size_t(size) * 3 / 2 + 1)));
    C_Surface canvas;
    C_Image* image = new C_Image();
    if (!image->CreateEmpty(width, height, GFX_FMT_A8R8G8B8, GFX_FMT_NONE)) {
        delete image;
        throw Failed("cannot make the picture");
    }
    std::memset(image->data, 0, image->dataSize);
    canvas.AddPlane(image, GFX_PLANE_COLOR);

    const C_String line(text.c_str());
    const C_Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const C_Vector2D at(8, 8);
    if (!Gfx_Surface_DrawText(&line, &font, &type, &canvas, &white, &at, 0))
        throw S_Failure{"nothing drawn: the first character has no face, or no glyph of that mode"};
    uint32_t written = 0, writtenHeight = 0;
    WritePgm(*image, out, written, writtenHeight);
    return "drew " + std::to_string(text.size()) + " characters with " + source + " into " + out + " (" +
           std::to_string(written) + " x " + std::to_string(writtenHeight) + ")";
}

}  // namespace mkfont
