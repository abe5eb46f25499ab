// CMMusicDC: the chart renderer. It holds the drawing surface and reads the five fonts of the
// chart and its chord style from a chart settings object it does not own (so a font can be
// previewed before it is saved), and provides the drawing steps of a lead sheet:
// staff paper, bar signs, title and credits, clef, key and time signature, labels, chords,
// notes, rests and coda jumps. Song drawing (SongDrawing.h) walks a song and calls them.
// Positions come from the measure index counted over the measures shown (CMStaffPosition); on
// the screen page p stands at x = p * 8.5, when printing every page at x = 0.
#pragma once

#include "chart/IMDC.h"
#include "chart/StaffPosition.h"
#include "core/CMStringList.h"
#include "music/CMMusicChord.h"
#include "settings/CMChartSettings.h"

#include <memory>

// The signs drawn at a bar line.
enum class CMBarSign { Single, Double, RepeatBegin, RepeatEnd, Final, EndingBracket };

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
    // One chord at a slot (beat) of a measure, in `colour` (negative: the chord font's) and the
    // renderer's chord style; only when `page` is 0 or the measure is on printed page `page`.
    void DrawChord(int measure, const CMMusicChord& chord, int slot, int page, int colour,
                   int degreeCode, double firstMeasureStartX);
    // A note at a staff position (0 middle C, 7 an octave up) with its ledger lines; answers the
    // point where its glyph was drawn.
    CMPoint DrawNote(int measure, double xInMeasure, int position, char glyph);
    void DrawRest(int measure, double xInMeasure, int durationCode);
    // "to" and the coda sign at the measure's start, or at the end of the line before when the
    // measure starts a line; nothing for the first measure.
    void DrawCodaJump(int measure);

    // The x of a page of the chart: side by side on the screen, all at 0 when printing.
    double PageOffset(int pagePosition) const;

    std::unique_ptr<IMDC> surface;

private:
    const CMChartSettings& m_settings;

    // The left edge of a measure, or the end of a line for column 4.
    double MeasureX(const CMStaffPosition& position) const;
    // Where a note or rest of a measure goes across: compressed behind the header in the
    // first measure.
    double NoteX(int measure, double xInMeasure) const;
};
