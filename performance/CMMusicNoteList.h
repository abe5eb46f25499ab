// CMMusicNoteList: a phrase pattern: notes in time order over a fixed length, with the attributes
// that say where it may be used (scale kinds, the root it is written on, how far it may be
// transposed, the tempos it suits) and its weight in the random choice. The same type serves as
// a slot of the performance driver (attributes only) and as a whole performance.
// CMMusicPhraseList: a named library of patterns.
#pragma once

#include "core/CMString.h"
#include "core/IMSerializable.h"
#include "performance/CMMusicNote.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

class CMMidiFile;

// What Matches answers for a pattern that cannot serve; -5 or more means usable.
enum CMMatchRejection : int {
    MatchWrongLength = -10,
    MatchWrongTempo = -11,
    MatchWrongScale = -12,
    MatchTooLow = -13,
    MatchTooHigh = -14,
};
inline constexpr int kLowestUsableMatch = -5;

// A note as it sounds in a track: absolute start and end ticks, its key and velocity.
struct CMSoundingNote {
    std::uint32_t start;
    std::uint32_t end;
    std::uint8_t key;
    std::uint8_t velocity;
};

// Writes `notes` (in start order) into the MIDI file's last track. With `endReStruckNotes`, a note
// whose key is struck again before its end ends where it is struck again (a note struck again at
// its own tick is left out): otherwise its note-off would come after the new note-on and silence
// the new note.
void WriteSoundingNotes(CMMidiFile& file, const std::vector<CMSoundingNote>& notes,
                        bool endReStruckNotes);

class CMMusicNoteList : public IMSerializable {
public:
    // The defaults of a pattern read from a file: mask 8, root C, no length, weight 9.
    CMMusicNoteList() : CMMusicNoteList(8, 0, 0, 9, -48, 48, 20, 400) {}
    // `root` is reduced to a pitch class (-1 becomes 11); the length is given as a duration code.
    CMMusicNoteList(std::uint32_t scaleMask, int root, std::uint8_t lengthCode,
                    std::uint32_t weight, int lowShift, int highShift, int lowTempo, int highTempo);
    // A pattern with the attributes of another and no notes.
    static CMMusicNoteList WithAttributesOf(const CMMusicNoteList& other);

    // Inserts by tick, after the notes of the same tick.
    void InsertNote(const CMMusicNote& note);
    // One note per key above 0, all struck together: how voicings are written.
    void AddChord(int tick, int velocity, std::uint8_t code, int gate,
                  std::initializer_list<int> keys);
    // Appends a copy of every note of `pattern` at the current length, moved by `shift` semitones
    // (placeholders and rests keep their negative keys; ticks before 0 become 0), then grows the
    // length by the pattern's length.
    void AppendPattern(const CMMusicNoteList& pattern, int shift);
    // Whether this pattern fits a slot: a CMMatchRejection, or the number of octaves to add to the
    // transposition from this pattern's root to `root`.
    int Matches(std::uint32_t slotScale, int slotRoot, int tempo, std::uint32_t slotLength) const;
    // The notes that sound (key 0 or more), with their coded lengths; ticks before 0 become 0.
    std::vector<CMSoundingNote> SoundingNotes() const;
    // Writes every sounding note into the MIDI file's last track (WriteSoundingNotes).
    void WriteNotes(CMMidiFile& file, bool endReStruckNotes) const;

    const std::vector<CMMusicNote>& GetNotes() const { return m_notes; }
    // For changing notes in place (keys, velocities); the caller keeps the ticks as they are.
    std::vector<CMMusicNote>& MutableNotes() { return m_notes; }
    // Stored form: the attributes, then the notes (count, then each).
    void Serialize(CMFile& file, bool store) override;

    std::uint32_t scaleMask;
    std::uint8_t root;
    std::uint32_t length;  // ticks
    std::uint32_t weight;
    std::int8_t lowShift;
    std::int8_t highShift;
    std::uint16_t lowTempo;
    std::uint16_t highTempo;

private:
    std::vector<CMMusicNote> m_notes;
};

class CMMusicPhraseList : public IMSerializable {
public:
    explicit CMMusicPhraseList(const CMString& name_ = CMString()) : name(name_) {}
    ~CMMusicPhraseList() override = default;

    CMMusicNoteList& AddTail(std::unique_ptr<CMMusicNoteList> pattern);
    const std::vector<std::unique_ptr<CMMusicNoteList>>& GetPatterns() const { return m_patterns; }
    // The patterns of one length (in ticks), in library order: what a slot of that length may
    // choose from. A pattern's length does not change once it is in a library.
    const std::vector<const CMMusicNoteList*>& GetPatternsOfLength(std::uint32_t length) const;
    // Sorts after another library whose name is smaller byte by byte.
    bool IsGreater(const CMMusicPhraseList& other) const { return name > other.name; }
    // Stored form: name, transpose, then the patterns (count, then each).
    void Serialize(CMFile& file, bool store) override;

    CMString name;
    std::uint8_t transpose = 0;  // added to every slot's root when this list is played

protected:
    std::vector<std::unique_ptr<CMMusicNoteList>> m_patterns;

private:
    std::vector<std::pair<std::uint32_t, std::vector<const CMMusicNoteList*>>> m_byLength;
};
