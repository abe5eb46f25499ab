// network_pane_stall: how long the network pane holds up the window's thread, as the longest
// single call (a command, or one poll of the 100 ms timer) while
//   1. connecting to a server that never answers (a listener whose queue is full),
//   2. uploading 300 songs of 60 KB to a peer that reads nothing,
//   3. downloading 200 songs of 60 KB from zimbrel-server (this build's, as its own process)
//      into a song folder, every log line going to the output pane and its log file as in the
//      desktop program.
// Not a pass/fail test: it prints what it measured.
#include "app/CMNetworkPane.h"
#include "app/CMOutputPane.h"
#include "settings/CMZimbrelIni.h"
#include "tests/TempDir.h"
#include "tests/WorkDir.h"
#include "tests/server/ServerProcess.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kTick = 100ms;
constexpr std::size_t kSongBytes = 60 * 1024;

class OutputShell : public IMNetworkShell {
public:
    void WriteNetworkLog(const CMString& line) override { output.WriteDebug(line); }
    CMOutputPane output;
};

// A pane that talks to the port, its log in an output pane.
struct PaneOnPort {
    explicit PaneOnPort(int port)
    {
        settings.port = port;
        pane.SetSettings(&settings);
    }
    OutputShell shell;
    CMZimbrelIni settings;
    CMNetworkPane pane{shell};
};

// The longest of the calls timed so far, in milliseconds.
struct Stopwatch {
    double longest = 0;
    int calls = 0;
    void Time(const std::function<void()>& call)
    {
        const auto start = Clock::now();
        call();
        longest = std::max(longest,
                           std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        ++calls;
    }
};

// Polls as the desktop program does, on the timer's beat and every 10 ms while song files are
// stored or read, until `done` or `limit` passes.
void Tick(CMNetworkPane& pane, Stopwatch& watch, const std::function<bool()>& done,
          Clock::duration limit)
{
    const auto end = Clock::now() + limit;
    while (!done() && Clock::now() < end) {
        std::this_thread::sleep_for(pane.HasFileWork() ? 10ms : kTick);
        watch.Time([&pane] { pane.Poll(); });
    }
}

int Listener(int backlog)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    listen(fd, backlog);
    return fd;
}

int PortOf(int fd)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

void WriteSongs(const std::string& folder, int count)
{
    std::filesystem::create_directories(folder);
    for (int i = 0; i < count; ++i) {
        std::string source = "title { Song " + std::to_string(i) + " }\n/* ";
        source.resize(kSongBytes - 3, static_cast<char>('a' + i % 26));
        WriteFileContents(folder + "Song" + std::to_string(i) + ".zimbrel", source + " */");
    }
}

void Report(const char* what, const Stopwatch& watch, double seconds)
{
    std::printf("%-44s %8.2f ms longest of %4d calls (%.1f s)\n", what, watch.longest, watch.calls,
                seconds);
}

double Since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void SilentServer()
{
    const int listener = Listener(0);
    int queued[4];
    for (int& fd : queued) {
        fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(PortOf(listener)));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }
    PaneOnPort client(PortOf(listener));
    CMNetworkPane& pane = client.pane;
    Stopwatch watch;
    const auto start = Clock::now();
    watch.Time([&pane] { pane.Connect(); });
    Tick(
        pane, watch, [&pane] { return !pane.IsConnecting(); }, 10s);
    Report("connect to a server that never answers", watch, Since(start));
    for (const int fd : queued)
        close(fd);
    close(listener);
}

void PeerThatReadsNothing()
{
    const int listener = Listener(4);
    WriteSongs("Data/", 300);
    PaneOnPort client(PortOf(listener));
    CMNetworkPane& pane = client.pane;
    Stopwatch watch;
    const auto start = Clock::now();
    watch.Time([&pane] { pane.Connect(); });
    Tick(
        pane, watch, [&pane] { return pane.IsConnected(); }, 5s);
    const int peer = accept(listener, nullptr, nullptr);
    watch.Time([&pane] { pane.UploadAll(); });
    Tick(
        pane, watch, [] { return false; }, 2s);
    Report("upload 300 x 60 KB to a peer that reads nothing", watch, Since(start));
    close(peer);
    close(listener);
    std::filesystem::remove_all("Data");
}

void DownloadFromServer()
{
    ServerProcess server;
    if (!server.Start(ZIMBREL_SERVER_PROGRAM, "songs.sqlite", "server.log",
                      {"--fast-password-hashing", "--quiet"})) {
        std::printf("zimbrel-server did not start\n");
        return;
    }
    PaneOnPort client(server.GetPort());
    client.settings.email = "ann@example.org";
    client.settings.password = "secret1";
    CMNetworkPane& pane = client.pane;
    const auto settle = [&pane](Stopwatch& watch) {
        Tick(
            pane, watch, [&pane] { return pane.GetAwaitedReplies() == 0; }, 60s);
    };
    Stopwatch setup;
    pane.Connect();
    settle(setup);
    pane.Register({"ann", "ann@example.org", "secret1"});
    settle(setup);
    pane.LogIn();
    settle(setup);
    WriteSongs("Data/", 200);
    pane.UploadAll();
    settle(setup);
    std::filesystem::remove_all("Data");

    Stopwatch watch;
    const auto start = Clock::now();
    watch.Time([&pane] { pane.DownloadAll(); });
    settle(watch);
    Report("download 200 x 60 KB into the song folder", watch, Since(start));
    std::printf("  %zu songs stored, %d error lines\n",
                static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("Data"),
                                                       std::filesystem::directory_iterator())),
                pane.GetErrorCount());
}

}  // namespace

int main()
{
    const TempDir dir;
    const WorkDir inside(dir.Root());
    SilentServer();
    PeerThatReadsNothing();
    DownloadFromServer();
    return 0;
}
