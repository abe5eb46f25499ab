// zimbrel-cli compile FILE...: compiles each song and prints the compile command's report after
// the song's path, with the warnings about what may be misread; --bars also prints the song's
// measures as the performance listing shows them.
#include "cli/SongCommands.h"
#include "cli/SongFiles.h"

#include "app/SongAnalysis.h"

void DefineCompileCommand(CliOptions& options, CompileRequest& request)
{
    DefineSongOperands(options, request.songs, 0);
    options.Switch("--bars", request.bars,
                   "Also print each song's measures as the performance listing shows them");
    DefineWarningsSwitch(options, request.noWarnings);
}

int RunCompileCommand(const CompileRequest& request)
{
    int status = kExitDone;
    CliProgress progress(request.songs.size());
    for (std::size_t i = 0; i < request.songs.size(); ++i) {
        progress.Show(i, request.songs[i]);
        CMSongDocument document;
        if (!OpenSong(request.songs[i], document, !request.noWarnings, true)) {
            status = kExitFailed;
        } else if (request.bars) {
            std::fputs(BarsListing(document.GetSong()).GetText(), stdout);
        }
    }
    return status;
}
