// mkfont outline: rasterise a character range of an outline font at some
// sizes and modes into one ".uft" font.
#include "mkfont.h"

namespace mkfont {

namespace {

uint8_t ParseStyle(const std::string& s) {
    if (s == "regular") return FONT_STYLE_REGULAR;
    if (s == "bold") return FONT_STYLE_BOLD;
    if (s == "italic") return FONT_STYLE_ITALIC;
    if (s == "bolditalic") return FONT_STYLE_BOLD_ITALIC;
    throw S_Failure{"--style must be regular, bold, italic or bolditalic, not \"" + s + "\""};
}

std::vector<uint8_t> ParseModes(const std::string& text) {
    std::vector<uint8_t> modes;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string m = text.substr(start, comma - start);
        if (m == "aa") modes.push_back(FONT_RENDER_ANTIALIASED);
        else if (m == "mono") modes.push_back(FONT_RENDER_MONO);
        else throw S_Failure{"--modes takes aa and mono, not \"" + m + "\""};
        if (comma == std::string::npos) return modes;
        start = comma + 1;
    }
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

std::string RunOutline(const S_Args& args) {
    if (args.positional.size() != 2) throw S_Failure{"outline takes FONTFILE OUT.uft (--help)"};
    const std::string& source = args.positional[0];
    const std::string& out = args.positional[1];

    const std::string range = args.Get("range", "32-126");
    const size_t dash = range.find('-', 1);
    if (dash == std::string::npos) throw S_Failure{"--range must be FIRST-LAST, not \"" + range + "\""};
    const long first = ParseNumber(range.substr(0, dash), "the range's first code", 0, FONT_MAX_CHAR_CODE);
    const long last = ParseNumber(range.substr(dash + 1), "the range's last code", first, FONT_MAX_CHAR_CODE);
    const std::vector<long> sizes = ParseList(args.Get("sizes", "16"), "a size", 1, 512);
    const std::vector<uint8_t> modes = ParseModes(args.Get("modes", "aa"));
    const uint8_t style = ParseStyle(args.Get("style", "regular"));

    C_Font font(C_String(args.Get("name", BaseName(source)).c_str()));
    if (!font.AddFaces(int32_t(first), int32_t(last) + 1)) throw Failed("cannot make the faces");
    std::string renderings;
    for (long size : sizes)
        for (uint8_t mode : modes) {
            const C_BitmapGlyph glyphTemplate(uint16_t(size), mode, style);
            if (!Gfx_Font_AddGlyphsFromOutline(C_String(source.c_str()), glyphTemplate, &font))
                throw Failed("cannot render " + source + " at size " + std::to_string(size));
            renderings += (renderings.empty() ? "" : ", ") + std::to_string(size) +
                          (mode == FONT_RENDER_MONO ? " mono" : " aa");
        }
    const long bytes = SaveChecked(font, out);
    return "wrote " + out + ": " + std::to_string(font.GetFaceCount()) + " characters (" + std::to_string(first) +
           "-" + std::to_string(last) + "), renderings " + renderings + ", " + std::to_string(font.GetPageCount()) +
           " pages, " + std::to_string(bytes) + " bytes";
}

}  // namespace mkfont
