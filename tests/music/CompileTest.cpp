// The compiler: items and their encoding, measures and chord lengths, repeat placement, the form,
// the error messages with their lines and last tokens, and the escaping of non-ASCII text.
#include "music/CMMusicSong.h"
#include "tests/CompiledSongs.h"
#include "tests/Printers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string ErrorOf(const std::string& source)
{
    CMMusicSong song;
    CMString error;
    EXPECT_FALSE(song.Compile(CMString(source), error)) << source;
    return error.Str();
}

// A measure as "name:length" pieces, e.g. "C:2 G:3"; slashes show as "/".
std::string MeasureText(const CMMusicChordList& measure)
{
    std::string text;
    for (const CMMusicChord* chord : measure) {
        if (!text.empty())
            text += ' ';
        text += chord->IsSlash() ? std::string("/")
                                 : chord->GetName().Str() + chord->GetPlainText().Str();
        text += ':' + std::to_string(chord->length);
    }
    return text;
}

std::vector<std::string> Measures(const CMMusicSong& song)
{
    std::vector<std::string> measures;
    for (const CMMusicChordList* measure : song.measures)
        measures.push_back(MeasureText(*measure));
    return measures;
}

std::vector<int> Labels(const CMMusicSong& song)
{
    std::vector<int> labels;
    for (const CMMusicChordList* measure : song.measures)
        labels.push_back(measure->labelCode);
    return labels;
}

std::vector<int> ThemeStructure(const CMMusicSong& song)
{
    std::vector<int> codes;
    for (const CMBaseType<char>* code : song.structure.themeStructure)
        codes.push_back(code->GetValue());
    return codes;
}

std::string Error(int line, const std::string& message, const std::string& token)
{
    return "Error : line (" + std::to_string(line) + ") " + message + "\n  Last token : \"" +
           token + "\"\n";
}

}  // namespace

TEST(Compile, EmptySourceGivesDefaults)
{
    const CMMusicSong song = CompileSong("");
    EXPECT_TRUE(song.IsEmpty() && song.measures.IsEmpty() && song.structure.IsEmpty() &&
                song.structure.themeStructure.IsEmpty() && song.GetKeyChord() == nullptr);
    EXPECT_EQ((std::vector<int>{song.tempo, song.repeat, song.precount, song.style}),
              (std::vector<int>{150, 4, 1, -1}));
}

TEST(Compile, MiscSettings)
{
    CMMusicSong song = CompileSong("misc { tempo = 96; repeat = 3; precount = 5; style = veryfast;"
                                   " composed by = \"A. Writer\"; lyrics by = \"B\"; "
                                   "music by = \"\"; }");
    EXPECT_EQ(song.tempo, 96);
    EXPECT_EQ(song.repeat, 3);
    EXPECT_EQ(song.precount, 2);  // at most two measures
    EXPECT_EQ(song.style, 5);
    EXPECT_EQ(song.composer, "A. Writer");  // an empty string changes nothing
    EXPECT_EQ(song.lyricist, "B");
    EXPECT_EQ(CompileSong("misc { style = ballad; precount = 0; }").precount, 0);
    EXPECT_EQ(CompileSong("misc { tempo = 99999999999999; }").tempo, 2147483647);
}

TEST(Compile, ItemEncoding)
{
    const CMMusicSong song = CompileSong("chord { labelB: F#m7b5 onBb / | ( D7 ) || }");
    std::vector<const CMMusicChord*> items;
    for (const CMMusicChord* item : song)
        items.push_back(item);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_TRUE(items[0]->IsLabel());
    EXPECT_EQ(items[0]->kind, 16);
    EXPECT_EQ(items[1]->letter, LetterF);
    EXPECT_EQ(items[1]->accidental, AccidentalSharp);
    EXPECT_EQ(items[1]->kind, KindMinor);
    EXPECT_TRUE(items[1]->flags.seventh && items[1]->flags.flatFive);
    EXPECT_EQ(items[1]->bass.GetName(), "Bb");
    EXPECT_FALSE(items[1]->parenthesized);
    EXPECT_TRUE(items[2]->IsSlash());
    EXPECT_TRUE(items[3]->IsBar());
    EXPECT_EQ(items[3]->kind, BarNone);
    EXPECT_TRUE(items[4]->parenthesized);
    EXPECT_EQ(items[5]->kind, DoubleBar);
    EXPECT_EQ(items[1]->length, LengthBeat);  // only the measures' copies get their lengths
    EXPECT_EQ(song.measures.GetHead()->element->GetHead()->element->length, LengthHalf);
}

TEST(Compile, MeasuresCopyEmptyMeasuresAndDropTheClosingOne)
{
    const CMMusicSong song = CompileSong("chord { C | | F | }");
    EXPECT_EQ(Measures(song), (std::vector<std::string>{"C:1", "C:1", "F:1", ""}));
    // A leading bar sign opens no empty first measure; chords after the last bar are dropped.
    const CMMusicSong leading = CompileSong("chord { | Dm7 | G7 }");
    EXPECT_EQ(Measures(leading), (std::vector<std::string>{"Dm7:1", ""}));
}

