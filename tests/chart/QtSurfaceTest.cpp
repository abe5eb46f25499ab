// CMQtDC on offscreen images and a PDF writer: the transform to thousandths of an inch, pen
// widths, text measured in the font and zoom it is drawn in, alignment, the text cell's top,
// outline and fill rules, the binder-ring bitmap, and music signs standing where the layout
// expects them.
#include "chart/MusicFont.h"
#include "chart/SongDrawing.h"
#include "chart/qt/CMMusicFont.h"
#include "chart/qt/CMQtDC.h"
#include "chart/qt/TextBytes.h"

#include <QBuffer>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kDpi = 200;  // pixels to the inch of the test images

const CMFontConfig kArial("", "Font", "Arial", 0.25, false, false, 0);

QImage WhiteImage(double inchesWide, double inchesHigh)
{
    QImage image(qRound(inchesWide * kDpi), qRound(inchesHigh * kDpi), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool IsInk(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// The box round the dark pixels, in inches; empty when there are none.
QRectF Ink(const QImage& image)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsInk(image.pixel(x, y))) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < 0)
        return QRectF();
    return QRectF(left / kDpi, top / kDpi, (right - left + 1) / kDpi, (bottom - top + 1) / kDpi);
}

// Draws with a fresh surface on the image; answers what the drawing answered.
template <class Drawing>
auto DrawOn(QImage& image, double zoom, CMPoint origin, Drawing drawing)
{
    QPainter painter(&image);
    CMQtDC surface(painter, kDpi, zoom, false);
    surface.origin = origin;
    return drawing(surface);
}

// The ink of a drawing with a fresh surface on a white image of the given inches, the origin at
// its corner; `answered` takes what the drawing answered.
template <class Drawing>
QRectF InkOf(double wide, double high, Drawing drawing, double* answered = nullptr,
             double zoom = 1.0)
{
    QImage image = WhiteImage(wide, high);
    const double result = DrawOn(image, zoom, CMPoint(), drawing);
    if (answered)
        *answered = result;
    return Ink(image);
}

}  // namespace

TEST(QtSurface, LinesLandWhereTheInchesSay)
{
    QImage image = WhiteImage(3, 2);
    DrawOn(image, 1.0, CMPoint(0.5, 0.5), [](CMQtDC& surface) {
        // Thousandths of an inch, truncated toward zero.
        EXPECT_EQ(surface.DeviceX(0.0004), 500);
        EXPECT_EQ(surface.DeviceY(-0.5016), -1);
        return surface.DrawLine(0.5, 0.25, 1.5, 0.25, 0, 20);  // 0.1 inch wide
    });
    QRectF ink = Ink(image);
    EXPECT_NEAR(ink.left(), 1.0 - 0.05, 0.011);  // round caps reach half the width past the end
    EXPECT_NEAR(ink.right(), 2.0 + 0.05, 0.011);
    EXPECT_NEAR(ink.center().y(), 0.75, 0.006);
    EXPECT_NEAR(ink.height(), 0.1, 0.011);

    // At zoom 2 everything doubles, origin included.
    image = WhiteImage(5, 3);
    DrawOn(image, 2.0, CMPoint(0.5, 0.5),
           [](CMQtDC& surface) { return surface.DrawLine(0.5, 0.25, 1.5, 0.25, 0, 20); });
    ink = Ink(image);
    EXPECT_NEAR(ink.left(), 2.0 - 0.1, 0.011);
    EXPECT_NEAR(ink.center().y(), 1.5, 0.006);
    EXPECT_NEAR(ink.height(), 0.2, 0.011);
}

TEST(QtSurface, PenWidths)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(1200);
    QPainter vector(&writer);
    CMQtDC onPaper(vector, 1200, 1.0, true);
    EXPECT_EQ(onPaper.PenWidth(1), 5);  // 0.005 inch
    EXPECT_EQ(onPaper.PenWidth(2.5), 12);
    onPaper.zoom = 2;
    EXPECT_EQ(onPaper.PenWidth(1), 10);
    onPaper.zoom = 0.1;
    EXPECT_EQ(onPaper.PenWidth(1), 0);

    // On an image a line thinner than a pixel is one pixel wide.
    QImage image = WhiteImage(1, 1);
    QPainter raster(&image);
    CMQtDC onScreen(raster, kDpi, 1.0, false);
    EXPECT_EQ(onScreen.PenWidth(0.5), 0);  // 0.002 inch: less than a pixel at 200 dpi
    EXPECT_EQ(onScreen.PenWidth(1), 5);    // one pixel
    EXPECT_EQ(onScreen.PenWidth(2), 10);
}

