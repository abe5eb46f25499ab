// How long the chart takes to draw: the layout alone on a surface that draws nothing, one
// printed page into an image at 150 dpi, and a three-page PDF written to a file.
#include "chart/SongDrawing.h"
#include "chart/qt/CMQtDC.h"
#include "chart/qt/ChartExport.h"
#include "core/CMTextFile.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

CMMusicSong LoadSong(const char* path)
{
    CMTextFile file;
    CMMusicSong song;
    CMString error;
    if (file.Load(path) < 0 || !song.Compile(file.GetText(), error))
        std::fprintf(stderr, "cannot compile %s\n", path);
    return song;
}

// A chart of `measures` measures of the example's chords, with a melody and lyrics.
CMMusicSong GeneratedSong(int measures)
{
    static const char* const kBars[] = {"Cmaj7 / Am7 /", "Dm7 G7b9", "Em7b5 A7b9",  "Dm7 G7",
                                        "F#m7b5",        "B7#9",     "Em7 / A13 /", "Dm9 G7b13"};
    std::string chords, notes, lyrics;
    for (int m = 0; m < measures; ++m) {
        if (m % 8 == 0)
            chords += std::string(" label") + static_cast<char>('A' + (m / 8) % 26) + ":";
        chords += std::string(" ") + kBars[m % 8] + (m % 8 == 7 ? " ||" : " |");
        notes += " C5 E G Bb |";
        lyrics += " la / la / la / la |";
    }
    CMMusicSong song;
    CMString error;
    song.Compile(CMString("title { Generated } key { Eb } chord {" + chords + " } note {" + notes +
                          " } lyrics {" + lyrics + " }"),
                 error);
    return song;
}

class NullDC : public IMDC {
public:
    int DrawLine(double, double, double, double, int, double) override { return 1; }
    double DrawText(double, double, const CMString& text, const CMFontConfig& font,
                    std::uint8_t) override
    {
        return 0.5 * font.height * text.GetLength();
    }
    int DrawRectangle(double, double, double, double, int, int, double) override { return 1; }
    int DrawEllipse(double, double, double, double, int, int, double) override { return 1; }
    int DrawBitmap(double, double, int, bool) override { return 1; }
};

// A page's layout, in concert key or moved (chords, key and melody) for another instrument.
void LayoutOnly(benchmark::State& state)
{
    const CMMusicSong song = GeneratedSong(static_cast<int>(state.range(0)));
    const int transposition = static_cast<int>(state.range(1));
    const CMChartSettings chart("");  // the default fonts
    CMMusicDC renderer(std::make_unique<NullDC>(), chart);
    renderer.surface->printing = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Draw(song, renderer, transposition, true, true, false, 0, 1, kRingBitmap, false));
}
BENCHMARK(LayoutOnly)->Args({40, 0})->Args({40, 2})->Unit(benchmark::kMicrosecond);

void PageIntoImage(benchmark::State& state)
{
    const CMMusicSong song = LoadSong(ZIMBREL_SOURCE_DIR "/Data/Example.zimbrel");
    const CMChartSettings chart("");
    CMMusicDC renderer(nullptr, chart);
    QImage image(1275, 1650, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        auto surface = std::make_unique<CMQtDC>(painter, 150, 1.0, true);
        surface->origin = CMPoint(0.5, 0.5);
        renderer.surface = std::move(surface);
        Draw(song, renderer, 0, true, true, false, 0, 1, kRingBitmap, false);
        renderer.surface.reset();
    }
}
BENCHMARK(PageIntoImage)->Unit(benchmark::kMillisecond);

void ThreePagePdf(benchmark::State& state)
{
    const CMMusicSong song = GeneratedSong(100);
    const CMChartSettings chart("");
    CMMusicDC renderer(nullptr, chart);
    const std::string path =
        (std::filesystem::temp_directory_path() / "zimbrel-bench.pdf").string();
    CMChartExportOptions options;
    options.printNotice = false;
    QString error;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ExportChart(song, renderer, options, QString::fromStdString(path), error));
    std::filesystem::remove(path);
    state.counters["pages"] = CountChartPages(song, true, true);
}
BENCHMARK(ThreePagePdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
