// Keys as a chart shows them: how many sharps or flats a key's signature has, which letters it
// alters, and the key a transposed chart is written in with the interval its notes move by.
#pragma once

#include "music/CMMusicInterval.h"

class CMMusicSong;

// Sharps (positive) or flats (negative) of a key's signature; a minor or other non-major key
// takes the signature of its relative major. Keys beyond seven take their enharmonic signature.
int KeySignatureAccidentals(const CMMusicChord& key);
// The alteration (-1, 0 or 1) a signature of `accidentals` gives a letter (C = 0 .. B = 6).
int SignatureAlteration(int accidentals, int letterIndex);

// A key moved for reading, and the interval every note of the chart moves by with it.
struct CMKeyTransposition {
    CMMusicChord key;
    CMMusicInterval interval;
};
// `key` moved by `semitones`. For 0 the key stays as written and nothing moves. Otherwise the
// key is spelled with the fewest accidentals in its signature, at most six (G flat rather than
// F sharp major, where both take six), and the notes move by as many letters as the key does,
// up for a rise and down for a fall.
CMKeyTransposition TransposeKey(const CMMusicChord& key, int semitones);

// The key a song is shown in and the interval its notes move by: the song's key chord, or C major
// when the song names none, moved by `transposition` semitones (as written for 0; beyond two
// octaves only the pitch class counts). The chart and the MusicXML export spell by it.
CMKeyTransposition DisplayKey(const CMMusicSong& song, int transposition);
