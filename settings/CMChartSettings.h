// CMChartSettings: what the chart renderer keeps in the settings file: the fonts of its five text
// roles (sections "TitleFont", "LabelFont", "LyricsFont", "ChordFont", "AuthorFont") and its own
// copy of the chord style ("ChordStyle" in "Preferences"). The renderer reads it, never owns it.
#pragma once

#include "settings/CMFontConfig.h"
#include "settings/CMIniFile.h"

#include <cstdint>

class CMChartSettings {
public:
    // The defaults of the settings table, stored in "./fileName": every role in Arial, black,
    // upright; titles and chords 0.25 inch high, the others 0.125.
    explicit CMChartSettings(const char* fileName);

    // Reads the five fonts, then the chord style (default 0). A character height outside the
    // setting's range is taken as the nearer end.
    void Load();
    // Writes the five fonts, then the chord style, with one replacement of the file. False when
    // the file could not be written; it then keeps its old contents.
    bool Save() const;
    void LoadFrom(const IMIniStore& store);
    bool SaveTo(IMIniStore& store) const;

    CMFontConfig titleFont;
    CMFontConfig labelFont;
    CMFontConfig lyricsFont;
    CMFontConfig chordFont;
    CMFontConfig authorFont;
    std::uint8_t chordStyle = 0;  // 0 default, 1 "maj, min", 2 "M, m", 3 symbols

private:
    // The defaults read from `defaults`, the file written from the settings table, stored nowhere.
    explicit CMChartSettings(const CMIniText& defaults);
    // Read once; every new object is a copy, pointed at its file.
    static const CMChartSettings& TableDefaults();

    CMIniFile m_file;
};
