// CMMCI: the player of the chart view and the play command. A thin state holder (closed, open,
// playing) over the system's MIDI file player: it opens the performance's MIDI file on the chosen
// output port, plays it, and is polled until the player reports "stopped", which closes it.
// Single-threaded: every call comes from the one thread that owns it.
#pragma once

#include "core/CMString.h"
#include "midi/playback/IMSequencer.h"

#include <memory>

class CMMCI {
public:
    static constexpr const char* kStopped = "stopped";

    // Plays through `sequencer`, which it owns.
    explicit CMMCI(std::unique_ptr<IMSequencer> sequencer);
    // Closes the file, which stops playback.
    ~CMMCI();
    CMMCI(const CMMCI&) = delete;
    CMMCI& operator=(const CMMCI&) = delete;

    // Closes what is open, then opens the MIDI file at `path` on the current port and reads its
    // length. Answers whether the file is now open; when not, GetError tells why.
    bool Open(const char* path);
    // Starts playing an open file. False when nothing is open or the player refused.
    bool Play();
    // Stops playing and closes the file. True when nothing was open or the player let go cleanly.
    bool Close();
    // The player's mode ("playing", "stopped") while a file is open; empty otherwise.
    CMString GetMode();
    // Milliseconds played and the file's length while open; 0 otherwise.
    int GetPosition();
    int GetLength();
    // While playing: closes the file once the player reports "stopped", and refreshes the
    // position (0 once closed). Does nothing otherwise.
    void Poll();

    bool IsOpen() const { return m_open; }
    bool IsPlaying() const { return m_playing; }
    // The position as of the last Poll and the length as of Open, in milliseconds.
    int GetPolledPosition() const { return m_position; }
    int GetOpenedLength() const { return m_length; }
    // The MIDI output port list's entry to play on at the next Open; 0 is the built-in
    // synthesizer.
    int GetPort() const { return m_port; }
    void SetPort(int port) { m_port = port; }
    // The volume, pan and reverb of channels for the next Open, when it plays on the built-in
    // synthesizer.
    void SetChannelMix(const CMChannelMix& mix) { m_sequencer->SetChannelMix(mix); }
    // Why the last Open failed or why playback stopped early; empty when nothing went wrong.
    CMString GetError() const { return m_sequencer->GetError(); }

private:
    std::unique_ptr<IMSequencer> m_sequencer;
    bool m_open = false;
    bool m_playing = false;
    int m_position = 0;
    int m_length = 0;
    int m_port = 0;
};
