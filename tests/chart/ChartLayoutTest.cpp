// The lead-sheet layout through the recording surface, against the layout's own numbers: staff
// paper, measure positions over lines and pages, bar signs and numbered endings, the coda jump
// and its coda, key and time signatures, chords spelled as written or in the key they move to,
// labels, notes with ledger lines, lyrics, the intro and verse filters, page counts and
// headings, the tempo marking, the screen view and the printed page.
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

bool HasLine(const RecordingDC& dc, double x1, double y1, double x2, double y2)
{
    for (const RecordedPrimitive& line : dc.OfKind(RecordedPrimitive::Line))
        if (std::abs(line.x1 - x1) < kEps && std::abs(line.y1 - y1) < kEps &&
            std::abs(line.x2 - x2) < kEps && std::abs(line.y2 - y2) < kEps)
            return true;
    return false;
}

// A thin bar line over the staff of a line at x.
bool HasThinBar(const RecordingDC& dc, double x, int line)
{
    return HasLine(dc, x, line + 0.72, x, line + 1.0);
}

bool HasThickBar(const RecordingDC& dc, double left, int line)
{
    for (const RecordedPrimitive& shape : dc.OfKind(RecordedPrimitive::Rectangle))
        if (std::abs(shape.x1 - left) < kEps && std::abs(shape.x2 - (left + 0.03)) < kEps &&
            std::abs(shape.y1 - (line + 0.72)) < kEps && shape.fill == 0)
            return true;
    return false;
}