TEST(QtSurface, TextWidthsAlignmentAndTheCellTop)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(250);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(font);
    const double expected = metrics.horizontalAdvance(QStringLiteral("Example")) / 1000;

    double widths[3] = {};
    QRectF inks[3];
    for (int alignment = 0; alignment < 3; ++alignment)
        inks[alignment] = InkOf(
            6, 1,
            [&](CMQtDC& surface) {
                return surface.DrawText(3, 0.25, "Example", kArial,
                                        static_cast<std::uint8_t>(alignment));
            },
            &widths[alignment]);
    EXPECT_NEAR(widths[0], expected, 1e-9);
    EXPECT_DOUBLE_EQ(widths[1], widths[0]);
    EXPECT_DOUBLE_EQ(widths[2], widths[0]);
    EXPECT_NEAR(inks[0].left(), 3.0, 0.03);        // starts at x
    EXPECT_NEAR(inks[1].center().x(), 3.0, 0.03);  // centred on x
    EXPECT_NEAR(inks[2].right(), 3.0, 0.03);       // ends at x
    // The cell's top at y: the capital's top lies the ascent less the cap height lower.
    EXPECT_NEAR(inks[0].top(), 0.25 + (metrics.ascent() - metrics.capHeight()) / 1000, 0.011);

    // At zoom 2 a 0.25 inch font is half an inch high, and the width answered stays in inches.
    double zoomed = 0;
    const QRectF ink = InkOf(
        10, 2,
        [](CMQtDC& surface) { return surface.DrawText(0.5, 0.25, "Example", kArial, AlignLeft); },
        &zoomed, 2.0);
    EXPECT_NEAR(zoomed, widths[0], 0.002);
    EXPECT_NEAR(ink.height(), 2 * inks[0].height(), 0.02);
}

TEST(QtSurface, OutlinesAndFills)
{
    QImage image = WhiteImage(2, 2);
    image.fill(QColor(128, 128, 128));
    DrawOn(image, 1.0, CMPoint(), [](CMQtDC& surface) {
        surface.DrawRectangle(0.2, 0.2, 0.8, 0.8, -1, 0, 1);                 // outline only
        surface.DrawRectangle(CMRect(1.1, 1.1, 1.9, 1.9), 0xFFFFFF, -1, 1);  // white box
        return surface.DrawEllipse(1.1, 0.2, 1.9, 0.8, 0xFF0000, -1, 1);     // red disc
    });
    const auto at = [&](double x, double y) {
        return image.pixel(qRound(x * kDpi), qRound(y * kDpi));
    };
    EXPECT_EQ(at(0.5, 0.5), QColor(128, 128, 128).rgb());  // hollow inside
    EXPECT_TRUE(IsInk(at(0.2, 0.5)));
    EXPECT_EQ(at(1.5, 1.5), QColor(Qt::white).rgb());
    EXPECT_EQ(at(1.1, 1.5), QColor(Qt::white).rgb());  // the border in the fill colour
    EXPECT_EQ(at(1.5, 0.5), QColor(Qt::red).rgb());
    EXPECT_EQ(at(1.12, 0.22), QColor(128, 128, 128).rgb());  // outside the ellipse
}

TEST(QtSurface, TheRingBitmapAtEightyPercentOfItsScreenSize)
{
    QImage image = WhiteImage(2, 1);
    const int drawn = DrawOn(image, 1.0, CMPoint(), [](CMQtDC& surface) {
        return surface.DrawBitmap(1.0, 0.2, kRingBitmap, true);
    });
    EXPECT_EQ(drawn, 1);
    const QRectF ink = Ink(image);
    // 82 x 24 pixels on a 96 dpi screen, at 80 %: 0.683 by 0.2 inch, centred on x, top at y.
    EXPECT_LE(ink.width(), 82 / 96.0 / 1.25 + 0.01);
    EXPECT_GE(ink.width(), 0.5);  // the ring, inside the picture's transparent margin
    EXPECT_NEAR(ink.center().x(), 1.0, 0.02);
    EXPECT_GE(ink.top(), 0.2 - 0.006);
    EXPECT_LE(ink.bottom(), 0.2 + 24 / 96.0 / 1.25 + 0.006);
    // Unknown pictures draw nothing.
    image = WhiteImage(2, 1);
    EXPECT_EQ(DrawOn(image, 1.0, CMPoint(),
                     [](CMQtDC& surface) { return surface.DrawBitmap(1.0, 0.2, 7, false); }),
              0);
    EXPECT_TRUE(Ink(image).isEmpty());
}

