// trio_figures: the figures of the trio (TrioFigures.h) over songs, in one feel, with the
// parameters a fresh installation plays them with (the settings' defaults), for several seeds;
// and with --soundfont, the loudness (RMS) of each instrument rendered alone through the mixer.
// A measuring tool for the performance notes, never a test.
//
//   trio_figures [--feel strict|natural] [--band NAME] [--seeds N] [--soundfont SF2]
//                [--volume piano,bass,drums] SONG...
//   trio_figures --midi FILE --channels BASS,PIANO,DRUMS [--soundfont SF2]
//                (velocities, drum bars, onsets and loudness of any MIDI file, such as a peer's)
#include "app/AudioExport.h"
#include "app/CMPerformanceSettings.h"
#include "app/CMSongDocument.h"
#include "midi/playback/AudioRenderer.h"
#include "performance/CMMusicBand.h"
#include "tools/TrioFigures.h"

#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Options {
    CMFeel feel = CMFeel::Strict;
    std::string band;
    int seeds = 5;
    std::string soundFont;
    std::vector<int> volumes;  // piano, bass, drums; empty: the settings' mixer
    std::string midi;          // a MIDI file of another program
    CMTrioChannels channels;
    std::vector<std::string> songs;
};

std::string TemporaryPath(const char* suffix)
{
    static int count = 0;
    return (std::filesystem::temp_directory_path() /
            ("trio-figures-" + std::to_string(getpid()) + "-" + std::to_string(++count) + suffix))
        .string();
}

// Root mean square of a sound file over both channels, in dB below full scale; -200 when silent.
double Loudness(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return NAN;
    std::vector<float> buffer(8192);
    double sum = 0.0;
    std::uint64_t count = 0;
    for (sf_count_t read; (read = sf_read_float(file, buffer.data(), 8192)) > 0;) {
        for (sf_count_t i = 0; i < read; ++i)
            sum += static_cast<double>(buffer[static_cast<std::size_t>(i)]) *
                   buffer[static_cast<std::size_t>(i)];
        count += static_cast<std::uint64_t>(read);
    }
    sf_close(file);
    return sum > 0.0 ? 10.0 * std::log10(sum / static_cast<double>(count)) : -200.0;
}

struct Totals {
    double topMoves = 0;
    double leaps = 0;
    int changes = 0;
    double inScale = 0;
    int pianoNotes = 0;
    int fewestVelocities = 1000;
    double velocities = 0;
    double distinctDrumBars = 0;
    double leastDistinctDrumBars = 1.0;
    double wobbles = 0;
    int bassBars = 0;
    double onRoot = 0;
    int chordStarts = 0;
    std::array<double, 3> onGrid{};
    int performances = 0;

    void Add(const CMTrioFigures& f)
    {
        topMoves += f.topVoiceMove * f.topVoiceChanges;
        leaps += f.topVoiceLeaps * f.topVoiceChanges;
        changes += f.topVoiceChanges;
        inScale += f.pianoInScale * f.pianoNotes;
        pianoNotes += f.pianoNotes;
        fewestVelocities = std::min(fewestVelocities, f.distinctVelocities);
        velocities += f.distinctVelocities;
        distinctDrumBars += f.distinctDrumBars;
        leastDistinctDrumBars = std::min(leastDistinctDrumBars, f.distinctDrumBars);
        wobbles += f.bassWobbleBars * f.bassBars;
        bassBars += f.bassBars;
        onRoot += f.bassOnChordRoot * f.chordStarts;
        chordStarts += f.chordStarts;
        for (std::size_t i = 0; i < 3; ++i)
            onGrid[i] += f.onGrid[i];
        ++performances;
    }
    void Print(const char* name) const
    {
        const double n = std::max(performances, 1);
        std::printf("%-22s %5.2f %5.1f%% %6.2f%% %4.0f (%3d) %5.1f%% (%5.1f%%) %5.1f%% %6.1f%% "
                    "%3.0f/%3.0f/%3.0f%%\n",
                    name, changes ? topMoves / changes : 0.0, changes ? 100 * leaps / changes : 0.0,
                    pianoNotes ? 100 * inScale / pianoNotes : 0.0, velocities / n, fewestVelocities,
                    100 * distinctDrumBars / n, 100 * leastDistinctDrumBars,
                    bassBars ? 100 * wobbles / bassBars : 0.0,
                    chordStarts ? 100 * onRoot / chordStarts : 0.0, 100 * onGrid[0] / n,
                    100 * onGrid[1] / n, 100 * onGrid[2] / n);
    }
};

void PrintHeader()
{
    std::printf("%-22s %5s %6s %7s %10s %16s %6s %7s %s\n", "song", "top", "leaps", "inscale",
                "vel (min)", "drumbars (min)", "wobble", "root", "grid b/p/d");
}

// Renders each instrument of `performance` alone and prints its loudness.
void PrintLoudness(const CMMusicSong& song, const CMMusicBand* band,
                   const CMPerformanceSettings& performance, const Options& options)
{
    const int parts[] = {PlayPiano, PlayBass, PlayDrums};
    const char* names[] = {"piano", "bass", "drums"};
    double level[3];
    for (int i = 0; i < 3; ++i) {
        CMPerformanceSettings alone = performance;
        alone.instruments = parts[i];
        const std::string wav = TemporaryPath(".wav");
        CMAudioExportOptions exportOptions;
        exportOptions.soundFont = options.soundFont.c_str();
        CMString error;
        if (!ExportAudio(song, band, alone, wav.c_str(), exportOptions, error))
            std::fprintf(stderr, "%s\n", error.GetText());
        level[i] = Loudness(wav);
        std::remove(wav.c_str());
    }
    std::printf(
        "    RMS %s %.1f dBFS, %s %.1f dBFS, %s %.1f dBFS: drums %+.1f dB against the bass, "
        "piano %+.1f dB\n",
        names[0], level[0], names[1], level[1], names[2], level[2], level[2] - level[1],
        level[0] - level[1]);
}

