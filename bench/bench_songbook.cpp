// How long a songbook takes: the example songs of Data/ taken in turn until the book holds 500
// songs (or the argument's count), every page drawn into one PDF written to a file.
#include "chart/qt/Songbook.h"
#include "core/CMTextFile.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<CMMusicSong> ExampleSongs()
{
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(ZIMBREL_SOURCE_DIR "/Data"))
        if (entry.path().extension() == ".zimbrel")
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    std::vector<CMMusicSong> songs;
    for (const auto& path : paths) {
        CMTextFile file;
        CMString error;
        songs.emplace_back();
        if (file.Load(path.c_str()) < 0 || !songs.back().Compile(file.GetText(), error))
            std::fprintf(stderr, "cannot compile %s\n", path.c_str());
        songs.back().path = path.c_str();
    }
    return songs;
}

void Songbook(benchmark::State& state)
{
    const std::vector<CMMusicSong> examples = ExampleSongs();
    std::vector<CMSongbookSong> book;
    for (int i = 0; i < state.range(0); ++i) {
        const CMMusicSong& song = examples[static_cast<std::size_t>(i) % examples.size()];
        book.push_back({&song, QString::fromUtf8(song.GetFileTitle().GetText()), 140});
    }
    const CMChartSettings chart("");
    CMMusicDC renderer(nullptr, chart);
    CMSongbookOptions options;
    options.chart.printNotice = false;
    const std::string path =
        (std::filesystem::temp_directory_path() / "zimbrel-bench-songbook.pdf").string();
    QString error;
    for (auto _ : state)
        if (!ExportSongbook(book, renderer, options, QString::fromStdString(path), error))
            state.SkipWithError(error.toUtf8().constData());
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
}
BENCHMARK(Songbook)->Arg(8)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(1);

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
