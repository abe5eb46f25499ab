// Writes what an iReal file imports to into a folder, for the reviewed files of IRealImportTest
// (scripts/regenerate-golden.sh): NAME.zimbrel, NAME.warnings and NAME.bars for each song.
#include "tests/interchange/IRealGolden.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: ireal_tool FILE FOLDER\n");
        return 2;
    }
    for (const IRealGoldenSong& song : ImportForGolden(argv[1])) {
        const std::string base = std::string(argv[2]) + "/" + song.name;
        WriteFileContents(base + ".zimbrel", song.source);
        WriteFileContents(base + ".warnings", song.warnings);
        WriteFileContents(base + ".bars", song.bars);
    }
    return 0;
}