int MeasureSongs(const Options& options)
{
    CMMusicBandList bands;
    bands.BuildPresets();
    const CMZimbrelIni settings;
    PrintHeader();
    Totals all;
    for (const std::string& path : options.songs) {
        CMSongDocument document;
        CMString error;
        if (!document.Open(path.c_str(), error) || !document.IsCompiled()) {
            std::fprintf(stderr, "%s: %s%s\n", path.c_str(), error.GetText(),
                         document.GetMessage().GetText());
            return 1;
        }
        const CMMusicSong& song = document.GetSong();
        CMPerformanceSettings performance = DefaultPerformance(settings, song);
        performance.feel = options.feel;
        if (!options.band.empty())
            performance.band = options.band.c_str();
        if (options.volumes.size() == 3) {
            performance.mixer.pianoVolume = options.volumes[0];
            performance.mixer.bassVolume = options.volumes[1];
            performance.mixer.drumsVolume = options.volumes[2];
        }
        const CMMusicBand* band = bands.FindBand(performance.band);
        const std::uint32_t start = 384u * static_cast<std::uint32_t>(performance.precount + 1);
        const std::vector<CMChordAsPlayed> chords =
            ChordsAsPlayed(song, performance.repeats, performance.intro, performance.verse,
                           performance.transpose, start);
        Totals songTotals;
        for (int seed = 1; seed <= options.seeds; ++seed) {
            performance.seed = static_cast<std::uint32_t>(seed);
            const std::string midi = TemporaryPath(".midi");
            CMMidiSequence sequence;
            if (!PerformSong(song, band, performance, midi.c_str(), nullptr) ||
                !sequence.Load(midi.c_str(), error)) {
                std::fprintf(stderr, "%s: the performance failed\n", path.c_str());
                return 1;
            }
            std::remove(midi.c_str());
            const CMTrioFigures figures = MeasureTrio(sequence, chords, start);
            songTotals.Add(figures);
            all.Add(figures);
        }
        songTotals.Print(std::filesystem::path(path).stem().string().c_str());
        if (!options.soundFont.empty()) {
            performance.seed = 1;
            PrintLoudness(song, band, performance, options);
        }
    }
    all.Print("all songs");
    return 0;
}

// The figures that need no chords, and the loudness of each part, of any MIDI file.
int MeasureMidiFile(const Options& options)
{
    CMMidiSequence sequence;
    CMString error;
    if (!sequence.Load(options.midi.c_str(), error)) {
        std::fprintf(stderr, "%s\n", error.GetText());
        return 1;
    }
    PrintHeader();
    Totals totals;
    totals.Add(MeasureTrio(sequence, {}, 0, options.channels));
    totals.Print(std::filesystem::path(options.midi).filename().string().c_str());
    if (options.soundFont.empty())
        return 0;
    // Each part alone: the other channels at volume 0.
    const int channels[] = {options.channels.bass, options.channels.piano, options.channels.drums};
    double level[3];
    for (int i = 0; i < 3; ++i) {
        CMAudioRenderOptions render;
        for (int channel = 0; channel < 16; ++channel)
            if (channel != channels[i])
                render.channels[static_cast<std::size_t>(channel)] = CMChannelSettings{0, 64, 40};
        const std::string wav = TemporaryPath(".wav");
        if (!RenderAudio(sequence, options.soundFont.c_str(), wav.c_str(), CMAudioFormat::Wav,
                         error, render))
            std::fprintf(stderr, "%s\n", error.GetText());
        level[i] = Loudness(wav);
        std::remove(wav.c_str());
    }
    std::printf("    RMS bass %.1f dBFS, piano %.1f dBFS, drums %.1f dBFS: drums %+.1f dB against "
                "the bass\n",
                level[0], level[1], level[2], level[2] - level[0]);
    return 0;
}

std::vector<int> Numbers(const std::string& text)
{
    std::vector<int> numbers;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t comma = text.find(',', at);
        numbers.push_back(std::atoi(text.substr(at, comma - at).c_str()));
        at = comma == std::string::npos ? text.size() : comma + 1;
    }
    return numbers;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--feel" && hasValue)
            options.feel = std::string(argv[++i]) == "natural" ? CMFeel::Natural : CMFeel::Strict;
        else if (argument == "--band" && hasValue)
            options.band = argv[++i];
        else if (argument == "--seeds" && hasValue)
            options.seeds = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--soundfont" && hasValue)
            options.soundFont = argv[++i];
        else if (argument == "--volume" && hasValue)
            options.volumes = Numbers(argv[++i]);
        else if (argument == "--midi" && hasValue)
            options.midi = argv[++i];
        else if (argument == "--channels" && hasValue) {
            const std::vector<int> channels = Numbers(argv[++i]);
            if (channels.size() == 3)
                options.channels = {channels[0], channels[1], channels[2]};
        } else if (!argument.empty() && argument[0] == '-') {
            std::fprintf(stderr, "trio_figures: unknown option '%s'\n", argument.c_str());
            return 2;
        } else {
            options.songs.push_back(argument);
        }
    }
    if (!options.midi.empty())
        return MeasureMidiFile(options);
    if (options.songs.empty()) {
        std::fprintf(stderr, "trio_figures: name the songs to measure\n");
        return 2;
    }
    return MeasureSongs(options);
}
