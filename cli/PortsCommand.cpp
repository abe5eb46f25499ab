// zimbrel-cli ports: the MIDI output port list as play uses it, the stored port marked, with a
// word on standard error when the machine has no ALSA sequencer or no SoundFont for the built-in
// synthesizer. Runs in zimbrel-cli-sound, which loads ALSA and FluidSynth.
#include "cli/HelperCommands.h"

#include "app/OutputPorts.h"
#include "app/StoredSettings.h"

#include <cstdio>

int RunPortsCommand(const PortsRequest&)
{
    const CMZimbrelIni settings = LoadStoredSettings();
    const CMOutputPorts ports = ListOutputPorts(settings);
    for (std::size_t i = 0; i < ports.names.size(); ++i)
        std::printf("%c %zu %s\n", static_cast<int>(i) == ports.selected ? '*' : ' ', i,
                    ports.names[i].GetText());
    for (const std::string& note : PlaybackNotes(settings))
        std::fprintf(stderr, "zimbrel-cli: ports: %s\n", note.c_str());
    return kExitDone;
}