TEST(QtSurface, MusicSignsStandWhereTheLayoutPutsThem)
{
    ASSERT_TRUE(CMMusicFont::Instance().HasEmmentaler())
        << qPrintable(CMMusicFont::Instance().Warning());
    const CMFontConfig music("", "Font", kMusicFontName, 0.25, false, false, 0);
    const auto text = [](double x, double y, const CMString& what, const CMFontConfig& font) {
        return [=](CMQtDC& surface) { return surface.DrawText(x, y, what, font, AlignLeft); };
    };
    // A sharp for a pitch at y = 0.5 is drawn with its cell top 0.16 higher; it is centred on
    // the pitch. Key signatures space them 0.032 apart, heights alternating.
    QRectF ink = InkOf(1, 1, text(0.3, 0.5 - 0.16, MusicGlyph::kSharp, music));
    EXPECT_NEAR(ink.center().y(), 0.5, 0.01);
    EXPECT_NEAR(ink.left(), 0.3, 0.01);
    EXPECT_LE(ink.width(), 0.04);

    // The treble clef's curl is round the G line: 0.38 below a cell top at 0.55.
    const CMFontConfig clef("", "Font", kMusicFontName, 0.5, false, false, 0);
    double width = 0;
    ink = InkOf(1, 1.5, text(0.03, 0.55, MusicGlyph::kTrebleClef, clef), &width);
    EXPECT_LT(0.03 + width, 0.19);  // ends before the key signature
    EXPECT_GT(ink.bottom(), 1.0);   // reaches below the staff
    EXPECT_LT(ink.top(), 0.72);     // and above it

    // In a chord suffix the text and the signs chain: the answered width covers them all.
    const CMFontConfig small("", "Font", kMusicFontName, 0.25 * 2 / 3, false, false, 0);
    EXPECT_NEAR(InkOf(2, 1, text(0.2, 0.2, "m7 !5", small), &width).right(), 0.2 + width, 0.02);

    // A chord root's flat as a reader sees it at arm's length: about 60 % of the capital's
    // height, its top level with the capital's, right of the letter; as heavy as a text flat,
    // not a hairline. A sharp takes the same height and place.
    double letter = 0, flatWidth = 0;
    const QRectF capital = InkOf(1, 1, text(0.2, 0.3, "B", kArial), &letter);
    const QRectF flat =
        InkOf(1, 1, text(0.2 + letter, 0.3, CMString(MusicGlyph::LetterAccidental(-1)), music),
              &flatWidth);
    EXPECT_NEAR(flat.height() / capital.height(), 0.6, 0.06);
    EXPECT_NEAR(flat.top(), capital.top(), 0.01);
    EXPECT_GE(flat.left(), capital.right());
    EXPECT_GE(flat.width(), 0.3 * flat.height());
    EXPECT_GT(0.2 + letter + flatWidth, flat.right());  // the suffix starts after it
    const QRectF sharp =
        InkOf(1, 1, text(0.2, 0.3, CMString(MusicGlyph::LetterAccidental(1)), music));
    EXPECT_NEAR(sharp.height(), flat.height(), 0.01);
    EXPECT_NEAR(sharp.top(), capital.top(), 0.01);
}

TEST(QtSurface, FontsAskedForByNameAreTheLiberationFonts)
{
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"))).family(),
              QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Times New Roman"))).family(),
              QStringLiteral("Liberation Serif"));
}

TEST(QtSurface, TextBytesAreUtf8OrLatin1)
{
    EXPECT_EQ(TextFromBytes("Caf\xC3\xA9"), QStringLiteral("Caf\u00E9"));
    EXPECT_EQ(TextFromBytes("Caf\xE9"), QStringLiteral("Caf\u00E9"));  // not UTF-8: Latin-1
    EXPECT_EQ(TextFromBytes(""), QString());
}
