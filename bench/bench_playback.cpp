// How fast sound comes: audio export of a 32-measure song played five times by the full band,
// rendered to WAV with the system's default General MIDI SoundFont (and the small TimGM6mb when
// it is there), reported as a multiple of real time; and how long the player takes from Open to
// playing, with FluidSynth's file driver standing in for the sound server.
#include "midi/playback/AudioRenderer.h"
#include "midi/playback/CMMCI.h"
#include "midi/playback/CMSystemSequencer.h"
#include "midi/playback/SoundFontSearch.h"
#include "music/CMMusicSong.h"
#include "performance/CMMusicBand.h"
#include "performance/GenerateMidi.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

const char* const kSmallSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// A 32-measure chart, AABA over rhythm changes.
CMMusicSong Song()
{
    const char* const source =
        "key { Bb }\n"
        "chord {\n"
        "Bb6 G7 | Cm7 F7 | Dm7 G7 | Cm7 F7 | Fm7 Bb7 | Eb7 Ab7 | Dm7 G7 | Cm7 F7 ||\n"
        "Bb6 G7 | Cm7 F7 | Dm7 G7 | Cm7 F7 | Fm7 Bb7 | Eb7 Ab7 | Cm7 F7 | Bb6 ||\n"
        "D7 | D7 | G7 | G7 | C7 | C7 | F7 | F7 ||\n"
        "Bb6 G7 | Cm7 F7 | Dm7 G7 | Cm7 F7 | Fm7 Bb7 | Eb7 Ab7 | Cm7 F7 | Bb6 ||\n"
        "}\n";
    CMMusicSong song;
    CMString error;
    song.Compile(CMString(source), error);
    return song;
}

// The performance's MIDI file, written once into a temporary file.
const std::string& PerformanceFile()
{
    static const std::string path = [] {
        CMMusicBandList bands;
        bands.BuildPresets();
        char name[] = "/tmp/zimbrel-bench-XXXXXX";
        close(mkstemp(name));
        GenerateMidi(Song(), bands.FindBand("Zimbrel Trio"), name, 160, 0, 7, 1, 37, 5, nullptr,
                     true, true, CMGenerateOptions(1u));
        return std::string(name);
    }();
    return path;
}

// Renders the performance; state.range(0) synthesizers side by side (0: one per core).
void Render(benchmark::State& state, const CMString& soundFont)
{
    CMAudioRenderOptions options;
    options.synthesizers = static_cast<int>(state.range(0));
    CMMidiSequence sequence;
    CMString error;
    if (soundFont.IsEmpty() || !sequence.Load(PerformanceFile().c_str(), error)) {
        state.SkipWithError(error.IsEmpty() ? "no SoundFont" : error.GetText());
        return;
    }
    const std::string output = PerformanceFile() + ".wav";
    for (auto _ : state) {
        if (!RenderAudio(sequence, soundFont, output.c_str(), CMAudioFormat::Wav, error, options))
            state.SkipWithError(error.GetText());
    }
    std::remove(output.c_str());
    const double audioSeconds =
        (sequence.GetLength() - sequence.GetFirstNoteTime().value_or(0.0)) / 1000.0;
    state.counters["audio_s"] = audioSeconds;
    state.counters["x_realtime"] = benchmark::Counter(
        audioSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_AudioExportDefaultSoundFont(benchmark::State& state)
{
    CMString error;
    Render(state, FindSoundFont(CMString(), error));
}
BENCHMARK(BM_AudioExportDefaultSoundFont)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_AudioExportSmallSoundFont(benchmark::State& state)
{
    CMString error;
    Render(state, FindSoundFont(kSmallSoundFont, error));
}
BENCHMARK(BM_AudioExportSmallSoundFont)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// From a player that has loaded nothing to playing: the SoundFont starts loading, the sound
// output opens and the file's clock runs.
void StartPlaying(benchmark::State& state, const CMString& soundFont)
{
    const std::string sink = PerformanceFile() + ".played.wav";
    for (auto _ : state) {
        CMSequencerOptions options;
        options.soundFont = soundFont;
        options.audio.drivers = {"file"};
        options.audio.file = sink;
        auto player = std::make_unique<CMMCI>(std::make_unique<CMSystemSequencer>(options));
        if (!player->Open(PerformanceFile().c_str()) || !player->Play())
            state.SkipWithError(player->GetError().GetText());
        state.PauseTiming();
        player.reset();  // closing waits for the SoundFont to finish loading
        state.ResumeTiming();
    }
    std::remove(sink.c_str());
}

void BM_PlaybackStartDefaultSoundFont(benchmark::State& state)
{
    CMString error;
    StartPlaying(state, FindSoundFont(CMString(), error));
}
BENCHMARK(BM_PlaybackStartDefaultSoundFont)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlaybackStartSmallSoundFont(benchmark::State& state)
{
    CMString error;
    StartPlaying(state, FindSoundFont(kSmallSoundFont, error));
}
BENCHMARK(BM_PlaybackStartSmallSoundFont)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
BENCHMARK_MAIN();