TEST(Compile, ChordLengthsOfSlashesWithoutAChordBefore)
{
    // How items share a measure is in the golden listing of tests/data/songs/lengths.zimbrel.
    // A measure of four slashes at the very start has no chord to continue.
    EXPECT_EQ(Measures(CompileSong("chord { / / / / | / D E F | }")),
              (std::vector<std::string>{"", "D:3 E:3 F:3", ""}));
}

TEST(Compile, RepeatBeginPlacement)
{
    // Double repeats (also with a label between ":|" and "|:"), a label before "|:" after chords
    // and at the very start are in the golden songs repeats.zimbrel and signs.zimbrel.
    // A slash ends the search for the place: the sign goes after it, before the labels.
    const CMMusicSong slash = CompileSong("chord { C / labelB: |: D | }");
    EXPECT_EQ(Measures(slash), (std::vector<std::string>{"C:2 /:2", "D:1", ""}));
    EXPECT_EQ(Labels(slash), (std::vector<int>{11, 16, 16}));
}

TEST(Compile, KeyBlocksAndTheSongsKey)
{
    const CMMusicSong song = CompileSong("key { || Am } chord { C | }");
    ASSERT_NE(song.GetKeyChord(), nullptr);
    EXPECT_EQ(song.GetKeyChord()->GetName(), "A");
    EXPECT_EQ(song.GetKey().pitchClass, 9);
    EXPECT_TRUE(song.GetKey().minor);
    EXPECT_EQ(song.keys.GetCount(), 2);
    EXPECT_EQ(song.GetCount(), 2);  // the key block's items stay out of the song's items

    EXPECT_EQ(CompileSong("key { Eb }").GetKey().pitchClass, 3);
    EXPECT_FALSE(CompileSong("key { Eb }").GetKey().minor);
    EXPECT_EQ(CompileSong("key { Cb }").GetKey().pitchClass, 11);
    EXPECT_EQ(CompileSong("key { labelA: / }").GetKeyChord(), nullptr);
    // In a key block a repeat end always merges with a repeat begin.
    const CMMusicSong keys = CompileSong("key { C :| D |: }");
    EXPECT_EQ(keys.keys.GetTail()->previous->element->kind, DoubleRepeat);
}

TEST(Compile, FormAndDefaultThemeStructure)
{
    const CMMusicSong form =
        CompileSong("progression { theme structure = A A B ; intro theme labelB ending }");
    EXPECT_EQ(ThemeStructure(form), (std::vector<int>{15, 15, 16}));
    ASSERT_EQ(form.structure.GetCount(), 4);
    std::vector<std::pair<int, bool>> entries;
    for (const CMMusicSong::CMMusicLabel* entry : form.structure)
        entries.emplace_back(entry->code, entry->inThemeStructure);
    EXPECT_EQ(entries, (std::vector<std::pair<int, bool>>{
                           {9, false}, {11, false}, {16, true}, {14, false}}));

    EXPECT_EQ(
        ThemeStructure(CompileSong("chord { intro: C | labelA: D | E | labelB: F | labelA: G |"
                                   " ending: C | }")),
        (std::vector<int>{15, 16}));
    EXPECT_EQ(ThemeStructure(CompileSong("chord { intro: C | theme: D | labelB: F | }")),
              (std::vector<int>{11}));
    // A progression block keeps the defaults away, even an empty one.
    EXPECT_EQ(ThemeStructure(CompileSong("progression { intro } chord { labelA: C | }")),
              (std::vector<int>{}));
}

TEST(Compile, TitleLyricsNotesAndTimeBase)
{
    const CMMusicSong song = CompileSong("title {  First  \n\n  Second line \t}\n"
                                         "lyrics { one two / three | four ~ }\n"
                                         "time base { 3/4 | 12/8 , }\n"
                                         "note { C4 Q. D E8 R | / O R / r H3 }");
    ASSERT_EQ(song.title.GetCount(), 2);
    EXPECT_EQ(*song.title.GetHead()->element, "First");
    EXPECT_EQ(*song.title.GetTail()->element, "Second line");
    std::vector<std::string> lyrics;
    for (const CMString* line : song.lyrics)
        lyrics.push_back(line->Str());
    EXPECT_EQ(lyrics, (std::vector<std::string>{"one two", "/", "three", "|", "four", "~"}));
    std::vector<int> meters;
    for (const CMBaseType<unsigned short>* meter : song.timeBase)
        meters.push_back(meter->GetValue());
    EXPECT_EQ(meters, (std::vector<int>{0x0304, 0, 0x0C08, 0}));

    std::vector<std::string> notes;
    for (const CMMusicNotation* n : song.notes)
        notes.push_back(std::to_string(n->letter) + "/" + std::to_string(n->accidental) + "/" +
                        std::to_string(n->octave) + "/" + std::to_string(n->value) + "/" +
                        std::to_string(n->dots) + "/" + std::to_string(n->tuplet));
    EXPECT_EQ(notes, (std::vector<std::string>{
                         "1/0/4/2/1/0",  // C4, dotted quarter
                         "2/0/4/2/1/0",  // D keeps octave and duration
                         "3/0/8/2/1/0",  // E8
                         "0/0/0/2/1/0",  // rest with the last duration
                         "0/1/0/2/0/0",  // bar line
                         "0/0/0/3/0/0",  // a slash with its own duration...
                         "0/0/0/2/1/0",  // ...which does not become the last duration
                         "0/0/0/2/0/0",  // a slash alone is a quarter
                         "0/0/0/1/0/3",  // a half-note triplet rest
                     }));
}

