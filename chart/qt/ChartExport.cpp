// Chart files: the page sizes, one surface per page, and the three kinds of file.
#include "chart/qt/ChartExport.h"

#include "chart/SongDrawing.h"
#include "chart/StaffPosition.h"
#include "chart/qt/CMQtDC.h"
#include "chart/qt/TextBytes.h"
#include "core/AtomicFile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// PDF coordinates are fine enough at 1200 units to the inch; SVG uses CSS pixels.
constexpr int kPdfResolution = 1200;
constexpr int kSvgResolution = 96;
// The view draws half an inch inside the sheet's top-left corner.
const CMPoint kMargin(0.5, 0.5);

QSizeF SheetInches(bool screen)
{
    using namespace ChartGeometry;
    return QSizeF(screen ? 2 * kPageWidth : kPageWidth, kPageHeight);
}

QString SongTitle(const CMMusicSong& song)
{
    if (!song.title.IsEmpty())
        return TextFromBytes(song.title.GetHead()->element->View());
    return TextFromBytes(song.GetFileTitle().View());
}

// The pages a file holds: 0 for the screen view, otherwise printed page numbers.
std::vector<int> PagesToDraw(const CMMusicSong& song, const CMChartExportOptions& options,
                             CMChartFormat format)
{
    if (options.screen)
        return {0};
    if (options.page > 0 || format != CMChartFormat::Pdf)
        return {options.page > 0 ? options.page : 1};
    std::vector<int> pages;
    const int count = CountChartPages(song, options.showIntro, options.showVerse);
    for (int page = 1; page <= count; ++page)
        pages.push_back(page);
    return pages;
}

bool WritePdf(QIODevice& device, const CMMusicSong& song, CMMusicDC& renderer,
              const CMChartExportOptions& options, const std::vector<int>& pages)
{
    QPdfWriter writer(&device);
    writer.setPageSize(options.screen ? QPageSize(SheetInches(true), QPageSize::Inch)
                                      : QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kPdfResolution);
    writer.setTitle(SongTitle(song));
    writer.setCreator(QStringLiteral("Zimbrel"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        DrawChartPage(painter, kPdfResolution, song, renderer, options, pages[i]);
    }
    return painter.end();
}

bool WritePng(QIODevice& device, const CMMusicSong& song, CMMusicDC& renderer,
              const CMChartExportOptions& options, int page)
{
    const QSizeF inches = SheetInches(options.screen);
    QImage image(qRound(inches.width() * options.dotsPerInch),
                 qRound(inches.height() * options.dotsPerInch), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(options.dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    DrawChartPage(painter, options.dotsPerInch, song, renderer, options, page);
    painter.end();
    return image.save(&device, "PNG");
}

bool WriteSvg(QIODevice& device, const CMMusicSong& song, CMMusicDC& renderer,
              const CMChartExportOptions& options, int page)
{
    const QSizeF inches = SheetInches(options.screen);
    const QSize size(qRound(inches.width() * kSvgResolution),
                     qRound(inches.height() * kSvgResolution));
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setResolution(kSvgResolution);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(SongTitle(song));
    generator.setDescription(QStringLiteral("Lead sheet drawn by Zimbrel"));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    DrawChartPage(painter, kSvgResolution, song, renderer, options, page);
    return painter.end();
}

}  // namespace

void DrawChartPage(QPainter& painter, double dotsPerInch, const CMMusicSong& song,
                   CMMusicDC& renderer, const CMChartExportOptions& options, int page)
{
    auto surface = std::make_unique<CMQtDC>(painter, dotsPerInch, 1.0, page > 0);
    surface->origin = kMargin;
    renderer.surface = std::move(surface);
    Draw(song, renderer, options.transposition, options.showIntro, options.showVerse,
         options.numerals, options.chordStyle, page, kRingBitmap, options.printNotice,
         options.tempo);
    renderer.surface.reset();
}

std::optional<CMChartFormat> ChartFormatOf(const QString& path)
{
    const QString lower = path.toLower();
    if (lower.endsWith(QLatin1String(".pdf")))
        return CMChartFormat::Pdf;
    if (lower.endsWith(QLatin1String(".png")))
        return CMChartFormat::Png;
    if (lower.endsWith(QLatin1String(".svg")))
        return CMChartFormat::Svg;
    return std::nullopt;
}

bool ExportChart(const CMMusicSong& song, CMMusicDC& renderer, const CMChartExportOptions& options,
                 const QString& path, QString& error)
{
    const std::optional<CMChartFormat> format = ChartFormatOf(path);
    if (!format) {
        error = QStringLiteral("the file name must end in .pdf, .png or .svg");
        return false;
    }
    // Drawn in memory, then written and synced through a temporary file: every write error
    // reaches us with its reason, and a failure leaves the old file as it was.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const std::vector<int> pages = PagesToDraw(song, options, *format);
    bool drawn = false;
    switch (*format) {
    case CMChartFormat::Pdf: drawn = WritePdf(buffer, song, renderer, options, pages); break;
    case CMChartFormat::Png:
        drawn = WritePng(buffer, song, renderer, options, pages.front());
        break;
    case CMChartFormat::Svg:
        drawn = WriteSvg(buffer, song, renderer, options, pages.front());
        break;
    }
    if (!drawn) {
        error = QStringLiteral("the drawing could not be made");
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    const std::string_view fileBytes(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (!WriteFileAtomically(name.constData(), fileBytes)) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}
