// mkfont: makes ".uft" bitmap fonts from outline fonts and grid pictures, and
// previews them. Each command prints one line: a summary, or an error with
// its cause (and then exits with a non-zero status).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "softblit/font/all.h"

namespace mkfont {

// "--name value" options after the positional arguments.
struct S_Args {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;

    bool Has(const std::string& key) const { return options.count(key) != 0; }
    std::string Get(const std::string& key, const std::string& fallback) const {
        auto it = options.find(key);
        return it == options.end() ? fallback : it->second;
    }
};

// Thrown for a usage mistake or a failed step; main prints it as the one line.
struct S_Failure {
    std::string message;
};

// "<what> (<the framework's recorded cause>)".
S_Failure Failed(const std::string& what);
long ParseNumber(const std::string& text, const char* what, long lo, long hi);
std::vector<long> ParseList(const std::string& text, const char* what, long lo, long hi);
// Saves the font and reads it back, so a written file is known to load.
// Returns the file's size in bytes.
long SaveChecked(C_Font& font, const std::string& path);

std::string RunOutline(const S_Args& args);
std::string RunGrid(const S_Args& args);
std::string RunPreview(const S_Args& args);

}  // namespace mkfont
