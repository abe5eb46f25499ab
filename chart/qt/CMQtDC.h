// CMQtDC: the chart's drawing surface on a QPainter: a widget, a printer, a PDF writer, an image
// or an SVG generator. Inches become thousandths of an inch as on the original device
// (trunc((origin + x) * 1000 * zoom), y downward) and those become the device's units through the
// painter's transform, at any resolution. Pens are trunc(width * 5 * zoom) thousandths wide (at
// least one device pixel), fonts trunc(height * 1000 * zoom) thousandths high, and text is
// measured in the font and zoom it is drawn in. The music font goes through CMMusicFont.
// On an image or a widget a line is at least one pixel wide.
#pragma once

#include "chart/IMDC.h"

#include <QPainter>

class CMQtDC : public IMDC {
public:
    // Draws on `painter`, whose device has `dotsPerInch` units to the inch. Bitmaps take their
    // size from a screen of `screenDotsPerInch`. The painter's state is restored on destruction.
    CMQtDC(QPainter& painter, double dotsPerInch, double zoom_, bool printing_,
           double screenDotsPerInch = 96);
    ~CMQtDC() override;
    CMQtDC(const CMQtDC&) = delete;
    CMQtDC& operator=(const CMQtDC&) = delete;

    int DrawLine(double x1, double y1, double x2, double y2, int colour, double width) override;
    double DrawText(double x, double y, const CMString& text, const CMFontConfig& font,
                    std::uint8_t alignment) override;
    int DrawRectangle(double x1, double y1, double x2, double y2, int fill, int line,
                      double width) override;
    int DrawEllipse(double x1, double y1, double x2, double y2, int fill, int line,
                    double width) override;
    int DrawBitmap(double x, double y, int bitmapId, bool centred) override;
    using IMDC::DrawRectangle;

    // Device coordinates of the layout's inches, in thousandths of an inch.
    int DeviceX(double x) const;
    int DeviceY(double y) const;
    // The pen of a width in the layout's units, in thousandths of an inch (0: one device pixel,
    // for lines that would be thinner on an image or a widget).
    double PenWidth(double width) const;

private:
    QPen Pen(int colour, double width) const;
    // Takes the pen and brush of a shape (outline in `line`, or in `fill` when `line` is
    // negative; no fill when `fill` is negative) and answers its box in device coordinates.
    QRectF SetShapeStyle(double x1, double y1, double x2, double y2, int fill, int line,
                         double width);

    QPainter& m_painter;
    double m_dotsPerInch;
    double m_screenDotsPerInch;
    bool m_raster;  // the device is made of pixels
};
