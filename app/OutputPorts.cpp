// The MIDI output ports as the play command offers them: see OutputPorts.h.
#include "app/OutputPorts.h"

#include "midi/playback/AlsaSequencerPorts.h"
#include "midi/playback/MidiOutPorts.h"
#include "midi/playback/SoundFontSearch.h"
#include "settings/CMZimbrelIni.h"

#include <cstdlib>

CMOutputPorts ListOutputPorts(const CMZimbrelIni& settings)
{
    CMOutputPorts ports;
    ports.names = ListMidiOutDevices();
    ports.selected = FillMidiOutPortList(ports.names, settings.midiOutPort).selected;
    return ports;
}

int FindOutputPort(const CMOutputPorts& ports, const std::string& wanted, std::string& error)
{
    char* end = nullptr;
    const long number = std::strtol(wanted.c_str(), &end, 10);
    if (!wanted.empty() && *end == '\0' && number >= 0 &&
        static_cast<std::size_t>(number) < ports.names.size())
        return static_cast<int>(number);
    for (const bool anyCase : {false, true})
        for (std::size_t i = 0; i < ports.names.size(); ++i)
            if (anyCase ? ports.names[i].ToLower() == CMString(wanted).ToLower()
                        : ports.names[i] == wanted.c_str())
                return static_cast<int>(i);
    error = "no MIDI output port '" + wanted + "'; the ports are ";
    for (std::size_t i = 0; i < ports.names.size(); ++i)
        error += (i ? ", " : "") + std::to_string(i) + " " + ports.names[i].Str();
    return -1;
}

std::vector<std::string> PlaybackNotes(const CMZimbrelIni& settings)
{
    std::vector<std::string> notes;
    if (!HasAlsaSequencer())
        notes.push_back("this machine has no ALSA sequencer (/dev/snd/seq), so only the built-in "
                        "synthesizer plays");
    CMString error;
    if (FindSoundFont(settings.soundFont, error).IsEmpty())
        notes.push_back("the built-in synthesizer cannot play: " + error.Str());
    return notes;
}
