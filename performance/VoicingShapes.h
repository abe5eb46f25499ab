// Voicing shapes shared by several sets: the three rootless voicings in the register the rootless
// sets use, and the five-note voicings with the root at the bottom (key 48 on C) that the
// five-note and the bossa comping sets play.
#pragma once

#include "performance/VoicingFigures.h"

#include <vector>

// Eb G Bb D (Dorian), Bb D E A (Mixolydian), E G A D (Ionian), around key 51.
const std::vector<CMShape>& RootlessShapes();
// Five-note voicings, three for most scale groups; their ranges are an octave wide, so each one
// serves every root with the root between keys 41 and 59.
const std::vector<CMShape>& FiveNoteShapes();
