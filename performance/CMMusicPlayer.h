// CMMusicPlayer: a musician of the band: a phrase library with a name and an instrument. It
// turns the driver's slots (one per chord or measure) into a performance by a weighted random
// choice of matching patterns, each moved to the slot's root in a fitting octave, resolves the
// approach notes and writes the result into its MIDI track. The library builders of each
// instrument fill the library; the pianists' builders also derive extra voicings from it.
#pragma once

#include "performance/CMMusicNoteList.h"
#include "performance/CMPerformanceRandom.h"

#include <cstdint>
#include <vector>

class CMMidiFile;

enum CMInstrument : std::uint8_t { InstrumentBass = 0, InstrumentChords = 1, InstrumentRhythm = 2 };

// A named part of a library as its builder made it, for telling a musician what a library holds.
struct CMLibraryPart {
    CMString name;
    int patterns = 0;
};

class CMMusicPlayer : public CMMusicPhraseList {
public:
    CMMusicPlayer(const CMString& name, CMInstrument instrument)
        : CMMusicPhraseList(name), m_instrument(instrument)
    {
    }

    CMInstrument GetInstrument() const { return m_instrument; }

    virtual ~CMMusicPlayer() = default;

    // Plays the slots `count` times into the MIDI file's last track. A slot without a matching
    // pattern becomes a rest of its length, so everything after it stays in time.
    bool PlaySlots(CMMidiFile& file, const CMMusicPhraseList& slots, CMPerformanceRandom& random,
                   int tempo, int count) const;
    // A test rendering: key 60 for 90 ticks every 96 ticks, one note a slot.
    void PlayTest(CMMidiFile& file, const CMMusicPhraseList& slots) const;

    // Sum of the weights of the patterns that may serve a slot.
    std::uint32_t TotalWeight(std::uint32_t scaleMask, std::uint32_t length, int root,
                              int tempo) const;
    // A weighted random choice among those patterns, or null (then `random` is not advanced).
    // `octave` receives the octaves to add to the transposition.
    const CMMusicNoteList* ChoosePattern(std::uint32_t scaleMask, std::uint32_t length, int root,
                                         int tempo, CMPerformanceRandom& random, int& octave) const;
    // Gives every placeholder (key -1) the key of an approach into the next sounding note.
    static void ResolveApproachNotes(CMMusicNoteList& performance, CMPerformanceRandom& random);

    // A voicing made from a rootless Ionian, Mixolydian or Dorian voicing: some keys moved by
    // a, b, c semitones and, inverted, some moved by an octave into the other register.
    static std::unique_ptr<CMMusicNoteList> DerivePattern(const CMMusicNoteList& source,
                                                          bool invert, int a, int b, int c);
    // Adds the voicings derived from every rootless Ionian, Mixolydian and Dorian pattern.
    void DerivePatterns();

    // What the library builder put in, part by part.
    const std::vector<CMLibraryPart>& GetParts() const { return m_parts; }
    // Records a part: the patterns added since the previous part.
    void MarkPart(const char* partName);

    // Whether the library's eighth notes are even (bossa nova) rather than swung.
    bool PlaysStraightEighths() const { return m_straightEighths; }
    void SetStraightEighths(bool straight) { m_straightEighths = straight; }

    struct Candidate {
        const CMMusicNoteList* pattern;
        int match;  // octaves to add to the transposition
    };
    // The patterns that may serve a slot, in library order; answers their total weight.
    std::uint32_t Candidates(std::uint32_t scaleMask, std::uint32_t length, int root, int tempo,
                             std::vector<Candidate>& candidates) const;

private:
    bool Passes(const CMMusicNoteList& pattern, std::uint32_t scaleMask, std::uint32_t length,
                int root, int tempo, int& match) const;

    CMInstrument m_instrument;
    std::vector<CMLibraryPart> m_parts;
    std::size_t m_patternsInParts = 0;
    bool m_straightEighths = false;
};

// The three instruments. Their libraries come from the builders in LibraryBuilders.h.
class CMMusicPlayerBass : public CMMusicPlayer {
public:
    explicit CMMusicPlayerBass(const CMString& name) : CMMusicPlayer(name, InstrumentBass) {}
};

class CMMusicPlayerChord : public CMMusicPlayer {
public:
    explicit CMMusicPlayerChord(const CMString& name) : CMMusicPlayer(name, InstrumentChords) {}
};

class CMMusicPlayerRhythm : public CMMusicPlayer {
public:
    explicit CMMusicPlayerRhythm(const CMString& name) : CMMusicPlayer(name, InstrumentRhythm) {}
};
