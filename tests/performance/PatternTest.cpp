// Notes, phrase patterns and libraries: duration codes, time order, voicings, appending with
// transposition, the selection test at each of its edges, writing into MIDI and the stored form.
#include "midi/CMMidiFile.h"
#include "performance/CMMusicNoteList.h"
#include "performance/ChordScale.h"
#include "tests/MidiReader.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

std::vector<std::pair<int, int>> TicksAndPitches(const CMMusicNoteList& pattern)
{
    std::vector<std::pair<int, int>> notes;
    for (const CMMusicNote& note : pattern.GetNotes())
        notes.emplace_back(note.tick, note.pitch);
    return notes;
}

}  // namespace

TEST(Pattern, DurationCodes)
{
    // One code of each high nibble (notes per whole note), a count of 0, and a gate of 50.
    const std::tuple<int, int, int> codes[] = {
        {0x14, 100, 384}, {0x11, 100, 96},  {0x12, 100, 192}, {0x13, 100, 288}, {0x33, 100, 72},
        {0x11, 50, 48},   {0x01, 100, 96},  {0x20, 100, 0},   {0x21, 100, 48},  {0x23, 100, 144},
        {0x31, 100, 24},  {0x41, 100, 12},  {0x51, 100, 6},   {0x61, 100, 64},  {0x71, 100, 32},
        {0x74, 100, 128}, {0x75, 100, 160}, {0x81, 100, 16},  {0x91, 100, 8},   {0xA1, 100, 38},
        {0xB1, 100, 19},  {0xC1, 100, 13},  {0xD1, 100, 10},  {0xE1, 100, 8},   {0xF1, 100, 7},
        {0xFF, 100, 110}};  // 0xA1: 38.4, truncated
    for (const auto& [code, gate, ticks] : codes)
        EXPECT_EQ(DurationTicks(static_cast<std::uint8_t>(code), gate), ticks) << code;
}

TEST(Pattern, ConstructionAndTimeOrder)
{
    const CMMusicNoteList below(1536, -1, 0x14, 9, -6, 5, 20, 400);
    EXPECT_EQ(below.root, 11);
    EXPECT_EQ(below.length, 384u);
    EXPECT_EQ(CMMusicNoteList(1, 14, 0x12, 9, 0, 0, 20, 400).root, 2);
    EXPECT_EQ(CMMusicNoteList(1, -13, 0x11, 9, 0, 0, 20, 400).root, 11);

    CMMusicNoteList pattern(4, 0, 0x14, 9, -48, 48, 20, 400);
    pattern.InsertNote(CMMusicNote(96, 40, 79, 0x11));
    pattern.InsertNote(CMMusicNote(0, 36, 79, 0x11));
    pattern.InsertNote(CMMusicNote(96, 41, 79, 0x11));  // after the equal tick
    pattern.InsertNote(CMMusicNote(-26, 50, 63, 0x11));
    pattern.AddChord(96, 63, 0x12, 100, {52, 0, -3, 55});  // keys of 0 and below are skipped
    EXPECT_EQ(TicksAndPitches(pattern),
              (std::vector<std::pair<int, int>>{
                  {-26, 50}, {0, 36}, {96, 40}, {96, 41}, {96, 52}, {96, 55}}));

    const CMMusicNoteList copy = CMMusicNoteList::WithAttributesOf(pattern);
    EXPECT_TRUE(copy.GetNotes().empty());
    EXPECT_EQ(copy.scaleMask, 4u);
    EXPECT_EQ(copy.length, 384u);
}

TEST(Pattern, AppendingMovesPitchesAndClampsEarlyNotes)
{
    CMMusicNoteList voicing(512, 0, 0x14, 9, 1, 6, 110, 400);
    voicing.AddChord(-26, 63, 0x14, 100, {51, 55});
    voicing.InsertNote(CMMusicNote(100, CMMusicNote::kApproachPlaceholder, 79, 0x11));
    voicing.InsertNote(CMMusicNote(200, 120, 79, 0x11));

    CMMusicNoteList performance(8, 0, 0, 9, -48, 48, 20, 400);
    performance.AppendPattern(voicing, 2);
    EXPECT_EQ(performance.length, 384u);
    // Shift 253 is three semitones down in eight bits; 120 + 12 wraps past 127.
    performance.AppendPattern(voicing, 253);
    performance.AppendPattern(CMMusicNoteList(0, 0, 0x12, 1, 0, 0, 20, 400), 0);  // a rest
    performance.AppendPattern(voicing, 12);
    EXPECT_EQ(performance.length, 384u * 3 + 192);
    EXPECT_EQ(TicksAndPitches(performance), (std::vector<std::pair<int, int>>{{0, 53},
                                                                              {0, 57},
                                                                              {100, -1},
                                                                              {200, 122},
                                                                              {358, 48},
                                                                              {358, 52},
                                                                              {484, -1},
                                                                              {584, 117},
                                                                              {934, 63},
                                                                              {934, 67},
                                                                              {1060, -1},
                                                                              {1160, -124}}));
}

