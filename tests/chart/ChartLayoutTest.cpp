// The lead-sheet layout through the recording surface, where a reviewed listing would not say it
// as plainly: page counts and headings, key and time signatures as the key and transposition
// give them, the intro and verse filters, chords moved or written as numerals, the header texts
// and the settings the renderer draws with. Where every sign stands is in the golden listings.
#include "chart/MusicFont.h"
#include "chart/SongDrawing.h"
#include "tests/chart/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr double kEps = 1e-9;

// The chord roots drawn (texts in the chord font below the header).
std::vector<RecordedPrimitive> Roots(const RecordingDC& dc)
{
    std::vector<RecordedPrimitive> roots;
    for (const RecordedPrimitive& text : dc.Texts("Arial"))
        if (text.height == 0.25 && text.y1 > 0)
            roots.push_back(text);
    return roots;
}

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
    EXPECT_EQ(Roots(DrawChart(song, {.page = 0})).size(), 80u);
    // Printing page 3 draws measures 81 to 120, under the title and the page number.
    const RecordingDC third = DrawChart(song, {.page = 3});
    const std::vector<RecordedPrimitive> roots = Roots(third);
    ASSERT_EQ(roots.size(), 40u);
    EXPECT_EQ(roots[0].text, std::string(1, "CDEFGAB"[80 % 7]));
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
    // The time signature of the first measure only; 4/4, given or not, is the "C" sign.
    RecordingDC dc = DrawChart(CompileSong("time base { 5/8 | 3/4 } chord { C || }"));
    EXPECT_EQ(TextsSaying(dc, "5").size(), 1u);
    EXPECT_EQ(TextsSaying(dc, "8").size(), 1u);
    EXPECT_TRUE(TextsSaying(dc, "3").empty());
    for (const char* source : {"chord { C || }", "time base { | 4/4 } chord { C || }"}) {
        dc = DrawChart(CompileSong(source));
        const std::vector<RecordedPrimitive> c = TextsSaying(dc, "C");
        ASSERT_EQ(c.size(), 2u) << source;  // the time signature and the chord
        EXPECT_EQ(c[0].font, "Times New Roman");
    }
}

TEST(ChartLayout, IntroAndVerseFilters)
{
    const CMMusicSong song = CompileSong(
        "chord { intro: C | D | verse: E | F | theme: G | A || } lyrics { i | i | i | i | "
        "i | i | i | i / v | v | v | v | v | v | v / t }");
    const RecordingDC all = DrawChart(song);
    EXPECT_EQ(Roots(all).size(), 6u);
    const RecordingDC themeOnly = DrawChart(song, {.intro = false, .verse = false});
    const std::vector<RecordedPrimitive> roots = Roots(themeOnly);
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_EQ(roots[0].text, "G");
    EXPECT_NEAR(roots[0].x1, 0.28 + 0.1 + 0.02, kEps);  // first measure, behind the header
    EXPECT_NEAR(roots[1].x1, 1.875 + 0.1, kEps);
    EXPECT_EQ(TextsSaying(themeOnly, "Theme").size(), 1u);
    EXPECT_TRUE(TextsSaying(themeOnly, "Intro").empty());
    // The lyrics of the intro and verse are left out; the theme's start at slot 0.
    EXPECT_TRUE(TextsSaying(themeOnly, "i").empty());
    EXPECT_TRUE(TextsSaying(themeOnly, "v").empty());
    EXPECT_EQ(TextsSaying(all, "t").size(), 1u);
    // Slashes in hidden measures take no slot either: "t", the second beat of the theme, stays
    // on its beat.
    const std::vector<RecordedPrimitive> t = TextsSaying(themeOnly, "t");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_NEAR(t[0].x1, 0.46875, kEps);
    EXPECT_NEAR(t[0].y1, 1.12, kEps);
    EXPECT_NEAR(TextsSaying(all, "t")[0].x1, 0.46875, kEps);  // beat 17: measure 4, slot 1
    EXPECT_NEAR(TextsSaying(all, "t")[0].y1, 2.12, kEps);
    EXPECT_EQ(CountChartPages(song, false, false), 1);
}

