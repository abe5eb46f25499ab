// The ALSA sequencer as the player uses it: whether the machine has one, its writable MIDI ports
// in the sequencer's order, and a handle opened for output. The ALSA library's own messages are
// kept off the terminal: what goes wrong reaches the user as a sentence of ours.
#pragma once

#include "core/CMString.h"

#include <alsa/asoundlib.h>

#include <memory>
#include <vector>

struct CMAlsaPort {
    int client = 0;
    int port = 0;
    CMString name;  // as the sequencer names the port
};

struct CMAlsaSequencerCloser {
    void operator()(snd_seq_t* sequencer) const { snd_seq_close(sequencer); }
};
using CMAlsaSequencerHandle = std::unique_ptr<snd_seq_t, CMAlsaSequencerCloser>;

// Keeps the ALSA library from printing its own messages to standard error (once per process).
void QuietAlsaLibrary();

// Whether this machine has an ALSA sequencer: /dev/snd/seq exists.
bool HasAlsaSequencer();

// The ports other programs may send MIDI to, by client and port number, this program's own
// excepted; empty without a sequencer.
std::vector<CMAlsaPort> ListAlsaWritablePorts();

// Opens the sequencer as the client "Zimbrel". Null, with the reason in `error`, when it cannot.
CMAlsaSequencerHandle OpenAlsaSequencer(CMString& error);
