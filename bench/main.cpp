// Runs Tabula's benchmarks and prints every figure as "name: value unit".
//
//   tabula-bench [--filter TEXT]

#include <cstdio>
#include <cstring>
#include <string>

#include "bench/Figures.h"

int main(int argc, char** argv) {
    std::string filter;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--filter") == 0 && i + 1 < argc) {
            filter = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--filter TEXT]\n", argv[0]);
            return 2;
        }
    }
    std::vector<tabula::bench::Figure> figures;
    tabula::bench::AddDrawingFigures(figures);
    tabula::bench::AddCoreFigures(figures);
    tabula::bench::AddRenderFigures(figures);
    for (const auto& figure : figures) {
        if (!filter.empty() && figure.name.find(filter) == std::string::npos) continue;
        std::printf("%s: %.3f %s\n", figure.name.c_str(), figure.measure(), figure.unit.c_str());
        std::fflush(stdout);
    }
    return 0;
}
