// CMMusicDC: the drawing steps of the lead sheet, with the layout's measures in inches.
#include "chart/CMMusicDC.h"

#include "chart/ChordSymbolDrawing.h"
#include "chart/MusicFont.h"
#include "music/LabelCodes.h"

#include <algorithm>
#include <cstdlib>

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
    switch (code) {
    case LabelIntro: return "Intro";
    case LabelVerse: return "Verse";
    case LabelTheme: return "Theme";
    case LabelSecondTheme: return "Second Theme";
    case LabelInterlude: return "Interlude";
    case LabelEnding: return "Coda";
    default: break;
    }
    CMString letter;
    if (IsLetterLabel(code))
        letter.Format("%c", code + 50);
    return letter;
}

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
    case CMBarSign::EndingBracket:
        DrawBarLine(x, y, 0);
        DrawBarLine(position.column == 0 ? x + 0.03 : x - 0.03, y, 0);
        if (sign == CMBarSign::EndingBracket) {
            surface->DrawLine(x, y, x + 0.075, y - 0.4, kBlack, 2);
            surface->DrawLine(x + 0.075, y - 0.4, x + 1.5, y - 0.4, kBlack, 2);
            surface->DrawLine(x + 1.5, y - 0.4, x + 1.35, y - 0.45, kBlack, 2);
        }
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

void CMMusicDC::DrawTitle(const CMString& text)
{
    surface->DrawText(kStaffWidth / 2, -0.5 * m_settings.titleFont.height, text,
                      m_settings.titleFont, AlignCentre);
}

void CMMusicDC::DrawTitleLines(const CMStringList& lines)
{
    CMFontConfig font(m_settings.titleFont);
    if (lines.GetCount() >= 2)
        font.height = m_settings.titleFont.height * 1.5 / lines.GetCount();
    int k = 0;
    for (const CMString* line : lines)
        surface->DrawText(kStaffWidth / 2, k++ * font.height - 0.5 * m_settings.titleFont.height,
                          *line, font, AlignCentre);
}

void CMMusicDC::DrawCredits(const CMString& composer, const CMString& lyricist)
{
    if (!composer.IsEmpty())
        surface->DrawText(kStaffWidth, -m_settings.authorFont.height,
                          CMString("Music by ") + composer, m_settings.authorFont, AlignRight);
    if (!lyricist.IsEmpty())
        surface->DrawText(kStaffWidth, 0, CMString("Words by ") + lyricist, m_settings.authorFont,
                          AlignRight);
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

void CMMusicDC::DrawLabel(int measure, int labelCode)
{
    const CMString text = LabelText(labelCode);
    if (text.IsEmpty())
        return;
    const CMStaffPosition position = CMStaffPosition::OfMeasure(measure);
    const double height = m_settings.labelFont.height;
    const double x = MeasureX(position) - 0.1;
    const double y = position.line + 0.69 - height;
    const double width = surface->DrawText(x, y, text, m_settings.labelFont, AlignLeft);
    if (IsLetterLabel(labelCode)) {
        const double centre = x + width / 2;
        surface->DrawRectangle(centre - height / 2, y, centre + height / 2, y + 1.1 * height, -1,
                               m_settings.labelFont.colour.Pack(), 1);
    }
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
    const double x = MeasureX(position) - 0.1;
    const double y = position.StaffTop() + 0.25;
    surface->DrawText(x - 0.01, y, "to", m_settings.labelFont, AlignRight);
    const CMFontConfig coda = FixedFont(kMusicFontName, 2 * m_settings.labelFont.height);
    surface->DrawText(x, y - 2 * m_settings.labelFont.height / 3, CMString(MusicGlyph::kCoda), coda,
                      AlignLeft);
}
