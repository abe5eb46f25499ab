// The bands and musicians as lists of lines: see MusicianListing.h.
#include "app/MusicianListing.h"

#include "performance/ChordScale.h"

#include <cstdio>

const char* InstrumentName(CMInstrument instrument)
{
    switch (instrument) {
    case InstrumentBass: return "bass";
    case InstrumentChords: return "piano";
    default: return "drums";
    }
}

std::vector<std::string> BandNames(const CMMusicBandList& bands)
{
    std::vector<std::string> names;
    for (const auto& band : bands.GetBands())
        names.push_back(band->GetName().Str());
    return names;
}

std::vector<std::string> MusicianNames(const CMMusicBandList& bands)
{
    std::vector<std::string> names;
    for (const auto& player : bands.GetPlayers())
        names.push_back(player->name.Str());
    return names;
}

std::vector<std::string> BandLines(const CMMusicBandList& bands)
{
    std::vector<std::string> lines;
    for (const auto& band : bands.GetBands()) {
        std::string line = band->GetName().Str();
        if (!band->GetStyle().IsEmpty())
            line += " (" + band->GetStyle().Str() + ")";
        const char* separator = ": ";
        for (const CMMusicPlayer* player : band->GetPlayers()) {
            line += separator + player->name.Str() + " (" +
                    InstrumentName(player->GetInstrument()) + ")";
            separator = ", ";
        }
        lines.push_back(line);
    }
    return lines;
}

const CMMusicPlayer* FindMusician(const CMMusicBandList& bands, const std::string& name,
                                  std::string& error)
{
    std::string names;
    for (const auto& player : bands.GetPlayers()) {
        if (player->name.ToLower() == CMString(name).ToLower())
            return player.get();
        names += (names.empty() ? "" : ", ") + player->name.Str();
    }
    error = "no musician '" + name + "'; the musicians are " + names;
    return nullptr;
}

std::vector<std::string> MusicianLines(const CMMusicPlayer& player)
{
    CMString line;
    std::vector<std::string> lines = {
        line.Format("%s (%s): %zu phrase patterns", player.name.GetText(),
                    InstrumentName(player.GetInstrument()), player.GetPatterns().size())
            .Str()};
    for (const CMLibraryPart& part : player.GetParts())
        lines.push_back(line.Format("  %-45s %4d", part.name.GetText(), part.patterns).Str());
    return lines;
}

std::string PatternLine(int number, const CMMusicNoteList& pattern)
{
    CMString line;
    line.Format("  #%d %s, %u ticks, weight %u, shifts %d..%d, tempo %u-%u:", number,
                ScaleNames(pattern.scaleMask).GetText(), pattern.length, pattern.weight,
                pattern.lowShift, pattern.highShift, pattern.lowTempo, pattern.highTempo);
    std::string text = line.Str();
    for (const CMMusicNote& note : pattern.GetNotes())
        text +=
            line.Format(" %d:%d/%u/0x%02X", note.tick, note.pitch, note.velocity, note.code).Str();
    return text + (pattern.GetNotes().empty() ? " (rest)" : "");
}
