// Drawn outlines: strokes of a pen turned into filled outlines, in staff spaces.
#include "chart/qt/DrawnGlyphs.h"

#include <QPainterPathStroker>
#include <QPolygonF>

namespace {

// The outline of a stroke of the given width along a path.
QPainterPath Stroke(const QPainterPath& path, double width, Qt::PenCapStyle cap = Qt::FlatCap)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path).simplified();
}

QPainterPath Line(QPointF from, QPointF to, double width, Qt::PenCapStyle cap = Qt::FlatCap)
{
    QPainterPath path(from);
    path.lineTo(to);
    return Stroke(path, width, cap);
}

QPainterPath Disc(QPointF centre, double radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// A note head: an ellipse tilted up to the right, 1.3 staff spaces wide, its centre at (0.65, 0).
QPainterPath Head(double width, bool hollow)
{
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), width / 2, 0.47);
    QTransform tilt;
    tilt.translate(width / 2, 0);
    tilt.rotate(-20);
    head = tilt.map(head);
    if (hollow) {
        QPainterPath hole;
        hole.addEllipse(QPointF(0, 0), width / 2 - 0.2, 0.22);
        head = head.subtracted(tilt.map(hole));
    }
    return head;
}

// Flags hang down to the right of the stem's top, at the origin.
QPainterPath Flags(int count)
{
    QPainterPath flags;
    for (int k = 0; k < count; ++k) {
        QPainterPath flag(QPointF(0, k * 0.75));
        flag.cubicTo(QPointF(0.2, k * 0.75 + 0.9), QPointF(1.2, k * 0.75 + 1.1),
                     QPointF(0.8, k * 0.75 + 2.4));
        flags.addPath(Stroke(flag, 0.22, Qt::RoundCap));
    }
    return flags.simplified();
}

QPainterPath SharpSign()
{
    QPainterPath sign = Line({0.3, -1.4}, {0.3, 1.3}, 0.12);
    sign.addPath(Line({0.75, -1.3}, {0.75, 1.4}, 0.12));
    sign.addPath(Line({0, -0.25}, {1.05, -0.55}, 0.32));
    sign.addPath(Line({0, 0.55}, {1.05, 0.25}, 0.32));
    return sign.simplified();
}

QPainterPath FlatSign(double left)
{
    QPainterPath belly(QPointF(left, 0.45));
    belly.cubicTo(QPointF(left + 1.1, -0.1), QPointF(left + 0.9, -0.9), QPointF(left, -0.25));
    QPainterPath sign = Stroke(belly, 0.18, Qt::RoundCap);
    sign.addPath(Line({left, -1.9}, {left, 0.5}, 0.14));
    return sign.simplified();
}

QPainterPath NaturalSign()
{
    QPainterPath sign = Line({0, -1.5}, {0, 0.6}, 0.14);
    sign.addPath(Line({0.65, -0.6}, {0.65, 1.5}, 0.14));
    sign.addPath(Line({0, -0.3}, {0.65, -0.55}, 0.3));
    sign.addPath(Line({0, 0.55}, {0.65, 0.3}, 0.3));
    return sign.simplified();
}

QPainterPath TrebleClefSign()
{
    // The spiral round the G line, the long stem with its top curl, and the foot.
    QPainterPath spiral(QPointF(1.1, 0.25));
    spiral.cubicTo(QPointF(1.1, -0.6), QPointF(0.1, -0.5), QPointF(0.2, 0.3));
    spiral.cubicTo(QPointF(0.3, 1.1), QPointF(2.2, 1.2), QPointF(2.1, 0.0));
    spiral.cubicTo(QPointF(2.0, -1.3), QPointF(0.0, -1.4), QPointF(0.4, -2.6));
    spiral.cubicTo(QPointF(0.7, -3.5), QPointF(1.5, -4.3), QPointF(1.4, -3.2));
    spiral.cubicTo(QPointF(1.3, -2.2), QPointF(1.0, 1.0), QPointF(1.2, 2.3));
    QPainterPath sign = Stroke(spiral, 0.2, Qt::RoundCap);
    sign.addPath(Disc({0.8, 2.3}, 0.32));
    return sign.simplified();
}

QPainterPath BassClefSign()
{
    QPainterPath curve(QPointF(0.25, -0.1));
    curve.cubicTo(QPointF(0.2, -1.3), QPointF(2.3, -1.3), QPointF(2.2, 0.2));
    curve.cubicTo(QPointF(2.1, 1.4), QPointF(1.0, 2.2), QPointF(0.0, 2.8));
    QPainterPath sign = Stroke(curve, 0.28, Qt::RoundCap);
    sign.addPath(Disc({0.35, -0.05}, 0.33));
    sign.addPath(Disc({2.65, -0.5}, 0.17));
    sign.addPath(Disc({2.65, 0.5}, 0.17));
    return sign.simplified();
}

