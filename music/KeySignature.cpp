// Key signatures: the circle of fifths as counts of sharps and flats, and the choice of spelling
// for a moved key.
#include "music/KeySignature.h"

#include "music/CMMusicSong.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Signature of the major key on each natural letter (C to B); each sharp on the root adds seven
// sharps, each flat seven flats.
constexpr int kNaturalKeys[] = {0, 2, 4, -1, 1, 3, 5};
// Letters in the order a signature adds sharps (F C G D A E B); flats come in reverse.
constexpr int kSharpOrder[] = {3, 0, 4, 1, 5, 2, 6};

// The signature of a key as spelled, possibly beyond seven.
int SpelledSignature(int letterIndex, int alteration, std::uint8_t kind)
{
    return kNaturalKeys[letterIndex] + 7 * alteration - (kind == KindMajor ? 0 : 3);
}

int PitchClass(int letterIndex, int alteration)
{
    return ((NaturalSemitone(letterIndex) + alteration) % 12 + 12) % 12;
}

// Of the letters up and down that lead to the moved key, the one nearest the semitones' size.
int LettersFor(int letterDistance, int semitones)
{
    const int upward = ((letterDistance % 7) + 7) % 7;
    const double octaves = std::round((semitones * 7.0 / 12 - upward) / 7);
    return upward + 7 * static_cast<int>(octaves);
}

}  // namespace

int KeySignatureAccidentals(const CMMusicChord& key)
{
    if (!key.IsPitch())
        return 0;
    int accidentals =
        SpelledSignature(key.letter - LetterC, AlterationOf(key.accidental), key.kind);
    // Beyond seven the signature is that of the enharmonic key (G flat minor reads as F sharp
    // minor).
    while (accidentals > 7)
        accidentals -= 12;
    while (accidentals < -7)
        accidentals += 12;
    return accidentals;
}

int SignatureAlteration(int accidentals, int letterIndex)
{
    for (int k = 0; k < std::min(std::abs(accidentals), 7); ++k) {
        const int letter = accidentals > 0 ? kSharpOrder[k] : kSharpOrder[6 - k];
        if (letter == letterIndex)
            return accidentals > 0 ? 1 : -1;
    }
    return 0;
}

CMKeyTransposition TransposeKey(const CMMusicChord& key, int semitones)
{
    if (semitones == 0 || !key.IsPitch())
        return {key, CMMusicInterval()};
    const int letter = key.letter - LetterC;
    const int target = PitchClass(letter, AlterationOf(key.accidental) + semitones);
    int bestLetter = 0, bestAlteration = 0, bestSignature = 99;
    for (int candidate = 0; candidate < 7; ++candidate)
        for (int alteration = -1; alteration <= 1; ++alteration) {
            if (PitchClass(candidate, alteration) != target)
                continue;
            const int signature = SpelledSignature(candidate, alteration, key.kind);
            // Fewer accidentals win; of two equal, the flats.
            if (std::abs(signature) < std::abs(bestSignature) ||
                (std::abs(signature) == std::abs(bestSignature) && signature < 0)) {
                bestLetter = candidate;
                bestAlteration = alteration;
                bestSignature = signature;
            }
        }
    CMKeyTransposition moved{
        key, CMMusicInterval(LettersFor(bestLetter - letter, semitones), semitones)};
    moved.key.letter = static_cast<std::uint8_t>(LetterC + bestLetter);
    moved.key.accidental = AccidentalOf(bestAlteration);
    return moved;
}

CMKeyTransposition DisplayKey(const CMMusicSong& song, int transposition)
{
    // Past two octaves a transposition keeps only its pitch class: nobody reads a melody moved
    // further, and the melody stays on its staff whatever a settings file says.
    if (transposition > 24 || transposition < -24)
        transposition %= 12;
    if (const CMMusicChord* key = song.GetKeyChord())
        return TransposeKey(*key, transposition);
    CMMusicChord cMajor(LetterC, AccidentalNone);
    cMajor.kind = KindMajor;
    return TransposeKey(cMajor, transposition);
}
