// The network pane's logic: every line it writes, against a peer that plays the server byte by
// byte (results, empty lists, names without an at-mark, two frames in one read, a stale frame,
// the peer going away), and the whole conversation against the song server in-process: register
// through the dialog, a duplicate user ID, a wrong password, query, download, download all and
// upload all with the files they leave in the song folder.
#include "app/CMNetworkCommands.h"
#include "app/CMNetworkPane.h"
#include "app/CommandIds.h"
#include "net/CMZimbrelMessages.h"
#include "server/CMSongServer.h"
#include "settings/CMZimbrelIni.h"
#include "tests/FileContents.h"
#include "tests/TempDir.h"
#include "tests/net/LoopbackSocket.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

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

// The pane connected to a socket of the test's own, which plays the server.
class PaneWithScriptedPeer : public ::testing::Test {
protected:
    RecordingShell shell;
    CMZimbrelIni settings;
    CMNetworkPane pane{shell};
    int listener = -1;
    int peer = -1;
    std::string port;

    void SetUp() override
    {
        listener = ListenOnLoopback();
        settings.port = LocalPort(listener);
        port = std::to_string(settings.port);
        pane.SetSettings(&settings);
        pane.Connect();
        FinishConnect(pane);
        peer = accept(listener, nullptr, nullptr);
        ASSERT_EQ(shell.Take(),
                  (Lines{"Connecting to server...", "Successfully connected to server"}));
    }
    void TearDown() override
    {
        if (peer >= 0)
            close(peer);
        close(listener);
    }

    // The peer sends `bytes`; the pane polls until `count` more lines are written (or a second
    // passes); answers the new lines.
    Lines Receive(const std::string& bytes, std::size_t count)
    {
        send(peer, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        const auto deadline = std::chrono::steady_clock::now() + 1s;
        while (shell.lines.size() < count && std::chrono::steady_clock::now() < deadline) {
            pane.GetDevice().WaitForActivity(10);
            pane.Poll();
        }
        return shell.Take();
    }

    // What the pane sent, as hexadecimal.
    std::string Sent(std::size_t count)
    {
        return CFSerialData(std::string_view(ReadExactly(peer, count))).ToHex();
    }
};

}  // namespace

TEST_F(PaneWithScriptedPeer, LogOnRepliesAndTheirLines)
{
    settings.email = "a@b";
    settings.password = "pw";
    pane.LogIn();
    EXPECT_EQ(shell.Take(), (Lines{"Logging in...", "<-Logon(0161406200********00)"}));
    EXPECT_EQ(Sent(9), "0801614062007077"
                       "00");
    EXPECT_EQ(pane.GetAwaitedReplies(), 1);

    EXPECT_EQ(Receive(B("\x02\x02\x03"), 3),
              (Lines{"->LogonOK(0203)", "Result : 3", "Error : Cannot log in"}));
    EXPECT_FALSE(pane.IsLoggedIn());
    EXPECT_TRUE(pane.IsConnected());
    EXPECT_EQ(pane.GetAwaitedReplies(), 0);
    EXPECT_EQ(pane.GetErrorCount(), 1);

    EXPECT_EQ(Receive(B("\x02\x02\x00"), 3),
              (Lines{"->LogonOK(0200)", "Result : 0", "Logged in successfully"}));
    EXPECT_TRUE(pane.IsLoggedIn());

    // The log-in command clears the flag before anything else.
    pane.LogIn();
    EXPECT_FALSE(pane.IsLoggedIn());
}

TEST_F(PaneWithScriptedPeer, SongListRowsAndDownloadRequests)
{
    pane.QuerySongList();
    EXPECT_EQ(shell.Take(), Lines{"<-QuerySongList(0300)"});
    EXPECT_EQ(Sent(3), "020300");

    // Two frames in one read are handled in order.
    EXPECT_EQ(Receive(B("\x02\x04\x00"
                        "\x16\x04\x03"
                        "Blues@ann\0"
                        "Solo\0"
                        "Tag@\0"),
                      7),
              (Lines{"->QuerySongListOK(0400)", "[0 songs]",
                     "->QuerySongListOK(0403426C7565734061"
                     "6E6E00536F6C6F0054616740"
                     "00)",
                     "[3 songs]", "Blues@ann", "Solo", "Tag@"}));
    ASSERT_EQ(pane.GetRows().size(), 3u);
    EXPECT_EQ(pane.GetRows()[0].title, "Blues");
    EXPECT_EQ(pane.GetRows()[0].author, "ann");
    EXPECT_EQ(pane.GetRows()[1].title, "Solo");
    EXPECT_EQ(pane.GetRows()[1].author, "");
    EXPECT_EQ(pane.GetRows()[2].title, "Tag");
    EXPECT_EQ(pane.GetRows()[2].author, "");
    EXPECT_EQ(pane.GetRows()[1].name->name, "Solo");
    EXPECT_EQ(shell.listChanges, 2);

    pane.DownloadSelected({});
    EXPECT_EQ(shell.Take(), (Lines{"Selected songs:", "<-Download(0B00)"}));
    EXPECT_EQ(Sent(3), "020B00");

    pane.DownloadSelected({2, 0, 7});
    EXPECT_EQ(shell.Take(), (Lines{"Selected songs:", "  - Blues@ann", "  - Tag@",
                                   "<-Download(0B02426C75657340616E6E0054616740"
                                   "00)"}));
    Sent(18);

    // An empty list clears the rows.
    EXPECT_EQ(Receive(B("\x02\x04\x00"), 2), (Lines{"->QuerySongListOK(0400)", "[0 songs]"}));
    EXPECT_TRUE(pane.GetRows().empty());
}

