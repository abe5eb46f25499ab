// Spelled pitches: a letter with an accidental (CMMusicNotationSymbol) and the same with an octave
// (CMMusicKeyNumber). With letter 0 the accidental byte tells what else an item of a chord list is:
// 0 a slash or rest, 1 a bar sign, 5 a section label.
#pragma once

#include "core/CMString.h"

#include <cstdint>

enum CMLetter : std::uint8_t {
    LetterNone = 0,
    LetterC,
    LetterD,
    LetterE,
    LetterF,
    LetterG,
    LetterA,
    LetterB
};

enum CMAccidental : std::uint8_t {
    AccidentalNone = 0,
    AccidentalDoubleFlat,
    AccidentalFlat,
    AccidentalNatural,
    AccidentalSharp,
    AccidentalDoubleSharp,
};

// The accidental byte of an item with letter 0.
enum CMItemKind : std::uint8_t { ItemSlash = 0, ItemBar = 1, ItemLabel = 5 };

class CMMusicNotationSymbol {
public:
    CMMusicNotationSymbol() = default;
    CMMusicNotationSymbol(std::uint8_t letter_, std::uint8_t accidental_)
        : letter(letter_), accidental(accidental_)
    {
    }
    virtual ~CMMusicNotationSymbol() = default;
    CMMusicNotationSymbol(const CMMusicNotationSymbol&) = default;
    CMMusicNotationSymbol& operator=(const CMMusicNotationSymbol&) = default;

    bool operator==(const CMMusicNotationSymbol& other) const
    {
        return letter == other.letter && accidental == other.accidental;
    }

    // Semitones above C (C flat is -1, B sharp 12); -1 when the letter is not 1-7.
    int GetSemitone() const;
    // Sets the default spelling of a pitch class 0-11 (C, Db, D, Eb, E, F, Gb, G, Ab, A, Bb, B);
    // a pitch class above 11 changes nothing.
    void SetSemitone(int pitchClass);
    // Moves the pitch and re-spells it in the default spelling; false (nothing changed) for items
    // without a letter and for pitches below C.
    virtual bool Transpose(int semitones);
    // "C" .. "B" ("(None)" without a letter) followed by "bb", "b", "!", "#" or "##".
    CMString GetName() const;
    bool IsBar() const { return letter == LetterNone && accidental == ItemBar; }
    bool IsLabel() const { return letter == LetterNone && accidental == ItemLabel; }
    bool IsSlash() const { return letter == LetterNone && accidental == ItemSlash; }
    bool IsPitch() const { return letter >= LetterC && letter <= LetterB; }
    // Scale-degree code 1-17 of this pitch relative to a key, for the number system.
    int GetDegree(int keySemitone) const;

    std::uint8_t letter = LetterNone;
    std::uint8_t accidental = AccidentalNone;
};

class CMMusicKeyNumber : public CMMusicNotationSymbol {
public:
    CMMusicKeyNumber() = default;
    CMMusicKeyNumber(std::uint8_t letter_, std::uint8_t accidental_, int octave_)
        : CMMusicNotationSymbol(letter_, accidental_), octave(octave_)
    {
    }

    int octave = 0;
};
