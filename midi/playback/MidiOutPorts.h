// The MIDI output port list of the chart view and of zimbrel-cli: entry 0 is the built-in
// synthesizer, the following entries are the ALSA sequencer's writable ports. Each entry is the
// device's name after one space; the "MidiOutPort" setting keeps the chosen name without it, and
// the entry's index is the port number the player gets.
#pragma once

#include "core/CMString.h"

#include <vector>

inline constexpr const char* kBuiltInSynthesizer = "Built-in synthesizer";

struct CMMidiOutPortList {
    std::vector<CMString> entries;  // " " + device name
    int selected = 0;               // the entry of the stored port, else 0
};

// Fills the list from the devices' names in order: the entry whose name equals `storedPort`
// exactly (the last of several) is selected, else entry 0.
CMMidiOutPortList FillMidiOutPortList(const std::vector<CMString>& deviceNames,
                                      const CMString& storedPort);

// The "MidiOutPort" setting for a picked entry: its text without leading and trailing spaces and
// tabs.
CMString MidiOutPortSetting(const CMString& entry);

// The devices of this machine: the built-in synthesizer, then the ALSA sequencer's writable ports
// in the sequencer's order, named as it names them (none without /dev/snd/seq).
std::vector<CMString> ListMidiOutDevices();
