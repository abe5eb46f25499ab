// Whole charts against reviewed listings of their drawing primitives (tests/data/chart), so that
// any change to what the chart draws shows up in review: a printed page with intro, repeats,
// labels and melody; the screen view of a ballad with verse, coda and two title lines; a melody
// of every note value; first and second endings; every sign of a lead sheet, with a melody,
// moved for an instrument in B flat.
#include "tests/FileContents.h"
#include "tests/chart/ChartRecording.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct GoldenChart {
    const char* song;  // below the source folder
    int page;
    int transposition;
    const char* golden;  // below tests/data/chart
};

}  // namespace

TEST(GoldenChart, ListingsMatchTheReviewedFiles)
{
    const GoldenChart charts[] = {
        {"Data/Example.zimbrel", 1, 0, "Example.page1.txt"},
        {"Data/WinterLamp.zimbrel", 0, 0, "WinterLamp.screen.txt"},
        {"tests/data/songs/melody.zimbrel", 1, 0, "melody.page1.txt"},
        {"tests/data/songs/volta.zimbrel", 1, 0, "volta.page1.txt"},
        {"tests/data/songs/signs.zimbrel", 1, 2, "signs.bflat.page1.txt"},
    };
    for (const GoldenChart& chart : charts) {
        const std::string expected =
            FileContents(std::string(ZIMBREL_TEST_DATA "/chart/") + chart.golden);
        ASSERT_FALSE(expected.empty()) << chart.golden;
        // Songs are recorded with the path they are given: the file name is the title.
        const std::string listing = RecordChart(std::string(ZIMBREL_SOURCE_DIR "/") + chart.song,
                                                chart.page, chart.transposition);
        EXPECT_EQ(listing, expected) << chart.song << ": run scripts/regenerate-golden.sh and "
                                     << "review the difference";
    }
}