TEST_F(PaneWithScriptedPeer, CommandStatesFollowTheConversation)
{
    namespace C = CommandId;
    CMString song;
    CMNetworkCommands commands(pane, [&song] { return song; });
    // Each state as enabled ("+" or "-") and checked ("x" or " ") of Connect, Log in, Query,
    // Download song, Download all, Upload all and Upload song.
    const auto states = [&commands] {
        std::string text;
        for (const int id : {C::NetConnect, C::NetLogIn, C::NetQuerySongList, C::NetDownloadSong,
                             C::NetDownloadAll, C::NetUploadAll, C::NetUploadSong}) {
            CMCommandUI ui;
            EXPECT_TRUE(commands.OnUpdateCommand(id, ui));
            text += std::string(ui.enabled ? "+" : "-") + (ui.checked ? "x" : " ");
        }
        return text;
    };
    EXPECT_EQ(states(), "+x+ - - - - - ");
    settings.email = "a@b";
    settings.password = "pw";
    EXPECT_TRUE(commands.OnCommand(C::NetLogIn));
    Receive(B("\x02\x02\x00"), 5);
    EXPECT_EQ(states(), "+x+x+ + + + - ");
    song = "Data/Blues.zimbrel";
    EXPECT_EQ(states(), "+x+x+ + + + + ");

    // Download song with no row selected sends an empty list.
    EXPECT_TRUE(commands.OnCommand(C::NetDownloadSong));
    EXPECT_EQ(shell.Take(), (Lines{"Selected songs:", "<-Download(0B00)"}));
    EXPECT_TRUE(commands.OnCommand(C::NetConnect));
    EXPECT_EQ(states(), "+ - - - - - - ");
}

TEST_F(PaneWithScriptedPeer, BrokenRepliesAndEmptyFrames)
{
    EXPECT_EQ(Receive(B("\x01\x02"), 2),
              (Lines{"->LogonOK(02)", "Error : Cannot decode the message LogonOK"}));
    EXPECT_EQ(Receive(B("\x00"), 1), Lines{"->None()"});
    EXPECT_EQ(Receive(B("\x02\x0A\x01"), 1), Lines{"->AccountOK(0A01)"});
    EXPECT_EQ(Receive(B("\x01\x63"), 1), Lines{"->(63)"});
    EXPECT_EQ(Receive(B("\x02\x08\x04"), 3),
              (Lines{"->RegisterOK(0804)", "Result : 4",
                     "Error : Cannot register: the user ID is already taken"}));
    EXPECT_EQ(Receive(B("\x02\x0E\x02"), 3),
              (Lines{"->UploadOK(0E02)", "Result : 2",
                     "Error : Cannot upload: a song title is not acceptable"}));

    // A long payload is logged by its first 256 bytes and its size.
    const std::string list = B("\x04\x01") + std::string(299, 'x') + B("\0");
    const Lines lines = Receive(B("\x82\x2E") + list, 3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "->QuerySongListOK(" +
                            CFSerialData(std::string_view(list.data(), 256)).ToHex() +
                            "...(302 bytes))");
    EXPECT_EQ(lines[1], "[1 songs]");
}