int CountEllipses(const RecordingDC& dc, double left)
{
    int count = 0;
    for (const RecordedPrimitive& dot : dc.OfKind(RecordedPrimitive::Ellipse))
        count += std::abs(dot.x1 - left) < kEps ? 1 : 0;
    return count;
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

TEST(ChartLayout, StaffPaperAndPageCounts)
{
    // 40 measures and the closing one fit one page.
    const CMMusicSong forty = CompileSong(MeasuresSource(40));
    EXPECT_EQ(forty.CountMeasures(true, true), 41);
    EXPECT_EQ(CountChartPages(forty, true, true), 1);
    RecordingDC dc = DrawChart(forty);
    EXPECT_TRUE(HasLine(dc, 0, 3 + 0.72 + 2 * 0.07, 7.5, 3 + 0.72 + 2 * 0.07));
    EXPECT_TRUE(HasThinBar(dc, 2 * 1.875, 9));
    int staffLines = 0;
    for (const RecordedPrimitive& line : dc.OfKind(RecordedPrimitive::Line))
        staffLines += line.y1 == line.y2 && line.x2 - line.x1 == 7.5 ? 1 : 0;
    EXPECT_EQ(staffLines, 50);

    // One more measure adds the second page's staff paper.
    const CMMusicSong fortyOne = CompileSong(MeasuresSource(41));
    EXPECT_EQ(CountChartPages(fortyOne, true, true), 2);
    dc = DrawChart(fortyOne);
    EXPECT_TRUE(HasLine(dc, 8.5, 0.72, 16.0, 0.72));
    EXPECT_EQ(CountChartPages(CompileSong("chord { C || }"), true, true), 1);
    EXPECT_EQ(CountChartPages(CMMusicSong(), true, true), 1);
}

TEST(ChartLayout, MeasurePositionsOverLinesAndPages)
{
    const CMMusicSong song = CompileSong("title { Long }" + MeasuresSource(120));
    EXPECT_EQ(CountChartPages(song, true, true), 3);  // the closing measure 121 needs no page

    // The screen shows the first 80 measures, page 2 beside page 1.
    RecordingDC screen = DrawChart(song, {.page = 0});
    std::vector<RecordedPrimitive> roots = Roots(screen);
    ASSERT_EQ(roots.size(), 80u);
    EXPECT_NEAR(roots[5].x1, (4 * 1) * 0.46875 + 0.1, kEps);  // line 1, column 1
    EXPECT_NEAR(roots[5].y1, 1 + 0.72 - 0.35, kEps);
    EXPECT_NEAR(roots[41].x1, 8.5 + 4 * 0.46875 + 0.1, kEps);  // page 2, line 0, column 1
    EXPECT_NEAR(roots[41].y1, 0.72 - 0.35, kEps);
    EXPECT_NEAR(roots[79].x1, 8.5 + 12 * 0.46875 + 0.1, kEps);
    EXPECT_NEAR(roots[79].y1, 9 + 0.72 - 0.35, kEps);

    // Printing page 3 draws measures 81 to 120 on its own staves, at x offset 0.
    RecordingDC third = DrawChart(song, {.page = 3});
    roots = Roots(third);
    ASSERT_EQ(roots.size(), 40u);
    EXPECT_EQ(roots[0].text, std::string(1, "CDEFGAB"[80 % 7]));
    EXPECT_NEAR(roots[0].x1, 0.1, kEps);
    EXPECT_NEAR(roots[0].y1, 0.37, kEps);
    EXPECT_NEAR(roots[39].x1, 12 * 0.46875 + 0.1, kEps);
    // Its heading: the title, smaller, and the page number at the right.
    const std::vector<RecordedPrimitive> title = TextsSaying(third, "Long");
    const std::vector<RecordedPrimitive> number = TextsSaying(third, "page 3 / 3");
    ASSERT_EQ(title.size(), 1u);
    ASSERT_EQ(number.size(), 1u);
    EXPECT_LT(title[0].height, 0.25);
    EXPECT_EQ(title[0].alignment, AlignCentre);
    EXPECT_NEAR(number[0].x1, 7.5, kEps);
    EXPECT_EQ(number[0].alignment, AlignRight);
    EXPECT_TRUE(TextsSaying(DrawChart(song, {.page = 1}), "page 1 / 3").empty());
    // On the screen the second page carries its heading beside the first.
    EXPECT_NEAR(TextsSaying(screen, "page 2 / 3").at(0).x1, 8.5 + 7.5, kEps);
    for (const RecordedPrimitive& text : third.Texts(kMusicFontName))
        EXPECT_EQ(text.text, "") << text.Describe();  // chord suffixes only: no clef on page 3
}

TEST(ChartLayout, ChordPositionsAndRepeats)
{
    const CMMusicSong song =
        CompileSong("chord { C / F / | C | C | C | C | Dm7 G7 | C / / F | (A7) || }");
    const RecordingDC dc = DrawChart(song);
    const std::vector<RecordedPrimitive> roots = Roots(dc);
    std::vector<std::string> texts;
    for (const RecordedPrimitive& root : roots)
        texts.push_back(root.text);
    // A chord the same as the one before shows again only at the start of a line.
    EXPECT_EQ(texts, (std::vector<std::string>{"C", "F", "C", "C", "D", "G", "C", "F", "A"}));

    // The first measure is compressed behind the header: the clef (0.25 wide on this surface,
    // plus 0.03), no key signature, the "C" of 4/4 (0.1) and 0.02.
    const double start = 0.25 + 0.03 + 0.1 + 0.02;
    EXPECT_NEAR(roots[0].x1, start, kEps);
    EXPECT_NEAR(roots[1].x1, start + 2 * 7.5 / 19, kEps);
    EXPECT_NEAR(roots[2].x1, 1.875 + 0.1, kEps);  // measure 1
    EXPECT_NEAR(roots[3].x1, 0.1, kEps);          // measure 4, line 1
    EXPECT_NEAR(roots[3].y1, 1.37, kEps);
    EXPECT_NEAR(roots[5].x1, (2 + 4) * 0.46875 + 0.1, kEps);  // G7 on beat 3
    EXPECT_NEAR(roots[7].x1, (3 + 8) * 0.46875 + 0.1, kEps);  // F on beat 4
    EXPECT_EQ(roots[0].fill, 0);
    EXPECT_EQ(roots[8].fill, 0x7F7F7F);  // parenthesized: half-way to white
}

TEST(ChartLayout, BarSignsAndEndings)
{
    // Measures: 0 C, 1 |: D, 2 E, 3 F, 4 :| G (line 1), 5 ! A, 6 :|: B, 7 C, 8 .. D (line 2).
    const CMMusicSong song = CompileSong("chord { C |: D | E | F :| G ! A :| |: B | C ||| D || }");
    const RecordingDC dc = DrawChart(song);
    // Repeat begin at measure 1: thick bar, thin bar, two dots.
    EXPECT_TRUE(HasThickBar(dc, 1.875, 0));
    EXPECT_TRUE(HasThinBar(dc, 1.875 + 0.06, 0));
    EXPECT_EQ(CountEllipses(dc, 1.875 + 0.085), 2);
    // The repeat end of measure 4 starts line 1: it is drawn at the end of line 0.
    EXPECT_TRUE(HasThickBar(dc, 7.5 - 0.03, 0));
    EXPECT_TRUE(HasThinBar(dc, 7.5 - 0.06, 0));
    EXPECT_EQ(CountEllipses(dc, 7.5 - 0.115), 2);
    EXPECT_FALSE(HasThickBar(dc, -0.03, 1));
    // The first ending at measure 5: a double bar and the bracket.
    const double ending = 1.875;
    EXPECT_TRUE(HasThinBar(dc, ending, 1));
    EXPECT_TRUE(HasThinBar(dc, ending - 0.03, 1));
    EXPECT_TRUE(HasLine(dc, ending, 1.72, ending + 0.075, 1.32));
    EXPECT_TRUE(HasLine(dc, ending + 0.075, 1.32, ending + 1.5, 1.32));
    EXPECT_TRUE(HasLine(dc, ending + 1.5, 1.32, ending + 1.35, 1.27));
    // The double repeat at measure 6: repeat end, repeat begin, and the second ending's bracket.
    const double second = 2 * 1.875;
    EXPECT_TRUE(HasThickBar(dc, second - 0.03, 1));
    EXPECT_TRUE(HasThickBar(dc, second, 1));
    EXPECT_TRUE(HasLine(dc, second, 1.72, second + 0.075, 1.32));
    int brackets = 0, hooks = 0;
    for (const RecordedPrimitive& line : dc.OfKind(RecordedPrimitive::Line)) {
        brackets += line.width == 2 && line.y2 == line.y1 ? 1 : 0;
        hooks += line.width == 2 && line.x2 < line.x1 ? 1 : 0;
    }
    EXPECT_EQ(brackets, 2);  // the ending closed at the double repeat: no third bracket
    EXPECT_EQ(hooks, 1);     // the second ending stays open at its end
    // Each bracket carries its number, standing on it at its start.
    const std::vector<RecordedPrimitive> one = TextsSaying(dc, "1.");
    const std::vector<RecordedPrimitive> two = TextsSaying(dc, "2.");
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(two.size(), 1u);
    EXPECT_NEAR(one[0].x1, ending + 0.1, kEps);
    EXPECT_NEAR(one[0].y1 + one[0].height, 1.32, kEps);
    EXPECT_NEAR(two[0].x1, second + 0.1, kEps);
    // The final bar of measure 8 starts line 2: at the end of line 1.
    EXPECT_TRUE(HasThickBar(dc, 7.5 - 0.03, 1));
    EXPECT_FALSE(HasThickBar(dc, -0.03, 2));
    // The closing double bar after measure 8.
    EXPECT_TRUE(HasThinBar(dc, 1.875, 2));
    EXPECT_TRUE(HasThinBar(dc, 1.875 - 0.03, 2));

    // A repeat from the first measure stands behind the clef and the time signature (0.25 and
    // 0.1 wide on this surface), where the first chord starts.
    const RecordingDC fromTheStart = DrawChart(CompileSong("chord { |: C | D :| }"));
    EXPECT_TRUE(HasThickBar(fromTheStart, 0.28 + 0.1 + 0.02, 0));
    EXPECT_FALSE(HasThickBar(fromTheStart, 0, 0));

    // A single bar (never compiled, but a bar kind of the model) is one more thin bar line.
    CMMusicSong single = CompileSong("chord { C | D || }");
    single.measures.GetAt(1)->barKind = BarSingle;
    int bars = 0;
    for (const RecordedPrimitive& line : DrawChart(single).OfKind(RecordedPrimitive::Line))
        bars += line.x1 == 1.875 && line.x2 == 1.875 && line.y1 == 0.72 ? 1 : 0;
    EXPECT_EQ(bars, 2);  // the staff paper's and the sign's
}

TEST(ChartLayout, DoubleBarAtALineStart)
{
    // The closing double bar of a song that fills its lines goes to the end of the last line;
    // the empty line after it gets none.
    const RecordingDC filled = DrawChart(CompileSong("chord { C | D | E | F || }"));
    EXPECT_TRUE(HasThinBar(filled, 7.47, 0));
    EXPECT_FALSE(HasThinBar(filled, 0.03, 1));

    // The double bar before measure 4 (line 1): at its start and at the end of line 0.
    const RecordingDC dc = DrawChart(CompileSong("chord { C | D | E | F || G | A || }"));
    EXPECT_TRUE(HasThinBar(dc, 0, 1));
    EXPECT_TRUE(HasThinBar(dc, 0.03, 1));
    EXPECT_TRUE(HasThinBar(dc, 7.5, 0));
    EXPECT_TRUE(HasThinBar(dc, 7.47, 0));
}

TEST(ChartLayout, TheCodaJumpAndTheCodaItLeadsTo)
{
    const std::string coda(1, MusicGlyph::kCoda);
    // Jumps before measure 6 (line 1), and before measure 8, which starts line 2: at the end
    // of line 1.
    for (const auto& [source, barLine] :
         {std::pair{"chord { C | D | E | F | G | A @ B | C | coda: D || }", 1.875 * 2},
          std::pair{"chord { C | D | E | F | G | A | B | C @ D | coda: E || }", 7.5}}) {
        const RecordingDC dc = DrawChart(CompileSong(source));
        const std::vector<RecordedPrimitive> to = TextsSaying(dc, "to");
        const std::vector<RecordedPrimitive> signs = TextsSaying(dc, coda);
        ASSERT_EQ(to.size(), 1u) << source;
        ASSERT_EQ(signs.size(), 2u) << source;  // the jump's and the coda's
        const RecordedPrimitive& sign = signs[0];
        // "to" and the sign, as readable as a label, end before the bar line, clear of a label
        // starting 0.1 before it, and stand above the staff.
        EXPECT_EQ(to[0].font, "Arial");
        EXPECT_EQ(to[0].height, 0.125);
        EXPECT_EQ(sign.font, kMusicFontName);
        EXPECT_GT(sign.height, to[0].height);
        EXPECT_EQ(sign.alignment, AlignRight);
        EXPECT_NEAR(sign.x1, barLine - 0.12, kEps);
        EXPECT_LT(to[0].x1, sign.x1 - sign.width);
        EXPECT_EQ(to[0].alignment, AlignRight);
        EXPECT_LE(to[0].y1 + to[0].height, 1.72);
        EXPECT_GT(to[0].y1, 1.37);  // below the chords' tops
    }

    // The coda begins with a larger sign in front of its label, level with it.
    const RecordingDC dc = DrawChart(CompileSong("chord { C | D @ E | F | coda: G | A || }"));
    const std::vector<RecordedPrimitive> label = TextsSaying(dc, "Coda");
    const std::vector<RecordedPrimitive> signs = TextsSaying(dc, coda);
    ASSERT_EQ(label.size(), 1u);
    ASSERT_EQ(signs.size(), 2u);
    const RecordedPrimitive& sign = signs[1];
    EXPECT_NEAR(sign.height, 2.5 * 0.125, kEps);
    EXPECT_GT(sign.height, signs[0].height);
    EXPECT_EQ(sign.alignment, AlignRight);
    EXPECT_LT(sign.x1, label[0].x1);
    EXPECT_NEAR(sign.x1, label[0].x1 - 0.03, kEps);
    EXPECT_LT(sign.y1, label[0].y1);
    EXPECT_GT(sign.y1 + sign.height, label[0].y1 + label[0].height);

    // An ending that no jump leads to carries no sign.
    EXPECT_TRUE(TextsSaying(DrawChart(CompileSong("chord { C | coda: D || }")), coda).empty());
}

TEST(ChartLayout, SignsOfAPageBreakGoWithThePageTheyStandOn)
{
    // A repeat end before measure 40 belongs to the end of page 1's last line.
    std::string source = "chord { |: C";
    for (int i = 1; i < 44; ++i)
        source += i == 40 ? " :| D" : " | C";
    source += " || }";
    const CMMusicSong song = CompileSong(source);
    const RecordingDC first = DrawChart(song, {.page = 1});
    EXPECT_TRUE(HasThickBar(first, 7.5 - 0.03, 9));
    const RecordingDC second = DrawChart(song, {.page = 2});
    EXPECT_FALSE(HasThickBar(second, 7.5 - 0.03, 9));
    const RecordingDC screen = DrawChart(song, {.page = 0});
    EXPECT_TRUE(HasThickBar(screen, 7.5 - 0.03, 9));
}

TEST(ChartLayout, KeySignaturesAndTheKeyText)
{
    RecordingDC dc = DrawChart(CompileSong("key { Eb } chord { C || }"));
    std::vector<RecordedPrimitive> flats = TextsSaying(dc, MusicGlyph::kFlat);
    ASSERT_EQ(flats.size(), 3u);
    const double xs[] = {0.19, 0.222, 0.254};
    const double ys[] = {0.605, 0.5, 0.64};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(flats[k].x1, xs[k], kEps);
        EXPECT_NEAR(flats[k].y1, ys[k] + 0.055, kEps);
        EXPECT_EQ(flats[k].height, 0.25);
    }
    EXPECT_EQ(TextsSaying(dc, "Key = Eb").size(), 1u);
    // The chords start behind the signature: 0.082 for the first flat, 0.032 for each other.
    EXPECT_NEAR(Roots(dc)[0].x1, 0.28 + 0.082 + 2 * 0.032 + 0.1 + 0.02, kEps);

    dc = DrawChart(CompileSong("key { Am } chord { C || }"));
    EXPECT_TRUE(TextsSaying(dc, MusicGlyph::kSharp).empty());
    EXPECT_TRUE(TextsSaying(dc, MusicGlyph::kFlat).empty());
    EXPECT_EQ(TextsSaying(dc, "Key = Am").size(), 1u);

    // A key block that starts with a bar sign still names the key.
    dc = DrawChart(CompileSong("key { | A } chord { C || }"));
    const std::vector<RecordedPrimitive> sharps = TextsSaying(dc, MusicGlyph::kSharp);
    ASSERT_EQ(sharps.size(), 3u);
    EXPECT_NEAR(sharps[2].x1, 0.254, kEps);
    EXPECT_NEAR(sharps[2].y1, 0.43 + 0.095, kEps);

    // E minor two semitones up is F sharp minor, with its three sharps.
    dc = DrawChart(CompileSong("key { Em } chord { C || }"), {.transposition = 2});
    EXPECT_EQ(TextsSaying(dc, "Key = F#m").size(), 1u);
    EXPECT_EQ(TextsSaying(dc, MusicGlyph::kSharp).size(), 3u);

    // No key: C major, moved by the transposition.
    dc = DrawChart(CompileSong("chord { C || }"), {.transposition = -3});
    EXPECT_EQ(TextsSaying(dc, "Key = A").size(), 1u);
    EXPECT_EQ(TextsSaying(dc, MusicGlyph::kSharp).size(), 3u);
}

