// Drawing a compiled song as a lead sheet with the renderer: the page backgrounds, the binder
// rings and the printed notice, staff paper, the header of the first page and the headings of
// the others, the measures with their labels, bar signs and chords, the melody and the lyrics,
// all moved into the key shown. Nothing is kept between calls.
#pragma once

#include "chart/CMMusicDC.h"
#include "music/CMMusicSong.h"
#include "music/KeySignature.h"

#include <cstdint>

// The picture of the binder rings in the gutter between the two pages on the screen.
inline constexpr int kRingBitmap = 312;

// Pages the chart of a song takes with or without its intro and verse (at least one).
int CountChartPages(const CMMusicSong& song, bool showIntro, bool showVerse);

// Draws the song with the renderer's surface. `transposition` semitones move the key, and every
// chord and note by the interval the key moves by; `numeralMode` shows roots as Roman numerals
// of the untransposed key; `page` 0 draws the screen view (pages 1 and 2 side by side), n >= 1
// printed page n; `ringBitmap` below 0 draws no rings; `printNotice` draws the grey notice on
// printed pages; `tempo` (beats a minute) is shown under the title with the song's style, 0
// shows no tempo. Answers 0.
int Draw(const CMMusicSong& song, CMMusicDC& renderer, int transposition, bool showIntro,
         bool showVerse, bool numeralMode, std::uint8_t chordStyle, int page, int ringBitmap,
         bool printNotice, int tempo = 0);
