// The MIDI output port list: see MidiOutPorts.h.
#include "midi/playback/MidiOutPorts.h"

#include "midi/playback/AlsaSequencerPorts.h"

CMMidiOutPortList FillMidiOutPortList(const std::vector<CMString>& deviceNames,
                                      const CMString& storedPort)
{
    CMMidiOutPortList list;
    for (const CMString& name : deviceNames) {
        if (name == storedPort)
            list.selected = static_cast<int>(list.entries.size());
        list.entries.push_back(CMString(" ") + name);
    }
    return list;
}

CMString MidiOutPortSetting(const CMString& entry)
{
    CMString setting = entry;
    return setting.Trim();
}

std::vector<CMString> ListMidiOutDevices()
{
    std::vector<CMString> names = {CMString(kBuiltInSynthesizer)};
    for (const CMAlsaPort& port : ListAlsaWritablePorts())
        names.push_back(port.name);
    return names;
}
