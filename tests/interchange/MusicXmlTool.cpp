// Writes the MusicXML export of a song to standard output, moved by SEMITONES as the chart moves
// it: scripts/regenerate-golden.sh makes the reviewed files of MusicXmlTest with it.
#include "interchange/MusicXmlExport.h"
#include "tests/FileContents.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: musicxml_tool SONG SEMITONES\n");
        return 2;
    }
    CMMusicSong song;
    CMString error;
    if (!song.Compile(CMString(FileContents(argv[1])), error)) {
        std::fprintf(stderr, "%s", error.GetText());
        return 1;
    }
    song.path = argv[1];
    CMMusicXmlOptions options;
    options.transposition = std::atoi(argv[2]);
    options.title = song.GetFileTitle().Str();
    const CMMusicXmlExport result = ExportMusicXml(song, options);
    for (const std::string& warning : result.warnings)
        std::fprintf(stderr, "warning: %s\n", warning.c_str());
    std::fwrite(result.text.data(), 1, result.text.size(), stdout);
    return 0;
}
