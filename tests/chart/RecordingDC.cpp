// RecordingDC: keeping and listing the primitives.
#include "tests/chart/RecordingDC.h"

#include <cstdio>

namespace {

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", value);
    return text;
}

std::string Colour(int colour)
{
    if (colour < 0)
        return "none";
    char text[16];
    std::snprintf(text, sizeof text, "#%06X", colour);
    return text;
}

}  // namespace

std::string QuotedBytes(const std::string& text)
{
    std::string quoted = "\"";
    for (const unsigned char c : text) {
        if (c >= 32 && c < 127 && c != '\\' && c != '"') {
            quoted += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            quoted += escape;
        }
    }
    return quoted + "\"";
}

std::string RecordedPrimitive::Describe() const
{
    switch (kind) {
    case Line:
        return "line " + Number(x1) + " " + Number(y1) + " " + Number(x2) + " " + Number(y2) + " " +
               Colour(fill) + " " + Number(width);
    case Text:
        return "text " + Number(x1) + " " + Number(y1) + " align " + std::to_string(alignment) +
               " " + QuotedBytes(text) + " " + font + " " + Number(height) + (bold ? " bold" : "") +
               (italic ? " italic" : "") + " " + Colour(fill);
    case Rectangle:
    case Ellipse:
        return std::string(kind == Rectangle ? "rectangle " : "ellipse ") + Number(x1) + " " +
               Number(y1) + " " + Number(x2) + " " + Number(y2) + " fill " + Colour(fill) +
               " line " + Colour(outline) + " " + Number(width);
    case Bitmap:
        return "bitmap " + Number(x1) + " " + Number(y1) + " " + std::to_string(bitmap) +
               (centred ? " centred" : "");
    }
    return std::string();
}

int RecordingDC::DrawLine(double x1, double y1, double x2, double y2, int colour, double width)
{
    RecordedPrimitive line(RecordedPrimitive::Line);
    line.x1 = x1, line.y1 = y1, line.x2 = x2, line.y2 = y2, line.fill = colour;
    line.width = width;
    primitives.push_back(line);
    return 1;
}

double RecordingDC::DrawText(double x, double y, const CMString& text, const CMFontConfig& font,
                             std::uint8_t alignment)
{
    RecordedPrimitive entry(RecordedPrimitive::Text);
    entry.x1 = x, entry.y1 = y, entry.text = text.Str(), entry.font = font.name.Str();
    entry.height = font.height, entry.bold = font.bold, entry.italic = font.italic;
    entry.fill = font.colour.Pack(), entry.alignment = alignment;
    entry.width = TextWidth(text, font.height);
    primitives.push_back(entry);
    return entry.width;
}

int RecordingDC::DrawRectangle(double x1, double y1, double x2, double y2, int fill, int line,
                               double width)
{
    RecordedPrimitive shape(RecordedPrimitive::Rectangle);
    shape.x1 = x1, shape.y1 = y1, shape.x2 = x2, shape.y2 = y2;
    shape.fill = fill, shape.outline = line, shape.width = width;
    primitives.push_back(shape);
    return 1;
}

int RecordingDC::DrawEllipse(double x1, double y1, double x2, double y2, int fill, int line,
                             double width)
{
    DrawRectangle(x1, y1, x2, y2, fill, line, width);
    primitives.back().kind = RecordedPrimitive::Ellipse;
    return 1;
}

int RecordingDC::DrawBitmap(double x, double y, int bitmapId, bool centred)
{
    RecordedPrimitive bitmap(RecordedPrimitive::Bitmap);
    bitmap.x1 = x, bitmap.y1 = y, bitmap.bitmap = bitmapId, bitmap.centred = centred;
    primitives.push_back(bitmap);
    return 1;
}

std::vector<RecordedPrimitive> RecordingDC::Texts(const std::string& font) const
{
    std::vector<RecordedPrimitive> texts;
    for (const RecordedPrimitive& primitive : primitives)
        if (primitive.kind == RecordedPrimitive::Text && (font.empty() || primitive.font == font))
            texts.push_back(primitive);
    return texts;
}

std::vector<RecordedPrimitive> RecordingDC::OfKind(RecordedPrimitive::Kind kind) const
{
    std::vector<RecordedPrimitive> found;
    for (const RecordedPrimitive& primitive : primitives)
        if (primitive.kind == kind)
            found.push_back(primitive);
    return found;
}

std::string RecordingDC::Listing() const
{
    std::string listing;
    for (const RecordedPrimitive& primitive : primitives)
        listing += primitive.Describe() + "\n";
    return listing;
}
