// Section label codes and bar kinds, shared by the song model, the chart and the performance.
#pragma once

#include <cstdint>
#include <string>

enum CMLabelCode : std::uint8_t {
    LabelIntro = 9,
    LabelVerse = 10,
    LabelTheme = 11,  // also every measure's section until a label says otherwise
    LabelSecondTheme = 12,
    LabelInterlude = 13,
    LabelEnding = 14,       // written "coda" or "ending"
    LabelFirstLetter = 15,  // 15-40: "A" to "Z" (character code - 50)
    LabelLastLetter = 40,
    LabelFirstDigit = 41,  // 41-50: "0" to "9" (character code - 7)
    LabelLastDigit = 50,
};

// The bar sign in front of a measure.
enum CMBarKind : std::uint8_t {
    BarNone = 0,    // a plain bar line, and the start of the song
    BarSingle = 1,  // not produced by the compiler
    DoubleBar = 2,
    FineBar = 3,
    RepeatBegin = 4,
    RepeatEnd = 5,
    DoubleRepeat = 6,
    BranchBar = 7,  // start of a first ending, written "!"
    CodaBar = 8,    // the coda sign, written "@"
};

// The label code of a letter A-Z or digit 0-9 (upper-case letters only).
inline int LabelCodeOf(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 50;
    if (c >= '0' && c <= '9')
        return c - 7;
    return -1;
}

inline bool IsLetterLabel(int code)
{
    return code >= LabelFirstLetter && code <= LabelLastLetter;
}

inline bool IsDigitLabel(int code)
{
    return code >= LabelFirstDigit && code <= LabelLastDigit;
}

// The name a chart or a score shows over a section's first measure: "Intro", "Verse", "Theme",
// "Second Theme", "Interlude", "Coda" (for coda and ending alike) or the section's letter; empty
// for a digit label.
inline std::string SectionMarkText(int code)
{
    switch (code) {
    case LabelIntro: return "Intro";
    case LabelVerse: return "Verse";
    case LabelTheme: return "Theme";
    case LabelSecondTheme: return "Second Theme";
    case LabelInterlude: return "Interlude";
    case LabelEnding: return "Coda";
    default: return IsLetterLabel(code) ? std::string(1, static_cast<char>(code + 50)) : "";
    }
}
