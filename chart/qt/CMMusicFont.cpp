// CMMusicFont: where each sign stands in a text cell of the music font, and the drawing of a run.
//
// The layout places every sign by its text cell: the treble clef 0.5 inch high with its cell top
// at 0.55 over a staff whose G line is at 0.93; a sharp 0.25 high with its cell top 0.16 above
// the pitch it stands for, a flat 0.2 above; a note 0.3 high 0.255 above its head's centre. The
// numbers below turn those placements into the share of the font size at which each sign's
// reference point (a clef's line, an accidental's pitch, a note head's centre, a rest's staff
// line) lies below the cell top, and the size of a staff space for the sign.
#include "chart/qt/CMMusicFont.h"

#include "chart/MusicFont.h"
#include "chart/qt/DrawnGlyphs.h"
#include "chart/qt/TextBytes.h"
#include "music/CMMusicChord.h"

#include <QFont>
#include <QFontMetricsF>

#include <cmath>

namespace {

// Plain characters stand on a baseline 0.857 of the size below the cell top: the suffix, drawn
// at two thirds of the chord's size a third of its size lower, then shares the baseline of a
// root letter in Arial (ascent 0.905).
constexpr double kTextBaseline = 0.857;
constexpr const char* kPlainTypeface = "Arial";

// Accidentals on their own (a key signature, a melody note): 0.25 high they take a staff space
// of 0.04 inch and are narrowed to 60 %, so that the accidentals of a key signature, 0.032
// apart, stand clear of each other. Sharps and naturals stand on their
// pitch 0.64 of the size below the cell top, flats 0.8, the double sharp 0.86.
constexpr double kAccidentalSpace = 0.2;
constexpr double kAccidentalNarrowing = 0.6;
// Accidentals among letters and figures (the "flat five" of a chord suffix) are set like
// figures: a flat as tall as a figure with its foot on the baseline, a sharp or natural centred
// on the figures' middle.
constexpr double kTextAccidentalSpace = 0.28;
constexpr double kFigureMiddle = kTextBaseline - 0.344;
// Accidentals beside a chord's letter, drawn at the letter's size with the same cell top: 60 %
// of the height of the letter's capitals, their top level with the capitals' top, and the
// double sharp, a small cross, round the middle of that span. A little more than the usual gap
// separates them from the suffix that follows.
constexpr double kLetterAccidentalShare = 0.6;
constexpr double kLetterAccidentalGap = 0.35;
// Emmentaler's signs are cut for the staff: at the size of a text's capitals their strokes look
// faint beside the letters. Accidentals that stand among text are widened and their strokes
// thickened (in staff spaces) to the weight of the letters around them, and so is the coda sign.
constexpr double kTextAccidentalWidening = 1.2;
constexpr double kTextAccidentalStroke = 0.1;
constexpr double kCodaStroke = 0.12;

// Notes and dots 0.3 high: a staff space of 0.065 inch, the head's centre 0.255 inch (0.85) below
// the cell top and 0.0475 inch (0.158) right of x, between the ends of the ledger lines. The dot
// stands a little above the head's centre.
constexpr double kNoteSpace = 0.2167;
constexpr double kNoteAnchor = 0.85;
constexpr double kNoteCentre = 0.158;
constexpr double kDotAnchor = 0.7167;
// Rests 0.35 high with the cell top 0.0565 above the staff: the middle line 0.5614 below it, the
// whole rest's line (one up) 0.3614; a staff space of 0.065 inch.
constexpr double kRestSpace = 0.1857;

// An Emmentaler glyph and the drawn shape that stands in for it.
struct Named {
    const char* name;
    CMGlyph drawn;
};

constexpr std::uint8_t Code(char c)
{
    return static_cast<std::uint8_t>(c);
}

// The outline with its strokes made thicker by `stroke`, half on each side.
QPainterPath Emboldened(const QPainterPath& outline, double stroke)
{
    QPainterPathStroker stroker;
    stroker.setWidth(stroke);
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    return outline.united(stroker.createStroke(outline)).simplified();
}

}  // namespace

const CMMusicFont& CMMusicFont::Instance()
{
    static const CMMusicFont font;
    return font;
}

CMMusicFont::CMMusicFont() : m_triangle(TriangleSymbol()), m_halfDiminished(HalfDiminishedSymbol())
{
    AddSigns();
}

QString CMMusicFont::Warning() const
{
    if (HasEmmentaler())
        return QString();
    return QStringLiteral("the music font Emmentaler (Debian package lilypond-fonts) was not "
                          "found in %1; clefs, notes and signs are drawn as simple shapes")
        .arg(m_emmentaler.Where());
}

QPainterPath CMMusicFont::Outline(const char* emmentalerName, CMGlyph drawn) const
{
    const QPainterPath outline = m_emmentaler.Outline(emmentalerName);
    return outline.isEmpty() ? DrawnGlyph(drawn) : outline;
}

