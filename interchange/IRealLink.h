// Chord-chart links of the iReal kind: finding them in a text or an HTML page, reading the songs
// of a link (title, composer, style, key, chord text, tempo, repeats) and making the scrambled
// chord text of "irealb://" links clear. The facts of the format are in docs/FORMATS.md.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CMIRealSong {
    std::string title;
    std::string composer;
    std::string style;
    std::string key;
    std::string chords;  // the chord text in clear
    int tempo = 0;       // beats a minute; 0 when the link gives none
    int repeats = 0;     // 0 when the link gives none
};

struct CMIRealPlaylist {
    std::string name;  // empty for a link of one song
    std::vector<CMIRealSong> songs;
};

// The links in `text` ("irealb://..." and "irealbook://..."), as written, in order. Links in an
// HTML page are read from its attributes: character references such as "&amp;" are resolved.
std::vector<std::string> FindIRealLinks(std::string_view text);

// Reads the songs of one link. False, with the reason in `error`, when it holds none.
bool ReadIRealLink(std::string_view link, CMIRealPlaylist& playlist, std::string& error);

// The chord text of an "irealb://" song as its app writes it, from the scrambled text after the
// marker: blocks of 50 characters unscrambled, then the short forms spelled out (cells, bar
// lines, measure repeats).
std::string ClearIRealChords(std::string_view scrambled);
