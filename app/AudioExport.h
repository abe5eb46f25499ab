// Audio export: a song performed by a band and rendered by the built-in synthesizer into a WAV,
// FLAC or Ogg Vorbis file, the format told by the file's extension. The performance goes through
// a temporary MIDI file, so nothing is left beside the song.
#pragma once

#include "app/CMPerformanceSettings.h"

#include <functional>

class CMMusicBand;
class CMMusicSong;

struct CMAudioExportOptions {
    CMString soundFont;  // a SoundFont file, or empty for the usual places
    std::function<void(double fraction)> progress;
};

// Whether `path` ends in .wav, .flac or .ogg (any case).
bool IsAudioFileName(const char* path);

// Renders `song`, performed with `band` as `performance` says, into the audio file at `path`.
// False, with a sentence for the user in `error`, when the file's extension names no format this
// system writes, the performance or the SoundFont fails, or the file cannot be written (an
// existing file is then kept).
bool ExportAudio(const CMMusicSong& song, const CMMusicBand* band,
                 const CMPerformanceSettings& performance, const char* path,
                 const CMAudioExportOptions& options, CMString& error);
