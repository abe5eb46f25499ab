// Chart files from songs: a PDF of every printed page (letter size, fonts embedded), one page as
// a PNG of the asked resolution or as an SVG, the screen view, and a file that cannot be written.
#include "chart/qt/ChartExport.h"
#include "chart/SongDrawing.h"
#include "tests/FileContents.h"
#include "tests/SmallDisk.h"
#include "tests/TempDir.h"
#include "tests/chart/ChartTestSupport.h"

#include <QFile>
#include <QImage>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace {

int Count(const std::string& text, const std::string& what)
{
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

bool Export(const CMMusicSong& song, const std::string& path,
            const CMChartExportOptions& options = CMChartExportOptions())
{
    CMMusicDC renderer(nullptr, DefaultChartSettings());
    QString error;
    const bool written = ExportChart(song, renderer, options, QString::fromStdString(path), error);
    EXPECT_TRUE(written) << path << ": " << error.toStdString();
    EXPECT_FALSE(renderer.surface);  // every page's surface is gone again
    return written;
}

}  // namespace

TEST(ChartExport, PdfHoldsEveryPrintedPage)
{
    TempDir dir;
    const CMMusicSong song = CompileSong("title { Long } " + MeasuresSource(90));
    ASSERT_EQ(CountChartPages(song, true, true), 3);
    ASSERT_TRUE(Export(song, dir.Path("long.pdf")));
    const std::string pdf = FileContents(dir.Path("long.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(Count(pdf, "/Type /Page\n") + Count(pdf, "/Type /Page "), 3);
    EXPECT_EQ(Count(pdf, "/MediaBox [0 0 612.000000 792.000000]"), 3);  // letter
    EXPECT_GE(Count(pdf, "/FontFile2"), 1);  // the text's fonts are embedded
    // The title in the document's details, in UTF-16.
    EXPECT_NE(pdf.find(std::string("/Title (\xFE\xFF\0L\0o\0n\0g)", 19)), std::string::npos);

    CMChartExportOptions second;
    second.page = 2;
    ASSERT_TRUE(Export(song, dir.Path("second.pdf"), second));
    EXPECT_EQ(Count(FileContents(dir.Path("second.pdf")), "/MediaBox"), 1);

    CMChartExportOptions screen;
    screen.screen = true;
    ASSERT_TRUE(Export(song, dir.Path("screen.pdf"), screen));
    EXPECT_EQ(Count(FileContents(dir.Path("screen.pdf")), "/MediaBox [0 0 1224.000000 792.000000]"),
              1);
}

TEST(ChartExport, PngAndSvgDrawOnePage)
{
    TempDir dir;
    const CMMusicSong song = CompileSong("key { Bb } " + MeasuresSource(8));
    CMChartExportOptions options;
    options.dotsPerInch = 100;
    ASSERT_TRUE(Export(song, dir.Path("page.PNG"), options));
    const QImage image(QString::fromStdString(dir.Path("page.PNG")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(850, 1100));
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 100, 0.5);
    EXPECT_EQ(image.pixel(5, 5), QColor(Qt::white).rgb());  // a white printed sheet
    EXPECT_LT(qGray(image.pixel(50, 122)), 128);            // the top staff line at 0.5 + 0.72

    options.screen = true;
    ASSERT_TRUE(Export(song, dir.Path("screen.png"), options));
    const QImage screen(QString::fromStdString(dir.Path("screen.png")));
    EXPECT_EQ(screen.size(), QSize(1700, 1100));
    EXPECT_EQ(screen.pixel(400, 1080), QColor(255, 255, 242).rgb());  // cream

    ASSERT_TRUE(Export(song, dir.Path("page.svg")));
    QSvgRenderer svg(QString::fromStdString(dir.Path("page.svg")));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 816, 1056));
    const std::string text = FileContents(dir.Path("page.svg"));
    EXPECT_NE(text.find(">Key = Bb<"), std::string::npos);
}

TEST(ChartExport, AFileThatCannotBeWrittenLeavesTheOldOne)
{
    TempDir dir;
    const CMMusicSong song = CompileSong(MeasuresSource(4));
    CMMusicDC renderer(nullptr, DefaultChartSettings());
    QString error;
    EXPECT_FALSE(ExportChart(song, renderer, CMChartExportOptions(),
                             QString::fromStdString(dir.Path("missing/folder/x.pdf")), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(ExportChart(song, renderer, CMChartExportOptions(),
                             QString::fromStdString(dir.Path("x.txt")), error));
    EXPECT_EQ(error, QStringLiteral("the file name must end in .pdf, .png or .svg"));

    // A directory in the way of the file: refused, and nothing else is touched.
    mkdir(dir.Path("taken.png").c_str(), 0755);
    EXPECT_FALSE(ExportChart(song, renderer, CMChartExportOptions(),
                             QString::fromStdString(dir.Path("taken.png")), error));
    struct stat status;
    EXPECT_EQ(stat(dir.Path("taken.png").c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
}

TEST(ChartExport, AFullDiskKeepsTheOldFileAndSaysWhy)
{
    const SmallDisk disk;
    if (!disk.IsMounted())
        GTEST_SKIP() << "mounting a small disk needs root";
    const CMMusicSong song = CompileSong(MeasuresSource(16));
    for (const char* name : {"old.pdf", "old.png", "old.svg"})
        WriteFileContents(disk.Path(name), "the chart that was there");
    disk.Fill();
    CMMusicDC renderer(nullptr, DefaultChartSettings());
    for (const char* name : {"old.pdf", "old.png", "old.svg"}) {
        QString error;
        EXPECT_FALSE(ExportChart(song, renderer, CMChartExportOptions(),
                                 QString::fromStdString(disk.Path(name)), error))
            << name;
        EXPECT_EQ(error.toStdString(), "No space left on device") << name;
        EXPECT_EQ(FileContents(disk.Path(name)), "the chart that was there");
    }
}
