// The lead-sheet layout through the recording surface, where a reviewed listing would not say it
// as plainly: page counts and headings, key and time signatures as the key and transposition
// give them, the intro and verse filters, chords moved or written as numerals, the header texts
// and the settings the renderer draws with. Where every sign stands is in the golden listings.
#include "chart/MusicFont.h"
#include "chart/SongDrawing.h"
#include "tests/chart/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr double kEps = 1e-9;

// The chord roots drawn, each with the accidental beside it written "#" or "b" ("F#", "Bb").
std::vector<std::string> SpelledRoots(const RecordingDC& dc)
{
    std::vector<std::string> spelled;
    for (std::size_t i = 0; i < dc.primitives.size(); ++i) {
        const RecordedPrimitive& root = dc.primitives[i];
        if (root.font != "Arial" || root.height != 0.25 || root.y1 <= 0)
            continue;
        spelled.push_back(root.text);
        if (i + 1 == dc.primitives.size() || dc.primitives[i + 1].text.size() != 1)
            continue;
        const int alteration = static_cast<unsigned char>(dc.primitives[i + 1].text[0]) -
                               MusicGlyph::kFirstLetterAccidental - 2;
        if (alteration >= -2 && alteration <= 2)
            spelled.back() += std::string(std::abs(alteration), alteration < 0 ? 'b' : '#');
    }
    return spelled;
}

std::vector<RecordedPrimitive> TextsSaying(const RecordingDC& dc, const std::string& text)
{
    std::vector<RecordedPrimitive> found;
    for (const RecordedPrimitive& primitive : dc.Texts())
        if (primitive.text == text)
            found.push_back(primitive);
    return found;
}

}  // namespace

TEST(ChartLayout, PageCountsAndPageHeadings)
{
    // 40 measures and the closing one fit one page; one more measure needs a second.
    EXPECT_EQ(CountChartPages(CompileSong(MeasuresSource(40)), true, true), 1);
    EXPECT_EQ(CountChartPages(CompileSong(MeasuresSource(41)), true, true), 2);
    EXPECT_EQ(CountChartPages(CompileSong("chord { C || }"), true, true), 1);
    EXPECT_EQ(CountChartPages(CMMusicSong(), true, true), 1);

    const CMMusicSong song = CompileSong("title { Long }" + MeasuresSource(120));
    EXPECT_EQ(CountChartPages(song, true, true), 3);  // the closing measure 121 needs no page
    // The screen shows the first 80 measures, two pages side by side.
    EXPECT_EQ(SpelledRoots(DrawChart(song, {.page = 0})).size(), 80u);
    // Printing page 3 draws measures 81 to 120, under the title and the page number.
    const RecordingDC third = DrawChart(song, {.page = 3});
    const std::vector<std::string> roots = SpelledRoots(third);
    ASSERT_EQ(roots.size(), 40u);
    EXPECT_EQ(roots[0], std::string(1, "CDEFGAB"[80 % 7]));
    EXPECT_EQ(TextsSaying(third, "Long").size(), 1u);
    EXPECT_EQ(TextsSaying(third, "page 3 / 3").size(), 1u);
    EXPECT_TRUE(TextsSaying(DrawChart(song, {.page = 1}), "page 1 / 3").empty());
}

TEST(ChartLayout, KeyAndTimeSignatures)
{
    struct Case {
        const char* source;
        int transposition;
        const char* key;
        const char* accidental;
        std::size_t accidentals;
    };
    const Case cases[] = {
        {"key { Am } chord { C || }", 0, "Key = Am", MusicGlyph::kSharp, 0},
        {"key { | A } chord { C || }", 0, "Key = A", MusicGlyph::kSharp, 3},  // a bar sign first
        {"key { Em } chord { C || }", 2, "Key = F#m", MusicGlyph::kSharp, 3},
        {"chord { C || }", -3, "Key = A", MusicGlyph::kSharp, 3},  // no key: C major, moved
        {"key { Eb } chord { C || }", 0, "Key = Eb", MusicGlyph::kFlat, 3},
    };
    for (const Case& c : cases) {
        const RecordingDC dc = DrawChart(CompileSong(c.source), {.transposition = c.transposition});
        EXPECT_EQ(TextsSaying(dc, c.key).size(), 1u) << c.source;
        EXPECT_EQ(TextsSaying(dc, c.accidental).size(), c.accidentals) << c.source;
    }
    // The time signature of the first measure only; 4/4 after a bar sign is the "C" sign too.
    RecordingDC dc = DrawChart(CompileSong("time base { 5/8 | 3/4 } chord { C || }"));
    EXPECT_EQ(TextsSaying(dc, "5").size() + TextsSaying(dc, "8").size(), 2u);
    EXPECT_TRUE(TextsSaying(dc, "3").empty());
    dc = DrawChart(CompileSong("time base { | 4/4 } chord { C || }"));
    EXPECT_EQ(TextsSaying(dc, "C").size(), 2u);  // the time signature and the chord
}

