// Warnings about a song that compiles but may not say what its writer meant: a slash chord
// written as "D7/F#" (a beat slash and a new chord), a word that splits into several chords
// ("Cadd9"), chords a measure cannot hold or that stand after the last bar sign, a progression
// naming a section no chord block has, repeat signs without their partner, and a time base other
// than the 4/4 the trio plays. The song is read again token by token, which costs about as much
// as scanning it; nothing here changes the song.
#pragma once

#include "core/CMString.h"

#include <string>
#include <vector>

class CMMusicSong;

struct CMSongWarning {
    int line = 0;
    std::string text;  // one sentence, without the line

    // "warning: line N: text", as the output pane and the terminal show it.
    std::string Message() const;
};

// The warnings for `source`, which compiled into `song`, in the order of their lines.
std::vector<CMSongWarning> FindSongWarnings(const CMString& source, const CMMusicSong& song);
