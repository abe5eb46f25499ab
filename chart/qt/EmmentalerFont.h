// CMEmmentalerFont: LilyPond's music font Emmentaler, found where Debian's lilypond-fonts package
// installs it (/usr/share/lilypond/VERSION/fonts/otf), loaded into the application's fonts, and
// its glyphs looked up by their names ("clefs.G", "accidentals.flat", ...). Outlines come in
// staff spaces (the font's em is four of them), y downward, with the glyph's own reference point
// (a clef's line, a note head's centre, an accidental's pitch) at the origin.
#pragma once

#include <QPainterPath>
#include <QRawFont>
#include <QString>

#include <memory>

class CMEmmentalerFont {
public:
    // Finds and loads the font. The environment variable ZIMBREL_MUSIC_FONT names a font file to
    // use instead of searching; set to a file that does not exist it turns the font off.
    CMEmmentalerFont();
    ~CMEmmentalerFont();
    CMEmmentalerFont(const CMEmmentalerFont&) = delete;
    CMEmmentalerFont& operator=(const CMEmmentalerFont&) = delete;

    bool IsLoaded() const { return m_raw.isValid() && m_names; }
    // The file loaded, or the places searched when none was found.
    const QString& Where() const { return m_where; }
    // The outline of a glyph in staff spaces; empty when the font or the glyph is missing.
    QPainterPath Outline(const char* glyphName) const;

private:
    struct GlyphNames;  // the font file's glyph names, read with FreeType
    QRawFont m_raw;
    std::unique_ptr<GlyphNames> m_names;
    QString m_where;
};
