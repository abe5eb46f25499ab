// What the built-in synthesizer and the audio export share of FluidSynth: its handles owned by
// std::unique_ptr, its log kept off the terminal (its last error becomes part of our messages),
// a synthesizer set up for a General MIDI SoundFont, and channel messages sent to it.
#pragma once

#include "core/CMString.h"
#include "midi/CMChannelMix.h"
#include "midi/playback/CMMidiSequence.h"

#include <fluidsynth.h>

#include <memory>

struct CMFluidDeleter {
    void operator()(fluid_settings_t* settings) const { delete_fluid_settings(settings); }
    void operator()(fluid_synth_t* synth) const { delete_fluid_synth(synth); }
    void operator()(fluid_player_t* player) const { delete_fluid_player(player); }
    void operator()(fluid_audio_driver_t* driver) const { delete_fluid_audio_driver(driver); }
};
using CMFluidSettings = std::unique_ptr<fluid_settings_t, CMFluidDeleter>;
using CMFluidSynth = std::unique_ptr<fluid_synth_t, CMFluidDeleter>;
using CMFluidPlayer = std::unique_ptr<fluid_player_t, CMFluidDeleter>;
using CMFluidAudioDriver = std::unique_ptr<fluid_audio_driver_t, CMFluidDeleter>;

// Settings for a synthesizer at `sampleRate` frames a second that loads only the samples of the
// instruments it plays. FluidSynth's log goes to TakeFluidSynthError from now on.
CMFluidSettings NewSynthSettings(int sampleRate);

// A synthesizer on `settings`, which serve no other synthesizer while it lives. Synthesizers are
// made one at a time, whatever the thread (see NewSynth in the .cpp).
CMFluidSynth NewSynth(fluid_settings_t* settings);

// The last error FluidSynth logged since the last call, without its line break; empty when none.
CMString TakeFluidSynthError();

// Loads the SoundFont at `path` into `synth`. False, with the reason in `error`, when it is not
// a SoundFont or cannot be read.
bool LoadSoundFont(fluid_synth_t* synth, const CMString& path, CMString& error);

// Sets the channels that `mix` names: their volume, pan and reverb send.
void ApplyChannelMix(fluid_synth_t* synth, const CMChannelMix& mix);

// Plays one channel message on `synth` now.
void SendToSynth(fluid_synth_t* synth, const CMTimedMidiEvent& event);
