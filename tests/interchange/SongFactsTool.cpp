// Prints what a song holds, as a MusicXML reader should find it in the song's export, for the
// check with an independent reader (tests/interop): the title, key signature, time signature,
// measure count, each chord shown (measure, beat, root and bass pitch classes, the pitch classes
// its flags name) and the melody's notes at concert pitch with their lengths in quarters, tied
// notes as one. Built from the song model alone, not from the export.
#include "music/CMMusicSong.h"
#include "music/KeySignature.h"
#include "music/MelodySpelling.h"
#include "tests/FileContents.h"

#include <cstdio>
#include <set>
#include <string>
#include <utility>

namespace {

// The pitch classes above the root that the chord's triad and flags name; a diminished chord's
// seventh is the diminished one.
std::set<int> ChordTones(const CMMusicChord& chord)
{
    static const std::set<int> kTriads[] = {{0, 4, 7}, {0, 4, 7}, {0, 3, 7},
                                            {0, 3, 6}, {0, 4, 8}, {0, 5, 7}};
    std::set<int> tones = kTriads[chord.kind <= KindSuspended ? chord.kind : 0];
    const CMChordFlags& f = chord.flags;
    const bool diminished = chord.kind == KindDiminished;
    if (f.flatFive && !diminished) {
        tones.erase(7);
        tones.insert(6);
    }
    if (f.sharpFive && chord.kind != KindAugmented) {
        tones.erase(7);
        tones.insert(8);
    }
    const std::pair<std::uint8_t, int> added[] = {
        {f.six, 9},           {f.seventh, diminished ? 9 : 10},
        {f.majorSeventh, 11}, {f.flatNine, 1},
        {f.nine, 2},          {f.sharpNine, 3},
        {f.eleven, 5},        {f.sharpEleven, 6},
        {f.flatThirteen, 8},  {f.thirteen, 9}};
    for (const auto& [flag, tone] : added)
        if (flag)
            tones.insert(tone);
    return tones;
}

double Quarters(const CMMusicNotation& note)
{
    double length = 4.0, addition;
    for (int i = 0; i < note.value; ++i)
        length /= 2;
    addition = length;
    for (int i = 0; i < note.dots; ++i) {
        addition /= 2;
        length += addition;
    }
    return note.tuplet == 3 ? length * 2 / 3 : length;
}

void PrintChords(const CMMusicSong& song)
{
    std::printf("\"chords\":[");
    int index = 0;
    bool first = true;
    CMMusicChord previous;
    for (const auto* node = song.measures.GetHead(); node && node->next;
         node = node->next, ++index) {
        int beat = 0;
        for (const CMMusicChord* chord : *node->element) {
            // A chord that repeats the one before is shown again only at a line's start.
            if (*chord != previous || (beat == 0 && index % 4 == 0)) {
                std::printf("%s[%d,%d,%d,%d,[", first ? "" : ",", index, beat,
                            chord->GetSemitone() % 12,
                            chord->HasBass() ? (chord->bass.GetSemitone() + 12) % 12 : -1);
                bool firstTone = true;
                for (const int tone : ChordTones(*chord))
                    std::printf("%s%d", std::exchange(firstTone, false) ? "" : ",", tone);
                std::printf("]]");
                first = false;
            }
            previous = *chord;
            beat += BeatsOf(chord->length);
        }
    }
    std::printf("]");
}

void PrintNotes(const CMMusicSong& song)
{
    const CMKeyTransposition key = DisplayKey(song, 0);
    const int signature = KeySignatureAccidentals(key.key);
    CMMelodySpeller speller(signature, signature, CMMusicInterval());
    std::printf(",\"notes\":[");
    bool first = true;
    for (const CMMusicNotation* note : song.notes) {
        if (note->IsBar() || note->IsLabel()) {
            speller.NextMeasure();
        } else if (note->IsPitch()) {
            const CMMelodySpeller::Note spelled = speller.Spell(*note);
            const int octave = (spelled.position + 28) / 7, letter = (spelled.position + 28) % 7;
            static const int kSemitones[] = {0, 2, 4, 5, 7, 9, 11};
            const int midi = 12 * (octave + 1) + kSemitones[letter] + spelled.alteration;
            std::printf("%s[%d,%g]", std::exchange(first, false) ? "" : ",", midi, Quarters(*note));
        }
    }
    std::printf("]");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: song_facts SONG\n");
        return 2;
    }
    CMMusicSong song;
    CMString error;
    if (!song.Compile(CMString(FileContents(argv[1])), error)) {
        std::fprintf(stderr, "%s", error.GetText());
        return 1;
    }
    song.path = argv[1];
    int beats = 0, beatType = 0;
    song.GetFirstMeter(beats, beatType);
    const std::string title = song.title.IsEmpty() ? song.GetFileTitle().Str()
                                                   : song.title.GetHead()->element->Str();
    std::printf("{\"title\":\"%s\",\"keysig\":%d,\"timesig\":\"%d/%d\",\"measures\":%d,",
                title.c_str(), KeySignatureAccidentals(DisplayKey(song, 0).key), beats, beatType,
                song.measures.GetCount() - 1);
    PrintChords(song);
    PrintNotes(song);
    std::printf("}\n");
    return 0;
}