TEST(Pattern, MatchesAtEveryEdge)
{
    const CMMusicNoteList narrow(512, 0, 0x14, 9, -6, 5, 110, 200);
    EXPECT_EQ(narrow.Matches(512, 7, 150, 384), -1);  // an octave down
    EXPECT_EQ(narrow.Matches(512, -8 & 0xFF, 150, 384), 1);
    EXPECT_EQ(narrow.Matches(512, 5, 150, 384), 0);
    EXPECT_EQ(narrow.Matches(512, -6 & 0xFF, 150, 384), 0);
    EXPECT_EQ(narrow.Matches(512, 9, 150, 384), -1);
    // Length first, then tempo (inclusive bounds), then scale.
    EXPECT_EQ(narrow.Matches(0, 99, 1, 192), MatchWrongLength);
    EXPECT_EQ(narrow.Matches(0, 0, 109, 384), MatchWrongTempo);
    EXPECT_EQ(narrow.Matches(0, 0, 201, 384), MatchWrongTempo);
    EXPECT_EQ(narrow.Matches(0, 0, 110, 384), MatchWrongScale);
    EXPECT_EQ(narrow.Matches(1024 | 512, 0, 200, 384), 0);

    const CMMusicNoteList anywhere(kGeneralMask, 0, 0x14, 9, -48, 48, 20, 400);
    EXPECT_EQ(anywhere.Matches(4, 0, 150, 384), 0);
    EXPECT_EQ(anywhere.Matches(4, 200, 150, 384), 1);  // 200 is -56 in eight bits: an octave up

    const CMMusicNoteList high(1, 0, 0x11, 9, 1, 6, 20, 400);
    EXPECT_EQ(high.Matches(1, -19 & 0xFF, 60, 96), 2);            // -19 + 24 = 5
    EXPECT_EQ(high.Matches(1, -16 & 0xFF, 60, 96), MatchTooLow);  // -16 + 24 = 8 > 6
    EXPECT_EQ(high.Matches(1, -30 & 0xFF, 60, 96), MatchTooLow);  // -30 + 24 < 1
    EXPECT_EQ(high.Matches(1, -9 & 0xFF, 60, 96), 1);

    const CMMusicNoteList low(1, 0, 0x11, 9, -6, 5, 20, 400);
    EXPECT_EQ(low.Matches(1, 20, 60, 96), -2);            // 20 - 24 = -4
    EXPECT_EQ(low.Matches(1, 40, 60, 96), MatchTooHigh);  // 40 - 24 = 16 > 5
    const CMMusicNoteList band(1, 0, 0x11, 9, 10, 20, 20, 400);
    EXPECT_EQ(band.Matches(1, 30, 60, 96), -1);            // 30 - 12 = 18
    EXPECT_EQ(band.Matches(1, 33, 60, 96), MatchTooHigh);  // 33 - 24 = 9 < 10
    // The root difference is taken in eight signed bits, from the pattern's own root.
    const CMMusicNoteList onE(1, 4, 0x11, 9, -2, 2, 20, 400);
    EXPECT_EQ(onE.Matches(1, 3, 60, 96), 0);
    EXPECT_EQ(onE.Matches(1, 16, 60, 96), -1);
}

