// An iReal chart as a song: its chord text read into measures (bar lines, repeats, endings,
// section marks, coda signs, measure repeats, comments) and written as a .zimbrel source with the
// title, composer, tempo style, key and time signature of the link. What the song language
// cannot hold (a segno, a time signature the trio does not play, a quality it lacks, a third
// ending) is left out or written as near as it goes, and said in a warning.
#pragma once

#include "interchange/IRealLink.h"

#include <string>
#include <vector>

struct CMImportedSong {
    std::string title;                  // as a file name may use it: the title as the song gives it
    std::string composer;               // first name first
    std::string source;                 // the .zimbrel text
    std::vector<std::string> warnings;  // "measure 9: segno left out" ...
};

// `playlist` names the playlist the song came from (empty for none), for the source's comment.
CMImportedSong ImportIRealSong(const CMIRealSong& song, const std::string& playlist);
