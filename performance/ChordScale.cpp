// The chord-scale rule. Some chords fix their scale whatever the key; the others get one by their
// degree: in a minor key the degree is read in the relative major.
#include "performance/ChordScale.h"

#include "music/CMMusicChord.h"

namespace {

constexpr std::uint32_t kUndetermined = 0;

struct Facts {
    explicit Facts(const CMMusicChord& chord)
        : quality(chord.kind), f(chord.flags), dominant(f.seventh && !f.majorSeventh && !f.six)
    {
    }
    std::uint8_t quality;
    const CMChordFlags& f;
    bool dominant;  // a seventh without a major seventh or sixth
};

// A major chord's scale fixed by its tensions: a sharp eleven without a seventh, or a dominant's
// ninths and thirteenths.
std::uint32_t DeterminedMajorScale(const CMChordFlags& f, bool dominant)
{
    if (!dominant)
        return f.sharpEleven ? ScaleLydian : kUndetermined;
    if (f.nine) {
        if (f.eleven && f.thirteen)
            return ScaleMixolydian;
        if (f.sharpEleven && f.thirteen)
            return ScaleLydianSeventh;
        if (f.flatThirteen)
            return ScaleWholeTone;
    }
    if (!f.flatNine && !f.sharpNine)
        return kUndetermined;
    if (f.thirteen)
        return ScaleCombinationOfDiminished;
    return f.flatThirteen ? ScaleAltered : kUndetermined;
}

// A minor chord's scale fixed by its sixth, major seventh or altered fifth.
std::uint32_t DeterminedMinorScale(const CMChordFlags& f)
{
    if (!f.seventh) {
        if (f.sharpFive)
            return ScaleHarmonicMinor;
        return f.six || f.majorSeventh ? ScaleMelodicMinor : kUndetermined;
    }
    if (f.flatFive)
        return f.nine ? ScaleAlteredLocrian : kLocrianScales;
    return kUndetermined;
}

// Chords whose tensions or quality fix the scale in any key.
std::uint32_t DeterminedScale(const Facts& c)
{
    switch (c.quality) {
    case KindMajor: return DeterminedMajorScale(c.f, c.dominant);
    case KindMinor: return DeterminedMinorScale(c.f);
    default: return kUndetermined;
    }
}

// Shapes shared by several degrees of the dominant rules below.
std::uint32_t FlatNineDominant(const CMChordFlags& f)
{
    return f.flatThirteen ? ScaleAltered : ScaleCombinationOfDiminished;
}

bool WholeToneNinth(const CMChordFlags& f)
{
    return f.flatThirteen && !f.thirteen;
}

std::uint32_t SharpElevenOr(const CMChordFlags& f, std::uint32_t otherwise)
{
    return f.sharpEleven ? ScaleLydianSeventh : otherwise;
}

// An entry of the table below that stands for the Lydian seventh when the chord has a sharp
// eleven, and for its own scales otherwise. No scale this rule answers uses the top bit.
constexpr std::uint32_t kLydianSeventhOnSharpEleven = 0x80000000u;

constexpr std::uint32_t OrSharpEleven(std::uint32_t scales)
{
    return scales | kLydianSeventhOnSharpEleven;
}

// How a dominant with a flat nine (and no nine) chooses between the altered scale and the
// combination of diminished: by its flat thirteen, or by its thirteen.
enum class FlatNineRule : std::uint8_t { ByFlatThirteen, ByThirteen };

// The scales of a dominant chord of major quality on one degree of the major key. A nine with a
// flat thirteen and no thirteen always gives the whole-tone scale; a nine with an eleven and a
// thirteen has its scale fixed before the degree is asked (DeterminedScale).
struct DominantRow {
    std::uint32_t nineThirteen;  // a nine with a thirteen
    std::uint32_t nine;          // a nine otherwise
    std::uint32_t plain;         // neither nine nor flat nine
    FlatNineRule flatNine;
};

// clang-format off
constexpr std::uint32_t M = ScaleMixolydian, L7 = ScaleLydianSeventh;
constexpr std::uint32_t M_L7 = kMixolydianOrLydianSeventh, DOM = kDominantScales;
constexpr DominantRow kDominantByDegree[12] = {
    /*  0 */ {OrSharpEleven(M_L7), OrSharpEleven(M_L7), OrSharpEleven(DOM), FlatNineRule::ByFlatThirteen},
    /*  1 */ {OrSharpEleven(M_L7), OrSharpEleven(M_L7), L7, FlatNineRule::ByFlatThirteen},
    /*  2 */ {L7, L7, L7, FlatNineRule::ByFlatThirteen},
    /*  3 */ {OrSharpEleven(M_L7), OrSharpEleven(M_L7), L7, FlatNineRule::ByFlatThirteen},
    /*  4 */ {OrSharpEleven(M_L7), OrSharpEleven(M_L7), OrSharpEleven(ScaleAltered), FlatNineRule::ByThirteen},
    /*  5 */ {L7, L7, L7, FlatNineRule::ByFlatThirteen},
    /*  6 */ {OrSharpEleven(M_L7), L7, OrSharpEleven(DOM), FlatNineRule::ByFlatThirteen},
    /*  7 */ {OrSharpEleven(M), OrSharpEleven(M), OrSharpEleven(DOM), FlatNineRule::ByFlatThirteen},
    /*  8 */ {OrSharpEleven(M_L7), L7, OrSharpEleven(DOM), FlatNineRule::ByFlatThirteen},
    /*  9 */ {M_L7, OrSharpEleven(M_L7), OrSharpEleven(ScaleAltered), FlatNineRule::ByThirteen},
    /* 10 */ {L7, L7, L7, FlatNineRule::ByFlatThirteen},
    /* 11 */ {L7, L7, OrSharpEleven(ScaleAltered), FlatNineRule::ByThirteen},
};
// clang-format on

std::uint32_t Resolve(std::uint32_t entry, const CMChordFlags& f)
{
    if (!(entry & kLydianSeventhOnSharpEleven))
        return entry;
    return f.sharpEleven ? ScaleLydianSeventh : entry & ~kLydianSeventhOnSharpEleven;
}

// A dominant chord (seventh without major seventh or sixth) of major quality on a degree of the
// major key.
std::uint32_t MajorDominant(const CMChordFlags& f, int degree)
{
    if (degree < 0 || degree >= 12)
        return kUndetermined;
    const DominantRow& row = kDominantByDegree[degree];
    if (f.nine) {
        if (f.thirteen)
            return Resolve(row.nineThirteen, f);
        return WholeToneNinth(f) ? ScaleWholeTone : Resolve(row.nine, f);
    }
    if (!f.flatNine)
        return Resolve(row.plain, f);
    if (row.flatNine == FlatNineRule::ByThirteen)
        return f.thirteen ? ScaleCombinationOfDiminished : ScaleAltered;
    return FlatNineDominant(f);
}

// A major-quality chord that is not a dominant: with a major seventh or sixth, or a plain triad.
std::uint32_t MajorNonDominant(const CMChordFlags& f, int degree)
{
    const bool seventhOrSixth = f.majorSeventh || f.six;
    switch (degree) {
    case 0: return f.sharpEleven ? ScaleLydian : ScaleIonian;
    case 1:
        return seventhOrSixth ? ScaleLydian : (f.sharpEleven ? ScaleLydian : ScaleLydianSeventh);
    case 4:
    case 9:
    case 11: return seventhOrSixth ? ScaleLydian : SharpElevenOr(f, ScaleAltered);
    case 7: return seventhOrSixth ? ScaleLydian : SharpElevenOr(f, kDominantScales);
    default: return ScaleLydian;  // degrees 3, 5, 6, 8, 10 in both columns
    }
}

std::uint32_t MajorQuality(const CMChordFlags& f, bool dominant, int degree)
{
    if (degree == 2) {
        // Only the major seventh is tested before the seventh on the second degree.
        if (f.majorSeventh)
            return ScaleLydian;
        if (f.six && !f.seventh)
            return ScaleLydianSeventh;
        return f.seventh ? MajorDominant(f, degree) : ScaleLydianSeventh;
    }
    return dominant ? MajorDominant(f, degree) : MajorNonDominant(f, degree);
}

std::uint32_t MinorQuality(const CMChordFlags& f, int degree)
{
    if (f.flatFive)
        return kLocrianScales;
    switch (degree) {
    case 4:
    case 11: return kPhrygianOrLocrian;
    case 2: return f.majorSeventh || f.six ? ScaleMelodicMinor : ScaleDorian;
    case 0: return f.seventh ? kMinorModes : ScaleDorian;
    case 7:
    case 9: return f.seventh ? ScaleDorian : ScaleMelodicMinor;
    default: return f.seventh ? kMinorModes : ScaleMelodicMinor;
    }
}

// Chords without a quality: the diatonic scale of each degree.
std::uint32_t WithoutQuality(int degree)
{
    static const std::uint32_t kByDegree[12] = {
        ScaleIonian,   ScaleLydianSeventh, ScaleDorian,        ScaleDiminished,
        ScalePhrygian, ScaleLydian,        ScaleLydian,        kDominantScales,
        ScaleDorian,   ScaleAeolian,       ScaleLydianSeventh, kLocrianScales};
    return kByDegree[degree];
}

std::uint32_t ScaleOnDegree(const Facts& c, int degree)
{
    switch (c.quality) {
    case KindMajor: return MajorQuality(c.f, c.dominant, degree);
    case KindMinor: return MinorQuality(c.f, degree);
    case KindDiminished: return ScaleDiminished;
    case KindAugmented: return ScaleAltered;
    case KindSuspended: return ScaleMixolydian;
    default: return WithoutQuality(degree);
    }
}

}  // namespace

