// CMMusicFont: the chart's music font on Qt. A text in the music font is a run of signs and plain
// characters: every sign code of the layout (clefs, accidentals, notes, rests, the dot, the coda
// sign) becomes an outline from Emmentaler, or a drawn shape when Emmentaler is missing, scaled
// and placed where the layout expects that sign; the triangle and the half-diminished sign of
// chord suffixes are always drawn shapes; every other character is text in a plain typeface. All
// sizes and positions are in the surface's units: thousandths of an inch, zoom applied.
#pragma once

#include "chart/qt/DrawnGlyphs.h"
#include "chart/qt/EmmentalerFont.h"

#include <QColor>
#include <QPainter>
#include <QString>

#include <array>
#include <string_view>

class CMMusicFont {
public:
    // The font of this process, loaded on first use. Needs the Qt GUI application.
    static const CMMusicFont& Instance();

    bool HasEmmentaler() const { return m_emmentaler.IsLoaded(); }
    // What the user should know when Emmentaler is missing; empty when it is in use.
    QString Warning() const;

    // Draws `text` with its cell's top edge at (x, top) at character height `size`; with a null
    // painter it only measures. Answers the width.
    double Draw(QPainter* painter, std::string_view text, double x, double top, double size,
                const QColor& colour) const;

private:
    // A sign: its outline in staff spaces and how it stands in the text cell.
    struct Sign {
        QPainterPath outline;
        double staffSpace = 0;  // staff space, as a share of the font size
        double anchor = 0;      // reference point below the cell's top, share of the size
        double centre = -1;     // when not negative: the outline's centre at this share of
                                // the size from x; otherwise its left edge at x
        double gap = 0.12;      // space after it in a run, in staff spaces
    };

    CMMusicFont();
    void AddSigns();
    // The accidentals beside chord letters, from double flat to double sharp as drawn among text.
    void AddLetterAccidentals(const std::array<QPainterPath, 5>& outlines);
    // The Emmentaler glyph, or the drawn shape when the font or the glyph is missing.
    QPainterPath Outline(const char* emmentalerName, CMGlyph drawn) const;
    QPainterPath Note(int durationCode) const;
    // The sign starting at text[i], and how many bytes it takes; null for plain text. Among
    // letters and figures the accidentals take the figures' size.
    const Sign* SignAt(std::string_view text, std::size_t i, bool amongFigures,
                       std::size_t& length) const;
    // Whether the text holds letters or figures besides signs.
    bool HasPlainText(std::string_view text) const;
    double DrawSign(QPainter* painter, const Sign& sign, double x, double top, double size,
                    const QColor& colour) const;
    double DrawPlain(QPainter* painter, const QString& text, double x, double top, double size,
                     const QColor& colour) const;
    double DrawSuffixSymbol(QPainter* painter, const QPainterPath& symbol, double x, double top,
                            double size, const QColor& colour) const;

    CMEmmentalerFont m_emmentaler;
    std::array<Sign, 256> m_signs;            // by code; an empty outline is no sign
    Sign m_doubleFlat;                        // "!!"
    std::array<Sign, 256> m_textAccidentals;  // accidentals among letters and figures
    Sign m_textDoubleFlat;
    QPainterPath m_triangle;
    QPainterPath m_halfDiminished;
};
