// zimbrel-server under load, as a separate process: rounds of clients at once that each
// register, log in, upload three songs, list and download them. Reports requests answered per
// second and the server's peak memory: a hundred clients a round with cheap password hashes (the
// protocol and the database), and twenty with the real cost (where hashing, about 0.14 s a
// password, bounds log-ons and registrations).
// Also the cost of encoding and decoding a song list.
#include "net/CMZimbrelMessages.h"
#include "tests/server/LoadDriver.h"
#include "tests/server/ServerProcess.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace {

void ServerLoad(benchmark::State& state, bool fastHashing, int clients)
{
    std::string folder = (std::filesystem::temp_directory_path() / "zimbrel-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    // Every client comes from 127.0.0.1: lift the limit per address.
    std::vector<std::string> options = {"--quiet", "--max-per-address", "256"};
    if (fastHashing)
        options.push_back("--fast-password-hashing");
    long memory = -1;
    {
        ServerProcess server;
        if (!server.Start(ZIMBREL_SERVER_PROGRAM, folder + "/songs.sqlite", folder + "/log",
                          options)) {
            state.SkipWithError("the server did not start");
            return;
        }
        int round = 0;
        std::int64_t requests = 0;
        for (auto _ : state) {
            const LoadResult load =
                RunLoad(server.GetPort(), clients, 3, "r" + std::to_string(round++));
            if (!load.problems.empty()) {
                state.SkipWithError(load.problems.front().c_str());
                break;
            }
            requests += load.requests;
        }
        state.counters["requests"] =
            benchmark::Counter(static_cast<double>(requests), benchmark::Counter::kIsRate);
        memory = server.PeakMemoryKiB();
        server.Stop();
    }
    state.counters["server_peak_KiB"] = static_cast<double>(memory);
    std::filesystem::remove_all(folder);
}

void BM_ServerLoadFastHashing(benchmark::State& state)
{
    ServerLoad(state, true, 100);
}
BENCHMARK(BM_ServerLoadFastHashing)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ServerLoadInteractiveHashing(benchmark::State& state)
{
    ServerLoad(state, false, 20);
}
BENCHMARK(BM_ServerLoadInteractiveHashing)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// A DownloadOK of `state.range(0)` songs of 2 KiB: built, framed and decoded again.
void BM_SongListRoundTrip(benchmark::State& state)
{
    CMZimbrelSongList songs;
    for (int i = 0; i < state.range(0); ++i)
        songs.Add(std::make_unique<CMZimbrelSong>("Song" + std::to_string(i) + "@user",
                                                  std::string(2048, 'x'), "2026-12-06T12:00:00Z"));
    for (auto _ : state) {
        CFSerialData frame = BuildDownloadOK(songs).Serialize();
        CFSerialData payload = frame.ExtractFrame();
        CMZimbrelSongList decoded;
        std::uint8_t code = 0;
        payload.ReadByte(code);
        payload.ReadObject(decoded);
        benchmark::DoNotOptimize(decoded.GetCount());
    }
    state.SetBytesProcessed(state.iterations() * songs.GetSerialSize());
}
BENCHMARK(BM_SongListRoundTrip)->Arg(10)->Arg(100);

}  // namespace

BENCHMARK_MAIN();
