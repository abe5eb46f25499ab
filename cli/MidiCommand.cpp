// zimbrel-cli midi FILE... [-o OUT] [PERF] [--listing]: performs songs with a band into standard
// MIDI files: by default the song's path followed by ".midi", as the play command writes it.
#include "cli/SongCommands.h"
#include "cli/SongFiles.h"

#include "app/CMSongPerformer.h"

namespace {

std::string MidiBeside(const std::string& song)
{
    return MidiPathOf(CMString(song)).Str();
}

bool PerformOne(const CMSongPerformer& performer, const MidiRequest& request,
                const std::string& song, const std::string& output)
{
    CMSongDocument document;
    if (output.empty() || !OpenSong(song, document, !request.noWarnings))
        return false;
    CMString listing;
    const bool written =
        performer.Perform(document.GetSong(), output.c_str(), request.listing ? &listing : nullptr);
    if (request.listing)
        std::printf("%s\n", listing.GetText());
    const CMString title = document.GetTitle();
    if (!written) {
        CMString message;
        message.Format("Error : Cannot create MIDI file '%s'.", title.GetText());
        const CMString reason =
            PerformanceRefusal(document.GetSong(), performer.PerformanceOf(document.GetSong()));
        if (!reason.IsEmpty())
            message += "\n" + reason;
        WriteSongMessage(stderr, song, message.Str());
        return false;
    }
    if (!request.listing)
        WriteSongMessage(stdout, song,
                         "'" + title.Str() + "' played by " + performer.GetBand()->GetName().Str() +
                             " into " + output);
    return true;
}

}  // namespace

void DefineMidiCommand(CliOptions& options, MidiRequest& request)
{
    DefineSongOperands(options, request.songs, 0);
    options.Text("-o,--output", request.output, "OUT",
                 "The MIDI file; for several songs a folder, which gets NAME.midi for each "
                 "(default: the song's path followed by .midi)",
                 CliCompletion::Files);
    DefinePerformanceOptions(options, request.performance);
    options.Switch("--mix", request.performance.writeMix,
                   "Also write the mixer of ./Zimbrel.ini (its Mixer section: volume, pan and "
                   "reverb of each instrument) into the file as controllers at the start of each "
                   "track, for other players");
    options.Switch("--listing", request.listing, "Print what was played instead of one line");
    DefineWarningsSwitch(options, request.noWarnings);
}

int RunMidiCommand(const MidiRequest& request)
{
    CMSongPerformer performer(request.performance);
    std::string error;
    if (!performer.FindBand(error))
        return UsageError("midi", error);
    const CliOutputRequest files{request.songs, request.output, "midi"};
    const std::vector<std::string> outputs = PlanOutputs(files, MidiBeside);
    if (IsAnOutputTheSong("midi", request.songs, outputs))
        return kExitUsage;
    if (!MakeOutputFolder(files))
        return kExitFailed;
    int status = kExitDone;
    CliProgress progress(request.songs.size());
    for (std::size_t i = 0; i < request.songs.size(); ++i) {
        progress.Show(i, request.songs[i]);
        if (!PerformOne(performer, request, request.songs[i], outputs[i]))
            status = kExitFailed;
    }
    return status;
}
