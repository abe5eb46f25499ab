// Audio export: FluidSynth renders a MIDI sequence with a General MIDI SoundFont as fast as it
// can, one synthesizer per processor core, and libsndfile encodes the sound as WAV, FLAC or Ogg
// Vorbis. The file starts at the first note (the silent measure a MIDI file of a performance
// begins with is left out), ends when the last notes have rung out for at most half a beat, and
// is written atomically.
#pragma once

#include "core/CMString.h"
#include "midi/CMChannelMix.h"
#include "midi/playback/CMMidiSequence.h"

#include <functional>
#include <optional>

enum class CMAudioFormat { Wav, Flac, OggVorbis };

// The format a file name asks for by its extension: .wav, .flac, .ogg or .oga, in any case.
std::optional<CMAudioFormat> AudioFormatOf(const CMString& path);
// Whether the installed libsndfile can write `format`.
bool CanWriteAudioFormat(CMAudioFormat format);

struct CMAudioRenderOptions {
    int sampleRate = 44100;
    // Synthesizers rendering side by side; 0: one per processor core.
    int synthesizers = 0;
    // Told the fraction done (0 to 1) now and then while rendering.
    std::function<void(double fraction)> progress;
    // Volume, pan and reverb of channels, set before the sequence's first event.
    CMChannelMix channels;
};

// Renders `sequence` with the SoundFont at `soundFontPath` into a stereo file at `path` in
// `format`. False, with a sentence for the user in `error`, when the SoundFont cannot be loaded,
// the format cannot be written or the file cannot be written; an existing file is then kept.
bool RenderAudio(const CMMidiSequence& sequence, const CMString& soundFontPath, const char* path,
                 CMAudioFormat format, CMString& error,
                 const CMAudioRenderOptions& options = CMAudioRenderOptions());