TEST_F(PaneWithScriptedPeer, StaleFrameAndThePeerGoingAway)
{
    EXPECT_EQ(Receive(B("\x05\x02"), 0), Lines{});
    const auto deadline = std::chrono::steady_clock::now() + 3s;
    while (shell.lines.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(50ms);
        pane.Poll();
    }
    EXPECT_EQ(shell.Take(), Lines{"Error from 127.0.0.1(" + port + "), code = 0"});

    settings.email = "a@b";
    settings.password = "pw";
    pane.LogIn();
    shell.Take();
    Receive(B("\x02\x02\x00"), 3);
    ASSERT_TRUE(pane.IsLoggedIn());
    Receive(B("\x04\x04\x01"
              "X\0"),
            3);
    close(peer);
    peer = -1;
    EXPECT_EQ(Receive("", 1), Lines{"Disconnected from 127.0.0.1(" + port + ")"});
    EXPECT_FALSE(pane.IsConnected());
    EXPECT_FALSE(pane.IsLoggedIn());
    EXPECT_EQ(pane.GetRows().size(), 1u);  // the list keeps its rows

    // Connect again, then disconnect by command.
    pane.Connect();
    FinishConnect(pane);
    peer = accept(listener, nullptr, nullptr);
    EXPECT_EQ(shell.Take(), (Lines{"Connecting to server...", "Successfully connected to server"}));
    pane.Connect();
    EXPECT_EQ(shell.Take(), Lines{"Disconnected from server"});
    EXPECT_FALSE(pane.IsConnected());

    // The device events that only a listening device raises are logged as well.
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
    RecordingShell shell;
    CMZimbrelIni settings;
    const int unused = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(0);
    bind(unused, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    settings.port = LocalPort(unused);  // bound, not listening
    CMNetworkPane pane(shell);
    pane.SetSettings(&settings);
    pane.Connect();
    FinishConnect(pane);
    close(unused);
    EXPECT_EQ(shell.Take(), (Lines{"Connecting to server...", "Error : Cannot connect to server"}));
    EXPECT_FALSE(pane.IsConnected());
    settings.port = 70000;
    pane.Connect();
    EXPECT_EQ(shell.Take(), (Lines{"Connecting to server...", "Error : Cannot connect to server"}));

    settings.email = "me@example.org";
    pane.LogIn();  // no password: the register dialog, and the user cancels
    EXPECT_EQ(shell.dialogs, 1);
    EXPECT_EQ(shell.dialogShown.email, "me@example.org");
    EXPECT_EQ(shell.dialogShown.password, "");
    EXPECT_EQ(shell.Take(), Lines{});
    EXPECT_EQ(pane.GetAwaitedReplies(), 0);
}

namespace {

// The pane against the song server in-process.
class PaneWithServer : public ::testing::Test {
protected:
    TempDir dir;
    std::unique_ptr<CMSongServer> server;
    RecordingShell shell;
    CMZimbrelIni settings;
    CMNetworkPane pane{shell};
    std::string data;

    void SetUp() override
    {
        CMServerOptions options;
        options.port = 0;
        options.databasePath = dir.Path("songs.sqlite");
        options.passwordCost = CMPasswordHasher::Cost::Fast;
        options.hashThreads = 1;
        options.log = nullptr;
        server = std::make_unique<CMSongServer>(options);
        std::string error;
        ASSERT_TRUE(server->Start(error)) << error;
        settings.port = server->GetPort();
        data = dir.Path("Data") + "/";
        pane.SetSettings(&settings);
        pane.SetDataFolder(data);
    }

    // Runs server and pane until every reply has arrived; answers the lines written.
    Lines Settle()
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (pane.GetAwaitedReplies() > 0 && std::chrono::steady_clock::now() < deadline) {
            server->RunOnce(1ms);
            pane.Poll();
        }
        return shell.Take();
    }

    void ConnectAndLogIn(const char* email, const char* password)
    {
        settings.email = email;
        settings.password = password;
        if (!pane.IsConnected())
            pane.Connect();
        pane.LogIn();
        Settle();
        ASSERT_TRUE(pane.IsLoggedIn());
    }
};

}  // namespace

