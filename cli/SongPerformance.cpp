// The shared part of the performing commands: see SongPerformance.h.
#include "cli/SongPerformance.h"

#include "cli/PerformanceOptions.h"
#include "cli/SongFile.h"
#include "settings/CMZimbrelIni.h"

namespace {

std::string BandNames(const CMMusicBandList& bands)
{
    std::string names;
    for (const auto& band : bands.GetBands())
        names += (names.empty() ? "" : ", ") + band->GetName().Str();
    return names;
}

}  // namespace

int PrepareSongPerformance(const std::string& command, const CliArguments& arguments,
                           const CMZimbrelIni& settings, const CliOptionTaker& takeOwnOption,
                           CliSongPerformance& result)
{
    std::string error;
    std::vector<std::size_t> performanceOptions;  // applied once the song's defaults are known
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        CMPerformanceSettings probe;
        int taken = TakePerformanceOption(arguments, i, probe, error);
        if (taken > 0)
            performanceOptions.push_back(i);
        else if (taken == 0)
            taken = takeOwnOption(arguments, i, error);
        if (taken < 0)
            return UsageError(command + ": " + error);
        if (taken > 0) {
            i += static_cast<std::size_t>(taken) - 1;
        } else if (argument.size() > 1 && argument[0] == '-') {
            return UsageError(command + ": unknown option '" + argument + "'");
        } else if (result.file.empty()) {
            result.file = argument;
        } else {
            return UsageError(command + ": give one song file");
        }
    }
    if (result.file.empty())
        return UsageError(command + ": no song file given");

    if (!OpenCompiledSong(result.file, result.document))
        return kExitFailed;
    result.performance = DefaultPerformance(settings, result.document.GetSong());
    for (const std::size_t index : performanceOptions)
        TakePerformanceOption(arguments, index, result.performance, error);

    result.bands.BuildPresets();
    result.band = result.bands.FindBand(result.performance.band);
    if (!result.band)
        return UsageError(command + ": no band '" + result.performance.band.Str() +
                          "'; the bands are " + BandNames(result.bands));
    return kExitDone;
}