std::uint32_t ScaleFor(const CMMusicChord& chord, int keyPitchClass, bool keyIsMinor)
{
    const Facts facts(chord);
    if (const std::uint32_t determined = DeterminedScale(facts))
        return determined;
    const int degree = ((chord.GetSemitone() + 108 - keyPitchClass) % 12 + 12) % 12;
    if (!keyIsMinor)
        return ScaleOnDegree(facts, degree);
    // In a minor key the degree is read in the relative major, with two exceptions.
    const std::uint32_t scale = ScaleOnDegree(facts, (degree + 9) % 12);
    if (degree == 0 && scale == ScaleAeolian)
        return ScaleMelodicMinor;
    if (degree == 7 && scale == ScalePhrygian)
        return ScaleAltered;
    return scale;
}

std::uint16_t ScaleNotes(std::uint32_t mask)
{
    // Each scale kind's pitch classes as a musician spells them, bit n for n semitones up.
    static const std::uint16_t kScales[17] = {
        0xAB5,  // Ionian              0 2 4 5 7 9 11
        0xAD5,  // Lydian              0 2 4 6 7 9 11
        0x6B5,  // Mixolydian          0 2 4 5 7 9 10
        0x6D5,  // Lydian seventh      0 2 4 6 7 9 10
        0x6DB,  // half-whole          0 1 3 4 6 7 9 10
        0x555,  // whole tone          0 2 4 6 8 10
        0x55B,  // altered             0 1 3 4 6 8 10
        0x5B3,  // harmonic minor 5th below  0 1 4 5 7 8 10
        0x5B5,  // melodic minor 5th below   0 2 4 5 7 8 10
        0x6AD,  // Dorian              0 2 3 5 7 9 10
        0x5AD,  // Aeolian             0 2 3 5 7 8 10
        0x5AB,  // Phrygian            0 1 3 5 7 8 10
        0xAAD,  // melodic minor       0 2 3 5 7 9 11
        0x9AD,  // harmonic minor      0 2 3 5 7 8 11
        0x56B,  // Locrian             0 1 3 5 6 8 10
        0x56D,  // altered Locrian     0 2 3 5 6 8 10
        0xB6D,  // diminished          0 2 3 5 6 8 9 11
    };
    std::uint16_t notes = 0;
    for (std::size_t bit = 0; bit < std::size(kScales); ++bit)
        if (mask & (1u << bit))
            notes |= kScales[bit];
    return notes;
}

