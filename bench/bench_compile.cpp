// How long a song takes to compile: the example song, a 32-measure chart and a generated song of
// a thousand measures.
#include "core/CMTextFile.h"
#include "music/CMMusicSong.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A chart of `measures` measures in sections of eight, with the chord symbols of a real tune.
std::string GeneratedSong(int measures)
{
    static const char* const kBars[] = {"Cmaj7 / Am7 /", "Dm7 G7b9", "Em7b5 A7b9",  "Dm7 G7",
                                        "F#m7b5",        "B7#9",     "Em7 / A13 /", "Dm9 G7b13"};
    std::string source = "title { Generated }\nkey { C }\nmisc { tempo = 180; }\nchord {\n";
    for (int m = 0; m < measures; ++m) {
        if (m % 8 == 0)
            source += "  label" + std::string(1, static_cast<char>('A' + (m / 8) % 26)) + ": ";
        source += kBars[m % 8];
        source += m % 8 == 7 ? " ||\n" : " | ";
    }
    return source + "}\n";
}

void Compile(benchmark::State& state, const CMString& source)
{
    CMMusicSong song;
    CMString error;
    if (!song.Compile(source, error)) {
        state.SkipWithError(error.GetText());
        return;
    }
    for (auto _ : state) {
        const bool ok = song.Compile(source, error);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * source.GetLength());
}

void BM_CompileExampleSong(benchmark::State& state)
{
    CMTextFile file;
    file.Load(ZIMBREL_SOURCE_DIR "/Data/Example.zimbrel");
    Compile(state, file.GetText());
}
BENCHMARK(BM_CompileExampleSong);

void BM_CompileGenerated(benchmark::State& state)
{
    Compile(state, CMString(GeneratedSong(static_cast<int>(state.range(0)))));
}
BENCHMARK(BM_CompileGenerated)->Arg(32)->Arg(100)->Arg(300)->Arg(1000)->Arg(3000);

}  // namespace

BENCHMARK_MAIN();
