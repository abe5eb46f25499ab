// The song model's queries, copying, clearing and the note widths of the chart.
#include "music/CMMusicSong.h"
#include "tests/CompiledSongs.h"
#include "tests/Printers.h"

#include <gtest/gtest.h>

TEST(SongModel, NewAndClearedSongs)
{
    // A new song's values are those of an empty source (Compile.EmptySourceGivesDefaults).
    CMMusicSong song =
        CompileSong("title { T } lyrics { a } key { F } time base { 3/4 } note { C } chord { C | }"
                    " progression { A } misc { tempo = 90; composed by = \"x\"; style = fast; }");
    song.path = "/x/song.zimbrel";
    song.Clear();
    EXPECT_EQ(song.precount, -1);
    EXPECT_EQ(song.tempo, 150);
    EXPECT_EQ(song.style, -1);
    EXPECT_TRUE(song.IsEmpty() && song.title.IsEmpty() && song.lyrics.IsEmpty() &&
                song.keys.IsEmpty() && song.timeBase.IsEmpty() && song.notes.IsEmpty() &&
                song.measures.IsEmpty() && song.structure.IsEmpty());
    EXPECT_TRUE(song.composer.IsEmpty());
    EXPECT_EQ(song.path, "/x/song.zimbrel");
}

TEST(SongModel, AssignmentCopiesDeeplyAndKeepsThePath)
{
    CMMusicSong source = CompileSong("title { Blue } chord { labelA: C | D | } "
                                     "progression { theme structure = A ; theme }");
    source.path = "/a/source.zimbrel";
    CMMusicSong target;
    target.path = "/b/target.zimbrel";
    target = source;
    EXPECT_EQ(target.path, "/b/target.zimbrel");
    EXPECT_EQ(*target.title.GetHead()->element, "Blue");
    EXPECT_EQ(target.measures.GetCount(), 3);
    EXPECT_EQ(target.structure.GetCount(), 1);
    EXPECT_EQ(target.structure.themeStructure.GetCount(), 1);
    // Deep: changing the copy leaves the original alone.
    target.measures.GetHead()->element->GetHead()->element->Transpose(2);
    EXPECT_EQ(source.measures.GetHead()->element->GetHead()->element->GetName(), "C");

    const CMMusicSong copy(source);  // construction copies the path as well
    EXPECT_EQ(copy.path, "/a/source.zimbrel");
    EXPECT_EQ(copy.GetCount(), source.GetCount());
}

TEST(SongModel, MeasureQueries)
{
    const CMMusicSong song =
        CompileSong("chord { intro: C | intro: D | labelA: E | F | verse: G | }");
    EXPECT_EQ(song.GetMeasureLabel(0), 9);
    EXPECT_EQ(song.GetMeasureLabel(2), 15);
    EXPECT_EQ(song.GetMeasureLabel(6), -1);
    EXPECT_EQ(song.GetMeasureLabel(-1), -1);
    // Six measures with the closing one: intro, intro, A, A, verse, verse (closing).
    EXPECT_EQ(song.CountMeasures(false, false), 2);
    EXPECT_EQ(song.CountMeasures(true, false), 4);
    EXPECT_EQ(song.CountMeasures(true, true), 6);
    EXPECT_EQ(song.GetCodaLabel(), -1);
}

TEST(SongModel, ChordAtABeat)
{
    const CMMusicSong song = CompileSong("chord { Dm7 | C F | G / A B | }");
    EXPECT_EQ(song.GetChordAt(5, false)->GetName(), "C");
    EXPECT_EQ(song.GetChordAt(6, true)->GetName(), "F");
    EXPECT_EQ(song.GetChordAt(7, true), nullptr);
    EXPECT_EQ(song.GetChordAt(7, false)->GetName(), "F");
    EXPECT_EQ(song.GetChordAt(3, false)->GetName(), "D");
    EXPECT_EQ(song.GetChordAt(1, true), nullptr);
    EXPECT_EQ(song.GetChordAt(10, true)->GetName(), "A");
    EXPECT_EQ(song.GetChordAt(11, false)->GetName(), "B");
    EXPECT_EQ(song.GetChordAt(12, false), nullptr);  // the empty closing measure
    EXPECT_EQ(song.GetChordAt(400, false), nullptr);
    EXPECT_EQ(song.GetChordAt(-1, false), nullptr);
}

TEST(SongModel, FindStructureEntry)
{
    const CMMusicSong song =
        CompileSong("progression { theme structure = A B ; intro theme theme ending }");
    const CMMusicSong::CMMusicLabel* second = song.structure.GetAt(2);
    EXPECT_EQ(song.FindStructureEntry(15), second);
    EXPECT_EQ(song.FindStructureEntry(16), second);
    EXPECT_EQ(song.FindStructureEntry(9), song.structure.GetAt(0));
    EXPECT_EQ(song.FindStructureEntry(14), song.structure.GetAt(3));
    EXPECT_EQ(song.FindStructureEntry(11), nullptr);  // a theme made of parts stands for those
    EXPECT_EQ(song.FindStructureEntry(17), nullptr);

    const CMMusicSong plain = CompileSong("progression { intro theme ending theme }");
    EXPECT_EQ(plain.FindStructureEntry(11), plain.structure.GetAt(3));
    EXPECT_EQ(plain.FindStructureEntry(15), nullptr);
}

TEST(SongModel, NoteWidths)
{
    CMMusicNotation note;
    note.value = NoteWhole;
    EXPECT_DOUBLE_EQ(note.GetWidth(), 0.975);
    note.value = NoteThirtySecond;
    EXPECT_DOUBLE_EQ(note.GetWidth(), 0.03046875);
    note.value = NoteQuarter;
    note.dots = 2;
    EXPECT_DOUBLE_EQ(note.GetWidth(), 0.24375 + 0.121875 + 0.0609375);
    note.dots = 0;
    note.tuplet = 3;
    EXPECT_DOUBLE_EQ(note.GetWidth(), 0.24375 / 1.5);
}
