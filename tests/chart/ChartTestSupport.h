// Helpers of the chart tests: songs from source text, and a song drawn into a recording surface
// with the chart view's origin and the default fonts.
#pragma once

#include "chart/CMMusicDC.h"
#include "music/CMMusicSong.h"
#include "tests/CompiledSongs.h"
#include "tests/chart/RecordingDC.h"

#include <string>

struct ChartOptions {
    int page = 1;  // 0 the screen view
    int transposition = 0;
    bool intro = true;
    bool verse = true;
    bool numerals = false;
    int chordStyle = 0;
    int ringBitmap = -1;
    bool printNotice = false;
    int tempo = 0;
};

// A chord block of `count` measures, each holding one chord different from its neighbours
// (C, D, E, F, G, A, B in turn), closed by a final bar.
std::string MeasuresSource(int count);
// The chart's fonts and chord style as they are without a settings file.
const CMChartSettings& DefaultChartSettings();
// Draws the song on a recording surface (origin 0.5 inch, printing for pages from 1).
RecordingDC DrawChart(const CMMusicSong& song, const ChartOptions& options = ChartOptions());