TEST(Compile, ErrorsQuoteLineAndToken)
{
    // A sus after a seventh, a stray letter, an unclosed block, a coda sign twice, a theme in the
    // theme structure and an unclosed comment outside blocks are golden files in tests/data/songs.
    EXPECT_EQ(ErrorOf("chord { C | Bb5 }"), Error(1, "parse error", "5"));
    EXPECT_EQ(ErrorOf("misc { medium slow }"), Error(1, "parse error", "medium"));
    EXPECT_EQ(ErrorOf("chord { second theme: C }"), Error(1, "parse error", "s"));
    EXPECT_EQ(ErrorOf("chord { C :|\n\n |: D | }\nx"), Error(4, "parse error", "x"));
    EXPECT_EQ(ErrorOf("chord { C /* inside\n a block"), Error(2, "unterminated comment", ""));
    EXPECT_EQ(ErrorOf("chord { C @ D |\n @ E }"),
              Error(2, "Coda mark cannot be used more than once.", "@"));
    // Outside the theme structure "theme" is an ordinary entry, and second theme two labels.
    EXPECT_EQ(
        CompileSong("progression { theme structure = A ; second theme }").structure.GetCount(), 7);
}

TEST(Compile, FailureLeavesTheSongUnchanged)
{
    CMMusicSong song = CompileSong("title { Kept } chord { C | D | } misc { tempo = 99; }");
    song.path = "/songs/kept.zimbrel";
    CMString error;
    EXPECT_FALSE(song.Compile(CMString("title { New } chord { E | @ @ }"), error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(*song.title.GetHead()->element, "Kept");
    EXPECT_EQ(song.measures.GetCount(), 3);
    EXPECT_EQ(song.tempo, 99);
    EXPECT_EQ(song.path, "/songs/kept.zimbrel");
    ASSERT_TRUE(song.Compile(CMString("title { New }"), error));
    EXPECT_TRUE(error.IsEmpty());
    EXPECT_EQ(song.path, "/songs/kept.zimbrel");  // a successful compile keeps the path too
    EXPECT_EQ(song.measures.GetCount(), 0);
    EXPECT_EQ(song.tempo, 150);
}

TEST(Compile, NonAsciiTextSurvivesByteForByte)
{
    const std::string source = "title { Caf\xC3\xA9 \xE6\x97\xA5 }\n"
                               "lyrics { \xC3\xBC"
                               "ber / \xF0\x9F\x8E\xB7 }\n"
                               "misc { composed by = \"Zo\xC3\xAB \\x41\"; }";
    const CMMusicSong song = CompileSong(source);
    EXPECT_EQ(song.title.GetHead()->element->Str(), "Caf\xC3\xA9 \xE6\x97\xA5");
    EXPECT_EQ(song.lyrics.GetHead()->element->Str(), "\xC3\xBC"
                                                     "ber");
    EXPECT_EQ(song.lyrics.GetTail()->element->Str(), "\xF0\x9F\x8E\xB7");
    EXPECT_EQ(song.composer.Str(), "Zo\xC3\xAB \\x41");

    // A three-byte character right before a closing brace is in the golden song utf8.zimbrel.
    // Double-byte (Shift JIS) text is escaped in pairs and restored.
    const std::string shiftJis = "\x93\xFA\x96\x7B\x8C\xEA";
    const CMMusicSong sjis = CompileSong("title { " + shiftJis + " } lyrics { " + shiftJis + " }");
    EXPECT_EQ(sjis.title.GetHead()->element->Str(), shiftJis);
    EXPECT_EQ(sjis.lyrics.GetHead()->element->Str(), shiftJis);
    // A chord block never accepts such bytes.
    EXPECT_EQ(ErrorOf("chord { C \xC3\xA9 }"), Error(1, "parse error", "\\"));

    // A byte-order mark at the start, as several editors save UTF-8, is passed over.
    const CMMusicSong marked = CompileSong("\xEF\xBB\xBFtitle { Caf\xC3\xA9 } chord { C | }");
    EXPECT_EQ(marked.title.GetHead()->element->Str(), "Caf\xC3\xA9");
    EXPECT_EQ(Measures(marked), Measures(CompileSong("chord { C | }")));
}
