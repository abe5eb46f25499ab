// The vocabulary the larger voicing sets are written in: a shape is a voicing written on C with
// the scale kinds it fits and its register (the shift range that keeps it where a pianist plays
// it); a figure is a comping rhythm: the hits of one pattern length, each with its duration code
// and velocity, and the tempos it suits. A pattern strikes one shape on every hit of one figure.
#pragma once

#include "performance/CMMusicPlayer.h"

#include <cstdint>
#include <vector>

struct CMHit {
    int tick;
    std::uint8_t code;
    int velocity;
};

struct CMFigure {
    std::vector<CMHit> hits;
    int lowTempo;
    int highTempo;
};

struct CMShape {
    std::uint32_t mask;
    std::vector<int> keys;
    int lowShift;
    int highShift;
};

// Appends the pattern that strikes `shape` on every hit of `figure`.
void AddVoicing(CMMusicPlayer& piano, const CMShape& shape, std::uint8_t lengthCode,
                std::uint32_t weight, const CMFigure& figure);
// Every shape with every figure, shape by shape.
void AddVoicings(CMMusicPlayer& piano, const std::vector<CMShape>& shapes, std::uint8_t lengthCode,
                 std::uint32_t weight, const std::vector<CMFigure>& figures);

// Swing comping, the off-beat eighth 72 ticks after the beat; pushes strike 26 ticks early and
// suit tempos from 110 only.
namespace swing {
extern const CMFigure kPushWhole;       // anticipated, held for the measure
extern const CMFigure kWhole;           // on one, held
extern const CMFigure kHalves;          // on one and three
extern const CMFigure kDottedHalf;      // held three beats, a short chord on four
extern const CMFigure kPushCharleston;  // anticipated, and the and of two
extern const CMFigure kCharleston;      // one and the and of two
extern const CMFigure kPushShort;       // an anticipated short chord
extern const CMFigure kHalfPushed;      // half measure: anticipated, held
extern const CMFigure kHalfHeld;        // half measure: on the beat, held
extern const CMFigure kHalfPushShort;   // half measure: an anticipated eighth
extern const CMFigure kHalfQuarter;     // half measure: one beat
extern const CMFigure kHalfAnd;         // half measure: the beat and its off-beat
extern const CMFigure kBeatQuarter;     // one beat, held
extern const CMFigure kBeatEighth;      // one beat, short
extern const CMFigure kBeatPushed;      // one beat, anticipated
}  // namespace swing

// Bossa nova comping in straight eighths (off-beats 48 ticks after the beat).
namespace bossa {
extern const std::vector<CMFigure>
    kMeasure;  // five figures, the first one the classic 1, 2, 3+, and-of-3
extern const std::vector<CMFigure> kHalf;  // six figures
extern const std::vector<CMFigure> kBeat;  // two figures
}  // namespace bossa
