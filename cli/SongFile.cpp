// Opening a song for a command: see SongFile.h.
#include "cli/SongFile.h"

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
