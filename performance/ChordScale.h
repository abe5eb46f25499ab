// Chord scales: players choose phrases by scale kind, not by chord symbol. Every chord of a song
// gets one or more scale kinds from its quality, its tensions and its degree in the song's key.
// A scale mask is a set of those kinds plus the kinds of slot the drummer and bassist use.
#pragma once

#include "core/CMString.h"

#include <cstdint>

class CMMusicChord;

enum CMScaleKind : std::uint32_t {
    ScaleIonian = 0x1,
    ScaleLydian = 0x2,
    ScaleMixolydian = 0x4,
    ScaleLydianSeventh = 0x8,
    ScaleCombinationOfDiminished = 0x10,
    ScaleWholeTone = 0x20,
    ScaleAltered = 0x40,
    ScaleHarmonicMinorFifthBelow = 0x80,
    ScaleMelodicMinorFifthBelow = 0x100,
    ScaleDorian = 0x200,
    ScaleAeolian = 0x400,
    ScalePhrygian = 0x800,
    ScaleMelodicMinor = 0x1000,
    ScaleHarmonicMinor = 0x2000,
    ScaleLocrian = 0x4000,
    ScaleAlteredLocrian = 0x8000,
    ScaleDiminished = 0x10000,
    ScaleNotScale = 0x20000,
    ScaleKeyDepend = 0x40000,
    // Kinds of slot rather than scales.
    SlotBassPedal = 0x80000,     // a bass slot on a slash chord's bass note
    SlotKeyMeasure = 0x100000,   // the measure before a section boundary: a drum fill
    SlotFineMeasure = 0x200000,  // the last measure: the drum ending
    SlotBreakMeasure = 0x400000  // a break: the band is silent
};

// Sets used by the rule and the libraries.
inline constexpr std::uint32_t kDominantScales = 0x1FC;  // Mixolydian .. melodic minor 5th below
inline constexpr std::uint32_t kMajorAndDominantScales = 511;  // Ionian .. melodic minor 5th below
inline constexpr std::uint32_t kMixolydianOrLydianSeventh = 12;
inline constexpr std::uint32_t kDorianOrAeolian = 1536;
inline constexpr std::uint32_t kMinorModes = 3584;    // Dorian, Aeolian, Phrygian
inline constexpr std::uint32_t kMinorScales = 15872;  // Dorian .. harmonic minor
inline constexpr std::uint32_t kLocrianScales = 49152;
inline constexpr std::uint32_t kPhrygianOrLocrian = 51200;
// Every kind but the three measure slots: what an ordinary measure or a general pattern carries.
inline constexpr std::uint32_t kGeneralMask = 0xFF8FFFFF;

// The scale kinds of a chord in a key (pitch class 0-11, major or minor).
std::uint32_t ScaleFor(const CMMusicChord& chord, int keyPitchClass, bool keyIsMinor);
// The pitch classes of the scales of a mask, above their root, as a 12-bit set (bit 0 the root):
// every note that lies in at least one of them. The kinds that are no scales add nothing. The
// strict feel never asks: its patterns carry the scales in their notes; the natural feel prefers
// voicings inside them.
std::uint16_t ScaleNotes(std::uint32_t mask);
// The names of the kinds in a mask, in bit order, joined by " | "; "Unknown" for none.
CMString ScaleNames(std::uint32_t mask);
// A chord with its scale as the performance listing writes it: "G7 --> MixoLydean | ...\n", or
// "C7 on E --> ...\n" for a chord with a bass note.
CMString ScaleLine(const CMMusicChord& chord, std::uint32_t scale);
