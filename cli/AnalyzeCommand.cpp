// zimbrel-cli analyze FILE: every chord of the song with the scale kinds the players choose
// their phrases by, in the song's key, one line a chord, as the performance listing writes them.
#include "cli/SongCommands.h"
#include "cli/SongFiles.h"

#include "app/SongAnalysis.h"

void DefineAnalyzeCommand(CliOptions& options, AnalyzeRequest& request)
{
    DefineSongOperands(options, request.songs, 1);
    DefineWarningsSwitch(options, request.noWarnings);
}

int RunAnalyzeCommand(const AnalyzeRequest& request)
{
    CMSongDocument document;
    if (!OpenSong(request.songs.front(), document, !request.noWarnings))
        return kExitFailed;
    std::fputs(ScaleListing(document.GetSong()).GetText(), stdout);
    return kExitDone;
}
