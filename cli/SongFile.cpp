// Opening a song for a command: see SongFile.h.
#include "cli/SongFile.h"

#include "cli/CliCommand.h"

#include <cstdio>

bool OpenCompiledSong(const std::string& file, CMSongDocument& document)
{
    CMString readError;
    if (!document.Open(file.c_str(), readError)) {
        std::fprintf(stderr, "%s\n", readError.GetText());
        return false;
    }
    if (!document.IsCompiled()) {
        std::fputs(document.GetMessage().GetText(), stderr);
        return false;
    }
    return true;
}

bool IsTheSongItself(const std::string& command, const CMSongDocument& document,
                     const std::string& output)
{
    if (!document.IsSongFile(output.c_str()))
        return false;
    UsageError(command + ": '" + output + "' is the song itself; name another output file");
    return true;
}
