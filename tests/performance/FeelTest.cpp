// The two feels of a performance. Strict: every example song played by every band at a slow, a
// medium and a fast tempo with two seeds gives exactly the MIDI file of the reviewed golden list
// (its size and FNV-1a hash), written when the strict feel was the only one.
#include "music/CMMusicSong.h"
#include "performance/CMMusicBand.h"
#include "performance/GenerateMidi.h"
#include "tests/CompiledSongs.h"
#include "tests/FileContents.h"
#include "tests/PresetBands.h"
#include "tests/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

// One line of the golden list: song, band, tempo, seed, size and hash of the MIDI file.
std::string StrictLine(const ExampleSong& example, const CMMusicBand& band, int tempo,
                       std::uint32_t seed, const TempDir& dir)
{
    const std::string path = dir.Path("strict.midi");
    const bool ok = GenerateMidi(example.song, &band, path.c_str(), tempo, 0, 7, 1, 37, 2, nullptr,
                                 true, true, CMGenerateOptions(seed));
    const std::vector<std::uint8_t> bytes = FileBytes(path);
    char line[200];
    std::snprintf(line, sizeof line, "%s|%s|%d|%u|%d|%zu|%016llx\n", example.fileName.c_str(),
                  band.GetName().GetText(), tempo, seed, ok ? 1 : 0, bytes.size(),
                  static_cast<unsigned long long>(Fnv1a(bytes)));
    return line;
}

}  // namespace

// scripts/regenerate-golden.sh writes the list by setting ZIMBREL_WRITE_STRICT_GOLDEN to its path.
TEST(StrictFeel, EveryExampleSongBandTempoAndSeedAsBefore)
{
    const TempDir dir;
    std::string lines;
    std::uint32_t seed = 1;
    for (const ExampleSong& example : ExampleSongs())
        for (const auto& band : PresetBands().GetBands())
            for (const int tempo : {60, 140, 240})
                for (int take = 0; take < 2; ++take, seed = seed * 2654435761u + 12345u)
                    lines += StrictLine(example, *band, tempo, seed, dir);
    if (const char* path = std::getenv("ZIMBREL_WRITE_STRICT_GOLDEN")) {
        WriteFileContents(path, lines);
        return;
    }
    EXPECT_EQ(lines, FileContents(ZIMBREL_TEST_DATA "/performance/strict.golden"));
}
