// CMMusicInterval: the arithmetic of letters and semitones.
#include "music/CMMusicInterval.h"

namespace {

constexpr int kNaturalSemitones[] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kAlterations[] = {0, -2, -1, 0, 1, 2};  // by accidental byte

int FloorDiv(int value, int divisor)
{
    const int quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

int FloorMod(int value, int divisor)
{
    return value - FloorDiv(value, divisor) * divisor;
}

// Semitones above the lowest C of the natural note on a line or space.
int StepSemitones(int step)
{
    return 12 * FloorDiv(step, 7) + kNaturalSemitones[FloorMod(step, 7)];
}

}  // namespace

int NaturalSemitone(int letterIndex)
{
    return kNaturalSemitones[FloorMod(letterIndex, 7)];
}

int AlterationOf(std::uint8_t accidental)
{
    return accidental < sizeof kAlterations / sizeof *kAlterations ? kAlterations[accidental] : 0;
}

std::uint8_t AccidentalOf(int alteration)
{
    switch (alteration) {
    case -2: return AccidentalDoubleFlat;
    case -1: return AccidentalFlat;
    case 1: return AccidentalSharp;
    case 2: return AccidentalDoubleSharp;
    default: return AccidentalNone;
    }
}

CMWrittenPitch CMMusicInterval::Move(CMWrittenPitch pitch) const
{
    if (IsUnison())
        return pitch;
    const int sounding = StepSemitones(pitch.step) + pitch.alteration + semitones;
    CMWrittenPitch moved{pitch.step + letters, 0};
    moved.alteration = sounding - StepSemitones(moved.step);
    // A double sharp or flat reads more simply on the next letter up or down.
    while (moved.alteration > 1 || moved.alteration < -1) {
        moved.step += moved.alteration > 0 ? 1 : -1;
        moved.alteration = sounding - StepSemitones(moved.step);
    }
    return moved;
}

bool CMMusicInterval::Apply(CMMusicNotationSymbol& symbol) const
{
    if (!symbol.IsPitch())
        return false;
    if (IsUnison())
        return true;  // as written, natural signs included
    const CMWrittenPitch moved = Move({symbol.letter - LetterC, AlterationOf(symbol.accidental)});
    symbol.letter = static_cast<std::uint8_t>(LetterC + FloorMod(moved.step, 7));
    symbol.accidental = AccidentalOf(moved.alteration);
    return true;
}

bool CMMusicInterval::Apply(CMMusicChord& chord) const
{
    if (!Apply(static_cast<CMMusicNotationSymbol&>(chord)))
        return false;
    if (chord.HasBass())
        Apply(chord.bass);
    return true;
}
