// zimbrel-cli analyze FILE: every chord of the song with the scale kinds the players choose
// their phrases by, in the song's key, one line a chord, as the performance listing writes them.
#include "cli/CliCommand.h"

#include "cli/SongFile.h"
#include "performance/ChordScale.h"

#include <cstdio>

int RunAnalyzeCommand(const CliArguments& arguments)
{
    if (arguments.size() != 1 || (arguments[0].size() > 1 && arguments[0][0] == '-'))
        return UsageError("analyze: give one song file");
    CMSongDocument document;
    if (!OpenCompiledSong(arguments[0], document))
        return kExitFailed;
    const CMMusicSong& song = document.GetSong();
    const CMSongKey key = song.GetKey();
    for (const CMMusicChordList* measure : song.measures)
        for (const CMMusicChord* chord : *measure)
            if (chord->IsPitch())
                std::fputs(ScaleLine(*chord, ScaleFor(*chord, key.pitchClass, key.minor)).GetText(),
                           stdout);
    return kExitDone;
}
