// The network pane's logic: every line it writes and every byte it sends, in reviewed
// conversations with a peer that plays the server byte by byte (results, empty lists, names
// without an at-mark, two frames in one read, broken replies, the peer going away) with the ribbon
// commands' states along them, and against the song server in-process: uploads the server would
// refuse, and many songs at once. Registering, a duplicate user ID and a wrong password, and the
// whole conversation with the files it leaves, run end to end in tests/cli/net_test.sh.
#include "app/CMNetworkCommands.h"
#include "app/CMNetworkPane.h"
#include "app/CommandIds.h"
#include "net/CMZimbrelMessages.h"
#include "server/CMSongServer.h"
#include "settings/CMZimbrelIni.h"
#include "tests/FileContents.h"
#include "tests/GoldenFile.h"
#include "tests/TempDir.h"
#include "tests/net/LoopbackSocket.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <poll.h>

namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

// Polls until the connect started by the pane has come about or failed.
void FinishConnect(CMNetworkPane& pane)
{
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (pane.IsConnecting() && std::chrono::steady_clock::now() < deadline) {
        pane.GetDevice().WaitForActivity(10);
        pane.Poll();
    }
}

class RecordingShell : public IMNetworkShell {
public:
    Lines lines;
    int listChanges = 0;
    int dialogs = 0;
    CMRegistration dialogShown;
    std::optional<CMRegistration> dialogAnswer;  // nothing: the user cancels

    void WriteNetworkLog(const CMString& line) override { lines.push_back(line.Str()); }
    void SongListChanged() override { ++listChanges; }
    bool RunRegisterDialog(CMRegistration& registration) override
    {
        ++dialogs;
        dialogShown = registration;
        if (!dialogAnswer)
            return false;
        registration = *dialogAnswer;
        return true;
    }
    Lines Take() { return std::exchange(lines, {}); }
};

// One conversation of tests/data/net/conversations, played against the pane. The file is both
// the script and what it must give: each unindented line is a step, and the indented lines after
// it are what the pane did then: "log" lines it wrote, "sent" bytes the peer received, and the
// "state" and "row" answers. The runner copies the steps, writes what really happened after each,
// and the whole is compared with the file. Steps: connect (again: disconnect), login EMAIL
// PASSWORD, query, download [ROW...], song PATH (the song Upload song would send), peer BYTES
// (hexadecimal bytes, HH*N for N of them, "text" for its characters), peer closes, state, rows.
// The steps that are ribbon commands run as the ribbon runs them, and "state" ends with each
// network command as enabled ("+" or "-") and checked ("x" or " ").
class ScriptedConversation {
public:
    ScriptedConversation() : m_listener(ListenOnLoopback())
    {
        m_settings.port = LocalPort(m_listener.Get());
        m_port = std::to_string(m_settings.port);
        m_pane.SetSettings(&m_settings);
    }

    std::string Play(const std::string& script)
    {
        std::istringstream lines(script);
        std::vector<std::string> all;
        for (std::string line; std::getline(lines, line);)
            all.push_back(line);
        std::string transcript;
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i].rfind("  ", 0) == 0)
                continue;  // what the file expects; the runner writes what happened
            transcript += all[i] + "\n";
            if (all[i].empty() || all[i][0] == '#')
                continue;
            std::size_t logLines = 0;
            std::size_t sentBytes = 0;
            for (std::size_t j = i + 1; j < all.size() && all[j].rfind("  ", 0) == 0; ++j) {
                logLines += all[j].rfind("  log ", 0) == 0;
                if (all[j].rfind("  sent ", 0) == 0)
                    sentBytes = (all[j].size() - 6) / 3;
            }
            transcript += Step(all[i], logLines, sentBytes);
        }
        return transcript;
    }

