// CMMusicDC: the drawing steps of the lead sheet, with the layout's measures in inches.
#include "chart/CMMusicDC.h"

#include "chart/ChordSymbolDrawing.h"
#include "chart/MusicFont.h"
#include "music/CMMusicSong.h"
#include "music/LabelCodes.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

using namespace ChartGeometry;

namespace {

constexpr int kBlack = 0;
constexpr double kThickBar = 0.03;

// A font made on the fly for one drawing; never saved.
CMFontConfig FixedFont(const char* typeface, double height, bool bold = false)
{
    return CMFontConfig("", "Font", typeface, height, bold, false, kBlack);
}

// Key signature heights, from the first accidental to the seventh.
constexpr double kSharpY[] = {0.465, 0.57, 0.43, 0.535, 0.64, 0.5, 0.605};
constexpr double kFlatY[] = {0.605, 0.5, 0.64, 0.535, 0.675, 0.57, 0.71};

CMString LabelText(int code)
{
    return SectionMarkText(code).c_str();
}

// A quarter note as text (U+2669 in UTF-8): a tempo marking is words and figures, set in the
// credits' font like any text.
constexpr const char* kQuarterNoteText = "\xE2\x99\xA9";

// A line of text takes this share of its font's height, descenders included.
constexpr double kTextCellHeight = 1.12;

// Later pages carry the title at this share of its size.
constexpr double kLaterTitleScale = 0.6;

}  // namespace

CMMusicDC::CMMusicDC(std::unique_ptr<IMDC> surface_, const CMChartSettings& settings)
    : surface(std::move(surface_)), m_settings(settings)
{
}

double CMMusicDC::PageOffset(int pagePosition) const
{
    return surface->printing ? 0 : pagePosition * kPageWidth;
}

double CMMusicDC::MeasureX(const CMStaffPosition& position) const
{
    return PageOffset(position.page) + position.column * kMeasureWidth;
}

double CMMusicDC::NoteX(int measure, double xInMeasure) const
{
    if (measure == 0)
        return xInMeasure * 0.7 + 0.5;
    return MeasureX(CMStaffPosition::OfMeasure(measure)) + xInMeasure;
}

void CMMusicDC::DrawStaffPaper(int pagePosition)
{
    const double left = pagePosition * kPageWidth;
    for (int line = 0; line < kLinesPerPage; ++line) {
        const double top = line + kStaffTop;
        for (int k = 0; k < 5; ++k)
            surface->DrawLine(left, top + k * kStaffLineGap, left + kStaffWidth,
                              top + k * kStaffLineGap, kBlack, 1);
        for (int j = 0; j <= kMeasuresPerLine; ++j)
            DrawBarLine(left + j * kMeasureWidth, top, 0);
    }
}

void CMMusicDC::DrawBarLine(double x, double y, double thickness)
{
    if (thickness == 0)
        surface->DrawLine(x, y, x, y + kStaffHeight, kBlack, 1);
    else
        surface->DrawRectangle(x, y, x + thickness, y + kStaffHeight, kBlack, -1, 0);
}

void CMMusicDC::DrawBarSign(const CMStaffPosition& position, CMBarSign sign, double xOffset)
{
    const double x = MeasureX(position) + xOffset;
    const double y = position.StaffTop();
    const auto dots = [&](double left) {
        surface->DrawEllipse(left, y + 0.09, left + 0.03, y + 0.12, kBlack, -1, 0);
        surface->DrawEllipse(left, y + 0.16, left + 0.03, y + 0.19, kBlack, -1, 0);
    };
    switch (sign) {
    case CMBarSign::Single: DrawBarLine(x, y, 0); break;
    case CMBarSign::Double:
    case CMBarSign::FirstEnding:
    case CMBarSign::SecondEnding:
        DrawBarLine(x, y, 0);
        DrawBarLine(position.column == 0 ? x + 0.03 : x - 0.03, y, 0);
        if (sign != CMBarSign::Double)
            DrawEndingBracket(x, y, sign == CMBarSign::FirstEnding ? 1 : 2);
        break;
    case CMBarSign::RepeatBegin:
        DrawBarLine(x, y, kThickBar);
        DrawBarLine(x + 0.06, y, 0);
        dots(x + 0.085);
        break;
    case CMBarSign::RepeatEnd:
    case CMBarSign::Final:
        DrawBarLine(x - kThickBar, y, kThickBar);
        DrawBarLine(x - 0.06, y, 0);
        if (sign == CMBarSign::RepeatEnd)
            dots(x - 0.115);
        break;
    }
}

