// zimbrel-cli ports: the MIDI output port list as play uses it, the stored port marked, with a
// word on standard error when the machine has no ALSA sequencer or no SoundFont for the built-in
// synthesizer. Runs in zimbrel-cli-sound, which loads ALSA and FluidSynth.
#include "cli/HelperCommands.h"

#include "midi/playback/AlsaSequencerPorts.h"
#include "midi/playback/MidiOutPorts.h"
#include "midi/playback/SoundFontSearch.h"
#include "settings/CMZimbrelIni.h"

#include <cstdio>

int RunPortsCommand(const PortsRequest&)
{
    CMZimbrelIni settings;
    settings.Load();
    const std::vector<CMString> devices = ListMidiOutDevices();
    const CMMidiOutPortList list = FillMidiOutPortList(devices, settings.midiOutPort);
    for (std::size_t i = 0; i < devices.size(); ++i)
        std::printf("%c %zu %s\n", static_cast<int>(i) == list.selected ? '*' : ' ', i,
                    devices[i].GetText());
    if (!HasAlsaSequencer())
        std::fprintf(stderr,
                     "zimbrel-cli: ports: this machine has no ALSA sequencer (/dev/snd/seq), so "
                     "only the built-in synthesizer plays\n");
    CMString error;
    if (FindSoundFont(settings.soundFont, error).IsEmpty())
        std::fprintf(stderr, "zimbrel-cli: ports: the built-in synthesizer cannot play: %s\n",
                     error.GetText());
    return kExitDone;
}