TEST(ChartLayout, TranspositionAndNumerals)
{
    const CMMusicSong song = CompileSong("key { C } chord { C | G7 | BbonD || }");
    RecordingDC dc = DrawChart(song, {.transposition = 2});
    std::vector<RecordedPrimitive> roots = Roots(dc);
    ASSERT_EQ(roots.size(), 3u);
    EXPECT_EQ(roots[0].text, "D");
    EXPECT_EQ(roots[1].text, "A");
    EXPECT_EQ(roots[2].text, "C");
    EXPECT_EQ(TextsSaying(dc, "Key = D").size(), 1u);
    EXPECT_EQ(TextsSaying(dc, "E").size(), 1u);  // the bass of BbonD, moved too

    // Chords are drawn as written when nothing moves; moved, they keep their place in the key:
    // for an instrument in B flat a song in E flat reads in F, its Em7b5 as F#m7b5.
    std::vector<ExampleSong> examples = ExampleSongs();
    const auto example = std::find_if(examples.begin(), examples.end(), [](const ExampleSong& e) {
        return e.fileName == "Example.zimbrel";
    });
    ASSERT_NE(example, examples.end());
    const std::vector<std::string> written = SpelledRoots(DrawChart(example->song));
    EXPECT_NE(std::find(written.begin(), written.end(), "F#"), written.end());
    dc = DrawChart(CompileSong("key { Eb } chord { Em7b5 | Ab7 | Bbm7onDb || }"),
                   {.transposition = 2});
    EXPECT_EQ(TextsSaying(dc, "Key = F").size(), 1u);
    EXPECT_EQ(SpelledRoots(dc), (std::vector<std::string>{"F#", "Bb", "C"}));
    // A transposition from a broken settings file keeps its pitch class and the melody its staff.
    dc = DrawChart(CompileSong("key { C } chord { C || } note { C4 W | }"),
                   {.transposition = 1200002});
    EXPECT_EQ(TextsSaying(dc, "Key = D").size(), 1u);
    EXPECT_LT(dc.OfKind(RecordedPrimitive::Line).size(), 200u);  // staff paper and a ledger line

    // Numerals count from the song's own key, whatever the transposition.
    dc = DrawChart(song, {.transposition = 2, .numerals = true});
    roots = Roots(dc);
    ASSERT_EQ(roots.size(), 3u);
    EXPECT_EQ(roots[0].text, "I");
    EXPECT_EQ(roots[1].text, "V");
    EXPECT_EQ(roots[2].text, "VII");
    EXPECT_EQ(TextsSaying(dc, "D").size(), 1u);  // the bass stays a letter, untransposed
}

TEST(ChartLayout, HeaderTexts)
{
    // The tempo the song is played at stands under the title, with its style when it has one.
    EXPECT_EQ(TextsSaying(DrawChart(CompileSong("misc { style = mediumfast; } chord { C || }"),
                                    {.tempo = 180}),
                          "Medium Fast \xE2\x99\xA9 = 180")
                  .size(),
              1u);
    // Printed without the notice: the only Times text is the "C" of 4/4.
    CMMusicSong song = CompileSong("misc { tempo = 99; } chord { C || }");
    EXPECT_EQ(DrawChart(song, {.page = 1}).Texts("Times New Roman").size(), 1u);
    EXPECT_TRUE(TextsSaying(DrawChart(song, {.page = 1}), "Tempo = 99").empty());
    EXPECT_EQ(TextsSaying(DrawChart(song, {.page = 0}), "Tempo = 99").size(), 1u);
    // Without title lines the file name is the title, with or without a folder.
    for (const char* path : {"/songs/Blue Tune.zimbrel", "Blue Tune.zimbrel"}) {
        song.path = path;
        EXPECT_EQ(TextsSaying(DrawChart(song), "Blue Tune").size(), 1u) << path;
    }
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
