// The binder ring: two holes and the ring between them, made once.
#include "chart/qt/RingBitmap.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kScale = 4;

QImage MakeRing()
{
    QImage image(kRingBitmapSize * kScale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(kScale, kScale);

    // The punched holes, one on each page.
    painter.setPen(QPen(QColor(120, 110, 95), 0.8));
    painter.setBrush(QColor(70, 66, 60));
    for (const double x : {13.0, 69.0})
        painter.drawEllipse(QPointF(x, 12), 4.2, 4.2);

    // The ring over the gutter, lit from above.
    QLinearGradient metal(0, 4, 0, 15);
    metal.setColorAt(0, QColor(236, 238, 242));
    metal.setColorAt(0.45, QColor(168, 172, 180));
    metal.setColorAt(1, QColor(96, 100, 108));
    QPainterPath ring(QPointF(13, 12));
    ring.cubicTo(QPointF(22, 1.5), QPointF(60, 1.5), QPointF(69, 12));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(60, 62, 68), 4.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(ring);
    painter.setPen(QPen(QBrush(metal), 3.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(ring);
    return image;
}

}  // namespace

const QImage& RingBitmap()
{
    static const QImage image = MakeRing();
    return image;
}
