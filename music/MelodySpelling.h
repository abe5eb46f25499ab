// How a melody is written in the key it is shown in, on the chart and in the MusicXML export:
// each note's pitch read as the song writes it (a note without an accidental takes the one of an
// earlier note of its measure on the same line or space, else the key signature's), moved by the
// interval of the key shown, and the accidental a reader needs there: none where the signature
// or an earlier accidental of the measure already gives the pitch, a natural where the note
// leaves them.
#pragma once

#include "music/CMMusicInterval.h"
#include "music/CMMusicNotationSymbol.h"

#include <array>
#include <utility>
#include <vector>

class CMMelodySpeller {
public:
    // The signatures (sharps positive, flats negative) the song is written in and the chart
    // shows, and the interval between them.
    CMMelodySpeller(int writtenSignature, int shownSignature, const CMMusicInterval& interval);

    struct Note {
        int position = 0;  // on the staff: 0 middle C, 7 an octave up
        bool accidental = false;
        int alteration = 0;  // of the accidental: -2 double flat .. 2 double sharp, 0 natural
    };

    // A bar line: the accidentals of the measure before no longer hold.
    void NextMeasure();
    // Where a note of the song stands on the chart's staff and the accidental it needs there.
    Note Spell(const CMMusicKeyNumber& note);

private:
    // What a measure has in force: the signature's alteration of each letter (C to B), then
    // the accidentals written so far, by line or space (a measure holds only a few).
    struct Accidentals {
        std::array<int, 7> signature{};
        std::vector<std::pair<int, int>> written;

        int InForce(int step) const;
        void Write(int step, int alteration);
    };

    CMMusicInterval m_interval;
    Accidentals m_song;   // as the song writes it
    Accidentals m_chart;  // as the chart shows it
};
