// zimbrel-cli play FILE [--port N|NAME] [PERF] [--listing]: performs a song into the MIDI file
// beside it and plays that through the play command of the desktop program, on the built-in
// synthesizer or a MIDI port, showing the time played until the end or Ctrl-C.
#include "cli/HelperCommands.h"
#include "cli/SongCommands.h"
#include "cli/SongFiles.h"

#include "app/CMSongPerformer.h"
#include "app/OutputPorts.h"
#include "app/PlayCommand.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(50);

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int)
{
    g_interrupted = 1;
}

// Ctrl-C, a closed terminal or a polite kill stop the playing instead of ending the program with
// notes left sounding; the previous handlers come back with the end of this object.
class InterruptCatcher {
public:
    InterruptCatcher()
    {
        g_interrupted = 0;
        struct sigaction action = {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            sigaction(kSignals[i], &action, &m_previous[i]);
    }
    ~InterruptCatcher()
    {
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            sigaction(kSignals[i], &m_previous[i], nullptr);
    }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction m_previous[std::size(kSignals)];
};

// The terminal as the play command's shell: messages after the song's path to standard output
// (errors to standard error), the listing only when asked for.
class TerminalShell : public IMPlayShell {
public:
    TerminalShell(const std::string& song, CMMCI& player, bool listing)
        : m_song(song), m_player(player), m_listing(listing)
    {
    }

    void WriteOutput(const CMString& text) override
    {
        WriteSongMessage(text.View().rfind("Error", 0) == 0 ? stderr : stdout, m_song, text.Str());
    }
    void WriteDebug(const CMString& text) override
    {
        if (m_listing)
            std::printf("%s\n", text.GetText());
    }
    void SetWaitCursor(bool) override {}
    CMMCI& GetPlayer() override { return m_player; }

private:
    const std::string& m_song;
    CMMCI& m_player;
    bool m_listing;
};

// "m:ss" for a number of milliseconds.
std::string MinutesAndSeconds(int milliseconds)
{
    const int seconds = milliseconds / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}

// Polls the player until it has played to the end or the user stops it (an InterruptCatcher
// lives); shows the time played on a terminal. Answers whether the user stopped it.
bool WaitWhilePlaying(CMMCI& player)
{
    const bool terminal = isatty(STDOUT_FILENO);
    const std::string total = MinutesAndSeconds(player.GetOpenedLength());
    while (player.IsPlaying() && !g_interrupted) {
        if (terminal) {
            std::printf("\r%s / %s ", MinutesAndSeconds(player.GetPolledPosition()).c_str(),
                        total.c_str());
            std::fflush(stdout);
        }
        std::this_thread::sleep_for(kPollInterval);  // a signal ends the sleep early
        player.Poll();
    }
    const bool stopped = g_interrupted != 0;
    if (stopped)
        player.Close();
    if (terminal)
        std::printf("\r\033[K");
    return stopped;
}

}  // namespace

int RunPlayCommand(const PlayRequest& request)
{
    CMPerformanceChoices choices = request.performance;
    std::string error;
    if (!ApplyVolumeOption(request.volume, choices, error))
        return UsageError("play", error);
    CMSongPerformer performer(choices);
    if (!performer.FindBand(error))
        return UsageError("play", error);
    const CMZimbrelIni& settings = performer.GetSettings();
    const CMOutputPorts ports = ListOutputPorts(settings);
    CMPlayRequest play;
    play.port = request.port ? FindOutputPort(ports, *request.port, error) : ports.selected;
    if (play.port < 0)
        return UsageError("play", error);
    const std::string& song = request.songs.front();
    CMSongDocument document;
    if (!OpenSong(song, document, !request.noWarnings))
        return kExitFailed;
    play.band = performer.GetBand();
    play.performance = performer.PerformanceOf(document.GetSong());

    const std::unique_ptr<CMMCI> playerOwned = MakeSystemPlayer(settings);
    CMMCI& player = *playerOwned;
    TerminalShell shell(song, player, request.listing);
    const CMString title = document.GetTitle();
    // From here on Ctrl-C stops the playing: it may come the moment the first notes go out.
    const InterruptCatcher catcher;
    const CMPlayOutcome outcome = PlayOrStop(document.GetSong(), play, shell);
    if (outcome == CMPlayOutcome::NotPlayed)
        std::fprintf(stderr,
                     "zimbrel-cli audio %s -o %s.wav writes the performance into an "
                     "audio file instead.\n",
                     song.c_str(), title.GetText());
    if (outcome != CMPlayOutcome::Playing)
        return kExitFailed;
    std::printf("%s: Playing '%s' with %s on %s (%s); Ctrl-C stops\n", song.c_str(),
                title.GetText(), play.band->GetName().GetText(),
                ports.names[static_cast<std::size_t>(play.port)].GetText(),
                MinutesAndSeconds(player.GetOpenedLength()).c_str());
    std::fflush(stdout);
    if (WaitWhilePlaying(player)) {
        std::printf("%s: Stopped '%s'\n", song.c_str(), title.GetText());
        return kExitDone;
    }
    const CMString playError = player.GetError();
    if (!playError.IsEmpty()) {
        WriteSongMessage(stderr, song,
                         "Error : Cannot play '" + title.Str() + "'. " + playError.Str());
        return kExitFailed;
    }
    std::printf("%s: Played '%s' to the end\n", song.c_str(), title.GetText());
    return kExitDone;
}