CMString ScaleNames(std::uint32_t mask)
{
    static const char* const kNames[23] = {"Ionian",
                                           "Lydean",
                                           "MixoLydean",
                                           "Lydean7th",
                                           "CombinationOfDiminish",
                                           "WholeTone",
                                           "Alterd",
                                           "HarmonicMinor5thBelow",
                                           "MelodicMinor5thBelow",
                                           "Dorian",
                                           "Aeolian",
                                           "Frigian",
                                           "MelodicMinor",
                                           "HarmonicMinor",
                                           "Locrian",
                                           "AlterdLocrian",
                                           "Diminish",
                                           "NotScale",
                                           "KeyDepend",
                                           "BassPedal",
                                           "KeyMeasure",
                                           "FineMeasure",
                                           "BreakMeasure"};
    CMString text;
    for (int bit = 0; bit < 23; ++bit) {
        if (!(mask & (1u << bit)))
            continue;
        if (!text.IsEmpty())
            text += " | ";
        text += kNames[bit];
    }
    return text.IsEmpty() ? CMString("Unknown") : text;
}

CMString ScaleLine(const CMMusicChord& chord, std::uint32_t scale)
{
    CMString line;
    if (chord.HasBass())
        line.Format("%s%s on %s --> %s\n", chord.GetName().GetText(),
                    chord.GetPlainText().GetText(), chord.bass.GetName().GetText(),
                    ScaleNames(scale).GetText());
    else
        line.Format("%s%s --> %s\n", chord.GetName().GetText(), chord.GetPlainText().GetText(),
                    ScaleNames(scale).GetText());
    return line;
}
