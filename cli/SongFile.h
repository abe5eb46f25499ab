// Opening a song for a command: the file is read and compiled, and what went wrong is said on
// standard error the way the compile command says it.
#pragma once

#include "app/CMSongDocument.h"

#include <string>

// True when the song was read and compiled; otherwise the reason is on standard error.
bool OpenCompiledSong(const std::string& file, CMSongDocument& document);
// True, with the reason on standard error, when `output` is the song's own file.
bool IsTheSongItself(const std::string& command, const CMSongDocument& document,
                     const std::string& output);
