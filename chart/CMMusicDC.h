// CMMusicDC: the chart renderer. It holds the drawing surface and reads the five fonts of the
// chart and its chord style from a chart settings object it does not own (so a font can be
// previewed before it is saved), and provides the drawing steps of a lead sheet:
// staff paper, bar signs and numbered endings, title, tempo marking and credits, the headings of
// later pages, clef, key and time signature, labels, chords, notes, rests, the coda jump and
// the coda sign. Song drawing (SongDrawing.h) walks a song and calls them.
// Positions come from the measure index counted over the measures shown (CMStaffPosition); on
// the screen page p stands at x = p * 8.5, when printing every page at x = 0.
#pragma once

#include "chart/IMDC.h"
#include "chart/StaffPosition.h"
#include "core/CMStringList.h"
#include "music/CMMusicChord.h"
#include "settings/CMChartSettings.h"

#include <memory>

// The signs drawn at a bar line. An ending's sign is a double bar with its numbered bracket;
// the first ending's bracket is closed at its end, the second's open.
enum class CMBarSign { Single, Double, RepeatBegin, RepeatEnd, Final, FirstEnding, SecondEnding };

class CMMusicDC {
public:
    // Draws with the fonts and chord style of `settings`, as they are at each drawing; they must
    // outlive the renderer. The surface may be attached later and is owned by the renderer.
    CMMusicDC(std::unique_ptr<IMDC> surface_, const CMChartSettings& settings);

    const CMChartSettings& Settings() const { return m_settings; }

    // Five staff lines and five thin bar lines for each of the ten lines of a page position.
    void DrawStaffPaper(int pagePosition);
    // Thickness 0: a thin line over the staff's height; otherwise a black bar that thick.
    void DrawBarLine(double x, double y, double thickness);
    // A bar sign at a measure's start (columns 0-3) or a line's end (column 4).
    void DrawBarSign(const CMStaffPosition& position, CMBarSign sign, double xOffset);
    void DrawTitle(const CMString& text);
    void DrawTitleLines(const CMStringList& lines);
    // Where the title of so many lines ends (0 lines: the file name as the title).
    double TitleBottom(int lines) const;
    // "Medium" followed by a quarter note "= 140", centred under the title at `y`; no style
    // name for a style outside 0 (ballad) to 5 (very fast).
    void DrawTempoMarking(double y, int style, int tempo);
    // The heading of a page after the first: the title, smaller, and "page n / N".
    void DrawPageHeading(int chartPage, const CMString& title, int pages);
    // "Music by" and "Words by" lines at the right; an empty name draws nothing.
    void DrawCredits(const CMString& composer, const CMString& lyricist);
    // Answers the clef's width plus 0.03.
    double DrawClef(bool treble);
    // Sharps (positive) or flats (negative), at most seven; answers the width taken.
    double DrawKeySignature(int accidentals);
    // 4/4 as "C", other meters as two numbers; answers the width of the last text drawn.
    double DrawTimeSignature(double x, int numerator, int denominator);
    // kind -2 double flat, -1 flat, 0 natural, 1 sharp, 2 double sharp; y is 0.255 above the
    // staff position the accidental stands for.
    void DrawAccidental(double x, double y, int kind);
    // The name of a section (a boxed letter for the letter labels; nothing for digit labels).
    void DrawLabel(int measure, int labelCode);
    // The coda sign in front of the label of the section a coda jump leads to.
    void DrawCodaSign(int measure);
    // One chord at a slot (beat) of a measure, in `colour` (negative: the chord font's) and the
    // renderer's chord style; only when `page` is 0 or the measure is on printed page `page`.
    void DrawChord(int measure, const CMMusicChord& chord, int slot, int page, int colour,
                   int degreeCode, double firstMeasureStartX);
    // A note at a staff position (0 middle C, 7 an octave up) with its ledger lines; answers the
    // point where its glyph was drawn.
    CMPoint DrawNote(int measure, double xInMeasure, int position, char glyph);
    void DrawRest(int measure, double xInMeasure, int durationCode);
    // "to" and the coda sign above the staff, ending before the measure's start, or before the
    // end of the line before when the measure starts a line; nothing for the first measure.
    void DrawCodaJump(int measure);

    // The x of a page of the chart: side by side on the screen, all at 0 when printing.
    double PageOffset(int pagePosition) const;

    std::unique_ptr<IMDC> surface;

private:
    const CMChartSettings& m_settings;

    // The left edge of a measure, or the end of a line for column 4.
    double MeasureX(const CMStaffPosition& position) const;
    // The bracket of an ending from x over the staff at y, with its number.
    void DrawEndingBracket(double x, double y, int number);
    // A section label's left edge and top.
    CMPoint LabelPoint(int measure) const;
    // Where a note or rest of a measure goes across: compressed behind the header in the
    // first measure.
    double NoteX(int measure, double xInMeasure) const;
};
