// Spelled pitches: see CMMusicNotationSymbol.h.
#include "music/CMMusicNotationSymbol.h"

namespace {

constexpr int kLetterSemitones[] = {-1, 0, 2, 4, 5, 7, 9, 11};
constexpr int kAccidentalShift[] = {0, -2, -1, 0, 1, 2};

// Default spelling of each pitch class: letter and accidental.
constexpr std::uint8_t kSpellingLetter[] = {LetterC, LetterD, LetterD, LetterE, LetterE, LetterF,
                                            LetterG, LetterG, LetterA, LetterA, LetterB, LetterB};
constexpr std::uint8_t kSpellingAccidental[] = {
    AccidentalNone, AccidentalFlat, AccidentalNone, AccidentalFlat, AccidentalNone, AccidentalNone,
    AccidentalFlat, AccidentalNone, AccidentalFlat, AccidentalNone, AccidentalFlat, AccidentalNone};

constexpr int kDegreeCodes[] = {1, 3, 4, 6, 7, 8, 10, 11, 13, 14, 16, 17};

}  // namespace

int CMMusicNotationSymbol::GetSemitone() const
{
    if (!IsPitch())
        return -1;
    const int shift = accidental < sizeof kAccidentalShift / sizeof *kAccidentalShift
                          ? kAccidentalShift[accidental]
                          : 0;
    return kLetterSemitones[letter] + shift;
}

void CMMusicNotationSymbol::SetSemitone(int pitchClass)
{
    if (pitchClass < 0 || pitchClass > 11)
        return;
    letter = kSpellingLetter[pitchClass];
    accidental = kSpellingAccidental[pitchClass];
}

bool CMMusicNotationSymbol::Transpose(int semitones)
{
    const int semitone = GetSemitone();
    if (letter == LetterNone || semitone < 0)
        return false;
    SetSemitone(((semitone + semitones + 24) % 12 + 12) % 12);
    return true;
}

CMString CMMusicNotationSymbol::GetName() const
{
    static const char* const kLetters[] = {"C", "D", "E", "F", "G", "A", "B"};
    static const char* const kAccidentals[] = {"", "bb", "b", "!", "#", "##"};
    CMString name(IsPitch() ? kLetters[letter - 1] : "(None)");
    if (accidental < sizeof kAccidentals / sizeof *kAccidentals)
        name += kAccidentals[accidental];
    return name;
}

int CMMusicNotationSymbol::GetDegree(int keySemitone) const
{
    const int interval = ((GetSemitone() + 120 - keySemitone) % 12 + 12) % 12;
    return kDegreeCodes[interval];
}