TEST(ChartLayout, TimeSignatures)
{
    RecordingDC dc = DrawChart(CompileSong("time base { 3/4 } chord { C || }"));
    const std::vector<RecordedPrimitive> three = TextsSaying(dc, "3");
    const std::vector<RecordedPrimitive> four = TextsSaying(dc, "4");
    ASSERT_EQ(three.size(), 1u);
    ASSERT_EQ(four.size(), 1u);
    EXPECT_EQ(three[0].font, "Times New Roman");
    EXPECT_TRUE(three[0].bold);
    EXPECT_NEAR(three[0].height, 0.2, kEps);
    EXPECT_NEAR(three[0].x1, 0.28, kEps);
    EXPECT_NEAR(three[0].y1, 0.675, kEps);
    EXPECT_NEAR(four[0].x1, 0.28, kEps);
    EXPECT_NEAR(four[0].y1, 0.815, kEps);

    for (const char* source : {"chord { C || }", "time base { 4/4 } chord { C || }",
                               "time base { | 4/4 } chord { C || }"}) {
        dc = DrawChart(CompileSong(source));
        const std::vector<RecordedPrimitive> c = TextsSaying(dc, "C");
        ASSERT_EQ(c.size(), 2u) << source;  // the time signature and the chord
        EXPECT_EQ(c[0].font, "Times New Roman");
        EXPECT_NEAR(c[0].y1, 0.745, kEps);
    }
    dc = DrawChart(CompileSong("time base { 5/8 | 3/4 } chord { C || }"));
    EXPECT_EQ(TextsSaying(dc, "5").size(), 1u);
    EXPECT_EQ(TextsSaying(dc, "8").size(), 1u);
    EXPECT_TRUE(TextsSaying(dc, "3").empty());
}