TEST_F(PaneWithServer, WholeConversation)
{
    pane.Connect();
    shell.dialogAnswer = CMRegistration{"ann", "ann@example.org", "secret1"};
    pane.LogIn();
    EXPECT_EQ(Settle(), (Lines{"Connecting to server...", "Successfully connected to server",
                               "->RegisterOK(0800)", "Result : 0", "Registered successfully"}));
    shell.dialogAnswer = CMRegistration{"ANN", "other@example.org", "x"};
    pane.LogIn();
    EXPECT_EQ(Settle(), (Lines{"->RegisterOK(0804)", "Result : 4",
                               "Error : Cannot register: the user ID is already taken"}));

    settings.email = "ann@example.org";
    settings.password = "wrong";
    pane.LogIn();
    const Lines refused = Settle();
    EXPECT_EQ(Lines(refused.end() - 3, refused.end()),
              (Lines{"->LogonOK(0201)", "Result : 1", "Error : Cannot log in"}));
    ConnectAndLogIn("ann@example.org", "secret1");

    std::filesystem::create_directories(data);
    WriteFileContents(data + "Blues.zimbrel", "title { Blues }\nchord { F7 | Bb7 | F7 | }\n");
    WriteFileContents(data + "Waltz.zimbrel", "title { Waltz }\n");
    WriteFileContents(data + "Other@bob.zimbrel", "someone else's");
    pane.UploadAll();
    const Lines uploaded = Settle();
    EXPECT_EQ(uploaded[0], "Skipped 'Other@bob': a song downloaded from another user");
    EXPECT_EQ(Lines(uploaded.begin() + 1, uploaded.begin() + 4),
              (Lines{"Uploading songs:", "  - Blues", "  - Waltz"}));
    EXPECT_EQ(Lines(uploaded.end() - 3, uploaded.end()),
              (Lines{"->UploadOK(0E00)", "Result : 0", "Uploaded successfully"}));

    // Another user's download keeps both songs called Blues apart.
    std::filesystem::remove_all(data);
    pane.Connect();
    pane.Connect();
    shell.dialogAnswer = CMRegistration{"bob", "bob@example.org", "pw"};
    settings.password = "";
    pane.LogIn();
    Settle();
    ConnectAndLogIn("bob@example.org", "pw");
    std::filesystem::create_directories(data);
    WriteFileContents(data + "Blues.zimbrel", "bob's own blues");
    pane.Upload({data + "Blues.zimbrel"});
    Settle();
    pane.DownloadAll();
    const Lines all = Settle();
    CMZimbrelSongNameList names;
    for (const char* name : {"Blues@ann", "Blues@bob", "Waltz@ann"})
        names.AddName(name);
    ASSERT_EQ(all.size(), 19u);
    EXPECT_EQ(Lines(all.begin(), all.begin() + 11),
              (Lines{"<-QuerySongList(0300)",
                     "->QuerySongListOK(" + BuildQuerySongListOK(names).ToHex() + ")", "[3 songs]",
                     "Blues@ann", "Blues@bob", "Waltz@ann", "Selected songs:", "  - Blues@ann",
                     "  - Blues@bob", "  - Waltz@ann",
                     "<-Download(" + BuildDownload(names).ToHex() + ")"}));
    EXPECT_EQ(all[11].rfind("->DownloadOK(0C03", 0), 0u) << all[11];
    EXPECT_EQ(
        Lines(all.begin() + 12, all.end()),
        (Lines{"Downloaded songs:", "  - Blues@ann", "    saved as " + data + "Blues@ann.zimbrel",
               "  - Blues@bob", "    already stored as " + data + "Blues.zimbrel", "  - Waltz@ann",
               "    saved as " + data + "Waltz.zimbrel"}));
    EXPECT_EQ(FileContents(data + "Blues.zimbrel"), "bob's own blues");
    EXPECT_EQ(FileContents(data + "Blues@ann.zimbrel"),
              "title { Blues }\nchord { F7 | Bb7 | F7 | }\n");
    EXPECT_EQ(FileContents(data + "Waltz.zimbrel"), "title { Waltz }\n");

    // A title alone names the song by every author; a name the server does not know is reported.
    pane.Download({"Waltz", "Nothing@ann"});
    const Lines some = Settle();
    EXPECT_EQ(Lines(some.end() - 4, some.end()),
              (Lines{"Downloaded songs:", "  - Waltz@ann",
                     "    already stored as " + data + "Waltz.zimbrel",
                     "Error : The server has no song 'Nothing@ann'"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data), {}), 3);
}

TEST_F(PaneWithServer, UploadRefusesWhatTheServerWouldNot)
{
    pane.Connect();
    shell.dialogAnswer = CMRegistration{"ann", "ann@example.org", "pw"};
    pane.LogIn();
    Settle();
    ConnectAndLogIn("ann@example.org", "pw");
    std::filesystem::create_directories(data);
    WriteFileContents(data + "Huge.zimbrel", std::string(kMaxSongSource + 1, 'x'));
    WriteFileContents(data + "Zero.zimbrel", B("a\0b"));
    pane.Upload({data + "Huge.zimbrel", data + "Zero.zimbrel", data + "Missing.zimbrel"});
    EXPECT_EQ(
        Settle(),
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
    const Lines lines = Settle();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Uploaded successfully"), 2);
    pane.QuerySongList({"ann"});
    const Lines list = Settle();
    EXPECT_EQ(list[2], "[150 songs]");
}
