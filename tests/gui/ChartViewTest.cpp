// The chart view as a user meets it, offscreen: a song opened and painted, repainted at another
// zoom and transposition; the source editor marking an error and keeping the bytes; printing
// into a PDF file; a song read again when another program writes it; and the MusicXML score and
// the songbook written through their file dialogs, the book while the window goes on; and an iReal
// link dropped on the window.
#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CEditSourceDlg.h"
#include "gui/CMainFrame.h"
#include "gui/COutputWnd.h"
#include "gui/CSourceEdit.h"
#include "gui/CZimbrelView.h"
#include "gui/ChartPrinting.h"
#include "tests/FileContents.h"
#include "tests/gui/WindowTest.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace C = CommandId;

namespace {

class ChartViewWindow : public InFreshFolder {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(InFreshFolder::SetUp());
        std::filesystem::copy_file(ZIMBREL_SOURCE_DIR "/Data/Example.zimbrel",
                                   "Data/Example.zimbrel");
        frame.resize(1100, 800);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }

    QImage Chart() { return frame.ChartView()->viewport()->grab().toImage(); }

    CMainFrame frame;
};

// Pages of a PDF file, as its page objects count them.
int PdfPages(const std::string& path)
{
    const std::string pdf = FileContents(path);
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        pages += pdf.compare(at, 12, "/Type /Pages") != 0;
    return pages;
}

}  // namespace

TEST_F(ChartViewWindow, PaintsTheSongAndPaintsItAgainAtAnotherZoomAndKey)
{
    const QImage empty = Chart();
    ASSERT_TRUE(frame.OpenDocument(QString::fromStdString(Path("Data/Example.zimbrel"))));
    EXPECT_EQ(frame.windowTitle(), "Example[*] - Zimbrel");
    const QImage opened = Chart();
    EXPECT_NE(opened, empty);

    CMChartViewModel& model = frame.ChartView()->Model();
    const double zoom = model.GetZoom();
    QTest::keyClick(frame.ChartView(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(model.GetZoom(), zoom);
    const QImage zoomed = Chart();
    EXPECT_NE(zoomed, opened);

    frame.Controls().SetPosition(C::TransposeSlider, 3);
    frame.Actions().Execute(C::TransposeSlider);
    EXPECT_NE(Chart(), zoomed);
}

TEST(SourceEditor, MarksTheErrorAndKeepsTheSongsOwnBytes)
{
    CEditSourceDlg dialog(QByteArray("title { Caf\xe9 }\n\nchord { C | x }\n"));
    EXPECT_EQ(dialog.Editor()->ErrorLine(), 3);
    dialog.Editor()->setPlainText(dialog.Editor()->toPlainText().replace("x", "G7"));
    dialog.CheckNow();
    EXPECT_EQ(dialog.Editor()->ErrorLine(), 0);
    // A song that is not UTF-8 comes back in its own bytes.
    EXPECT_EQ(dialog.Bytes(), QByteArray("title { Caf\xe9 }\n\nchord { C | G7 }\n"));
}

TEST_F(ChartViewWindow, PrintsEveryPageIntoAPdfFile)
{
    std::string chart = "title { Long }\nchord { labelA: ";
    for (int measure = 0; measure < 100; ++measure)
        chart += "C | ";
    WriteFileContents("Data/Long.zimbrel", chart + "}\n");
    ASSERT_TRUE(frame.OpenDocument(QString::fromStdString(Path("Data/Long.zimbrel"))));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Path("long.pdf")));
    printer.setFullPage(true);
    ASSERT_TRUE(CChartPrinter::PrintPages(printer, frame.ChartView()->Model()));
    EXPECT_EQ(PdfPages(Path("long.pdf")), 3);
}

TEST_F(ChartViewWindow, ReadsTheSongAgainWhenAnotherProgramWritesIt)
{
    const std::string song = Path("Data/Example.zimbrel");
    ASSERT_TRUE(frame.OpenDocument(QString::fromStdString(song)));
    // As editors save: a new file renamed over the old one.
    WriteFileContents(song + ".new", "title { Changed }\nchord { F | Bb | }\n");
    ASSERT_EQ(std::rename((song + ".new").c_str(), song.c_str()), 0);
    EXPECT_TRUE(QTest::qWaitFor(
        [this] {
            return frame.Document().GetSource() == "title { Changed }\nchord { F | Bb | }\n";
        },
        2000));
    EXPECT_FALSE(frame.isWindowModified());
    // The watch goes on with the new file.
    WriteFileContents(song, "chord { G | }\n");
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return frame.Document().GetSource() == "chord { G | }\n"; }, 2000));
}

namespace {

// Answers the next file dialog with `path`.
void AnswerFileDialog(const std::string& path)
{
    AnswerNextModal<QFileDialog>([path](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(&dialog, "accept");
    });
}

QString LastOutputLine(CMainFrame& frame)
{
    const QAbstractItemModel* output = frame.OutputWindow()->OutputList()->model();
    return output->index(output->rowCount() - 1, 0).data().toString();
}

}  // namespace

TEST_F(ChartViewWindow, ExportsTheScoreAndTheSongbookOfData)
{
    std::filesystem::copy_file(ZIMBREL_SOURCE_DIR "/Data/WinterLamp.zimbrel",
                               "Data/WinterLamp.zimbrel");
    ASSERT_TRUE(frame.OpenDocument(QString::fromStdString(Path("Data/Example.zimbrel"))));
    frame.Actions().Execute(C::BbKey);
    AnswerFileDialog(Path("example.musicxml"));
    frame.Actions().Execute(C::FileExportMusicXml);
    EXPECT_EQ(LastOutputLine(frame), QString::fromStdString("The score (Lead Sheet in B\u266D) has "
                                                            "been written to '" +
                                                            Path("example.musicxml") + "'"));
    EXPECT_NE(FileContents(Path("example.musicxml")).find("<score-partwise version=\"4.0\">"),
              std::string::npos);

    AnswerFileDialog(Path("Gig Book.pdf"));
    frame.Actions().Execute(C::FileExportSongbook);
    // Drawn on a worker: the command returns at once and the result comes later.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return LastOutputLine(frame).startsWith("The songbook of 2 songs"); }, 20000))
        << LastOutputLine(frame).toStdString();
    EXPECT_EQ(PdfPages(Path("Gig Book.pdf")), 4);  // title, contents, two songs
}

TEST_F(ChartViewWindow, ADroppedLinkIsImportedIntoDataAndOpened)
{
    QMimeData data;
    data.setText(QString::fromStdString(FileContents(ZIMBREL_TEST_DATA "/ireal/link.txt")));
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: the application hands a drop on only while a drag is under way.
    static_cast<QObject&>(frame).event(&drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(QTest::qWaitFor([this] { return frame.windowTitle().startsWith("Open Road"); }));
    EXPECT_EQ(frame.Document().GetPath().Str(), Path("Data/Open Road.zimbrel"));
}