private:
    // Runs one step; answers its indented lines. The counts the file expects only bound the
    // waiting: whatever comes is written.
    std::string Step(const std::string& step, std::size_t logLines, std::size_t sentBytes)
    {
        std::istringstream words(step);
        std::string verb;
        words >> verb;
        std::string out;
        if (verb == "connect") {
            m_commands.OnCommand(CommandId::NetConnect);
            FinishConnect(m_pane);
            if (m_pane.IsConnected() && m_peer.Get() < 0)
                m_peer.Reset(accept(m_listener.Get(), nullptr, nullptr));
        } else if (verb == "login") {
            std::string email;
            std::string password;
            words >> email >> password;
            m_settings.email = email.c_str();
            m_settings.password = password.c_str();
            m_commands.OnCommand(CommandId::NetLogIn);
        } else if (verb == "query") {
            m_commands.OnCommand(CommandId::NetQuerySongList);
        } else if (verb == "download") {
            std::vector<int> rows;
            for (int row = 0; words >> row;)
                rows.push_back(row);
            m_commands.SetSelectedRows(rows);
            m_commands.OnCommand(CommandId::NetDownloadSong);
        } else if (verb == "song") {
            words >> m_song;
        } else if (verb == "peer" && step == "peer closes") {
            m_peer.Reset();
        } else if (verb == "peer") {
            const std::string bytes = ScriptBytes(words);
            send(m_peer.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        } else if (verb == "state") {
            out += "  state " + State() + "\n";
        } else if (verb == "rows") {
            for (const CMSongListRow& row : m_pane.GetRows())
                out += "  row " + row.title + " | " + row.author + "\n";
        } else {
            ADD_FAILURE() << "unknown step: " << step;
        }
        const std::string sent = Sent(sentBytes);
        if (!sent.empty())
            out += "  sent" + sent + "\n";
        for (const std::string& line : Logged(logLines))
            out += "  log " + line + "\n";
        return out;
    }

    std::string State() const
    {
        return std::string(m_pane.IsConnected() ? "connected" : "not connected") +
               (m_pane.IsLoggedIn() ? ", logged in, " : ", not logged in, ") +
               std::to_string(m_pane.GetAwaitedReplies()) + " awaited, " +
               std::to_string(m_pane.GetErrorCount()) + " errors, " +
               std::to_string(m_pane.GetRows().size()) + " rows, list changed " +
               std::to_string(m_shell.listChanges) + " times, commands " + CommandStates();
    }

    std::string CommandStates() const
    {
        namespace C = CommandId;
        std::string text;
        for (const int id : {C::NetConnect, C::NetLogIn, C::NetQuerySongList, C::NetDownloadSong,
                             C::NetDownloadAll, C::NetUploadAll, C::NetUploadSong}) {
            CMCommandUI ui;
            EXPECT_TRUE(m_commands.OnUpdateCommand(id, ui));
            text += std::string(ui.enabled ? "+" : "-") + (ui.checked ? "x" : " ");
        }
        return text;
    }

    static std::string ScriptBytes(std::istringstream& words)
    {
        std::string bytes;
        for (std::string word; words >> word;) {
            if (word.size() >= 2 && word.front() == '"' && word.back() == '"') {
                bytes += word.substr(1, word.size() - 2);
                continue;
            }
            const std::size_t times = word.find('*');
            const auto byte = static_cast<char>(std::stoi(word.substr(0, times), nullptr, 16));
            bytes.append(times == std::string::npos ? 1 : std::stoul(word.substr(times + 1)), byte);
        }
        return bytes;
    }

    // The log lines written, waiting for as many as expected; the port, which the system
    // chooses, reads as PORT.
    Lines Logged(std::size_t expected)
    {
        // Expecting none, a short while shows whether some come all the same.
        const bool settle = expected == 0;
        const auto deadline = std::chrono::steady_clock::now() + (settle ? 50ms : 2s);
        while ((settle || m_shell.lines.size() < expected) &&
               std::chrono::steady_clock::now() < deadline) {
            m_pane.GetDevice().WaitForActivity(10);
            m_pane.Poll();
        }
        Lines lines = m_shell.Take();
        for (std::string& line : lines)
            if (const std::size_t at = line.find("(" + m_port + ")"); at != std::string::npos)
                line.replace(at + 1, m_port.size(), "PORT");
        return lines;
    }

    // The bytes the peer received, as spaced hexadecimal, waiting for as many as expected.
    std::string Sent(std::size_t expected)
    {
        std::string bytes;
        const auto deadline = std::chrono::steady_clock::now() + 2s;
        while (m_peer.Get() >= 0) {
            pollfd ready{m_peer.Get(), POLLIN, 0};
            const bool waitMore =
                bytes.size() < expected && std::chrono::steady_clock::now() < deadline;
            if (poll(&ready, 1, waitMore ? 10 : 0) <= 0) {
                if (waitMore)
                    continue;
                break;
            }
            char buffer[4096];
            const ssize_t got = recv(m_peer.Get(), buffer, sizeof buffer, MSG_DONTWAIT);
            if (got <= 0)
                break;
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        std::string hex;
        for (const char byte : bytes)
            hex += " " + CFSerialData(std::string_view(&byte, 1)).ToHex();
        return hex;
    }

    RecordingShell m_shell;
    CMZimbrelIni m_settings;
    CMNetworkPane m_pane{m_shell};
    Fd m_listener;
    Fd m_peer;
    std::string m_port;
    std::string m_song;
    CMNetworkCommands m_commands{m_pane, [this] { return CMString(m_song); }};
};

}  // namespace

