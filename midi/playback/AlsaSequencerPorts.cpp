// The ALSA sequencer's ports: see AlsaSequencerPorts.h.
#include "midi/playback/AlsaSequencerPorts.h"

#include <unistd.h>

#include <mutex>

namespace {

constexpr const char* kSequencerDevice = "/dev/snd/seq";

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void QuietAlsaLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(IgnoreAlsaMessage); });
}

bool HasAlsaSequencer()
{
    return access(kSequencerDevice, F_OK) == 0;
}

CMAlsaSequencerHandle OpenAlsaSequencer(CMString& error)
{
    if (!HasAlsaSequencer()) {
        error.Format("this machine has no ALSA sequencer (%s)", kSequencerDevice);
        return nullptr;
    }
    QuietAlsaLibrary();
    snd_seq_t* sequencer = nullptr;
    const int result = snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_DUPLEX, 0);
    if (result < 0) {
        error.Format("the ALSA sequencer cannot be opened: %s", snd_strerror(result));
        return nullptr;
    }
    snd_seq_set_client_name(sequencer, "Zimbrel");
    return CMAlsaSequencerHandle(sequencer);
}

std::vector<CMAlsaPort> ListAlsaWritablePorts()
{
    std::vector<CMAlsaPort> ports;
    CMString ignored;
    const CMAlsaSequencerHandle sequencer = OpenAlsaSequencer(ignored);
    if (!sequencer)
        return ports;
    const int self = snd_seq_client_id(sequencer.get());
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    constexpr unsigned kWritable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(sequencer.get(), client) >= 0) {
        const int clientNumber = snd_seq_client_info_get_client(client);
        if (clientNumber == self)
            continue;
        snd_seq_port_info_set_client(port, clientNumber);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(sequencer.get(), port) >= 0) {
            const unsigned capability = snd_seq_port_info_get_capability(port);
            if ((capability & kWritable) != kWritable ||
                (capability & SND_SEQ_PORT_CAP_NO_EXPORT) ||
                !(snd_seq_port_info_get_type(port) & SND_SEQ_PORT_TYPE_MIDI_GENERIC))
                continue;
            ports.push_back(
                {clientNumber, snd_seq_port_info_get_port(port), snd_seq_port_info_get_name(port)});
        }
    }
    return ports;
}
