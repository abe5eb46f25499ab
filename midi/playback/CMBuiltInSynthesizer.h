// CMBuiltInSynthesizer: entry 0 of the MIDI output port list. FluidSynth plays the MIDI file with
// a General MIDI SoundFont through the desktop's sound server (PipeWire or PulseAudio, ALSA as a
// fallback). The synthesizer and its SoundFont stay loaded between files; the sound output is
// opened for each file and let go when it ends, so an idle program holds no sound device.
//
// Loading a large SoundFont takes longer than a user waits for a Play button, so it is loaded in
// the background while the sound output already runs: every performance starts with a silent
// measure. An event that comes before the SoundFont is ready holds the file's clock (FluidSynth
// runs it on the sound it renders) until it is, so nothing is lost and nothing comes in a rush.
#pragma once

#include "midi/playback/FluidSynthSupport.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct CMAudioOutputOptions {
    // FluidSynth's audio drivers, tried in order until one opens; those this FluidSynth was not
    // built with are passed over.
    std::vector<std::string> drivers = {"pipewire", "pulseaudio", "alsa"};
    // Where FluidSynth's "file" driver writes (it renders in real time, like a sound card).
    std::string file;
};

class CMBuiltInSynthesizer {
public:
    explicit CMBuiltInSynthesizer(CMAudioOutputOptions options = CMAudioOutputOptions());
    ~CMBuiltInSynthesizer();
    CMBuiltInSynthesizer(const CMBuiltInSynthesizer&) = delete;
    CMBuiltInSynthesizer& operator=(const CMBuiltInSynthesizer&) = delete;

    // The volume, pan and reverb of channels for the next file started; the file's own
    // controllers still take over from them.
    void SetChannelMix(const CMChannelMix& mix) { m_channelMix = mix; }
    // Opens the sound output and readies the MIDI file at `midiPath` on a synthesizer with the
    // SoundFont at `soundFont`. False, with a sentence for the user in `error`, when the
    // SoundFont is not one or no sound output opens.
    bool Start(const char* midiPath, const CMString& soundFont, CMString& error);
    // Starts the file's clock.
    bool Play();
    // Silences every note at once and lets go of the file and the sound output.
    void Stop();
    // The file has been played and its last notes have rung out, or the SoundFont failed to load.
    bool IsFinished();
    // Ticks of the file played.
    std::uint64_t GetTick();
    // Why the SoundFont could not be loaded in the background; empty when it was.
    CMString GetLoadError() const;

private:
    enum LoadState { kLoading, kLoaded, kFailed };

    bool PrepareSynth(const CMString& soundFont, CMString& error);
    bool OpenSoundOutput(CMString& error);
    void WaitForLoader();
    void SetLoadState(LoadState state);
    // The player's events go through here, on FluidSynth's audio thread.
    static int ForwardEvent(void* self, fluid_midi_event_t* event);

    CMAudioOutputOptions m_options;
    CMFluidSettings m_settings;
    CMFluidSynth m_synth;
    CMString m_soundFont;  // loaded or loading into m_synth
    std::thread m_loader;
    std::atomic<int> m_loadState{kLoading};
    CMString m_loadError;  // written by the loader before it sets kFailed
    std::mutex m_loadMutex;
    std::condition_variable m_loadChanged;  // the load ended, or playing is being stopped
    bool m_stopping = false;                // guarded by m_loadMutex
    CMFluidAudioDriver m_driver;
    CMFluidPlayer m_player;
    CMChannelMix m_channelMix;              // read by the audio thread only while a file plays
    std::atomic<bool> m_mixApplied{false};  // the file's first event applies the mix
    std::optional<std::chrono::steady_clock::time_point> m_doneAt;
};
