// Voicing shapes: see VoicingShapes.h. Keys are written on C; next to each shape its notes as
// degrees of the chord.
#include "performance/VoicingShapes.h"

#include "performance/ChordScale.h"

// The tables below are laid out as a musician reads them, one pattern or shape a row.
// clang-format off

const std::vector<CMShape>& RootlessShapes()
{
    static const std::vector<CMShape> shapes = {
        {ScaleDorian, {51, 55, 58, 62}, 1, 6},       // b3 5 b7 9
        {ScaleMixolydian, {58, 62, 64, 69}, -6, -1},  // b7 9 3 13
        {ScaleIonian, {52, 55, 57, 62}, -1, 4},       // 3 5 6 9
    };
    return shapes;
}

const std::vector<CMShape>& FiveNoteShapes()
{
    static const std::vector<CMShape> shapes = {
        // Minor sevenths fitting Dorian and Aeolian.
        {kDorianOrAeolian, {48, 58, 63, 67, 74}, -6, 5},  // 1 b7 b3 5 9
        {kDorianOrAeolian, {48, 53, 58, 63, 67}, -7, 4},  // 1 4 b7 b3 5, in fourths
        {kDorianOrAeolian, {48, 55, 58, 62, 65}, -1, 10}, // 1 5 b7 9 11
        // Minor sevenths that also fit Phrygian: no ninth, no sixth.
        {kMinorModes, {48, 55, 60, 63, 70}, -6, 5},       // 1 5 1 b3 b7
        {kMinorModes, {48, 53, 58, 63, 67}, -1, 10},      // 1 4 b7 b3 5
        // Half-diminished: Locrian and altered Locrian.
        {kLocrianScales, {48, 54, 58, 63, 65}, -6, 5},    // 1 b5 b7 b3 11
        {kLocrianScales, {48, 58, 63, 66, 70}, -1, 10},   // 1 b7 b3 b5 b7
        {kLocrianScales, {48, 54, 60, 63, 68}, -7, 4},    // 1 b5 1 b3 b13
        // Dominants: Mixolydian and Lydian seventh.
        {kMixolydianOrLydianSeventh, {48, 58, 62, 64, 69}, -6, 5},  // 1 b7 9 3 13
        {kMixolydianOrLydianSeventh, {48, 52, 58, 62, 67}, -1, 10}, // 1 3 b7 9 5
        {kMixolydianOrLydianSeventh, {48, 55, 58, 64, 69}, 0, 11},  // 1 5 b7 3 13
        // Dominants with the flat nine and the thirteenth (half-whole diminished).
        {ScaleCombinationOfDiminished, {48, 52, 58, 61, 69}, -1, 10},  // 1 3 b7 b9 13
        {ScaleCombinationOfDiminished, {48, 58, 61, 64, 67}, -6, 5},   // 1 b7 b9 3 5
        {ScaleCombinationOfDiminished, {48, 52, 57, 61, 66}, 0, 11},   // 1 3 13 b9 #11
        // Altered dominants.
        {ScaleAltered, {48, 52, 58, 63, 68}, -6, 5},   // 1 3 b7 #9 b13
        {ScaleAltered, {48, 58, 61, 64, 68}, -1, 10},  // 1 b7 b9 3 b13
        {ScaleAltered, {48, 54, 58, 64, 68}, -7, 4},   // 1 b5 b7 3 b13
        // Major sevenths and sixths: Ionian and Lydian.
        {ScaleIonian | ScaleLydian, {48, 55, 59, 64, 69}, -6, 5},  // 1 5 7 3 6
        {ScaleIonian | ScaleLydian, {48, 52, 57, 59, 62}, -1, 10}, // 1 3 6 7 9
        {ScaleIonian | ScaleLydian, {48, 59, 62, 64, 67}, -7, 4},  // 1 7 9 3 5
        // Minor with a major seventh or sixth: melodic minor.
        {ScaleMelodicMinor, {48, 55, 59, 63, 69}, -6, 5},  // 1 5 7 b3 6
        {ScaleMelodicMinor, {48, 51, 55, 59, 62}, -1, 10}, // 1 b3 5 7 9
        {ScaleMelodicMinor, {48, 57, 59, 63, 67}, 0, 11},  // 1 6 7 b3 5
    };
    return shapes;
}
// clang-format on
