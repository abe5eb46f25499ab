// The drawing primitives of a song's chart as the chart view makes them (binder rings on the
// screen, the printed notice on paper), listed one a line: the reviewed golden files in
// tests/data/chart are such listings.
#pragma once

#include <string>

// The listing for the song file at `songPath`, drawn as page `page` (0: the screen view) moved
// by `transposition` semitones, with the tempo the song names under its title; empty when the
// song cannot be read or does not compile.
std::string RecordChart(const std::string& songPath, int page, int transposition = 0);
