// zimbrel-cli play FILE [--port N|NAME] [PERF] [--listing]: performs a song into the MIDI file
// beside it and plays that through the play command of the desktop program, on the built-in
// synthesizer or a MIDI port, showing the time played until the end or Ctrl-C.
#include "cli/CliCommand.h"
#include "cli/PerformanceOptions.h"
#include "cli/SongPerformance.h"

#include "app/PlayCommand.h"
#include "midi/playback/CMMCI.h"
#include "midi/playback/CMSystemSequencer.h"
#include "midi/playback/MidiOutPorts.h"
#include "settings/CMZimbrelIni.h"

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

// The terminal as the play command's shell: messages to standard output (errors to standard
// error), the listing only when asked for.
class TerminalShell : public IMPlayShell {
public:
    TerminalShell(CMMCI& player, bool listing) : m_player(player), m_listing(listing) {}

    void WriteOutput(const CMString& text) override
    {
        FILE* out = text.View().rfind("Error", 0) == 0 ? stderr : stdout;
        std::fputs(text.GetText(), out);
        if (text.IsEmpty() || text.View().back() != '\n')
            std::fputc('\n', out);
    }
    void WriteDebug(const CMString& text) override
    {
        if (m_listing)
            std::printf("%s\n", text.GetText());
    }
    void SetWaitCursor(bool) override {}
    CMMCI& GetPlayer() override { return m_player; }

private:
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

std::string PortList(const std::vector<CMString>& devices)
{
    std::string text;
    for (std::size_t i = 0; i < devices.size(); ++i)
        text += (i ? ", " : "") + std::to_string(i) + " " + devices[i].Str();
    return text;
}

// The entry for --port: a number of the list, or a port's name (exact, else in any case).
int FindPort(const std::string& wanted, const std::vector<CMString>& devices, int& port)
{
    long long number = 0;
    if (ParseInteger(wanted, 0, static_cast<long long>(devices.size()) - 1, number)) {
        port = static_cast<int>(number);
        return kExitDone;
    }
    for (const bool anyCase : {false, true}) {
        for (std::size_t i = 0; i < devices.size(); ++i) {
            const bool same = anyCase ? devices[i].ToLower() == CMString(wanted).ToLower()
                                      : devices[i] == wanted.c_str();
            if (same) {
                port = static_cast<int>(i);
                return kExitDone;
            }
        }
    }
    return UsageError("play: no MIDI output port '" + wanted + "'; the ports are " +
                      PortList(devices));
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

int RunPlayCommand(const CliArguments& arguments)
{
    CMZimbrelIni settings;
    settings.Load();
    std::string portWanted;
    bool listing = false;
    const auto takeOwnOption = [&](const CliArguments& all, std::size_t i, std::string& error) {
        if (all[i] == "--listing") {
            listing = true;
            return 1;
        }
        if (all[i] != "--port")
            return 0;
        if (i + 1 >= all.size()) {
            error = "--port needs a number or a name";
            return -1;
        }
        portWanted = all[i + 1];
        return 2;
    };
    CliSongPerformance song;
    int status = PrepareSongPerformance("play", arguments, settings, takeOwnOption, song);
    if (status != kExitDone)
        return status;

    const std::vector<CMString> devices = ListMidiOutDevices();
    CMPlayRequest request;
    request.port = FillMidiOutPortList(devices, settings.midiOutPort).selected;
    if (!portWanted.empty() && (status = FindPort(portWanted, devices, request.port)) != kExitDone)
        return status;
    request.band = song.band;
    request.performance = song.performance;

    CMSequencerOptions options;
    options.soundFont = settings.soundFont;
    CMMCI player(std::make_unique<CMSystemSequencer>(options));
    TerminalShell shell(player, listing);
    const CMString title = song.document.GetTitle();
    // From here on Ctrl-C stops the playing: it may come the moment the first notes go out.
    const InterruptCatcher catcher;
    const CMPlayOutcome outcome = PlayOrStop(song.document.GetSong(), request, shell);
    if (outcome == CMPlayOutcome::NotPlayed)
        std::fprintf(stderr,
                     "zimbrel-cli audio %s -o %s.wav writes the performance into an "
                     "audio file instead.\n",
                     song.file.c_str(), title.GetText());
    if (outcome != CMPlayOutcome::Playing)
        return kExitFailed;
    std::printf("Playing '%s' with %s on %s (%s); Ctrl-C stops\n", title.GetText(),
                song.band->GetName().GetText(),
                devices[static_cast<std::size_t>(request.port)].GetText(),
                MinutesAndSeconds(player.GetOpenedLength()).c_str());
    std::fflush(stdout);
    if (WaitWhilePlaying(player)) {
        std::printf("Stopped '%s'\n", title.GetText());
        return kExitDone;
    }
    const CMString error = player.GetError();
    if (!error.IsEmpty()) {
        std::fprintf(stderr, "Error : Cannot play '%s'. %s\n", title.GetText(), error.GetText());
        return kExitFailed;
    }
    std::printf("Played '%s' to the end\n", title.GetText());
    return kExitDone;
}