void CMMusicDC::DrawEndingBracket(double x, double y, int number)
{
    const double top = y - 0.4;
    surface->DrawLine(x, y, x + 0.075, top, kBlack, 2);
    surface->DrawLine(x + 0.075, top, x + 1.5, top, kBlack, 2);
    // The first ending closes with a hook; the second stays open, the music goes on.
    if (number == 1)
        surface->DrawLine(x + 1.5, top, x + 1.35, top - 0.05, kBlack, 2);
    // The number stands on the bracket, clear of the chords under it.
    const CMFontConfig& font = m_settings.labelFont;
    CMString text;
    surface->DrawText(x + 0.1, top - font.height, text.Format("%d.", number), font, AlignLeft);
}

void CMMusicDC::DrawTitle(const CMString& text)
{
    const CMFontConfig& font = m_settings.titleFont;
    surface->DrawText(kStaffWidth / 2, -0.5 * font.height, text, font, AlignCentre);
}

void CMMusicDC::DrawTitleLines(const CMStringList& lines)
{
    const double configured = m_settings.titleFont.height;
    CMFontConfig font(m_settings.titleFont);
    if (lines.GetCount() >= 2)
        font.height = configured * 1.5 / lines.GetCount();
    int k = 0;
    for (const CMString* line : lines)
        surface->DrawText(kStaffWidth / 2, k++ * font.height - 0.5 * configured, *line, font,
                          AlignCentre);
}

double CMMusicDC::TitleBottom(int lines) const
{
    // Two or more lines share one and a half title heights, starting half a height up; the
    // last line's text cell reaches below its descenders.
    const double height = m_settings.titleFont.height;
    const double lineHeight = lines >= 2 ? height * 1.5 / lines : height;
    return (std::max(lines, 1) - 1) * lineHeight - 0.5 * height + kTextCellHeight * lineHeight;
}

void CMMusicDC::DrawTempoMarking(double y, int style, int tempo)
{
    CMString text;
    if (const char* name = TempoStyleName(style))
        text = CMString(name) + " ";
    CMString beats;
    text += beats.Format("%s = %d", kQuarterNoteText, tempo);
    surface->DrawText(kStaffWidth / 2, y, text, m_settings.authorFont, AlignCentre);
}

void CMMusicDC::DrawPageHeading(int chartPage, const CMString& title, int pages)
{
    const double left = PageOffset(chartPage);
    CMFontConfig titleFont(m_settings.titleFont);
    titleFont.height *= kLaterTitleScale;
    const double top = -0.5 * titleFont.height;
    surface->DrawText(left + kStaffWidth / 2, top, title, titleFont, AlignCentre);
    // On the title's baseline.
    const CMFontConfig& author = m_settings.authorFont;
    CMString text;
    surface->DrawText(left + kStaffWidth, top + 0.9 * (titleFont.height - author.height),
                      text.Format("page %d / %d", chartPage + 1, pages), author, AlignRight);
}

void CMMusicDC::DrawCredits(const CMString& composer, const CMString& lyricist)
{
    const CMFontConfig& font = m_settings.authorFont;
    if (!composer.IsEmpty())
        surface->DrawText(kStaffWidth, -font.height, CMString("Music by ") + composer, font,
                          AlignRight);
    if (!lyricist.IsEmpty())
        surface->DrawText(kStaffWidth, 0, CMString("Words by ") + lyricist, font, AlignRight);
}

double CMMusicDC::DrawClef(bool treble)
{
    const CMFontConfig font = FixedFont(kMusicFontName, treble ? 0.5 : 0.35);
    const double width = surface->DrawText(0.03, treble ? 0.55 : 0.67,
                                           treble ? MusicGlyph::kTrebleClef : MusicGlyph::kBassClef,
                                           font, AlignLeft);
    return width + 0.03;
}

double CMMusicDC::DrawKeySignature(int accidentals)
{
    const int count = std::min(std::abs(accidentals), 7);
    for (int k = 0; k < count; ++k)
        DrawAccidental(0.19 + k * 0.032, accidentals > 0 ? kSharpY[k] : kFlatY[k],
                       accidentals > 0 ? 1 : -1);
    return count == 0 ? 0 : 0.082 + 0.032 * (count - 1);
}

double CMMusicDC::DrawTimeSignature(double x, int numerator, int denominator)
{
    const CMFontConfig font = FixedFont("Times New Roman", 0.2, true);
    if (numerator == 4 && denominator == 4)
        return surface->DrawText(x, 0.745, "C", font, AlignLeft);
    CMString text;
    surface->DrawText(x, 0.675, text.Format("%d", numerator), font, AlignLeft);
    return surface->DrawText(x, 0.815, text.Format("%d", denominator), font, AlignLeft);
}

