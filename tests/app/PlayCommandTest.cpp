// The play command through a recording shell and the recording player: toggling, the MIDI file
// beside the song, the listing, the wait cursor and every message; and the audio export of a song:
// not silent, and the paths and performances it refuses.
#include "app/PlayCommand.h"
#include "app/AudioExport.h"
#include "app/CMSongDocument.h"
#include "midi/playback/CMMCI.h"
#include "tests/PresetBands.h"
#include "tests/Printers.h"
#include "tests/TempDir.h"
#include "tests/playback/RecordingSequencer.h"
#include "tests/playback/WaveFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

namespace {

using Lines = std::vector<std::string>;

class RecordingShell : public IMPlayShell {
public:
    void WriteOutput(const CMString& text) override { output.push_back(text.Str()); }
    void WriteDebug(const CMString& text) override { debug.push_back(text.Str()); }
    void SetWaitCursor(bool on) override { cursor.push_back(on ? "wait" : "arrow"); }
    CMMCI& GetPlayer() override { return player; }

    std::shared_ptr<SequencerScript> script = std::make_shared<SequencerScript>();
    CMMCI player{std::make_unique<RecordingSequencer>(script)};
    Lines output, debug, cursor;
};

CMPlayRequest Request(int port = 0)
{
    CMPlayRequest request;
    request.band = PresetBands().FindBand("Zimbrel Trio");
    request.performance.tempo = 160;
    request.performance.seed = 7;
    request.port = port;
    return request;
}

bool Exists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

class PlayCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        songPath = dir.Path("blues.zimbrel");
        std::ofstream(songPath) << "title { Blues }\nmisc { precount = 1; }\n"
                                   "chord { F7 | Bb7 | F7 | F7 ||\n Bb7 | Bb7 | F7 | D7 ||\n"
                                   " Gm7 | C7 | F7 D7 | Gm7 C7 || }\n";
        CMString error;
        ASSERT_TRUE(document.Open(songPath.c_str(), error));
        ASSERT_TRUE(document.IsCompiled()) << document.GetMessage().Str();
        midiPath = songPath + ".midi";
    }

    TempDir dir;
    std::string songPath, midiPath;
    CMSongDocument document;
    RecordingShell shell;
};

TEST_F(PlayCommand, PlaysFromTheMidiFileBesideTheSongAndTheSamePressStops)
{
    shell.script->length = 36000;
    EXPECT_EQ(PlayOrStop(document.GetSong(), Request(2), shell), CMPlayOutcome::Playing);
    ASSERT_TRUE(Exists(midiPath));
    EXPECT_EQ(shell.script->calls, (Lines{"open " + midiPath + " on port 2", "length", "play"}));
    EXPECT_TRUE(shell.player.IsPlaying());
    EXPECT_EQ(shell.output, Lines{});
    ASSERT_EQ(shell.debug.size(), 1u);  // the listing
    EXPECT_NE(shell.debug[0].find("Chord Sequence"), std::string::npos);
    EXPECT_EQ(shell.cursor, (Lines{"wait", "arrow"}));

    // Pressing Play during playback stops it and writes no MIDI file.
    unlink(midiPath.c_str());
    shell.script->calls.clear();
    EXPECT_EQ(PlayOrStop(document.GetSong(), Request(2), shell), CMPlayOutcome::Stopped);
    EXPECT_EQ(shell.script->calls, Lines{"close"});
    EXPECT_FALSE(shell.player.IsOpen());
    EXPECT_FALSE(Exists(midiPath));
    EXPECT_EQ(shell.debug.size(), 1u);
    EXPECT_EQ(shell.cursor.size(), 2u);

    // A third press performs and plays again, now on the built-in synthesizer.
    shell.script->calls.clear();
    EXPECT_EQ(PlayOrStop(document.GetSong(), Request(0), shell), CMPlayOutcome::Playing);
    EXPECT_EQ(shell.script->calls, (Lines{"open " + midiPath + " on port 0", "length", "play"}));
    EXPECT_TRUE(Exists(midiPath));
    EXPECT_EQ(shell.debug.size(), 2u);

    // Once the player has reported the end, Play plays again rather than stopping.
    shell.script->mode = "stopped";
    shell.player.Poll();
    EXPECT_FALSE(shell.player.IsPlaying());
    EXPECT_EQ(PlayOrStop(document.GetSong(), Request(0), shell), CMPlayOutcome::Playing);
}

