// zimbrel-cli bands and zimbrel-cli musician NAME [--patterns]: the preset bands with their
// players, and what a musician's phrase library holds, part by part.
#include "cli/CliCommand.h"

#include "performance/CMMusicBand.h"
#include "performance/ChordScale.h"

#include <cstdio>

namespace {

const char* InstrumentName(CMInstrument instrument)
{
    switch (instrument) {
    case InstrumentBass: return "bass";
    case InstrumentChords: return "piano";
    default: return "drums";
    }
}

// One pattern on a line: scales, length, weight, range of shifts and tempos, then its notes.
void PrintPattern(int number, const CMMusicNoteList& pattern)
{
    std::printf("  #%d %s, %u ticks, weight %u, shifts %d..%d, tempo %u-%u:", number,
                ScaleNames(pattern.scaleMask).GetText(), pattern.length, pattern.weight,
                pattern.lowShift, pattern.highShift, pattern.lowTempo, pattern.highTempo);
    for (const CMMusicNote& note : pattern.GetNotes())
        std::printf(" %d:%d/%u/0x%02X", note.tick, note.pitch, note.velocity, note.code);
    std::printf("%s\n", pattern.GetNotes().empty() ? " (rest)" : "");
}

}  // namespace

int RunBandsCommand(const CliArguments& arguments)
{
    if (!arguments.empty())
        return UsageError("bands: takes no arguments");
    CMMusicBandList bands;
    bands.BuildPresets();
    for (const auto& band : bands.GetBands()) {
        std::printf("%s:", band->GetName().GetText());
        const char* separator = " ";
        for (const CMMusicPlayer* player : band->GetPlayers()) {
            std::printf("%s%s (%s)", separator, player->name.GetText(),
                        InstrumentName(player->GetInstrument()));
            separator = ", ";
        }
        std::printf("\n");
    }
    return kExitDone;
}

int RunMusicianCommand(const CliArguments& arguments)
{
    bool patterns = false;
    std::string name;
    for (const std::string& argument : arguments) {
        if (argument == "--patterns")
            patterns = true;
        else if (argument.size() > 1 && argument[0] == '-')
            return UsageError("musician: unknown option '" + argument + "'");
        else if (name.empty())
            name = argument;
        else
            return UsageError("musician: give one name");
    }
    CMMusicBandList bands;
    bands.BuildPresets();
    std::string names;
    const CMMusicPlayer* player = nullptr;
    for (const auto& each : bands.GetPlayers()) {
        names += (names.empty() ? "" : ", ") + each->name.Str();
        if (each->name.ToLower() == CMString(name.c_str()).ToLower())
            player = each.get();
    }
    if (!player)
        return UsageError("musician: no musician '" + name + "'; the musicians are " + names);

    std::printf("%s (%s): %zu phrase patterns\n", player->name.GetText(),
                InstrumentName(player->GetInstrument()), player->GetPatterns().size());
    for (const CMLibraryPart& part : player->GetParts())
        std::printf("  %-45s %4d\n", part.name.GetText(), part.patterns);
    if (patterns) {
        int number = 1;
        for (const auto& pattern : player->GetPatterns())
            PrintPattern(number++, *pattern);
    }
    return kExitDone;
}
