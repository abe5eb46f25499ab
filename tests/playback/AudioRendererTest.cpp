// Audio export: the WAV file's header, length and sound, FLAC and Ogg Vorbis where libsndfile
// writes them, and the failures that keep an existing file.
#include "midi/playback/AudioRenderer.h"
#include "tests/FileContents.h"
#include "tests/Printers.h"
#include "tests/SmallDisk.h"
#include "tests/TempDir.h"
#include "tests/playback/ShortSongs.h"
#include "tests/playback/WaveFile.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

// libsndfile 1.2.0 leaves its Ogg Vorbis encoder's state allocated when a write fails, as on
// the full disk below: a leak of that library, not of ours, which LeakSanitizer is told of.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libvorbis.so\nleak:libogg.so\n";
}

namespace {

// Two bars of a trio: a ride pattern with the hi-hat on the drum channel, a walking bass and
// piano chords, at 120 a minute.
CMMidiSequence TrioBars()
{
    CMMidiFile file(96);
    CMMidiFileChunk& piano = file.AddTrack(0, 0, "Piano");
    CMMidiFileChunk& bass = file.AddTrack(1, 32, "Bass");
    CMMidiFileChunk& drums = file.AddTrack(9, 0, "Drums");
    for (std::uint32_t beat = 0; beat < 8; ++beat) {
        file.AddNote(beat * 96, 96, static_cast<std::uint8_t>(36 + 2 * beat), 90, &bass);
        file.AddNote(beat * 96, 64, 59, 80, &drums);
        if (beat % 2 == 1)
            file.AddNote(beat * 96, 48, 44, 70, &drums);
        if (beat % 4 == 0)
            for (const std::uint8_t key : {60, 64, 67, 71})
                file.AddNote(beat * 96 + 48, 144, key, 70, &piano);
    }
    file.MakeDeltaTimes();
    return SequenceOf(file, 120);
}

TEST(AudioRenderer, FormatsByExtension)
{
    EXPECT_EQ(AudioFormatOf("take.wav"), CMAudioFormat::Wav);
    EXPECT_EQ(AudioFormatOf("out/Take.WAV"), CMAudioFormat::Wav);
    EXPECT_EQ(AudioFormatOf("take.flac"), CMAudioFormat::Flac);
    EXPECT_EQ(AudioFormatOf("take.ogg"), CMAudioFormat::OggVorbis);
    EXPECT_EQ(AudioFormatOf("take.oga"), CMAudioFormat::OggVorbis);
    EXPECT_EQ(AudioFormatOf("take.mp3"), std::nullopt);
    EXPECT_EQ(AudioFormatOf(".wav"), std::nullopt);
    EXPECT_EQ(AudioFormatOf("wav"), std::nullopt);
    EXPECT_TRUE(CanWriteAudioFormat(CMAudioFormat::Wav));
}

TEST(AudioRenderer, WavFromTheFirstNoteWithTheChordRingingOut)
{
    TempDir dir;
    const std::string path = dir.Path("chord.wav");
    CMString error;
    std::vector<double> progress;
    CMAudioRenderOptions options;
    options.progress = [&progress](double fraction) { progress.push_back(fraction); };
    ASSERT_TRUE(RenderAudio(SequenceOf(ShortSong(), 240), TestSoundFont(), path.c_str(),
                            CMAudioFormat::Wav, error, options))
        << error.Str();
    const Wave wave = ReadWave(path);
    EXPECT_EQ(wave.channels, 2);
    EXPECT_EQ(wave.sampleRate, 44100);
    EXPECT_EQ(wave.bits, 16);
    // The silent half second is left out: the chord's 250 ms, then at most half a beat (125 ms)
    // of ringing out.
    const std::size_t frames = wave.samples.size() / 2;
    EXPECT_GE(frames, 250u * 44100 / 1000);
    EXPECT_LE(frames, 375u * 44100 / 1000 + 64);
    // It sounds from the start, and it fades to nothing at the end.
    EXPECT_GT(Loudest(wave, 0, 4410), 1000);
    EXPECT_LT(std::abs(static_cast<int>(wave.samples.back())), 200);
    ASSERT_FALSE(progress.empty());
    for (std::size_t i = 1; i < progress.size(); ++i)
        EXPECT_GE(progress[i], progress[i - 1]);
    EXPECT_LE(progress.back(), 1.0);
}

TEST(AudioRenderer, FlacAndOggVorbisWhereTheyCanBeWritten)
{
    TempDir dir;
    const struct {
        CMAudioFormat format;
        const char* name;
        const char* magic;
    } kinds[] = {{CMAudioFormat::Flac, "chord.flac", "fLaC"},
                 {CMAudioFormat::OggVorbis, "chord.ogg", "OggS"}};
    for (const auto& kind : kinds) {
        const std::string path = dir.Path(kind.name);
        CMString error;
        const bool rendered = RenderAudio(SequenceOf(ShortSong(), 240), TestSoundFont(),
                                          path.c_str(), kind.format, error);
        EXPECT_EQ(rendered, CanWriteAudioFormat(kind.format)) << error.Str();
        if (rendered) {
            EXPECT_EQ(FileContents(path).substr(0, 4), kind.magic);
        }
    }
}

TEST(AudioRenderer, FailuresKeepTheFileThatWasThere)
{
    TempDir dir;
    const std::string path = dir.Path("take.wav");
    std::ofstream(path) << "an earlier take";
    CMString error;
    EXPECT_FALSE(RenderAudio(SequenceOf(ShortSong(), 240), CMString(path), path.c_str(),
                             CMAudioFormat::Wav, error));
    EXPECT_EQ(error, CMString("'" + path + "' is not a SoundFont."));
    EXPECT_EQ(FileContents(path), "an earlier take");

    const std::string nowhere = dir.Path("missing/take.wav");
    EXPECT_FALSE(RenderAudio(SequenceOf(ShortSong(), 240), TestSoundFont(), nowhere.c_str(),
                             CMAudioFormat::Wav, error));
    EXPECT_EQ(error, CMString("Cannot write the audio file '" + nowhere +
                              "': No such file or directory."));

    // A full disk, in every format: the reason, not libsndfile's "Unspecified internal error".
    const SmallDisk disk;
    if (!disk.IsMounted())
        GTEST_SKIP() << "mounting a small disk needs root";
    const std::pair<const char*, CMAudioFormat> formats[] = {{"old.wav", CMAudioFormat::Wav},
                                                             {"old.flac", CMAudioFormat::Flac},
                                                             {"old.ogg", CMAudioFormat::OggVorbis}};
    for (const auto& [name, format] : formats)
        WriteFileContents(disk.Path(name), "an earlier take");
    disk.Fill();
    for (const auto& [name, format] : formats) {
        if (!CanWriteAudioFormat(format))
            continue;
        const std::string path = disk.Path(name);
        EXPECT_FALSE(RenderAudio(TrioBars(), TestSoundFont(), path.c_str(), format, error));
        EXPECT_EQ(error,
                  CMString("Cannot write the audio file '" + path + "': No space left on device."));
        EXPECT_EQ(FileContents(path), "an earlier take");
    }
}

}  // namespace

