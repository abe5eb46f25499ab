// A song as a MusicXML 4.0 partwise score with one part: title and credits, key and time
// signature, every measure in written order with its bar lines, repeats, endings, coda jump and
// coda, section labels as rehearsal marks, the chords as harmony at their beats, the melody and
// the lyrics under it. Written in the key the chart would show (a B-flat part for a B-flat
// instrument), with the transposition that tells a reader the concert pitch.
#pragma once

#include "music/CMMusicSong.h"

#include <string>
#include <vector>

struct CMMusicXmlOptions {
    int transposition = 0;  // semitones the part is written moved by, as the chart moves it
    int tempo = 0;          // quarter notes a minute of the tempo marking; 0 writes none
    std::string partName = "Lead Sheet";
    std::string title;  // for a song without title lines (its file's title)
};

struct CMMusicXmlExport {
    std::string text;                   // the whole file, UTF-8
    std::vector<std::string> warnings;  // what the score could not say as the song does
};

CMMusicXmlExport ExportMusicXml(const CMMusicSong& song, const CMMusicXmlOptions& options);
