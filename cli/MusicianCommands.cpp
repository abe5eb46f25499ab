// zimbrel-cli bands and zimbrel-cli musician NAME [--patterns]: the preset bands with their
// styles and players, and what a musician's phrase library holds, part by part.
#include "cli/OtherCommands.h"

#include "app/MusicianListing.h"

#include <cstdio>

void DefineBandsCommand(CliOptions&, BandsRequest&) {}

int RunBandsCommand(const BandsRequest&)
{
    CMMusicBandList bands;
    bands.BuildPresets();
    for (const std::string& line : BandLines(bands))
        std::printf("%s\n", line.c_str());
    return kExitDone;
}

void DefineMusicianCommand(CliOptions& options, MusicianRequest& request)
{
    options.Operands("NAME", request.name, 1, 1,
                     "The musician, in any case (see 'zimbrel-cli bands')",
                     CliCompletion::Musician);
    options.Switch("--patterns", request.patterns, "List every phrase pattern too");
}

int RunMusicianCommand(const MusicianRequest& request)
{
    CMMusicBandList bands;
    bands.BuildPresets();
    std::string error;
    const CMMusicPlayer* player = FindMusician(bands, request.name.front(), error);
    if (!player)
        return UsageError("musician", error);
    for (const std::string& line : MusicianLines(*player))
        std::printf("%s\n", line.c_str());
    if (request.patterns) {
        int number = 1;
        for (const auto& pattern : player->GetPatterns())
            std::printf("%s\n", PatternLine(number++, *pattern).c_str());
    }
    return kExitDone;
}
