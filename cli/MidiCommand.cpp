// zimbrel-cli midi FILE [-o OUT] [PERF] [--listing]: performs a song with a band into a standard
// MIDI file (by default the song's path followed by ".midi", as the play command writes it).
#include "cli/CliCommand.h"
#include "cli/SongFile.h"
#include "cli/SongPerformance.h"

#include "app/PlayCommand.h"
#include "settings/CMZimbrelIni.h"

#include <cstdio>

int RunMidiCommand(const CliArguments& arguments)
{
    CMZimbrelIni settings;
    settings.Load();
    std::string output;
    bool listing = false;
    const auto takeOwnOption = [&](const CliArguments& all, std::size_t i, std::string& error) {
        if (all[i] == "--listing") {
            listing = true;
            return 1;
        }
        if (all[i] != "-o" && all[i] != "--output")
            return 0;
        if (i + 1 >= all.size()) {
            error = "-o needs a file name";
            return -1;
        }
        output = all[i + 1];
        return 2;
    };
    CliSongPerformance song;
    const int status = PrepareSongPerformance("midi", arguments, settings, takeOwnOption, song);
    if (status != kExitDone)
        return status;

    if (output.empty())
        output = MidiPathOf(song.file.c_str()).Str();
    if (IsTheSongItself("midi", song.document, output))
        return kExitUsage;
    CMString text;
    const bool written =
        PerformSong(song.document.GetSong(), song.band, song.performance, output.c_str(), &text);
    if (listing)
        std::printf("%s\n", text.GetText());
    const CMString title = song.document.GetTitle();
    if (!written) {
        std::fprintf(stderr, "Error : Cannot create MIDI file '%s'.\n", title.GetText());
        const CMString reason = PerformanceRefusal(song.document.GetSong(), song.performance);
        if (!reason.IsEmpty())
            std::fprintf(stderr, "%s\n", reason.GetText());
        return kExitFailed;
    }
    if (!listing)
        std::printf("'%s' played by %s into %s\n", title.GetText(), song.band->GetName().GetText(),
                    output.c_str());
    return kExitDone;
}
