// How long a performance takes: GenerateMidi of a 32-measure song played five times by the full
// band, and of songs of a hundred to a thousand measures, each written to a MIDI file. The file
// goes to /dev/shm when there is one, so that the disk's sync time does not hide the work.
#include "music/CMMusicSong.h"
#include "performance/CMMusicBand.h"
#include "performance/GenerateMidi.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const CMMusicBandList& Bands()
{
    static const CMMusicBandList bands = [] {
        CMMusicBandList list;
        list.BuildPresets();
        return list;
    }();
    return bands;
}

// A song of `measures` measures in eight-bar sections of a real tune's harmony.
CMMusicSong Song(int measures)
{
    static const char* const kBars[] = {"Cmaj7 / Am7 /", "Dm7 G7b9", "Em7b5 A7b9",  "Dm7 G7",
                                        "F#m7b5",        "B7#9",     "Em7 / A13 /", "Dm9 G7b13"};
    std::string source = "key { C }\nchord {\n";
    for (int m = 0; m < measures; ++m) {
        source += kBars[m % 8];
        source += m % 8 == 7 ? " ||\n" : " | ";
    }
    CMMusicSong song;
    CMString error;
    song.Compile(CMString(source + "}\n"), error);
    return song;
}

void Perform(benchmark::State& state, int measures, int choruses, const char* bandName,
             CMFeel feel = CMFeel::Strict)
{
    const CMMusicSong song = Song(measures);
    const CMMusicBand* band = Bands().FindBand(CMString(bandName));
    char path[] = "/dev/shm/zimbrel-bench-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) {
        std::snprintf(path, sizeof path, "/tmp/zimbrel-bench-XXXXXX");
        fd = mkstemp(path);
    }
    close(fd);
    std::uint32_t seed = 1;
    for (auto _ : state) {
        CMGenerateOptions options(seed++);
        options.feel = feel;
        const bool ok = GenerateMidi(song, band, path, 180, 0, 7, 1, 37, choruses, nullptr, true,
                                     true, options);
        benchmark::DoNotOptimize(ok);
    }
    std::remove(path);
    state.counters["measures"] = measures * choruses;
}

void BM_Generate32MeasuresFiveChoruses(benchmark::State& state)
{
    Perform(state, 32, 5, "Zimbrel Trio");
}
BENCHMARK(BM_Generate32MeasuresFiveChoruses)->Unit(benchmark::kMillisecond);

void BM_Generate32MeasuresFiveChorusesNatural(benchmark::State& state)
{
    Perform(state, 32, 5, "Zimbrel Trio", CMFeel::Natural);
}
BENCHMARK(BM_Generate32MeasuresFiveChorusesNatural)->Unit(benchmark::kMillisecond);

void BM_GenerateLongSong(benchmark::State& state)
{
    Perform(state, static_cast<int>(state.range(0)), 1, "Zimbrel Trio");
}
BENCHMARK(BM_GenerateLongSong)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_BuildPresets(benchmark::State& state)
{
    for (auto _ : state) {
        CMMusicBandList bands;
        bands.BuildPresets();
        benchmark::DoNotOptimize(bands.GetBands().size());
    }
}
BENCHMARK(BM_BuildPresets)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
