// record_chart SONG PAGE [TRANSPOSITION]: prints the drawing primitives of a song's chart, for
// scripts/regenerate-golden.sh.
#include "tests/chart/ChartRecording.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: record_chart SONG PAGE (0: the screen view) [SEMITONES]\n");
        return 2;
    }
    const std::string listing =
        RecordChart(argv[1], std::atoi(argv[2]), argc == 4 ? std::atoi(argv[3]) : 0);
    if (listing.empty()) {
        std::fprintf(stderr, "record_chart: %s does not compile\n", argv[1]);
        return 1;
    }
    std::fputs(listing.c_str(), stdout);
    return 0;
}