TEST(ChartLayout, IntroAndVerseFilters)
{
    const CMMusicSong song = CompileSong(
        "chord { intro: C | D | verse: E | F | theme: G | A || } lyrics { i | i | i | i | "
        "i | i | i | i / v | v | v | v | v | v | v / t }");
    EXPECT_EQ(SpelledRoots(DrawChart(song)).size(), 6u);
    const RecordingDC themeOnly = DrawChart(song, {.intro = false, .verse = false});
    EXPECT_EQ(SpelledRoots(themeOnly), (std::vector<std::string>{"G", "A"}));
    EXPECT_EQ(TextsSaying(themeOnly, "Theme").size(), 1u);
    EXPECT_TRUE(TextsSaying(themeOnly, "Intro").empty());
    // The lyrics of the intro and verse are left out, and so are the slots of their slashes:
    // "t", the second beat of the theme, stands on that beat of the first measure.
    EXPECT_TRUE(TextsSaying(themeOnly, "i").empty());
    EXPECT_TRUE(TextsSaying(themeOnly, "v").empty());
    const std::vector<RecordedPrimitive> t = TextsSaying(themeOnly, "t");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_NEAR(t[0].x1, 0.46875, kEps);
    EXPECT_NEAR(t[0].y1, 1.12, kEps);
    EXPECT_EQ(CountChartPages(song, false, false), 1);
}

TEST(ChartLayout, TranspositionAndNumerals)
{
    // Moved, chords keep their place in the key: for an instrument in B flat a song in E flat
    // reads in F, its Em7b5 as F#m7b5. Numerals count from the song's own key, whatever the
    // transposition; a slash bass stays a letter. A transposition from a broken settings file
    // keeps its pitch class.
    struct Case {
        const char* source;
        int transposition;
        bool numerals;
        const char* key;
        std::vector<std::string> roots;
        const char* bass;
    };
    const Case cases[] = {
        {"key { C } chord { C | G7 | BbonD || }", 2, false, "Key = D", {"D", "A", "C"}, "E"},
        {"key { C } chord { C | G7 | BbonD || }", 2, true, "Key = D", {"I", "V", "VIIb"}, "D"},
        {"key { Eb } chord { Em7b5 | Ab7 | Bbm7onDb || }",
         2,
         false,
         "Key = F",
         {"F#", "Bb", "C"},
         "E"},
        {"key { C } chord { C || } note { C4 W | }", 1200002, false, "Key = D", {"D"}, nullptr},
    };
    for (const Case& c : cases) {
        const RecordingDC dc = DrawChart(
            CompileSong(c.source), {.transposition = c.transposition, .numerals = c.numerals});
        EXPECT_EQ(TextsSaying(dc, c.key).size(), 1u) << c.source;
        EXPECT_EQ(SpelledRoots(dc), c.roots) << c.source;
        if (c.bass)
            EXPECT_EQ(TextsSaying(dc, c.bass).size(), 1u) << c.source;
        // The melody keeps its staff: the staff paper and a ledger line, not lines far away.
        EXPECT_LT(dc.OfKind(RecordedPrimitive::Line).size(), 200u) << c.source;
    }
}

TEST(ChartLayout, HeaderTexts)
{
    // The tempo the song is played at stands under the title, with its style when it has one.
    CMMusicSong song = CompileSong("misc { style = mediumfast; } chord { C || }");
    EXPECT_EQ(TextsSaying(DrawChart(song, {.tempo = 180}), "Medium Fast \xE2\x99\xA9 = 180").size(),
              1u);
    // Printed without the notice: the only Times text is the "C" of 4/4.
    EXPECT_EQ(DrawChart(song, {.page = 1}).Texts("Times New Roman").size(), 1u);
    // Without title lines the file name is the title, also without a folder.
    song.path = "Blue Tune.zimbrel";
    EXPECT_EQ(TextsSaying(DrawChart(song), "Blue Tune").size(), 1u);
}

TEST(ChartLayout, TheRendererDrawsWithTheSettingsItIsGiven)
{
    // A font is previewed before it is saved: the renderer reads the settings object it was
    // given at every drawing, and no settings file is involved.
    CMChartSettings chart("");
    CMMusicDC renderer(std::make_unique<RecordingDC>(), chart);
    renderer.surface->printing = true;
    const CMMusicSong song = CompileSong("chord { Cm7 || }");
    const auto chord = [&] {
        auto& recording = static_cast<RecordingDC&>(*renderer.surface);
        recording.primitives.clear();
        Draw(song, renderer, 0, true, true, false, 0, 1, -1, false);
        return TextsSaying(recording, "C").back();
    };
    EXPECT_EQ(chord().font, "Arial");
    chart.chordFont.name = "Times New Roman";
    chart.chordFont.height = 0.3;
    chart.chordStyle = StyleWords;
    const RecordedPrimitive root = chord();
    EXPECT_EQ(root.font, "Times New Roman");
    EXPECT_DOUBLE_EQ(root.height, 0.3);
    EXPECT_EQ(TextsSaying(static_cast<RecordingDC&>(*renderer.surface), "min7").size(), 1u);
}
