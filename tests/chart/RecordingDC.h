// RecordingDC: a drawing surface for tests that keeps every primitive it is given, in the
// layout's own terms (inches, colours, fonts), and answers text widths by a fixed rule: half the
// font height for each byte. It lists the primitives one a line for golden files.
#pragma once

#include "chart/IMDC.h"

#include <string>
#include <vector>

struct RecordedPrimitive {
    enum Kind { Line, Text, Rectangle, Ellipse, Bitmap };
    explicit RecordedPrimitive(Kind kind_) : kind(kind_) {}

    Kind kind;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int fill = -1;     // colour of a line or a text; fill of a shape
    int outline = -1;  // outline of a shape
    double width = 0;  // pen width; for a text, the width answered
    std::string text;
    std::string font;   // typeface of a text
    double height = 0;  // font height of a text
    bool bold = false;
    bool italic = false;
    int alignment = 0;
    int bitmap = 0;
    bool centred = false;

    // One line of the listing.
    std::string Describe() const;
};

// Bytes in double quotes: printable ASCII as it is, every other byte as \xHH.
std::string QuotedBytes(const std::string& text);

class RecordingDC : public IMDC {
public:
    // The width a text takes here.
    static double TextWidth(const CMString& text, double height)
    {
        return 0.5 * height * text.GetLength();
    }

    int DrawLine(double x1, double y1, double x2, double y2, int colour, double width) override;
    double DrawText(double x, double y, const CMString& text, const CMFontConfig& font,
                    std::uint8_t alignment) override;
    int DrawRectangle(double x1, double y1, double x2, double y2, int fill, int line,
                      double width) override;
    int DrawEllipse(double x1, double y1, double x2, double y2, int fill, int line,
                    double width) override;
    int DrawBitmap(double x, double y, int bitmapId, bool centred) override;
    using IMDC::DrawRectangle;

    // The texts drawn, optionally only those in one typeface.
    std::vector<RecordedPrimitive> Texts(const std::string& font = std::string()) const;
    std::vector<RecordedPrimitive> OfKind(RecordedPrimitive::Kind kind) const;
    // Every primitive, one a line.
    std::string Listing() const;

    std::vector<RecordedPrimitive> primitives;
};