TEST(ChartLayout, Labels)
{
    const CMMusicSong song =
        CompileSong("chord { intro: C | D | labelB: E | label1: F | G | theme: A || }");
    const RecordingDC dc = DrawChart(song);
    const std::vector<RecordedPrimitive> intro = TextsSaying(dc, "Intro");
    ASSERT_EQ(intro.size(), 1u);
    EXPECT_NEAR(intro[0].x1, -0.1, kEps);
    EXPECT_NEAR(intro[0].y1, 0.69 - 0.125, kEps);
    const std::vector<RecordedPrimitive> b = TextsSaying(dc, "B");
    ASSERT_EQ(b.size(), 1u);
    EXPECT_NEAR(b[0].x1, 2 * 1.875 - 0.1, kEps);
    // The boxed letter: as wide as the label height, 1.1 times as tall, centred on the letter.
    const double centre = b[0].x1 + RecordingDC::TextWidth("B", 0.125) / 2;
    bool boxed = false;
    for (const RecordedPrimitive& box : dc.OfKind(RecordedPrimitive::Rectangle))
        boxed |= std::abs(box.x1 - (centre - 0.0625)) < kEps &&
                 std::abs(box.x2 - (centre + 0.0625)) < kEps && std::abs(box.y1 - b[0].y1) < kEps &&
                 std::abs(box.y2 - (b[0].y1 + 0.1375)) < kEps && box.fill < 0 && box.outline == 0;
    EXPECT_TRUE(boxed);
    // A digit label draws nothing; the theme after it does.
    EXPECT_TRUE(TextsSaying(dc, "1").empty());
    EXPECT_EQ(TextsSaying(dc, "Theme").size(), 1u);
    EXPECT_NEAR(TextsSaying(dc, "Theme")[0].x1, 1.875 - 0.1, kEps);  // measure 5, line 1
}

