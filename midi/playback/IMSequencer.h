// IMSequencer: the system's MIDI file player as CMMCI drives it: one file at a time, opened for an
// output port, played, polled for its mode and position, and closed. The real one plays through
// the built-in synthesizer or an ALSA sequencer port (CMSystemSequencer); tests use a recording
// fake.
#pragma once

#include "core/CMString.h"
#include "midi/CMChannelMix.h"

class IMSequencer {
public:
    virtual ~IMSequencer() = default;

    // The volume, pan and reverb of channels for the files opened from now on, where the output
    // is a synthesizer of this program; other outputs keep their own.
    virtual void SetChannelMix(const CMChannelMix& mix) = 0;
    // Opens the standard MIDI file at `path` for playing on entry `port` of the MIDI output port
    // list (0: the built-in synthesizer). False when the file or the output cannot be opened;
    // nothing is then open and GetError tells why.
    virtual bool Open(const char* path, int port) = 0;
    // Starts playing the open file from its start. False when it cannot start.
    virtual bool Play() = 0;
    // Stops at once, silencing every sounding note, and releases the file and the output. False
    // when the output reported an error while letting go.
    virtual bool Close() = 0;
    // "playing" while the file plays; "stopped" before it starts, once it has ended and when the
    // output failed while playing.
    virtual CMString GetMode() = 0;
    // Milliseconds played and milliseconds in the whole file.
    virtual int GetPosition() = 0;
    virtual int GetLength() = 0;
    // Why the last Open failed or why playing stopped early, as a sentence for the user; empty
    // when nothing went wrong.
    virtual CMString GetError() = 0;
};
