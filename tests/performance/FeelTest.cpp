// The two feels of a performance. Strict: every example song played by every band at a slow, a
// medium and a fast tempo with two seeds gives exactly the MIDI file of the reviewed golden list
// (its size and FNV-1a hash), written when the strict feel was the only one. Natural: the same
// seed gives the same file and the same listing as strict, and on a swing and a bossa example the
// music's figures (TrioFigures.h) reach what the natural feel is for.
#include "music/CMMusicSong.h"
#include "performance/CMMusicBand.h"
#include "performance/GenerateMidi.h"
#include "tests/CompiledSongs.h"
#include "tests/FileContents.h"
#include "tests/GoldenFile.h"
#include "tests/PresetBands.h"
#include "tests/TempDir.h"
#include "tools/TrioFigures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
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
    ExpectGoldenFile(lines, "performance/strict.golden");
}

namespace {

struct Take {
    std::vector<std::uint8_t> bytes;
    CMString listing;
    CMTrioFigures figures;
};

Take Perform(const CMMusicSong& song, const CMMusicBand& band, CMFeel feel, std::uint32_t seed,
             const TempDir& dir)
{
    const std::string path = dir.Path("take.midi");
    CMGenerateOptions options(seed);
    options.feel = feel;
    Take take;
    EXPECT_TRUE(GenerateMidi(song, &band, path.c_str(), 150, 0, 7, 1, 37, 2, &take.listing, true,
                             true, options));
    take.bytes = FileBytes(path);
    CMMidiSequence sequence;
    CMString error;
    EXPECT_TRUE(sequence.Load(path.c_str(), error)) << error.Str();
    // The music starts after the silent measure and the measure of count-in.
    take.figures = MeasureTrio(sequence, ChordsAsPlayed(song, 2, true, true, 0, 2 * 384), 2 * 384);
    return take;
}

}  // namespace

TEST(NaturalFeel, ReproducibleAndWithinItsGoalsOnASwingAndABossa)
{
    const TempDir dir;
    const struct {
        const char* song;
        const char* band;
    } cases[] = {{"Example.zimbrel", "Zimbrel Trio"}, {"SaltBreeze.zimbrel", "Brazilian Trio"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.song);
        const std::vector<ExampleSong> examples = ExampleSongs();
        const auto example =
            std::find_if(examples.begin(), examples.end(),
                         [&c](const ExampleSong& e) { return e.fileName == c.song; });
        ASSERT_NE(example, examples.end());
        const CMMusicBand& band = *PresetBands().FindBand(c.band);
        const Take strict = Perform(example->song, band, CMFeel::Strict, 11, dir);
        const Take natural = Perform(example->song, band, CMFeel::Natural, 11, dir);
        EXPECT_EQ(Perform(example->song, band, CMFeel::Natural, 11, dir).bytes, natural.bytes);
        EXPECT_NE(Perform(example->song, band, CMFeel::Natural, 12, dir).bytes, natural.bytes);
        EXPECT_NE(natural.bytes, strict.bytes);
        EXPECT_EQ(natural.listing, strict.listing);

        const CMTrioFigures& f = natural.figures;
        EXPECT_GT(f.topVoiceChanges, 20);
        EXPECT_LE(f.topVoiceMove, 3.0);
        EXPECT_LT(f.topVoiceLeaps, 0.10);
        EXPECT_GE(f.distinctVelocities, 30);
        EXPECT_GE(f.distinctDrumBars, 0.5);
        EXPECT_GE(f.pianoInScale, std::min(strict.figures.pianoInScale, 0.995));
        EXPECT_EQ(f.bassOnChordRoot, 1.0);
        // What the strict feel is known for, so that the figures above measure a change.
        EXPECT_GT(strict.figures.topVoiceMove, 2 * f.topVoiceMove);
        EXPECT_LE(strict.figures.distinctVelocities, 10);
    }
}