QPainterPath CMMusicFont::Note(int durationCode) const
{
    if (durationCode == 0)
        return Outline("noteheads.s0", CMGlyph::WholeHead);
    QPainterPath note = durationCode == 1 ? Outline("noteheads.s1", CMGlyph::HalfHead)
                                          : Outline("noteheads.s2", CMGlyph::FilledHead);
    // The stem rises from the head's right side, three and a half staff spaces, longer for
    // each flag past the second.
    const double right = note.boundingRect().right();
    const double top = -3.5 - std::max(0, durationCode - 4) * 0.75;
    QPainterPath stem;
    stem.addRect(QRectF(QPointF(right - 0.13, top), QPointF(right, -0.2)));
    note = note.united(stem);
    static const Named kFlags[] = {{"flags.u3", CMGlyph::EighthFlag},
                                   {"flags.u4", CMGlyph::SixteenthFlag},
                                   {"flags.u5", CMGlyph::ThirtySecondFlag}};
    if (durationCode >= 3) {
        const Named& flag = kFlags[durationCode - 3];
        note = note.united(Outline(flag.name, flag.drawn).translated(right - 0.13, top));
    }
    return note;
}

void CMMusicFont::AddSigns()
{
    const auto add = [this](char code, const QPainterPath& outline, double staffSpace,
                            double anchor, double centre = -1) {
        m_signs[Code(code)] = Sign{outline, staffSpace, anchor, centre};
    };
    using G = CMGlyph;
    static const Named kRests[] = {{"rests.0", G::WholeRest},     {"rests.1", G::HalfRest},
                                   {"rests.2", G::QuarterRest},   {"rests.3", G::EighthRest},
                                   {"rests.4", G::SixteenthRest}, {"rests.5", G::ThirtySecondRest}};
    // Clefs: the treble clef's G line 0.76 of its size below the cell top, with a staff space of
    // 0.052 inch at 0.5 high, so that it ends before the key signature and below a section name
    // over the first measure; the bass clef's F line 0.343 below, 0.06 inch a staff space at 0.35
    // high.
    add('&', Outline("clefs.G", G::TrebleClef), 0.104, 0.76);
    add('?', Outline("clefs.F", G::BassClef), 0.1714, 0.3429);
    const QPainterPath flat = Outline("accidentals.flat", G::Flat);
    const QPainterPath doubleFlat = Outline("accidentals.flatflat", G::DoubleFlat);
    const QPainterPath natural = Outline("accidentals.natural", G::Natural);
    const QPainterPath sharp = Outline("accidentals.sharp", G::Sharp);
    const QPainterPath doubleSharp = Outline("accidentals.doublesharp", G::DoubleSharp);
    const QTransform narrow = QTransform::fromScale(kAccidentalNarrowing, 1);
    add('!', narrow.map(flat), kAccidentalSpace, 0.8);
    m_doubleFlat = Sign{narrow.map(doubleFlat), kAccidentalSpace, 0.8};
    add('=', narrow.map(natural), kAccidentalSpace, 0.64);
    add('#', narrow.map(sharp), kAccidentalSpace, 0.64);
    add('*', narrow.map(doubleSharp), kAccidentalSpace, 0.86);
    // Among text, from double flat to double sharp.
    std::array<QPainterPath, 5> amongText = {doubleFlat, flat, natural, sharp, doubleSharp};
    const QTransform widen = QTransform::fromScale(kTextAccidentalWidening, 1);
    for (QPainterPath& outline : amongText)
        outline = Emboldened(widen.map(outline), kTextAccidentalStroke);
    const double flatFoot =
        kTextBaseline - amongText[1].boundingRect().bottom() * kTextAccidentalSpace;
    m_textDoubleFlat = Sign{amongText[0], kTextAccidentalSpace, flatFoot};
    m_textAccidentals[Code('!')] = Sign{amongText[1], kTextAccidentalSpace, flatFoot};
    m_textAccidentals[Code('=')] = Sign{amongText[2], kTextAccidentalSpace, kFigureMiddle};
    m_textAccidentals[Code('#')] = Sign{amongText[3], kTextAccidentalSpace, kFigureMiddle};
    m_textAccidentals[Code('*')] = Sign{amongText[4], kTextAccidentalSpace, kFigureMiddle};
    AddLetterAccidentals(amongText);
    add('.', Outline("dots.dot", G::Dot), kNoteSpace, kDotAnchor);
    // The coda sign, its middle at the share of the size the layout places it by.
    add(MusicGlyph::kCoda, Emboldened(Outline("scripts.coda", G::Coda), kCodaStroke), 0.2,
        MusicGlyph::kCodaMiddle);
    for (int code = 0; code < MusicGlyph::kDurationCodes; ++code) {
        add(MusicGlyph::Note(code), Note(code), kNoteSpace, kNoteAnchor, kNoteCentre);
        add(MusicGlyph::Rest(code), Outline(kRests[code].name, kRests[code].drawn), kRestSpace,
            code == 0 ? 0.3614 : 0.5614);
    }
}

