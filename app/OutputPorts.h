// The MIDI output ports as the play command offers them, the same in the chart view's port list
// and in zimbrel-cli: the built-in synthesizer and the ALSA sequencer's writable ports, the one
// of the "MidiOutPort" setting selected, a port found by its number or its name, and what keeps
// the machine from playing (no sequencer, no SoundFont).
#pragma once

#include "core/CMString.h"

#include <string>
#include <vector>

class CMZimbrelIni;

struct CMOutputPorts {
    std::vector<CMString> names;  // entry 0 is the built-in synthesizer
    int selected = 0;             // the stored port's entry, else 0
};

// The ports of this machine, with the stored one selected.
CMOutputPorts ListOutputPorts(const CMZimbrelIni& settings);

// The entry for a port given by its number or its name (exact, else in any case); -1, with a
// sentence naming the ports in `error`, when there is none.
int FindOutputPort(const CMOutputPorts& ports, const std::string& wanted, std::string& error);

// Sentences on what keeps this machine from playing: no ALSA sequencer, so only the built-in
// synthesizer plays; no SoundFont, so it cannot. Empty when nothing does.
std::vector<std::string> PlaybackNotes(const CMZimbrelIni& settings);