TEST(Pattern, WriteNotesIntoTheLastTrack)
{
    // Key 60: a half note struck again on beat 2; key 64 struck twice at once; key 67 ends just
    // where it is struck again. A placeholder never sounds; key 43 is a dotted eighth at half gate.
    CMMusicNoteList performance(8, 0, 0, 9, -48, 48, 20, 400);
    for (const auto& [tick, key, code, gate] :
         {std::tuple(0, 60, 0x12, 100), std::tuple(96, 60, 0x11, 100), std::tuple(0, 64, 0x11, 100),
          std::tuple(0, 64, 0x12, 100), std::tuple(0, 67, 0x11, 100), std::tuple(96, 67, 0x11, 100),
          std::tuple(96, -1, 0x11, 100), std::tuple(192, 43, 0x33, 50)})
        performance.InsertNote(
            CMMusicNote(tick, key, key == 43 ? 95 : 79, static_cast<std::uint8_t>(code), gate));
    const auto written = [&](bool endReStruckNotes) {
        CMMidiFile file(96);
        file.AddTrack(0, 0, CMString());
        file.AddTrack(2, 0, CMString());
        performance.WriteNotes(file, endReStruckNotes);
        file.MakeDeltaTimes();
        const midireader::File read = midireader::Read(file.WriteImage(120));
        EXPECT_TRUE(read.tracks.at(1).notes.empty());
        return read.tracks.at(2);
    };
    const midireader::Track mended = written(true);
    EXPECT_EQ(midireader::StrikesOfHeldKeys(mended), 0);
    std::vector<std::tuple<std::uint32_t, int, std::uint32_t, int>> notes;
    for (const midireader::Note& note : mended.notes)
        notes.emplace_back(note.tick, note.key, note.duration, note.velocity);
    const std::vector<std::tuple<std::uint32_t, int, std::uint32_t, int>> expected = {
        {0, 60, 96, 79},  {0, 64, 192, 79}, {0, 67, 96, 79},
        {96, 60, 96, 79}, {96, 67, 96, 79}, {192, 43, 36, 95}};
    EXPECT_EQ(notes, expected);
    // As written (the drummer's strokes): both strikes of 60 and of 64 come before their ends.
    EXPECT_EQ(midireader::StrikesOfHeldKeys(written(false)), 2);
}

TEST(Pattern, LibraryStoredFormRoundTrips)
{
    CMMusicPhraseList library(CMString("Tolsen"));
    library.transpose = 3;
    auto& walk =
        library.AddTail(std::make_unique<CMMusicNoteList>(508, 0, 0x14, 9, -48, 48, 71, 99));
    walk.InsertNote(CMMusicNote(0, 36, 79, 0x75));
    walk.InsertNote(CMMusicNote(-26, -1, 111, 0x71, 80));
    library.AddTail(std::make_unique<CMMusicNoteList>(0x80000, 0, 0x11, 1, -120, 120, 20, 400));

    TempDir dir;
    const std::string path = dir.Path("library.bin");
    {
        CMFile file(path.c_str(), "wb");
        library.Serialize(file, true);
    }
    CMFile file(path.c_str(), "rb");
    // name (1 + 6), transpose, count, then two patterns of 19 bytes of attributes and a count,
    // the first with two notes of 8 bytes.
    EXPECT_EQ(file.GetSize(), 7 + 1 + 1 + (19 + 1 + 16) + (19 + 1));
    file.Seek(0, SEEK_SET);
    CMMusicPhraseList read;
    read.Serialize(file, false);
    EXPECT_EQ(read.name, "Tolsen");
    EXPECT_EQ(read.transpose, 3);
    ASSERT_EQ(read.GetPatterns().size(), 2u);
    const CMMusicNoteList& first = *read.GetPatterns()[0];
    EXPECT_EQ(first.scaleMask, 508u);
    EXPECT_EQ(first.lowTempo, 71);
    EXPECT_EQ(first.highTempo, 99);
    EXPECT_EQ(first.lowShift, -48);
    EXPECT_EQ(first.length, 384u);
    EXPECT_EQ(TicksAndPitches(first), (std::vector<std::pair<int, int>>{{-26, -1}, {0, 36}}));
    EXPECT_EQ(first.GetNotes()[0].gate, 80);
    EXPECT_EQ(read.GetPatterns()[1]->lowShift, -120);
    EXPECT_EQ(read.GetPatterns()[1]->weight, 1u);

    // A damaged count does not make the reader run on past the end of the file.
    {
        CMFile damaged(path.c_str(), "wb");
        CMString("X").Serialize(damaged, true);
        damaged << std::uint8_t{0};
        damaged.WriteVarLen(0x0FFFFFFE);
    }
    CMFile again(path.c_str(), "rb");
    CMMusicPhraseList empty;
    empty.Serialize(again, false);
    EXPECT_TRUE(empty.GetPatterns().empty());
}

TEST(Pattern, LibrariesSortByName)
{
    EXPECT_TRUE(
        CMMusicPhraseList(CMString("Tolsen")).IsGreater(CMMusicPhraseList(CMString("Pelko"))));
    EXPECT_FALSE(
        CMMusicPhraseList(CMString("Dalmo")).IsGreater(CMMusicPhraseList(CMString("Dalmo"))));
}
