// IMDC: the drawing surface the chart is laid out on, in inches: x to the right, y downward from
// the top-left corner of the page's printable area. Five primitives (line, text, rectangle,
// ellipse, bitmap); colours are packed 0xRRGGBB integers and a negative colour means "none".
// The surfaces (Qt painter, a recording one in the tests) scale by the zoom after adding the
// origin; the layout never sees a device.
#pragma once

#include "core/CMGeometry.h"
#include "core/CMString.h"
#include "settings/CMFontConfig.h"

#include <cstdint>

// Text alignment at the x given to DrawText.
enum CMTextAlignment : std::uint8_t { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };

class IMDC {
public:
    virtual ~IMDC() = default;

    // A solid line; width 1 is 0.005 inch at zoom 1.
    virtual int DrawLine(double x1, double y1, double x2, double y2, int colour, double width) = 0;
    // Text whose cell's top edge lies at y, in the font's typeface, height, weight, slant and
    // colour, starting at x, centred on it or ending at it. Answers the width in inches.
    virtual double DrawText(double x, double y, const CMString& text, const CMFontConfig& font,
                            std::uint8_t alignment) = 0;
    // Outlined in the line colour (the fill colour when the line colour is negative), filled
    // with the fill colour unless that is negative.
    virtual int DrawRectangle(double x1, double y1, double x2, double y2, int fill, int line,
                              double width) = 0;
    // The ellipse inside the box, with the rules of DrawRectangle.
    virtual int DrawEllipse(double x1, double y1, double x2, double y2, int fill, int line,
                            double width) = 0;
    // A picture by its identifier, its top edge at y, starting at x or centred on it; pictures
    // are drawn at 80 % of their size on a 96 dpi screen.
    virtual int DrawBitmap(double x, double y, int bitmapId, bool centred) = 0;

    // DrawRectangle with the corners of `rect`.
    int DrawRectangle(const CMRect& rect, int fill, int line, double width)
    {
        return DrawRectangle(rect.left, rect.top, rect.right, rect.bottom, fill, line, width);
    }

    double zoom = 1.0;  // 1.0 is true size
    CMPoint origin;     // inches added to every coordinate before scaling
    bool printing = false;
};
