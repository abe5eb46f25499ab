// Drawing the songbook: page numbering decided first (the contents must know where each song
// starts), then the pages in order on one PDF writer into memory, written atomically at the end.
#include "chart/qt/Songbook.h"

#include "chart/SongDrawing.h"
#include "chart/qt/CMQtDC.h"
#include "core/AtomicFile.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr int kPdfResolution = 1200;
constexpr int kContentsLinesPerPage = 30;
constexpr double kContentsTop = 0.9;
constexpr double kContentsLineHeight = 0.3;
constexpr double kFootY = 10.1;  // the page number, below the tenth staff line
const CMPoint kMargin(0.5, 0.5);
constexpr double kWidth = 7.5;  // of the drawn area
constexpr double kDotStep = 0.12;
constexpr double kNumberColumn = 0.5;  // room for a page number of four figures

CMString Bytes(const QString& text)
{
    return CMString(text.toUtf8().constData());
}

CMFontConfig Scaled(const CMFontConfig& font, double factor)
{
    CMFontConfig scaled(font);
    scaled.height *= factor;
    return scaled;
}

// A surface for a page of the book, half an inch inside the sheet. One at a time: a surface
// scales the painter until it is destroyed.
std::unique_ptr<IMDC> PageSurface(QPainter& painter)
{
    auto surface = std::make_unique<CMQtDC>(painter, kPdfResolution, 1.0, true);
    surface->origin = kMargin;
    return surface;
}

// The book's page number at the foot of the page.
void PageNumber(QPainter& painter, CMMusicDC& renderer, int number)
{
    CMString text;
    text.Format("%d", number);
    PageSurface(painter)->DrawText(kWidth / 2, kFootY, text, renderer.Settings().authorFont,
                                   AlignCentre);
}

void TitlePage(QPainter& painter, CMMusicDC& renderer, const CMSongbookOptions& options,
               std::size_t songCount)
{
    const std::unique_ptr<IMDC> surface = PageSurface(painter);
    const CMChartSettings& settings = renderer.Settings();
    const CMFontConfig title = Scaled(settings.titleFont, 2.0);
    surface->DrawText(kWidth / 2, 3.0, Bytes(options.title), title, AlignCentre);
    const CMFontConfig credits = Scaled(settings.authorFont, 1.6);
    double y = 3.2 + title.height;
    if (!options.edition.isEmpty()) {
        surface->DrawText(kWidth / 2, y, Bytes(options.edition), credits, AlignCentre);
        y += credits.height * 1.6;
    }
    CMString count;
    count.Format("%zu song%s", songCount, songCount == 1 ? "" : "s");
    surface->DrawText(kWidth / 2, y, count, credits, AlignCentre);
}

// A page of the contents: each song's title, a row of dots and the page it starts on.
void ContentsPage(QPainter& painter, CMMusicDC& renderer, const std::vector<CMSongbookSong>& songs,
                  const std::vector<int>& firstPages, std::size_t page)
{
    const CMChartSettings& settings = renderer.Settings();
    const CMFontConfig entry = Scaled(settings.authorFont, 1.3);
    const std::unique_ptr<IMDC> surface = PageSurface(painter);
    if (page == 0)
        surface->DrawText(0, 0, "Contents", settings.titleFont, AlignLeft);
    const std::size_t first = page * kContentsLinesPerPage;
    for (std::size_t i = first; i < std::min(songs.size(), first + kContentsLinesPerPage); ++i) {
        const double y = kContentsTop + static_cast<double>(i - first) * kContentsLineHeight;
        const double titleWidth = surface->DrawText(0, y, Bytes(songs[i].title), entry, AlignLeft);
        CMString number;
        number.Format("%d", firstPages[i]);
        surface->DrawText(kWidth, y, number, entry, AlignRight);
        // Dots from after the title to a column before the widest page number, on a grid so
        // that rows line up.
        for (double x = std::ceil((titleWidth + 0.15) / kDotStep) * kDotStep;
             x < kWidth - kNumberColumn; x += kDotStep)
            surface->DrawText(x, y, ".", entry, AlignLeft);
    }
}

void ContentsPages(QPainter& painter, QPdfWriter& writer, CMMusicDC& renderer,
                   const std::vector<CMSongbookSong>& songs, const std::vector<int>& firstPages)
{
    const std::size_t pages = static_cast<std::size_t>(SongbookFrontPages(songs.size())) - 1;
    for (std::size_t page = 0; page < pages; ++page) {
        writer.newPage();
        ContentsPage(painter, renderer, songs, firstPages, page);
        PageNumber(painter, renderer, static_cast<int>(page) + 2);
    }
}

}  // namespace

int SongbookFrontPages(std::size_t songCount)
{
    const std::size_t contents = (songCount + kContentsLinesPerPage - 1) / kContentsLinesPerPage;
    return 1 + static_cast<int>(std::max<std::size_t>(contents, 1));
}

bool ExportSongbook(const std::vector<CMSongbookSong>& songs, CMMusicDC& renderer,
                    const CMSongbookOptions& options, const QString& path, QString& error,
                    const std::function<bool(std::size_t, std::size_t)>& progress)
{
    // Where each song starts, counted before anything is drawn.
    std::vector<int> firstPages, pageCounts;
    int next = SongbookFrontPages(songs.size()) + 1;
    for (const CMSongbookSong& entry : songs) {
        firstPages.push_back(next);
        pageCounts.push_back(
            CountChartPages(*entry.song, options.chart.showIntro, options.chart.showVerse));
        next += pageCounts.back();
    }

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(kPdfResolution);
        writer.setTitle(options.title);
        writer.setCreator(QStringLiteral("Zimbrel"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = QStringLiteral("the PDF could not be started");
            return false;
        }
        TitlePage(painter, renderer, options, songs.size());
        PageNumber(painter, renderer, 1);
        ContentsPages(painter, writer, renderer, songs, firstPages);
        for (std::size_t i = 0; i < songs.size(); ++i) {
            CMChartExportOptions chart = options.chart;
            chart.tempo = songs[i].tempo;
            for (int p = 1; p <= pageCounts[i]; ++p) {
                writer.newPage();
                DrawChartPage(painter, kPdfResolution, *songs[i].song, renderer, chart, p);
                PageNumber(painter, renderer, firstPages[i] + p - 1);
            }
            if (progress && !progress(i + 1, songs.size())) {
                painter.end();
                error = QStringLiteral("stopped");
                return false;
            }
        }
        if (!painter.end()) {
            error = QStringLiteral("the drawing could not be finished");
            return false;
        }
    }
    const QByteArray& bytes = buffer.data();
    if (!WriteFileAtomically(
            path.toLocal8Bit().constData(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}
