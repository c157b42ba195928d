// Writes design files for the schema check: an empty design and random ones
// of every shape.
//   write_design_files FOLDER [COUNT]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "file/random_design.h"

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("usage: write_design_files FOLDER [COUNT]\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int count = argc > 2 ? std::atoi(argv[2]) : 200;
    std::filesystem::create_directories(folder);
    korvelle::testing::RandomDesigns designs(20261209);
    for (int i = 0; i <= count; ++i) {
        const korvelle::DesignFile file = i == 0 ? korvelle::DesignFile{} : designs.Next();
        std::ofstream out(folder / ("written-" + std::to_string(i) + std::string(korvelle::kDesignFileExtension)),
                          std::ios::binary);
        out << korvelle::DesignFileText(file);
        if (!out) {
            std::fprintf(stderr, "write_design_files: cannot write into %s\n", argv[1]);
            return 1;
        }
    }
    return 0;
}