TEST(NetworkPane, ConversationsMatchTheReviewedLogs)
{
    const std::string folder = ZIMBREL_TEST_DATA "/net/conversations";
    int played = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        ScriptedConversation conversation;
        ExpectGoldenFile(conversation.Play(FileContents(entry.path().string())),
                         "net/conversations/" + name);
        ++played;
    }
    EXPECT_GE(played, 4);
}

TEST(NetworkPane, DeviceEventsOfAListeningDeviceAreLogged)
{
    RecordingShell shell;
    CMNetworkPane pane(shell);
    IFCommunicationDeviceEvent& events = pane;
    CFSocketEx device;
    device.SetAddress("10.1.2.3");
    device.SetPort(4567);
    events.OnConnected(device);
    events.OnError(device, 1);
    EXPECT_EQ(shell.Take(),
              (Lines{"Connected to 10.1.2.3(4567)", "Error from 10.1.2.3(4567), code = 1"}));
}

TEST(NetworkPane, ConnectFailsAndLogInWithoutAccountOpensTheDialog)
{
    // A port nobody listens on: tests/cli/net_test.sh ("no server").
    RecordingShell shell;
    CMZimbrelIni settings;
    CMNetworkPane pane(shell);
    pane.SetSettings(&settings);
    settings.port = 70000;
    pane.Connect();
    EXPECT_EQ(shell.Take(), (Lines{"Connecting to server...", "Error : Cannot connect to server"}));
    EXPECT_FALSE(pane.IsConnected());

    settings.email = "me@example.org";
    pane.LogIn();  // no password: the register dialog, and the user cancels
    EXPECT_EQ(shell.dialogs, 1);
    EXPECT_EQ(shell.dialogShown.email, "me@example.org");
    EXPECT_EQ(shell.dialogShown.password, "");
    EXPECT_EQ(shell.Take(), Lines{});
    EXPECT_EQ(pane.GetAwaitedReplies(), 0);
}

// The pane against the song server in-process, run until every reply has arrived.
TEST(NetworkPane, UploadRefusesWhatTheServerWouldNotAndSplitsManySongs)
{
    TempDir dir;
    CMServerOptions options;
    options.port = 0;
    options.databasePath = dir.Path("songs.sqlite");
    options.passwordCost = CMPasswordHasher::Cost::Fast;
    options.hashThreads = 1;
    options.log = nullptr;
    CMSongServer server(options);
    std::string error;
    ASSERT_TRUE(server.Start(error)) << error;
    RecordingShell shell;
    CMZimbrelIni settings;
    settings.port = server.GetPort();
    CMNetworkPane pane(shell);
    pane.SetSettings(&settings);
    const std::string data = dir.Path("Data") + "/";
    pane.SetDataFolder(data);
    const auto settle = [&] {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (pane.GetAwaitedReplies() > 0 && std::chrono::steady_clock::now() < deadline) {
            server.RunOnce(1ms);
            pane.Poll();
        }
        return shell.Take();
    };
    pane.Connect();
    shell.dialogAnswer = CMRegistration{"ann", "ann@example.org", "pw"};
    pane.LogIn();  // no account stored yet: registered through the dialog
    settle();
    settings.email = "ann@example.org";
    settings.password = "pw";
    pane.LogIn();
    settle();
    ASSERT_TRUE(pane.IsLoggedIn());
    std::filesystem::create_directories(data);
    WriteFileContents(data + "Huge.zimbrel", std::string(kMaxSongSource + 1, 'x'));
    WriteFileContents(data + "Zero.zimbrel", B("a\0b"));
    pane.Upload({data + "Huge.zimbrel", data + "Zero.zimbrel", data + "Missing.zimbrel"});
    EXPECT_EQ(
        settle(),
        (Lines{"Error : Cannot upload '" + data + "Huge.zimbrel': it is larger than 65536 bytes",
               "Error : Cannot upload '" + data + "Zero.zimbrel': it holds a zero byte",
               "Error : Cannot upload '" + data + "Missing.zimbrel': cannot read " + data +
                   "Missing.zimbrel: No such file or directory",
               "No songs to upload"}));

    // Many songs go out in several messages, each inside the server's limits.
    for (int i = 0; i < 150; ++i)
        WriteFileContents(data + "Song" + std::to_string(i) + ".zimbrel", "title { Song }\n");
    std::filesystem::remove(data + "Huge.zimbrel");
    std::filesystem::remove(data + "Zero.zimbrel");
    pane.UploadAll();
    const Lines lines = settle();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Uploaded successfully"), 2);
    pane.QuerySongList({"ann"});
    const Lines list = settle();
    EXPECT_EQ(list[2], "[150 songs]");
}
