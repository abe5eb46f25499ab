// The song files that song sharing reads and writes: a downloaded song is stored in the song
// folder under its title (or its title and author when another song has that title) and never
// replaces a file with other content or lands outside the folder; a song to upload is read from
// its file and checked against the server's limits first.
#pragma once

#include "net/CMZimbrelRecords.h"

#include <string>

struct CMStoredSongFile {
    enum class Outcome { Saved, AlreadyThere, Refused };
    Outcome outcome = Outcome::Refused;
    std::string path;    // the file written or found
    std::string reason;  // why it was refused
};

// Stores a downloaded song ("title@author", source) in `folder` (ending in "/"), creating the
// folder when needed: as TITLE.zimbrel, or TITLE@AUTHOR.zimbrel when TITLE.zimbrel holds another
// song. A file with the same content counts as stored; one with other content is never replaced.
CMStoredSongFile StoreDownloadedSong(const std::string& folder, const CMZimbrelSong& song);

// Reads the song file at `path` for an upload: its name is the file's title and its source the
// file's bytes. Answers false with the reason when the title or the content cannot be shared.
bool ReadSongForUpload(const std::string& path, CMZimbrelSong& song, std::string& reason);