TEST(ChartLayout, NotesLedgerLinesAccidentalsAndDots)
{
    // Measure 0 is compressed; the notes of measure 1 are at the measure's own place.
    const CMMusicSong song =
        CompileSong("chord { C | C | C || } note { C4 | C4 Q Bb3 H. | A5 Q C6 Q A3 Q R Q | }");
    const RecordingDC dc = DrawChart(song);
    std::vector<RecordedPrimitive> notes;
    for (const RecordedPrimitive& text : dc.Texts(kMusicFontName))
        if (static_cast<unsigned char>(text.text[0]) >= MusicGlyph::kFirstNote &&
            static_cast<unsigned char>(text.text[0]) < MusicGlyph::kFirstRest)
            notes.push_back(text);
    ASSERT_EQ(notes.size(), 6u);
    const double t = 0.72;
    // Measure 0: a quarter note (the default) at the compressed x.
    EXPECT_NEAR(notes[0].x1, 0.07 * 1.875 * 0.7 + 0.5, kEps);
    EXPECT_NEAR(notes[0].y1, t + 0.095, kEps);
    EXPECT_EQ(notes[0].text, std::string(1, MusicGlyph::Note(2)));
    // Measure 1: C4 at the measure's first slot, then a dotted half B flat below it.
    const double x1 = 1.875 + 0.07 * 1.875;
    EXPECT_NEAR(notes[1].x1, x1, kEps);
    EXPECT_NEAR(notes[2].x1, 1.875 + (0.04 + 0.24375) * 1.875, kEps);  // not the first item
    EXPECT_NEAR(notes[2].y1, t + 0.095 + 0.035, kEps);
    EXPECT_EQ(notes[2].text, std::string(1, MusicGlyph::Note(1)));
    // One ledger line at middle C (t + 0.35) for C4 and for B flat 3.
    EXPECT_TRUE(HasLine(dc, x1 - 0.02, t + 0.35, x1 + 0.115, t + 0.35));
    EXPECT_TRUE(HasLine(dc, notes[2].x1 - 0.02, t + 0.35, notes[2].x1 + 0.115, t + 0.35));
    EXPECT_FALSE(HasLine(dc, notes[2].x1 - 0.02, t + 0.42, notes[2].x1 + 0.115, t + 0.42));
    // The flat before it and the dot after it.
    const std::vector<RecordedPrimitive> flats = TextsSaying(dc, MusicGlyph::kFlat);
    ASSERT_EQ(flats.size(), 1u);
    EXPECT_NEAR(flats[0].x1, notes[2].x1 - 0.06, kEps);
    EXPECT_NEAR(flats[0].y1, notes[2].y1 + 0.055, kEps);
    const std::vector<RecordedPrimitive> dots = TextsSaying(dc, MusicGlyph::kDot);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_NEAR(dots[0].x1, notes[2].x1 + 0.12, kEps);
    EXPECT_NEAR(dots[0].y1, notes[2].y1 + 0.01, kEps);
    // Measure 2: A5 has one ledger line above the staff, C6 two, A3 two below.
    const double a5 = notes[3].x1, c6 = notes[4].x1, a3 = notes[5].x1;
    EXPECT_TRUE(HasLine(dc, a5 - 0.02, t - 0.07, a5 + 0.115, t - 0.07));
    EXPECT_FALSE(HasLine(dc, a5 - 0.02, t - 0.14, a5 + 0.115, t - 0.14));
    EXPECT_TRUE(HasLine(dc, c6 - 0.02, t - 0.07, c6 + 0.115, t - 0.07));
    EXPECT_TRUE(HasLine(dc, c6 - 0.02, t - 0.14, c6 + 0.115, t - 0.14));
    EXPECT_NEAR(notes[4].y1, t + 0.095 - 14 * 0.035, kEps);
    EXPECT_TRUE(HasLine(dc, a3 - 0.02, t + 0.35, a3 + 0.115, t + 0.35));
    EXPECT_TRUE(HasLine(dc, a3 - 0.02, t + 0.42, a3 + 0.115, t + 0.42));
    // The quarter rest after them.
    const std::vector<RecordedPrimitive> rests =
        TextsSaying(dc, std::string(1, MusicGlyph::Rest(2)));
    ASSERT_EQ(rests.size(), 1u);
    EXPECT_NEAR(rests[0].x1, 2 * 1.875 + (0.1 + 3 * 0.24375) * 1.875, kEps);
    EXPECT_NEAR(rests[0].y1, t - 0.0565, kEps);
    EXPECT_NEAR(rests[0].height, 0.35, kEps);
}

