// Drawing a compiled song as a lead sheet with the renderer: the page backgrounds, the binder
// rings and the printed notice, staff paper, the header, the measures with their labels, bar
// signs and chords, the melody and the lyrics. Nothing is kept between calls.
#pragma once

#include "chart/CMMusicDC.h"
#include "music/CMMusicSong.h"

#include <cstdint>

// The picture of the binder rings in the gutter between the two pages on the screen.
inline constexpr int kRingBitmap = 312;

// Pages the chart of a song takes with or without its intro and verse (at least one).
int CountChartPages(const CMMusicSong& song, bool showIntro, bool showVerse);

// The key the chart shows: the song's key chord moved by `transposition` semitones, or C major
// moved so when the song names no key.
CMMusicChord DisplayKey(const CMMusicSong& song, int transposition);
// Sharps (positive) or flats (negative) of a key's signature; a minor or other non-major key
// takes the signature of its relative major. Keys beyond seven take their enharmonic signature.
int KeySignatureAccidentals(const CMMusicChord& key);

// Draws the song with the renderer's surface. `transposition` semitones move every chord and the
// key; `numeralMode` shows roots as Roman numerals of the untransposed key; `page` 0 draws the
// screen view (pages 1 and 2 side by side), n >= 1 printed page n; `ringBitmap` below 0 draws
// no rings; `printNotice` draws the grey notice on printed pages. Answers 0.
int Draw(const CMMusicSong& song, CMMusicDC& renderer, int transposition, bool showIntro,
         bool showVerse, bool numeralMode, std::uint8_t chordStyle, int page, int ringBitmap,
         bool printNotice);
