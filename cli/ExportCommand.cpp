// zimbrel-cli export FILE... -o OUT: each song as a MusicXML score, in the key kind of
// ./Zimbrel.ini unless --key says otherwise. With several songs OUT is a folder, which gets
// NAME.musicxml for each. Runs in zimbrel-cli itself: a score is text, nothing is drawn.
#include "cli/InterchangeCommands.h"
#include "cli/SongFiles.h"

#include "app/ChartView.h"
#include "app/SongExport.h"
#include "app/StoredSettings.h"

namespace {

std::string NoFile(const std::string&)
{
    return std::string();
}

bool ExportOne(const ExportRequest& request, const CMZimbrelIni& settings, const CMExportKey& key,
               const std::string& song, const std::string& output)
{
    CMSongDocument document;
    if (output.empty() || !OpenSong(song, document, !request.noWarnings))
        return false;
    std::vector<std::string> warnings;
    std::string error;
    const bool written =
        WriteMusicXmlFile(document.GetSong(), ScoreOptions(key, settings, document.GetSong()),
                          output, warnings, error);
    if (!request.noWarnings)
        for (const std::string& warning : warnings)
            WriteSongMessage(stderr, song, "warning: " + warning);
    if (!written) {
        WriteSongMessage(stderr, song, "Error : cannot write '" + output + "': " + error);
        return false;
    }
    WriteSongMessage(stdout, song, output + ": " + key.partName);
    return true;
}

}  // namespace

std::vector<CliChoice> ExportKeyKinds()
{
    std::vector<CliChoice> choices;
    for (const CMKeyKindName& kind : KeyKindNames())
        if (kind.kind != InstrumentNumbers)  // a score names its chords by letter
            choices.push_back({kind.name, kind.kind, kind.meaning});
    return choices;
}

void DefineExportCommand(CliOptions& options, ExportRequest& request)
{
    DefineSongOperands(options, request.songs, 0);
    options.Text("-o,--output", request.output, "OUT",
                 "The MusicXML file (.musicxml); for several songs a folder, which gets "
                 "NAME.musicxml for each",
                 CliCompletion::Files);
    options.Choice("--key", request.keyKind, ExportKeyKinds(),
                   "The key the part is written in (default: Preferences.InstrumentType; the "
                   "number system writes concert key):");
    options.Number("--transpose", request.transposition, {-7, 7},
                   "Semitones the part is moved by, on top of the key kind");
    DefineWarningsSwitch(options, request.noWarnings);
}

int RunExportCommand(const ExportRequest& request)
{
    if (!request.output)
        return UsageError("export", "no output given (-o OUT.musicxml, or a folder)");
    const CliOutputRequest files{request.songs, request.output, "musicxml"};
    const std::vector<std::string> outputs = PlanOutputs(files, NoFile);
    if (IsAnOutputTheSong("export", request.songs, outputs))
        return kExitUsage;
    if (!MakeOutputFolder(files))
        return kExitFailed;
    const CMZimbrelIni settings = LoadStoredSettings();
    const CMExportKey key =
        ExportKeyFor(settings, request.keyKind, request.transposition.value_or(0));
    int status = kExitDone;
    CliProgress progress(request.songs.size());
    for (std::size_t i = 0; i < request.songs.size(); ++i) {
        progress.Show(i, request.songs[i]);
        if (!ExportOne(request, settings, key, request.songs[i], outputs[i]))
            status = kExitFailed;
    }
    return status;
}