TEST(AudioRenderer, SynthesizersSideBySideSoundAsOne)
{
    TempDir dir;
    const CMMidiSequence trio = TrioBars();
    std::vector<Wave> waves;
    for (const int synthesizers : {1, 2, 3}) {
        const std::string path = dir.Path("trio" + std::to_string(synthesizers) + ".wav");
        CMAudioRenderOptions options;
        options.synthesizers = synthesizers;
        CMString error;
        ASSERT_TRUE(
            RenderAudio(trio, TestSoundFont(), path.c_str(), CMAudioFormat::Wav, error, options))
            << error.Str();
        waves.push_back(ReadWave(path));
    }
    ASSERT_GT(Loudest(waves[0], 0, waves[0].samples.size() / 2), 3000);
    for (std::size_t i = 1; i < waves.size(); ++i) {
        ASSERT_EQ(waves[i].samples.size(), waves[0].samples.size());
        int largestDifference = 0;
        for (std::size_t s = 0; s < waves[0].samples.size(); ++s)
            largestDifference =
                std::max(largestDifference, std::abs(waves[i].samples[s] - waves[0].samples[s]));
        EXPECT_LE(largestDifference, 2) << i + 1 << " synthesizers";  // rounding only
    }
}

TEST(AudioRenderer, EveryRenderOfAPerformanceGivesTheSameBytes)
{
    // The first synthesizers of a process once raced through FluidSynth's set-up, and those that
    // lost played every note five times too loud (in a few exports of a hundred on a busy
    // machine). Fresh processes, one after another, each render two channels on two
    // synthesizers as the first thing they do.
    constexpr int kTakes = 16;
    TempDir dir;
    CMMidiFile file(96);
    for (int channel = 0; channel < 2; ++channel) {
        CMMidiFileChunk& track = file.AddTrack(channel, static_cast<std::uint8_t>(8 * channel), "");
        file.AddNote(0, 192, static_cast<std::uint8_t>(48 + 3 * channel), 90, &track);
    }
    file.MakeDeltaTimes();
    const CMMidiSequence duo = SequenceOf(file, 120);
    const CMString soundFont = TestSoundFont();
    const auto path = [&dir](int take) { return dir.Path("take" + std::to_string(take) + ".wav"); };
    for (int take = 0; take < kTakes; ++take) {
        const pid_t child = fork();
        if (child == 0) {
            CMString error;
            CMAudioRenderOptions options;
            options.synthesizers = 2;
            _exit(
                RenderAudio(duo, soundFont, path(take).c_str(), CMAudioFormat::Wav, error, options)
                    ? 0
                    : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string first = FileContents(path(0));
    for (int take = 1; take < kTakes; ++take)
        EXPECT_TRUE(FileContents(path(take)) == first) << "take " << take << " differs";
}
