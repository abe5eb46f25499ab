// What an iReal file imports to, song by song, as the reviewed files in tests/data/ireal keep it:
// the .zimbrel source, the warnings (one a line) and the measures the source compiles to (the
// Bars listing, or the compiler's message).
#pragma once

#include "interchange/IRealChart.h"
#include "music/CMMusicSong.h"
#include "music/SongListing.h"
#include "tests/FileContents.h"

#include <string>
#include <vector>

struct IRealGoldenSong {
    std::string name;  // the file name the reviewed files take, without extension
    std::string source;
    std::string warnings;
    std::string bars;
};

inline std::vector<IRealGoldenSong> ImportForGolden(const std::string& path)
{
    std::vector<IRealGoldenSong> songs;
    for (const std::string& link : FindIRealLinks(FileContents(path))) {
        CMIRealPlaylist playlist;
        std::string error;
        if (!ReadIRealLink(link, playlist, error))
            continue;
        for (const CMIRealSong& song : playlist.songs) {
            const CMImportedSong imported = ImportIRealSong(song, playlist.name);
            IRealGoldenSong golden{imported.title, imported.source, "", ""};
            for (char& c : golden.name)
                if (c == ' ')
                    c = '_';
            for (const std::string& warning : imported.warnings)
                golden.warnings += warning + "\n";
            CMMusicSong compiled;
            CMString message;
            if (compiled.Compile(CMString(imported.source), message)) {
                CMString listing;
                AppendBarsListing(compiled, listing);
                golden.bars = listing.Str();
            } else {
                golden.bars = message.Str();
            }
            songs.push_back(golden);
        }
    }
    return songs;
}
