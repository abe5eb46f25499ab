// CMSystemSequencer: the MIDI file player of this machine behind CMMCI. Entry 0 of the MIDI output
// port list plays through the built-in synthesizer; entry N plays on the N-th writable port of the
// ALSA sequencer. As with the MCI sequencer, a port that cannot be used leaves the player on its
// default output, the built-in synthesizer.
#pragma once

#include "midi/playback/CMAlsaQueuePlayer.h"
#include "midi/playback/CMBuiltInSynthesizer.h"
#include "midi/playback/CMMidiSequence.h"
#include "midi/playback/IMSequencer.h"

struct CMSequencerOptions {
    CMString soundFont;  // the "SoundFont" setting: empty to search the usual places
    CMAudioOutputOptions audio;
};

class CMSystemSequencer : public IMSequencer {
public:
    explicit CMSystemSequencer(CMSequencerOptions options = CMSequencerOptions());

    void SetChannelMix(const CMChannelMix& mix) override { m_synthesizer.SetChannelMix(mix); }
    bool Open(const char* path, int port) override;
    bool Play() override;
    bool Close() override;
    CMString GetMode() override;
    int GetPosition() override;
    int GetLength() override;
    CMString GetError() override;

private:
    enum class Output { None, BuiltIn, Alsa };

    bool OpenAlsaPort(int port);

    CMSequencerOptions m_options;
    CMMidiSequence m_sequence;
    CMBuiltInSynthesizer m_synthesizer;
    CMAlsaQueuePlayer m_alsa;
    Output m_output = Output::None;
    bool m_playing = false;
    CMString m_error;
};
