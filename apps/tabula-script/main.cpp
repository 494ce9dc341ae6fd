// The Tabula script console: runs a VB-like script against one grid named `grid` on a
// headless form.
//
//   tabula-script [--size WxH] [FILE]
//
// FILE defaults to standard input ("-" names it too). The form and the grid are WxH
// pixels, 400x300 unless given. Every statement runs even when one before it failed; the
// exit status is 0 when all succeeded, 1 when any failed, 2 for bad usage.

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "apps/tabula-script/ScriptSession.h"

namespace {

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--size WIDTHxHEIGHT] [FILE]\n"
                 "Runs a script against a grid named grid (400x300 unless --size says;\n"
                 "each side 1 to %d). FILE defaults to standard input.\n",
                 program, tabula::script::ScriptSession::kMaxSide);
    return 2;
}

// "640x480" into its two sides; false for anything else.
bool ParseSize(std::string_view text, int32_t& width, int32_t& height) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    const auto whole = [](std::string_view part, int32_t& value) {
        const auto result = std::from_chars(part.data(), part.data() + part.size(), value);
        return result.ec == std::errc() && result.ptr == part.data() + part.size() && value >= 1 &&
               value <= tabula::script::ScriptSession::kMaxSide;
    };
    return whole(text.substr(0, x), width) && whole(text.substr(x + 1), height);
}

}  // namespace

int main(int argc, char** argv) {
    int32_t width = 400, height = 300;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--size" && i + 1 < argc) {
            if (!ParseSize(argv[++i], width, height)) return Usage(argv[0]);
        } else if (arg == "--help" || arg == "-h") {
            Usage(argv[0]);
            return 0;
        } else if ((arg == "-" || arg.empty() || arg[0] != '-') && path.empty()) {
            path = arg;
        } else {
            return Usage(argv[0]);
        }
    }

    std::ifstream file;
    if (!path.empty() && path != "-") {
        file.open(path, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "%s: cannot open %s\n", argv[0], path.c_str());
            return 2;
        }
    }
    std::istream& in = file.is_open() ? static_cast<std::istream&>(file) : std::cin;

    tabula::script::ScriptSession session(width, height, std::cout);
    const int failed = session.GetInterpreter().Run(in);
    std::cout.flush();
    return failed == 0 ? 0 : 1;
}