TEST_F(PlayCommand, ANewUnsavedDocumentDoesNotPlay)
{
    CMSongDocument unsaved;
    EXPECT_EQ(PlayOrStop(unsaved.GetSong(), Request(), shell), CMPlayOutcome::NotSaved);
    EXPECT_EQ(shell.script->calls, Lines{});
    EXPECT_EQ(shell.output.size() + shell.debug.size() + shell.cursor.size(), 0u);
}

TEST_F(PlayCommand, EveryInstrumentOffWritesTheMidiErrorAndPlaysNothing)
{
    CMPlayRequest request = Request();
    request.performance.instruments = 0;
    EXPECT_EQ(PlayOrStop(document.GetSong(), request, shell), CMPlayOutcome::NotCreated);
    EXPECT_EQ(
        shell.output,
        Lines{"Error : Cannot create MIDI file 'blues'.\nEvery instrument is switched off.\n"});
    EXPECT_EQ(shell.debug.size(), 1u);  // the listing is written also when generation failed
    EXPECT_EQ(shell.script->calls, Lines{});
    EXPECT_FALSE(Exists(midiPath));
    EXPECT_EQ(shell.cursor, (Lines{"wait", "arrow"}));

    // No band, and a folder where the file cannot be written: the same message.
    request = Request();
    request.band = nullptr;
    shell.output.clear();
    EXPECT_EQ(PlayOrStop(document.GetSong(), request, shell), CMPlayOutcome::NotCreated);
    EXPECT_EQ(shell.output, Lines{"Error : Cannot create MIDI file 'blues'.\n"});
    document.GetSong().path = dir.Path("gone/blues.zimbrel").c_str();
    shell.output.clear();
    EXPECT_EQ(PlayOrStop(document.GetSong(), Request(), shell), CMPlayOutcome::NotCreated);
    EXPECT_EQ(shell.output, Lines{"Error : Cannot create MIDI file 'blues'.\n"});
}

TEST_F(PlayCommand, APlayerThatCannotOpenSaysWhyAndStaysClosed)
{
    shell.script->openSucceeds = false;
    shell.script->openError = "No sound output could be opened (ALSA: no card).";
    EXPECT_EQ(PlayOrStop(document.GetSong(), Request(), shell), CMPlayOutcome::NotPlayed);
    EXPECT_EQ(shell.output, Lines{"Error : Cannot play 'blues'. No sound output could be opened "
                                  "(ALSA: no card).\n"});
    EXPECT_TRUE(Exists(midiPath));  // the performance itself was fine
    EXPECT_FALSE(shell.player.IsOpen());
    EXPECT_FALSE(shell.player.IsPlaying());
    EXPECT_EQ(shell.cursor, (Lines{"wait", "arrow"}));

    shell.script->openError = CMString();
    shell.output.clear();
    EXPECT_EQ(PlayOrStop(document.GetSong(), Request(), shell), CMPlayOutcome::NotPlayed);
    EXPECT_EQ(shell.output, Lines{"Error : Cannot play 'blues'.\n"});
}

TEST_F(PlayCommand, AudioExportSoundsAndRefusesWhatItCannotWrite)
{
    const CMPlayRequest request = Request();
    const std::string wav = dir.Path("blues.wav");
    CMString error;
    ASSERT_TRUE(
        ExportAudio(document.GetSong(), request.band, request.performance, wav.c_str(), {}, error))
        << error.Str();
    // Its length, within a beat, runs end to end in tests/cli/sound_test.sh.
    const Wave wave = ReadWave(wav);
    EXPECT_GT(Loudest(wave, 0, wave.samples.size() / 2), 3000);
    EXPECT_FALSE(Exists(midiPath));  // nothing is left beside the song

    EXPECT_FALSE(ExportAudio(document.GetSong(), request.band, request.performance,
                             dir.Path("blues.mp3").c_str(), {}, error));
    EXPECT_EQ(error, CMString("'" + dir.Path("blues.mp3") +
                              "' names no audio format: use .wav, .flac or .ogg."));
    CMPerformanceSettings silent = request.performance;
    silent.instruments = 0;
    EXPECT_FALSE(ExportAudio(document.GetSong(), request.band, silent, wav.c_str(), {}, error));
    EXPECT_EQ(error, "Every instrument is switched off.");
}

}  // namespace
