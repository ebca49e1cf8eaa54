#include <cstdio>
#include <cstring>

#include "mkfont.h"
#include "softblit/core/status.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  mkfont outline FONTFILE OUT.uft [--range 32-126] [--sizes 16[,24...]] [--modes aa,mono]\n"
    "                 [--style regular|bold|italic|bolditalic] [--name NAME]\n"
    "  mkfont grid PICTURE OUT.uft --columns N --rows N --chars TEXT --size N [--name NAME]\n"
    "  mkfont preview FONT.uft OUT.pgm --text TEXT --size N [--mode aa|mono|grid]\n"
    "Sizes of outline fonts are points at 96 dpi; PICTURE is a BMP, PCX, TGA or .img file\n"
    "whose alpha channel (else its red one) holds the glyphs; characters are Latin-1 bytes.\n";

mkfont::S_Args Parse(int argc, char** argv) {
    mkfont::S_Args args;
    for (int i = 2; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0 && argv[i][2] != 0) {
            if (i + 1 >= argc) throw mkfont::S_Failure{std::string("option ") + argv[i] + " needs a value"};
            args.options[argv[i] + 2] = argv[i + 1];
            ++i;
        } else {
            args.positional.push_back(argv[i]);
        }
    }
    return args;
}

}  // namespace

namespace mkfont {

S_Failure Failed(const std::string& what) {
    const S_ErrCause& cause = Err_GetCause();
    return S_Failure{what + " (" + cause.message + ", error " + std::to_string(cause.code) + ")"};
}

long ParseNumber(const std::string& text, const char* what, long lo, long hi) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || *end != 0 || v < lo || v > hi)
        throw S_Failure{std::string(what) + " must be a number from " + std::to_string(lo) + " to " +
                        std::to_string(hi) + ", not \"" + text + "\""};
    return v;
}

std::vector<long> ParseList(const std::string& text, const char* what, long lo, long hi) {
    std::vector<long> values;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        values.push_back(ParseNumber(text.substr(start, comma - start), what, lo, hi));
        if (comma == std::string::npos) return values;
        start = comma + 1;
    }
}

long SaveChecked(C_Font& font, const std::string& path) {
    if (!font.SaveToFile(path.c_str(), 0)) throw Failed("cannot write " + path);
    C_Font check;
    if (!check.LoadFromFile(path.c_str(), 0)) throw Failed(path + " does not load back");
    FILE* f = std::fopen(path.c_str(), "rb");
    long size = -1;
    if (f && std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
    if (f) std::fclose(f);
    return size;
}

}  // namespace mkfont

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    try {
        const mkfont::S_Args args = Parse(argc, argv);
        const std::string command = argv[1];
        std::string summary;
        if (command == "outline") summary = mkfont::RunOutline(args);
        else if (command == "grid") summary = mkfont::RunGrid(args);
        else if (command == "preview") summary = mkfont::RunPreview(args);
        else throw mkfont::S_Failure{"unknown command \"" + command + "\" (outline, grid or preview; --help)"};
        std::printf("mkfont: %s\n", summary.c_str());
        return 0;
    } catch (const mkfont::S_Failure& failure) {
        std::fprintf(stderr, "mkfont: error: %s\n", failure.message.c_str());
        return 1;
    }
}