QPainterPath CodaSign()
{
    QPainterPath ring;
    ring.addEllipse(QPointF(0, 0), 0.75, 1.0);
    QPainterPath sign = Stroke(ring, 0.18);
    sign.addPath(Line({-1.2, 0}, {1.2, 0}, 0.14));
    sign.addPath(Line({0, -1.4}, {0, 1.4}, 0.14));
    return sign.simplified();
}

QPainterPath Rest(int dots)
{
    // A flag with a dot for each beat division, leaning down to the left.
    QPainterPath rest;
    for (int k = 0; k < dots; ++k) {
        const double y = -0.5 + k * 0.9;
        rest.addPath(Disc({0.3 + k * 0.15, y}, 0.22));
        QPainterPath hook(QPointF(0.3 + k * 0.15, y + 0.15));
        hook.quadTo(QPointF(0.8 + k * 0.15, y + 0.3), QPointF(1.1 + k * 0.15, y - 0.4));
        rest.addPath(Stroke(hook, 0.12, Qt::RoundCap));
    }
    rest.addPath(Line({1.1 + (dots - 1) * 0.15, -0.9}, {0.45, 0.6 + (dots - 1) * 0.9}, 0.13));
    return rest.simplified();
}

QPainterPath QuarterRestSign()
{
    QPainterPath zigzag(QPointF(0.35, -1.5));
    zigzag.lineTo(0.85, -0.8);
    zigzag.lineTo(0.35, -0.25);
    zigzag.lineTo(0.9, 0.55);
    zigzag.quadTo(QPointF(0.1, 0.3), QPointF(0.55, 1.3));
    return Stroke(zigzag, 0.26, Qt::RoundCap);
}

QPainterPath Block(double top, double bottom)
{
    QPainterPath block;
    block.addRect(QRectF(QPointF(0, top), QPointF(1.25, bottom)));
    return block;
}

}  // namespace

QPainterPath DrawnGlyph(CMGlyph glyph)
{
    switch (glyph) {
    case CMGlyph::TrebleClef: return TrebleClefSign();
    case CMGlyph::BassClef: return BassClefSign();
    case CMGlyph::Flat: return FlatSign(0);
    case CMGlyph::DoubleFlat: {
        QPainterPath sign = FlatSign(0);
        sign.addPath(FlatSign(0.8));
        return sign.simplified();
    }
    case CMGlyph::Natural: return NaturalSign();
    case CMGlyph::Sharp: return SharpSign();
    case CMGlyph::DoubleSharp: {
        QPainterPath sign = Line({-0.45, -0.45}, {0.45, 0.45}, 0.2);
        sign.addPath(Line({-0.45, 0.45}, {0.45, -0.45}, 0.2));
        return sign.simplified().translated(0.5, 0);
    }
    case CMGlyph::Dot: return Disc({0.22, 0}, 0.22);
    case CMGlyph::Coda: return CodaSign();
    case CMGlyph::WholeHead: return Head(1.9, true);
    case CMGlyph::HalfHead: return Head(1.3, true);
    case CMGlyph::FilledHead: return Head(1.3, false);
    case CMGlyph::EighthFlag: return Flags(1);
    case CMGlyph::SixteenthFlag: return Flags(2);
    case CMGlyph::ThirtySecondFlag: return Flags(3);
    case CMGlyph::WholeRest: return Block(0, 0.55);  // hangs from its line
    case CMGlyph::HalfRest: return Block(-0.55, 0);  // sits on its line
    case CMGlyph::QuarterRest: return QuarterRestSign();
    case CMGlyph::EighthRest: return Rest(1);
    case CMGlyph::SixteenthRest: return Rest(2);
    case CMGlyph::ThirtySecondRest: return Rest(3);
    }
    return QPainterPath();
}

QPainterPath TriangleSymbol()
{
    // Upright, a little under the height of a capital, on the baseline.
    const QPolygonF triangle(
        {QPointF(0.06, 0), QPointF(0.62, 0), QPointF(0.34, -0.56), QPointF(0.06, 0)});
    QPainterPath path;
    path.addPolygon(triangle);
    return Stroke(path, 0.07);
}

QPainterPath HalfDiminishedSymbol()
{
    // A raised circle with a stroke through it.
    QPainterPath circle;
    circle.addEllipse(QPointF(0.34, -0.42), 0.21, 0.21);
    QPainterPath symbol = Stroke(circle, 0.07);
    symbol.addPath(Line({0.06, -0.1}, {0.62, -0.74}, 0.07));
    return symbol.simplified();
}
