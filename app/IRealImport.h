// Importing iReal links: every link of a file (an HTML playlist or a text holding links) or of a
// dropped link, each song turned into a .zimbrel source and stored in a folder by the rules of
// downloaded songs: TITLE.zimbrel, or TITLE@COMPOSER.zimbrel when the first holds another song;
// a file with the same content counts as stored, one with other content is never replaced. The
// desktop program and zimbrel-cli import the same way.
#pragma once

#include "app/SharedSongFiles.h"

#include <string>
#include <vector>

struct CMImportedSongFile {
    std::string title;
    CMStoredSongFile stored;
    std::vector<std::string> warnings;  // what the song language could not hold
};

// Imports the songs of every link in `text` into `folder` (ending in "/"). False, with the
// reason in `error`, when the text holds no link or no link holds a song; a link that cannot be
// read is named in `error` while the others are imported.
bool ImportIRealLinks(const std::string& text, const std::string& folder,
                      std::vector<CMImportedSongFile>& songs, std::string& error);

// The file name a song title may take: path separators, "..", at-marks and control characters
// replaced, at most 100 bytes (a UTF-8 character is never cut); "Untitled" for nothing.
std::string SongFileTitle(const std::string& title);
