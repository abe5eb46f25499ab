// The bands and musicians as the musician pane and zimbrel-cli list them: a band with its style
// and players, a musician with the parts of the phrase library, and every pattern on a line.
// Musicians are found by name in any case, as the user types them.
#pragma once

#include "performance/CMMusicBand.h"

#include <string>
#include <vector>

// "bass", "piano" or "drums".
const char* InstrumentName(CMInstrument instrument);

// The names of the bands and of the musicians, in the list's order.
std::vector<std::string> BandNames(const CMMusicBandList& bands);
std::vector<std::string> MusicianNames(const CMMusicBandList& bands);

// "Ashgrove Trio (swing): Tolsen (bass), Falder (piano), Pelko (drums)", one line a band.
std::vector<std::string> BandLines(const CMMusicBandList& bands);

// The musician of that name in any case; null, with a sentence naming the musicians in `error`,
// when there is none.
const CMMusicPlayer* FindMusician(const CMMusicBandList& bands, const std::string& name,
                                  std::string& error);

// "Falder (piano): 296 phrase patterns", then one line for each part of the library with its
// number of patterns.
std::vector<std::string> MusicianLines(const CMMusicPlayer& player);

// "#29 BassPedal, 96 ticks, weight 9, shifts -48..48, tempo 20-400: 0:36/79/0x11 ...": the
// pattern numbered `number`, its scales, length, weight, shift and tempo ranges and its notes.
std::string PatternLine(int number, const CMMusicNoteList& pattern);
