// CMQtDC: the transform, pens and brushes, text in a typeface or the music font, and bitmaps.
#include "chart/qt/CMQtDC.h"

#include "chart/MusicFont.h"
#include "chart/SongDrawing.h"
#include "chart/qt/CMMusicFont.h"
#include "chart/qt/RingBitmap.h"
#include "chart/qt/TextBytes.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintEngine>

#include <cmath>

namespace {

QColor ColourOf(int packed)
{
    return QColor((packed >> 16) & 255, (packed >> 8) & 255, packed & 255);
}

QColor ColourOf(const CMColour& colour)
{
    return ColourOf(colour.Pack());
}

}  // namespace

CMQtDC::CMQtDC(QPainter& painter, double dotsPerInch, double zoom_, bool printing_,
               double screenDotsPerInch)
    : m_painter(painter), m_dotsPerInch(dotsPerInch), m_screenDotsPerInch(screenDotsPerInch),
      m_raster(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster)
{
    zoom = zoom_;
    printing = printing_;
    m_painter.save();
    m_painter.scale(dotsPerInch / 1000, dotsPerInch / 1000);
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                             QPainter::SmoothPixmapTransform);
}

CMQtDC::~CMQtDC()
{
    m_painter.restore();
}

int CMQtDC::DeviceX(double x) const
{
    return static_cast<int>(std::trunc((origin.x + x) * 1000 * zoom));
}

int CMQtDC::DeviceY(double y) const
{
    return static_cast<int>(std::trunc((origin.y + y) * 1000 * zoom));
}

double CMQtDC::PenWidth(double width) const
{
    const double thousandths = std::trunc(width * 5 * zoom);
    // On pixels a line is at least one pixel wide, as the original device drew it; a vector
    // drawing keeps the true width for whoever zooms in.
    if (m_raster && thousandths * m_dotsPerInch / 1000 < 1)
        return 0;
    return thousandths;
}

QPen CMQtDC::Pen(int colour, double width) const
{
    QPen pen(ColourOf(colour), PenWidth(width), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(pen.widthF() == 0);  // one device pixel
    return pen;
}

int CMQtDC::DrawLine(double x1, double y1, double x2, double y2, int colour, double width)
{
    m_painter.setPen(Pen(colour, width));
    m_painter.drawLine(QPointF(DeviceX(x1), DeviceY(y1)), QPointF(DeviceX(x2), DeviceY(y2)));
    return 1;
}

double CMQtDC::DrawText(double x, double y, const CMString& text, const CMFontConfig& font,
                        std::uint8_t alignment)
{
    const double size = std::trunc(font.height * 1000 * zoom);
    if (size < 1)
        return 0;
    const QColor colour = ColourOf(font.colour);
    const bool music = font.name == kMusicFontName;
    const QString plain = music ? QString() : TextFromBytes(text.View());
    QFont typeface(QString::fromUtf8(font.name.GetText()));
    typeface.setPixelSize(static_cast<int>(size));
    typeface.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    typeface.setItalic(font.italic != 0);
    typeface.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(typeface);

    const double advance =
        music ? CMMusicFont::Instance().Draw(nullptr, text.View(), 0, 0, size, colour)
              : metrics.horizontalAdvance(plain);
    const double width = advance / 1000 / zoom;
    if (alignment == AlignCentre)
        x -= width * 0.5;
    else if (alignment == AlignRight)
        x -= width;
    // The text cell's top edge lies at y.
    if (music) {
        CMMusicFont::Instance().Draw(&m_painter, text.View(), DeviceX(x), DeviceY(y), size, colour);
    } else {
        m_painter.setFont(typeface);
        m_painter.setPen(colour);
        m_painter.drawText(QPointF(DeviceX(x), DeviceY(y) + metrics.ascent()), plain);
    }
    return width;
}

QRectF CMQtDC::SetShapeStyle(double x1, double y1, double x2, double y2, int fill, int line,
                             double width)
{
    m_painter.setPen(Pen(line >= 0 ? line : fill, width));
    m_painter.setBrush(fill >= 0 ? QBrush(ColourOf(fill)) : QBrush(Qt::NoBrush));
    return QRectF(QPointF(DeviceX(x1), DeviceY(y1)), QPointF(DeviceX(x2), DeviceY(y2)))
        .normalized();
}

int CMQtDC::DrawRectangle(double x1, double y1, double x2, double y2, int fill, int line,
                          double width)
{
    m_painter.drawRect(SetShapeStyle(x1, y1, x2, y2, fill, line, width));
    return 1;
}

int CMQtDC::DrawEllipse(double x1, double y1, double x2, double y2, int fill, int line,
                        double width)
{
    m_painter.drawEllipse(SetShapeStyle(x1, y1, x2, y2, fill, line, width));
    return 1;
}

int CMQtDC::DrawBitmap(double x, double y, int bitmapId, bool centred)
{
    if (bitmapId != kRingBitmap)
        return 0;
    const QImage& image = RingBitmap();
    // 80 % of the picture's size on the screen.
    const double width = kRingBitmapSize.width() / m_screenDotsPerInch / 1.25;
    const double height = kRingBitmapSize.height() / m_screenDotsPerInch / 1.25;
    const QRectF target(std::trunc(1000 * (origin.x + x - (centred ? width * 0.5 : 0)) * zoom),
                        DeviceY(y), std::trunc(width * 1000 * zoom),
                        std::trunc(height * 1000 * zoom));
    m_painter.drawImage(target, image);
    return 1;
}