TEST(ChartLayout, Lyrics)
{
    std::string lyrics = "la la / la | la ~";
    for (int i = 0; i < 14; ++i)
        lyrics += " / x";
    const CMMusicSong song =
        CompileSong("chord { C | C | C | C | C || } lyrics { " + lyrics + " }");
    const RecordingDC dc = DrawChart(song);
    std::vector<RecordedPrimitive> words;
    for (const RecordedPrimitive& text : dc.Texts("Arial"))
        if (text.height == 0.125 && text.y1 > 1)
            words.push_back(text);
    ASSERT_GE(words.size(), 4u);
    EXPECT_EQ(words[0].text, "la la");
    EXPECT_NEAR(words[0].x1, 0, kEps);
    EXPECT_NEAR(words[0].y1, 1.12, kEps);
    EXPECT_NEAR(words[1].x1, 2 * 0.46875, kEps);  // "/" took slot 1
    EXPECT_NEAR(words[2].x1, 3 * 0.46875, kEps);  // "|" and "~" take nothing
    EXPECT_EQ(words.back().text, "x");
    EXPECT_NEAR(words.back().y1, 2.12, kEps);  // slot 31 is on the second line
    EXPECT_NEAR(words.back().x1, 15 * 0.46875, kEps);
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

TEST(ChartLayout, HeaderScreenAndPrint)
{
    CMMusicSong song =
        CompileSong("title { First line\nSecond line } misc { tempo = 99; repeat = 2;"
                    " composed by = \"Ann\"; lyrics by = \"Bo\"; } chord { C || }");
    RecordingDC screen = DrawChart(song, {.page = 0, .ringBitmap = kRingBitmap});
    const std::vector<RecordedPrimitive> first = TextsSaying(screen, "First line");
    const std::vector<RecordedPrimitive> second = TextsSaying(screen, "Second line");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NEAR(first[0].height, 0.25 * 1.5 / 2, kEps);
    EXPECT_NEAR(first[0].x1, 3.75, kEps);
    EXPECT_EQ(first[0].alignment, AlignCentre);
    EXPECT_NEAR(first[0].y1, -0.125, kEps);
    EXPECT_NEAR(second[0].y1, 0.1875 - 0.125, kEps);
    EXPECT_EQ(TextsSaying(screen, "Tempo = 99").size(), 1u);
    // The tempo the song is played at, under the two title lines; with its style when it has one.
    const std::vector<RecordedPrimitive> marking =
        TextsSaying(DrawChart(song, {.tempo = 120}), "\xE2\x99\xA9 = 120");
    ASSERT_EQ(marking.size(), 1u);
    EXPECT_NEAR(marking[0].x1, 3.75, kEps);
    EXPECT_EQ(marking[0].alignment, AlignCentre);
    EXPECT_GE(marking[0].y1, second[0].y1 + second[0].height);
    EXPECT_EQ(TextsSaying(DrawChart(CompileSong("misc { style = mediumfast; } chord { C || }"),
                                    {.tempo = 180}),
                          "Medium Fast \xE2\x99\xA9 = 180")
                  .size(),
              1u);
    EXPECT_NEAR(TextsSaying(screen, "Tempo = 99")[0].y1, -0.125, kEps);
    EXPECT_EQ(TextsSaying(screen, "Repeat = 2 times").size(), 1u);
    const std::vector<RecordedPrimitive> music = TextsSaying(screen, "Music by Ann");
    ASSERT_EQ(music.size(), 1u);
    EXPECT_NEAR(music[0].x1, 7.5, kEps);
    EXPECT_EQ(music[0].alignment, AlignRight);
    EXPECT_NEAR(TextsSaying(screen, "Words by Bo")[0].y1, 0, kEps);
    // Cream sheets, rings in the gutter every 0.2 inch, an outline round both sheets.
    const std::vector<RecordedPrimitive> shapes = screen.OfKind(RecordedPrimitive::Rectangle);
    ASSERT_GE(shapes.size(), 3u);
    EXPECT_EQ(shapes[0].fill, 0xFFFFF2);
    EXPECT_NEAR(shapes[0].x1, -0.5, kEps);
    EXPECT_NEAR(shapes[1].x1, 8.0, kEps);
    EXPECT_NEAR(shapes[1].y2, 10.5, kEps);
    const std::vector<RecordedPrimitive> rings = screen.OfKind(RecordedPrimitive::Bitmap);
    ASSERT_EQ(rings.size(), 55u);
    EXPECT_NEAR(rings[0].x1, 8.0, kEps);
    EXPECT_NEAR(rings[0].y1, -0.5, kEps);
    EXPECT_NEAR(rings[54].y1, 54 * 0.2 - 0.5, kEps);
    EXPECT_TRUE(rings[0].centred);
    EXPECT_EQ(rings[0].bitmap, kRingBitmap);
    EXPECT_EQ(shapes[2].fill, -1);
    EXPECT_NEAR(shapes[2].x2, 16.5, kEps);

    // Printed: white, no rings, no tempo, and the grey notice when asked for.
    RecordingDC printed =
        DrawChart(song, {.page = 1, .ringBitmap = kRingBitmap, .printNotice = true});
    EXPECT_EQ(printed.OfKind(RecordedPrimitive::Rectangle)[0].fill, 0xFFFFFF);
    EXPECT_TRUE(printed.OfKind(RecordedPrimitive::Bitmap).empty());
    EXPECT_TRUE(TextsSaying(printed, "Tempo = 99").empty());
    int notice = 0;
    for (const RecordedPrimitive& text : printed.Texts("Times New Roman"))
        notice += text.fill == 0xBFBFBF && text.bold && text.italic && text.height == 0.5 ? 1 : 0;
    EXPECT_EQ(notice, 20);
    printed = DrawChart(song, {.page = 1});
    EXPECT_EQ(printed.Texts("Times New Roman").size(), 1u);  // only the "C" of 4/4

    // Without title lines the file name is the title, with or without a folder.
    song.title.DeleteAll();
    for (const char* path : {"/songs/Blue Tune.zimbrel", "Blue Tune.zimbrel"}) {
        song.path = path;
        const RecordingDC untitled = DrawChart(song);
        ASSERT_EQ(TextsSaying(untitled, "Blue Tune").size(), 1u) << path;
        EXPECT_NEAR(TextsSaying(untitled, "Blue Tune")[0].y1, -0.125, kEps);
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
