// The melody as the chart writes it: staff positions moved with the key, and accidentals drawn
// only where the key signature or an earlier accidental of the measure does not give the pitch.
#include "music/MelodySpelling.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Step {
    std::uint8_t letter;  // LetterNone: a bar line
    std::uint8_t accidental;
    int position;  // expected on the chart's staff, 0 middle C
    bool drawn;    // an accidental is drawn
    int alteration;
};

void Check(CMMelodySpeller speller, const std::vector<Step>& steps)
{
    int index = 0;
    for (const Step& step : steps) {
        ++index;
        if (step.letter == LetterNone) {
            speller.NextMeasure();
            continue;
        }
        const CMMelodySpeller::Note note =
            speller.Spell(CMMusicKeyNumber(step.letter, step.accidental, 4));
        EXPECT_EQ(note.position, step.position) << "step " << index;
        EXPECT_EQ(note.accidental, step.drawn) << "step " << index;
        if (step.drawn) {
            EXPECT_EQ(note.alteration, step.alteration) << "step " << index;
        }
    }
}

constexpr std::uint8_t kNone = AccidentalNone, kFlat = AccidentalFlat, kNatural = AccidentalNatural,
                       kSharp = AccidentalSharp;

}  // namespace

TEST(MelodySpelling, AMelodyInFMovesToGForAnInstrumentInBFlat)
{
    Check(CMMelodySpeller(-1, 1, CMMusicInterval(1, 2)),
          {
              {LetterF, kNone, 4, false, 0},    // G
              {LetterB, kFlat, 7, false, 0},    // C: the signature's B flat needs nothing
              {LetterB, kNone, 7, false, 0},    // C
              {LetterNone, 0, 0, false, 0},     // bar line
              {LetterF, kSharp, 4, true, 1},    // G sharp
              {LetterF, kNone, 4, false, 0},    // still G sharp: the sharp carries
              {LetterF, kNatural, 4, true, 0},  // G natural leaves it
              {LetterB, kNatural, 7, true, 1},  // C sharp
              {LetterE, kNone, 3, false, 0},    // F sharp, as the signature says
              {LetterNone, 0, 0, false, 0},     // bar line
              {LetterF, kSharp, 4, true, 1},    // a new measure needs the sharp again
          });
}

TEST(MelodySpelling, UntransposedTheSignatureIsNotRepeated)
{
    Check(CMMelodySpeller(-3, -3, CMMusicInterval()),
          {
              {LetterB, kFlat, 6, false, 0},  // B flat in E flat major
              {LetterE, kFlat, 2, false, 0},
              {LetterA, kNone, 5, false, 0},    // A flat from the signature
              {LetterA, kNatural, 5, true, 0},  // the natural is drawn
              {LetterA, kNone, 5, false, 0},    // and carries
              {LetterA, kFlat, 5, true, -1},    // the flat back needs its sign
          });
}
