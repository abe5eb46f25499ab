// The words of the song language as the source editor colours them: block names, section labels,
// chord roots and suffixes, bar signs, setting names, quoted text and comments. The editor reads
// one line at a time; what a line leaves open (a comment, the block it is in, a block name whose
// brace is still to come) is carried to the next line in a small state number.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

enum class CMSyntaxKind : std::uint8_t {
    BlockName,    // title, chord, key, time base, misc, progression, note, lyrics
    Label,        // intro:, labelA: ...
    ChordRoot,    // C, Bb, F#
    ChordSuffix,  // m7b5, maj7#11, onE
    BarSign,      // | || |: :| , . < > ! @ /
    Setting,      // tempo, composed by, theme structure (before "=")
    Quoted,       // "text"
    Comment,      // /* ... */
};

struct CMSyntaxSpan {
    int start;   // byte offset in the line
    int length;  // bytes
    CMSyntaxKind kind;
};

// The coloured spans of `line` (UTF-8 or any 8-bit text), in order. `state` is 0 before the first
// line; it holds what this line leaves open when the call returns.
std::vector<CMSyntaxSpan> SongSyntaxSpans(std::string_view line, int& state);
