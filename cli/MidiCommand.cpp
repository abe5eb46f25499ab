// zimbrel-cli midi FILE [-o OUT] [PERF] [--listing]: performs a song with a band into a standard
// MIDI file (by default the song's path followed by ".midi", as the play command writes it).
#include "cli/CliCommand.h"
#include "cli/PerformanceOptions.h"

#include "cli/SongFile.h"
#include "performance/CMMusicBand.h"
#include "performance/GenerateMidi.h"
#include "settings/CMZimbrelIni.h"

#include <cstdio>

namespace {

std::string BandNames(const CMMusicBandList& bands)
{
    std::string names;
    for (const auto& band : bands.GetBands())
        names += (names.empty() ? "" : ", ") + band->GetName().Str();
    return names;
}

}  // namespace

int RunMidiCommand(const CliArguments& arguments)
{
    CMZimbrelIni settings;
    settings.Load();
    std::string file, output, error;
    bool listing = false;
    std::vector<std::pair<std::size_t, int>> performanceOptions;  // applied once the song is read
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        CMPerformanceSettings probe;
        const int taken = TakePerformanceOption(arguments, i, probe, error);
        if (taken < 0)
            return UsageError("midi: " + error);
        if (taken > 0) {
            performanceOptions.emplace_back(i, taken);
            i += static_cast<std::size_t>(taken) - 1;
        } else if (argument == "--listing") {
            listing = true;
        } else if (argument == "-o" || argument == "--output") {
            if (i + 1 >= arguments.size())
                return UsageError("midi: -o needs a file name");
            output = arguments[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            return UsageError("midi: unknown option '" + argument + "'");
        } else if (file.empty()) {
            file = argument;
        } else {
            return UsageError("midi: give one song file");
        }
    }
    if (file.empty())
        return UsageError("midi: no song file given");

    CMSongDocument document;
    if (!OpenCompiledSong(file, document))
        return kExitFailed;
    const CMMusicSong& song = document.GetSong();
    CMPerformanceSettings performance = DefaultPerformance(settings, song);
    for (const auto& [index, count] : performanceOptions)
        TakePerformanceOption(arguments, index, performance, error);

    CMMusicBandList bands;
    bands.BuildPresets();
    const CMMusicBand* band = bands.FindBand(performance.band);
    if (!band)
        return UsageError("midi: no band '" + performance.band.Str() + "'; the bands are " +
                          BandNames(bands));
    if (output.empty())
        output = file + ".midi";
    CMString text;
    const bool written =
        GenerateMidi(song, band, output.c_str(), performance.tempo, performance.transpose,
                     performance.instruments, performance.precount, performance.precountNote,
                     performance.repeats, &text, performance.intro, performance.verse,
                     performance.seed);
    if (listing)
        std::printf("%s\n", text.GetText());
    if (!written) {
        std::fprintf(stderr, "Error : Cannot create MIDI file '%s'.\n", document.GetTitle().GetText());
        if (performance.instruments == 0)
            std::fprintf(stderr, "Every instrument is switched off.\n");
        return kExitFailed;
    }
    if (!listing)
        std::printf("'%s' played by %s into %s\n", document.GetTitle().GetText(),
                    band->GetName().GetText(), output.c_str());
    return kExitDone;
}