void CMMusicDC::DrawAccidental(double x, double y, int kind)
{
    const CMFontConfig font = FixedFont(kMusicFontName, 0.25);
    switch (kind) {
    case -2:
        surface->DrawText(x - 0.06, y + 0.055, MusicGlyph::kDoubleFlat, font, AlignLeft);
        break;
    case -1: surface->DrawText(x, y + 0.055, MusicGlyph::kFlat, font, AlignLeft); break;
    case 0: surface->DrawText(x, y + 0.095, MusicGlyph::kNatural, font, AlignLeft); break;
    case 1: surface->DrawText(x, y + 0.095, MusicGlyph::kSharp, font, AlignLeft); break;
    case 2: surface->DrawText(x - 0.01, y + 0.04, MusicGlyph::kDoubleSharp, font, AlignLeft); break;
    default: break;
    }
}

CMPoint CMMusicDC::LabelPoint(int measure) const
{
    const CMStaffPosition position = CMStaffPosition::OfMeasure(measure);
    return CMPoint(MeasureX(position) - 0.1, position.line + 0.69 - m_settings.labelFont.height);
}

void CMMusicDC::DrawLabel(int measure, int labelCode)
{
    const CMString text = LabelText(labelCode);
    if (text.IsEmpty())
        return;
    const CMFontConfig& font = m_settings.labelFont;
    const CMPoint at = LabelPoint(measure);
    const double width = surface->DrawText(at.x, at.y, text, font, AlignLeft);
    if (IsLetterLabel(labelCode)) {
        const double centre = at.x + width / 2;
        surface->DrawRectangle(centre - font.height / 2, at.y, centre + font.height / 2,
                               at.y + 1.1 * font.height, -1, font.colour.Pack(), 1);
    }
}

void CMMusicDC::DrawCodaSign(int measure)
{
    // As tall as the chords' capitals, to be found from the jump; level with the label and
    // clear of the staff below.
    const double height = m_settings.labelFont.height;
    const CMPoint at = LabelPoint(measure);
    const CMFontConfig font = FixedFont(kMusicFontName, 2.5 * height);
    surface->DrawText(at.x - 0.03, at.y + 0.45 * height - MusicGlyph::kCodaMiddle * font.height,
                      CMString(MusicGlyph::kCoda), font, AlignRight);
}

void CMMusicDC::DrawChord(int measure, const CMMusicChord& chord, int slot, int page, int colour,
                          int degreeCode, double firstMeasureStartX)
{
    const CMStaffPosition position = CMStaffPosition::OfMeasure(measure);
    if (page >= 1 && position.page != page - 1)
        return;
    const double x = measure == 0
                         ? firstMeasureStartX + slot * kStaffWidth / 19
                         : PageOffset(position.page) +
                               (slot + kMeasuresPerLine * position.column) * kSlotWidth + 0.1;
    CMFontConfig font(m_settings.chordFont);
    if (colour >= 0)
        font.colour = CMColour(colour);
    CMMusicChord styled(chord);
    styled.chordStyle = m_settings.chordStyle;
    DrawChordSymbol(styled, *surface, x, position.StaffTop() - 0.35, font, degreeCode);
}

CMPoint CMMusicDC::DrawNote(int measure, double xInMeasure, int position, char glyph)
{
    const double top = CMStaffPosition::OfMeasure(measure).StaffTop();
    const double x = NoteX(measure, xInMeasure);
    const auto ledger = [&](double y) { surface->DrawLine(x - 0.02, y, x + 0.115, y, kBlack, 1); };
    if (position <= 0)
        for (int even = 0; even >= position; even -= 2)
            ledger(top + (5 - even / 2) * kStaffLineGap);
    if (position >= 12)
        for (int k = 1; k <= (position - 10) / 2; ++k)
            ledger(top - k * kStaffLineGap);
    const CMPoint point(x, top + 0.095 - position * 0.035);
    surface->DrawText(point.x, point.y, CMString(glyph), FixedFont(kMusicFontName, 0.3), AlignLeft);
    return point;
}

void CMMusicDC::DrawRest(int measure, double xInMeasure, int durationCode)
{
    const double top = CMStaffPosition::OfMeasure(measure).StaffTop();
    surface->DrawText(NoteX(measure, xInMeasure), top - 0.0565,
                      CMString(MusicGlyph::Rest(durationCode)), FixedFont(kMusicFontName, 0.35),
                      AlignLeft);
}

void CMMusicDC::DrawCodaJump(int measure)
{
    if (measure == 0)
        return;
    const CMStaffPosition position = CMStaffPosition::OfMeasure(measure).ClosingPosition();
    const CMFontConfig& label = m_settings.labelFont;
    // Between the chords and the staff, ending clear of a label at the bar line.
    const double right = MeasureX(position) - 0.12;
    const double y = position.StaffTop() - 1.05 * label.height;
    const CMFontConfig coda = FixedFont(kMusicFontName, 1.5 * label.height);
    const double sign =
        surface->DrawText(right, y + 0.55 * label.height - MusicGlyph::kCodaMiddle * coda.height,
                          CMString(MusicGlyph::kCoda), coda, AlignRight);
    surface->DrawText(right - sign - 0.03, y, "to", label, AlignRight);
}
