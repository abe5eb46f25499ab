// Settings: loading ./Zimbrel.ini, and saving every value (the application settings and the
// chart's fonts) with one replacement of the file against one replacement per value.
#include "settings/CMChartSettings.h"
#include "settings/CMZimbrelIni.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

// A scratch folder as the working directory while a benchmark runs.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zimbrel-bench-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_path);
    }
    ~ScratchFolder()
    {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_path);
    }

private:
    std::string m_path;
    std::filesystem::path m_previous;
};

void SaveWithOneWrite(benchmark::State& state)
{
    ScratchFolder folder;
    const CMZimbrelIni settings;
    const CMChartSettings chart("Zimbrel.ini");
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.Save());
        benchmark::DoNotOptimize(chart.Save());
    }
}
BENCHMARK(SaveWithOneWrite)->Unit(benchmark::kMicrosecond);

void SaveValueByValue(benchmark::State& state)
{
    ScratchFolder folder;
    const CMZimbrelIni settings;
    const CMChartSettings chart("Zimbrel.ini");
    CMIniFile file("Zimbrel.ini");
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.SaveTo(file));
        benchmark::DoNotOptimize(chart.SaveTo(file));
    }
}
BENCHMARK(SaveValueByValue)->Unit(benchmark::kMillisecond);

void Load(benchmark::State& state)
{
    ScratchFolder folder;
    CMZimbrelIni().Save();
    CMChartSettings("Zimbrel.ini").Save();
    for (auto _ : state) {
        CMZimbrelIni settings;
        settings.Load();
        CMChartSettings chart("Zimbrel.ini");
        chart.Load();
        benchmark::DoNotOptimize(settings.zoom + chart.titleFont.height);
    }
}
BENCHMARK(Load)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
