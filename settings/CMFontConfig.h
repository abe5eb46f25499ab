// CMFontConfig: the font of one text role of the chart (title, labels, lyrics, chords, credits):
// typeface, character height in inches, bold, italic and colour, stored in its own section of
// the settings file. The drawing code also makes unsaved ones on the fly (empty file name).
#pragma once

#include "core/CMGeometry.h"
#include "core/CMString.h"
#include "settings/CMIniFile.h"

#include <cstdint>

class CMFontConfig {
public:
    // A font stored in "./fileName" (none when the name is empty) under `section`; the colour is
    // packed 0xRRGGBB.
    CMFontConfig(const char* fileName, const char* section_, const char* typeface, double height_,
                 bool bold_, bool italic_, int packedColour);
    CMFontConfig(const CMFontConfig&) = default;
    // Copies the look (typeface, height, bold, italic, colour), never the file or the section.
    CMFontConfig& operator=(const CMFontConfig& other);

    // Reads "Name", "Height", "Bold", "Italic" and "Color" (packed, in decimal) from the file,
    // each with the current value as its default.
    void Load();
    // Writes the same keys in the same order; false when the file was not written.
    bool Save() const;
    void LoadFrom(const IMIniStore& store);
    bool SaveTo(IMIniStore& store) const;

    CMIniFile ini;
    CMString section;
    CMString name;      // typeface
    double height = 0;  // character height, inches on the page
    std::uint8_t bold = 0;
    std::uint8_t italic = 0;
    CMColour colour;
};
