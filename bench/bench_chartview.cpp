// How the desktop program's chart view keeps up, offscreen in a 1920 x 1080 window: a repaint
// of the chart from its page images, a repaint at a zoom not drawn before, opening a song (read,
// compile, initial update, first paint) in the running program, and a print preview of three
// pages laid out and shown.
#include "gui/CMainFrame.h"
#include "gui/CZimbrelView.h"
#include "gui/ChartPrinting.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSettings>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::string kExample = ZIMBREL_SOURCE_DIR "/Data/Example.zimbrel";

// A working folder of its own, the window shown and the example song open.
struct Program {
    Program()
    {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / "zimbrel-bench-chartview";
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        frame.resize(1920, 1080);
        frame.show();
        if (!QTest::qWaitForWindowExposed(&frame))
            std::fprintf(stderr, "the window was never shown\n");
        frame.OpenDocument(QString::fromStdString(kExample));
        QCoreApplication::processEvents();
    }
    CZimbrelView& View() { return *frame.ChartView(); }
    void Zoom(int percent)
    {
        frame.Controls().SetPosition(32771, percent);
        View().Model().OnCommand(32771);
    }

    CMainFrame frame;
};

Program& TheProgram()
{
    static Program program;
    return program;
}

void RepaintAtTrueSize(benchmark::State& state)
{
    Program& program = TheProgram();
    program.Zoom(100);
    program.View().viewport()->repaint();
    for (auto _ : state)
        program.View().viewport()->repaint();
}
BENCHMARK(RepaintAtTrueSize)->Unit(benchmark::kMillisecond);

void RepaintAfterZoomChange(benchmark::State& state)
{
    Program& program = TheProgram();
    int percent = 100;
    for (auto _ : state) {
        percent = percent == 100 ? 110 : 100;
        program.Zoom(percent);
        program.View().RepaintChart();  // as if this zoom had never been drawn
        program.View().viewport()->repaint();
    }
}
BENCHMARK(RepaintAfterZoomChange)->Unit(benchmark::kMillisecond);

void OpenSong(benchmark::State& state)
{
    Program& program = TheProgram();
    const QString song = QString::fromStdString(kExample);
    for (auto _ : state) {
        program.frame.OpenDocument(song);
        program.View().viewport()->repaint();
    }
}
BENCHMARK(OpenSong)->Unit(benchmark::kMillisecond);

void PrintPreviewOfThreePages(benchmark::State& state)
{
    Program& program = TheProgram();
    std::string chart = "title { Long }\nchord { labelA: ";
    for (int measure = 0; measure < 50; ++measure)
        chart += "Cmaj7 / Am7 / | Dm7 G7 | ";  // 100 measures
    const std::string path =
        (std::filesystem::temp_directory_path() / "zimbrel-bench-long.zimbrel").string();
    std::ofstream(path) << chart << "}\n";
    program.frame.OpenDocument(QString::fromStdString(path));
    CMChartViewModel& model = program.View().Model();
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setFullPage(true);
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                         [&model](QPrinter* shown) { CChartPrinter::PrintPages(*shown, model); });
        preview.resize(1200, 900);
        preview.setViewMode(QPrintPreviewWidget::AllPagesView);
        preview.show();
        preview.updatePreview();
        benchmark::DoNotOptimize(preview.grab());
        if (preview.pageCount() != 3)
            state.SkipWithError("the preview does not hold three pages");
    }
}
BENCHMARK(PrintPreviewOfThreePages)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The window's layout and recent documents go to a profile of the benchmark's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(
                           (std::filesystem::temp_directory_path() / "zimbrel-bench-profile")
                               .string()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