void CMMusicFont::AddLetterAccidentals(const std::array<QPainterPath, 5>& outlines)
{
    // Where the letters stand: the plain typeface's capitals below the same cell top.
    QFont font(QString::fromLatin1(kPlainTypeface));
    font.setPixelSize(1000);
    const QFontMetricsF metrics(font);
    const double capHeight = metrics.capHeight() / 1000;
    const double capTop = metrics.ascent() / 1000 - capHeight;
    const double span = kLetterAccidentalShare * capHeight;
    const double flatSpace = span / outlines[1].boundingRect().height();
    for (int alteration = -2; alteration <= 2; ++alteration) {
        const QPainterPath& outline = outlines[static_cast<std::size_t>(alteration + 2)];
        const QRectF box = outline.boundingRect();
        const bool cross = alteration == 2;
        // Flats share one size; sharps and naturals take the same height as a flat.
        const double space = cross || alteration < 0 ? flatSpace : span / box.height();
        const double anchor = cross ? capTop + span / 2 : capTop - box.top() * space;
        m_signs[Code(MusicGlyph::LetterAccidental(alteration))] =
            Sign{outline, space, anchor, -1, kLetterAccidentalGap};
    }
}

const CMMusicFont::Sign* CMMusicFont::SignAt(std::string_view text, std::size_t i,
                                             bool amongFigures, std::size_t& length) const
{
    length = 1;
    if (text.substr(i, 2) == MusicGlyph::kDoubleFlat) {
        length = 2;
        return amongFigures ? &m_textDoubleFlat : &m_doubleFlat;
    }
    const Sign& figure = m_textAccidentals[Code(text[i])];
    if (amongFigures && !figure.outline.isEmpty())
        return &figure;
    const Sign& sign = m_signs[Code(text[i])];
    return sign.outline.isEmpty() ? nullptr : &sign;
}

bool CMMusicFont::HasPlainText(std::string_view text) const
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t length = 1;
        if (!SignAt(text, i, false, length) && text[i] != kTriangleGlyph &&
            text[i] != kHalfDiminishedGlyph && text[i] != ' ')
            return true;
        i += length - 1;
    }
    return false;
}

double CMMusicFont::DrawSign(QPainter* painter, const Sign& sign, double x, double top, double size,
                             const QColor& colour) const
{
    const double unit = sign.staffSpace * size;
    const QRectF box = sign.outline.boundingRect();
    const double originX =
        sign.centre >= 0 ? x + sign.centre * size - box.center().x() * unit : x - box.left() * unit;
    if (painter) {
        QTransform place;
        place.translate(originX, top + sign.anchor * size);
        place.scale(unit, unit);
        painter->fillPath(place.map(sign.outline), colour);
    }
    return sign.centre >= 0 ? 2 * sign.centre * size : (box.width() + sign.gap) * unit;
}

double CMMusicFont::DrawPlain(QPainter* painter, const QString& text, double x, double top,
                              double size, const QColor& colour) const
{
    QFont font(QString::fromLatin1(kPlainTypeface));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setHintingPreference(QFont::PreferNoHinting);
    if (painter) {
        painter->setFont(font);
        painter->setPen(colour);
        painter->drawText(QPointF(x, top + kTextBaseline * size), text);
    }
    return QFontMetricsF(font).horizontalAdvance(text);
}

double CMMusicFont::DrawSuffixSymbol(QPainter* painter, const QPainterPath& symbol, double x,
                                     double top, double size, const QColor& colour) const
{
    if (painter) {
        QTransform place;
        place.translate(x, top + kTextBaseline * size);
        place.scale(size, size);
        painter->fillPath(place.map(symbol), colour);
    }
    return kSuffixSymbolAdvance * size;
}

double CMMusicFont::Draw(QPainter* painter, std::string_view text, double x, double top,
                         double size, const QColor& colour) const
{
    const bool amongFigures = HasPlainText(text);
    double width = 0;
    std::size_t plainStart = 0;
    const auto flushPlain = [&](std::size_t end) {
        if (end > plainStart)
            width += DrawPlain(painter, TextFromBytes(text.substr(plainStart, end - plainStart)),
                               x + width, top, size, colour);
    };
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        const Sign* sign = SignAt(text, i, amongFigures, length);
        const bool symbol = text[i] == kTriangleGlyph || text[i] == kHalfDiminishedGlyph;
        if (!sign && !symbol) {
            ++i;
            continue;
        }
        flushPlain(i);
        if (sign)
            width += DrawSign(painter, *sign, x + width, top, size, colour);
        else
            width +=
                DrawSuffixSymbol(painter, text[i] == kTriangleGlyph ? m_triangle : m_halfDiminished,
                                 x + width, top, size, colour);
        i += length;
        plainStart = i;
    }
    flushPlain(text.size());
    return width;
}
