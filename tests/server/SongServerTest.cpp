// The song server in-process on loopback: the whole conversation with its results (the bytes of
// each message are the protocol tests'; the conversation end to end is tests/cli/net_test.sh), the
// rules on user IDs, e-mail addresses, titles and sizes, log-on before use, persistence across a
// restart, and its defences: slowed log-ons, garbage, cut and oversized frames, floods, idle
// connections and a connection limit, none of which stops it answering other clients.
#include "net/CMZimbrelMessages.h"
#include "server/CMSongServer.h"
#include "tests/TempDir.h"
#include "tests/net/LoopbackSocket.h"
#include "tests/server/TestClient.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// The server's clock stands still until the test moves it.
class TestServer : public CMSongServer {
public:
    using CMSongServer::CMSongServer;
    Clock::time_point now = Clock::now();

protected:
    Clock::time_point Now() const override { return now; }
};

CMZimbrelSongList Songs(std::initializer_list<std::pair<const char*, std::string>> songs)
{
    CMZimbrelSongList list;
    for (const auto& [title, source] : songs)
        list.Add(std::make_unique<CMZimbrelSong>(title, source, ""));
    return list;
}

CMZimbrelSongNameList Names(std::initializer_list<const char*> names)
{
    CMZimbrelSongNameList list;
    for (const char* name : names)
        list.AddName(name);
    return list;
}

class SongServer : public ::testing::Test {
protected:
    TempDir dir;
    CMServerOptions options;
    std::unique_ptr<TestServer> server;

    void SetUp() override
    {
        options.port = 0;
        options.databasePath = dir.Path("songs.sqlite");
        options.passwordCost = CMPasswordHasher::Cost::Fast;
        options.hashThreads = 1;
        options.log = nullptr;
    }

    void Start()
    {
        server = std::make_unique<TestServer>(options);
        std::string error;
        ASSERT_TRUE(server->Start(error)) << error;
    }

    // Runs the server and the clients until `done` holds or 10 seconds pass.
    bool Pump(const std::vector<TestClient*>& clients, const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            server->RunOnce(1ms);
            for (TestClient* client : clients)
                client->net.Poll();
        }
        return true;
    }

    // Runs the server and the clients for a fifth of a second.
    void RunAWhile(const std::vector<TestClient*>& clients)
    {
        const auto end = std::chrono::steady_clock::now() + 200ms;
        Pump(clients, [&] { return std::chrono::steady_clock::now() > end; });
    }

    // Sends a request and answers the client's next reply.
    std::string Ask(TestClient& client, const CFSerialData& payload)
    {
        const std::size_t before = client.replies.size();
        client.net.SendPayload(payload);
        if (!Pump({&client}, [&] { return client.replies.size() > before; }))
            return "no reply";
        return client.replies.back();
    }

    // Runs the server until the client has a reply (or is closed) and answers it.
    std::string ReplyTo(AddressedClient& client)
    {
        std::string reply;
        if (!Pump({}, [&] { return !(reply = client.TakeReply()).empty(); }))
            return "no reply";
        return reply;
    }
    std::string AskFrom(AddressedClient& client, const CFSerialData& payload)
    {
        client.Send(payload);
        return ReplyTo(client);
    }

    std::unique_ptr<TestClient> Connect()
    {
        auto client = std::make_unique<TestClient>();
        EXPECT_TRUE(client->Connect(server->GetPort()));
        const std::size_t sessions = server->GetSessionCount();
        Pump({client.get()}, [&] { return server->GetSessionCount() > sessions; });
        return client;
    }

    // A client registered and logged on as `userId`.
    std::unique_ptr<TestClient> LoggedOn(const char* userId)
    {
        auto client = Connect();
        const std::string email = std::string(userId) + "@example.org";
        EXPECT_EQ(Ask(*client, BuildRegister(userId, email, "pw")), "RegisterOK 0");
        EXPECT_EQ(Ask(*client, BuildLogon(email, "pw")), "LogonOK 0");
        return client;
    }
};

}  // namespace

TEST_F(SongServer, RegisterLogOnUploadListAndDownload)
{
    Start();
    auto ann = Connect();
    // Ann's requests in order, each with its reply: the rules on user IDs, e-mail addresses and
    // passwords, nothing but Register and Logon before a log-on, then the rules on titles and
    // sizes of uploads.
    const std::pair<CFSerialData, const char*> requests[] = {
        {BuildRegister("Ann 2", "Ann@Example.org", "secret"), "RegisterOK 0"},
        {BuildRegister("ANN 2", "other@example.org", "x"), "RegisterOK 4"},
        {BuildRegister("bob", "ann@example.org", "x"), "RegisterOK 5"},
        {BuildRegister("bob!", "b@example.org", "x"), "RegisterOK 1"},
        {BuildRegister("b", "", "x"), "RegisterOK 2"},
        {BuildRegister("b", "b+1@example.org", "x"), "RegisterOK 2"},
        {BuildRegister("b", "b@@example.org", "x"), "RegisterOK 2"},
        {BuildRegister("b", "b@example.org", ""), "RegisterOK 3"},
        {BuildRegister(std::string(21, 'b'), "b@example.org", "x"), "RegisterOK 1"},
        {BuildQuerySongList(CMZimbrelUserNameList()), "LogonOK 2"},
        {BuildDownload(Names({"a@b"})), "LogonOK 2"},
        {BuildUpload(Songs({{"Blues", "x"}})), "UploadOK 1"},
        {BuildLogon("ann@example.org", "wrong"), "LogonOK 1"},
        {BuildLogon("nobody@example.org", "secret"), "LogonOK 1"},
        {BuildLogon("ANN@example.org", "secret"), "LogonOK 0"},
        {BuildUpload(Songs({{"Blues", "title { Blues }\n"}, {"Waltz", "w"}})), "UploadOK 0"},
        {BuildUpload(Songs({{"Blues", "title { Blues in F }\n"}})), "UploadOK 0"},
        {BuildUpload(Songs({{"a/b", "x"}})), "UploadOK 2"},
        {BuildUpload(Songs({{"a@b", "x"}})), "UploadOK 2"},
        {BuildUpload(Songs({{"ok", "x"}, {"..", "x"}})), "UploadOK 2"},
        {BuildUpload(Songs({{"Big", std::string(kMaxSongSource + 1, 'x')}})), "UploadOK 3"},
        {BuildUpload(Songs({{"Largest", std::string(kMaxSongSource, 'x')}})), "UploadOK 0"},
        {CFSerialData(std::string_view("\x0D\x05", 2)), "UploadOK 4"}};
    for (std::size_t i = 0; i < std::size(requests); ++i)
        EXPECT_EQ(Ask(*ann, requests[i].first), requests[i].second) << "request " << i;

    auto bob = LoggedOn("bob");
    EXPECT_EQ(Ask(*bob, BuildUpload(Songs({{"Blues", "bob's blues"}}))), "UploadOK 0");

    EXPECT_EQ(Ask(*bob, BuildQuerySongList(CMZimbrelUserNameList())),
              "QuerySongListOK Blues@Ann 2 Blues@bob Largest@Ann 2 Waltz@Ann 2");
    CMZimbrelUserNameList onlyBob;
    onlyBob.AddName("BOB");
    onlyBob.AddName("nobody");
    EXPECT_EQ(Ask(*ann, BuildQuerySongList(onlyBob)), "QuerySongListOK Blues@bob");

    // With an at-mark a name means one author's song; without, the title by every author.
    EXPECT_EQ(Ask(*bob, BuildDownload(Names({"Waltz@ann 2", "Blues"}))),
              "DownloadOK Waltz@Ann 2|w Blues@Ann 2|title { Blues in F }\n Blues@bob|bob's blues");
    EXPECT_EQ(Ask(*bob, BuildDownload(Names({"Nothing@ann 2", "Waltz@bob", "Waltz@"}))),
              "DownloadOK Waltz@Ann 2|w");
    EXPECT_EQ(Ask(*bob, BuildDownload(CMZimbrelSongNameList())), "DownloadOK");
    ASSERT_EQ(bob->uploadTimes.size(), 4u);
    EXPECT_TRUE(
        std::regex_match(bob->uploadTimes[0], std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)")))
        << bob->uploadTimes[0];

    // Account is not offered; unknown codes and stray replies are ignored, and the next request
    // is answered as usual.
    EXPECT_EQ(Ask(*bob, CFSerialData(std::string_view("\x09\x01"))), "AccountOK 1");
    bob->net.SendPayload(CFSerialData(std::string_view("\x63\x01")));
    bob->net.SendPayload(BuildResult(kMessageLogonOK, 0));
    EXPECT_EQ(Ask(*bob, BuildQuerySongList(onlyBob)), "QuerySongListOK Blues@bob");
}

TEST_F(SongServer, AccountsAndSongsSurviveARestart)
{
    Start();
    {
        auto ann = LoggedOn("ann");
        EXPECT_EQ(Ask(*ann, BuildUpload(Songs({{"Blues", "kept"}}))), "UploadOK 0");
    }
    server.reset();
    struct stat info {};
    ASSERT_EQ(stat(options.databasePath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);  // accounts are private
    Start();
    auto again = Connect();
    EXPECT_EQ(Ask(*again, BuildLogon("ann@example.org", "pw")), "LogonOK 0");
    EXPECT_EQ(Ask(*again, BuildDownload(Names({"Blues@ann"}))), "DownloadOK Blues@ann|kept");
}

TEST_F(SongServer, GuessingIsSlowedAcrossConnectionsButNotForTheOwner)
{
    Start();
    auto ann = LoggedOn("ann");  // 127.0.0.1 is now where ann logs on
    const auto guess = [&] {
        auto guesser = std::make_unique<AddressedClient>("127.0.0.2", server->GetPort());
        guesser->Send(BuildLogon("Ann@example.org", "guess"));
        return guesser;
    };
    const std::string refused = "0201", unchecked = "0203", loggedOn = "0200";
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ReplyTo(*guess()), refused);

    // A new connection does not start afresh: the sixth guess is checked a second later.
    auto sixth = guess();
    RunAWhile({});
    EXPECT_EQ(sixth->TakeReply(), "");
    server->now += 1s;
    EXPECT_EQ(ReplyTo(*sixth), refused);

    // Guesses at once are checked one at a time, 2, 4, 8 and 16 s apart; one that would wait
    // more than 30 s is refused at once, unchecked.
    std::vector<std::unique_ptr<AddressedClient>> waiting;
    for (int i = 0; i < 4; ++i)
        waiting.push_back(guess());
    EXPECT_EQ(ReplyTo(*guess()), unchecked);
    RunAWhile({});
    for (const auto& guesser : waiting)
        EXPECT_EQ(guesser->TakeReply(), "");

    // Meanwhile ann logs on at once from where she usually does; from elsewhere she must wait
    // for the guessing to stop.
    auto annAgain = Connect();
    EXPECT_EQ(Ask(*annAgain, BuildLogon("ann@example.org", "pw")), "LogonOK 0");
    AddressedClient annElsewhere("127.0.0.3", server->GetPort());
    EXPECT_EQ(AskFrom(annElsewhere, BuildLogon("ann@example.org", "pw")), unchecked);

    server->now += 2s;
    EXPECT_EQ(ReplyTo(*waiting[0]), refused);
    EXPECT_EQ(waiting[1]->TakeReply(), "");
    server->now += 28s;
    for (std::size_t i = 1; i < waiting.size(); ++i)
        EXPECT_EQ(ReplyTo(*waiting[i]), refused);
    AddressedClient annLater("127.0.0.3", server->GetPort());
    annLater.Send(BuildLogon("ann@example.org", "pw"));
    RunAWhile({});
    server->now += 30s;
    EXPECT_EQ(ReplyTo(annLater), loggedOn);
}

TEST_F(SongServer, BadInputClosesOnlyTheConnectionThatSentIt)
{
    Start();
    auto ann = LoggedOn("ann");
    const auto closed = [&](TestClient& client) {
        return Pump({&client}, [&] {
            return !client.replies.empty() && client.replies.back() == "disconnected";
        });
    };

    auto huge = Connect();
    huge->SendRaw("\x82\x80\x80\x01");  // 4 MiB and one byte
    EXPECT_TRUE(closed(*huge));

    // A header that never ends and a frame cut short go stale on the connection's own clock
    // after two seconds.
    auto garbage = Connect();
    garbage->SendRaw("\xFF\xFE\xFD\xFC\xFB garbage");
    auto cut = Connect();
    cut->SendRaw("\x10\001ann@");
    EXPECT_TRUE(closed(*garbage));
    EXPECT_TRUE(closed(*cut));

    auto empty = Connect();
    empty->SendRaw(std::string(1, '\0'));
    EXPECT_TRUE(closed(*empty));

    auto truncated = Connect();
    truncated->SendRaw("\x03\001ab");  // Logon without its terminators
    EXPECT_TRUE(closed(*truncated));

    EXPECT_EQ(Ask(*ann, BuildQuerySongList(CMZimbrelUserNameList())), "QuerySongListOK");
}

TEST_F(SongServer, FloodsAndConnectionsThatDoNotLogOnAreLimited)
{
    options.maxConnections = 8;  // the last one kept for a new address
    options.maxPerAddress = 3;
    options.idleTimeout = 60s;
    Start();
    auto ann = LoggedOn("ann");

    // A flood queued behind a password check is cut off.
    auto flood = Connect();
    CFSerialData requests;
    requests.AppendObject(BuildLogon("ann@example.org", "pw"));
    for (std::size_t i = 0; i <= CMSongServer::kMaxWaitingRequests; ++i)
        requests.AppendObject(BuildQuerySongList(CMZimbrelUserNameList()));
    flood->SendRaw(std::string(requests.View()));
    EXPECT_TRUE(Pump({flood.get()}, [&] {
        return !flood->replies.empty() && flood->replies.back() == "disconnected";
    }));

    std::vector<std::unique_ptr<AddressedClient>> from;
    const auto arrive = [&](const char* address) {
        from.push_back(std::make_unique<AddressedClient>(address, server->GetPort()));
        for (int i = 0; i < 3; ++i)
            server->RunOnce(1ms);
        return from.size() - 1;
    };
    const auto closed = [&](std::size_t i) { return ReplyTo(*from[i]) == "closed"; };

    // Three from one address; a fourth takes the place of the oldest that sent nothing.
    const std::size_t a = arrive("127.0.0.2"), b = arrive("127.0.0.2");
    EXPECT_EQ(AskFrom(*from[a], CFSerialData(std::string_view("\x09"))), "0A01");
    arrive("127.0.0.2");
    arrive("127.0.0.2");
    EXPECT_TRUE(closed(b));
    EXPECT_EQ(server->GetSessionCount(), 4u);

    // Nearly full: an address that has a connection replaces its own; a new address gets the
    // last place; then a new address takes the place of a silent one of the busiest address.
    const std::size_t c = arrive("127.0.0.3");
    arrive("127.0.0.4");
    arrive("127.0.0.5");
    arrive("127.0.0.3");
    EXPECT_TRUE(closed(c));
    arrive("127.0.0.6");
    EXPECT_EQ(server->GetSessionCount(), 8u);
    arrive("127.0.0.7");
    EXPECT_TRUE(closed(b + 1));
    EXPECT_EQ(server->GetSessionCount(), 8u);

    // Ten seconds without logging on close a connection; ann stays until she is idle too long.
    server->now += 9s;
    RunAWhile({});
    EXPECT_EQ(server->GetSessionCount(), 8u);
    server->now += 1s;
    RunAWhile({});
    EXPECT_EQ(server->GetSessionCount(), 1u);
    EXPECT_TRUE(closed(a));
    server->now += 50s;
    EXPECT_TRUE(Pump({ann.get()}, [&] { return ann->replies.back() == "disconnected"; }));
}

TEST_F(SongServer, UploadsStopAtTheQuotaAndEveryListShowsTheLastUpload)
{
    options.quota = {3, 100};
    Start();
    auto ann = LoggedOn("ann");
    auto bob = LoggedOn("bob");
    const CFSerialData everySong = BuildQuerySongList(CMZimbrelUserNameList());
    EXPECT_EQ(
        Ask(*ann, BuildUpload(Songs({{"A", std::string(40, 'a')}, {"B", std::string(40, 'b')}}))),
        "UploadOK 0");
    EXPECT_EQ(Ask(*bob, everySong), "QuerySongListOK A@ann B@ann");
    // Past the bytes, past the songs: nothing is stored.
    EXPECT_EQ(Ask(*ann, BuildUpload(Songs({{"C", std::string(21, 'c')}}))), "UploadOK 6");
    EXPECT_EQ(Ask(*ann, BuildUpload(Songs({{"C", "c"}, {"D", "d"}}))), "UploadOK 6");
    EXPECT_EQ(Ask(*bob, everySong), "QuerySongListOK A@ann B@ann");
    // Within them, replacing counts the new size.
    EXPECT_EQ(Ask(*ann, BuildUpload(Songs({{"A", "a"}, {"C", std::string(59, 'c')}}))),
              "UploadOK 0");
    EXPECT_EQ(Ask(*bob, BuildUpload(Songs({{"D", std::string(100, 'd')}}))), "UploadOK 0");

    // Two lists asked for at once are built once and both answered.
    ann->net.SendPayload(everySong);
    bob->net.SendPayload(everySong);
    ASSERT_TRUE(Pump({ann.get(), bob.get()}, [&] {
        return ann->replies.back() != "UploadOK 0" && bob->replies.back() != "UploadOK 0";
    }));
    EXPECT_EQ(ann->replies.back(), "QuerySongListOK A@ann B@ann C@ann D@bob");
    EXPECT_EQ(bob->replies.back(), ann->replies.back());
}

TEST_F(SongServer, AFullDiskIsServedReadOnly)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "filling a disk needs a small tmpfs, which only root can mount";
    const std::string small = dir.Path("small");
    ASSERT_EQ(mkdir(small.c_str(), 0700), 0);
    ASSERT_EQ(mount("tmpfs", small.c_str(), "tmpfs", 0, "size=512k"), 0);
    const std::unique_ptr<const char, int (*)(const char*)> unmount(small.c_str(), umount);
    options.databasePath = small + "/songs.sqlite";
    Start();
    EXPECT_EQ(server->GetReadOnlyReason(), "");
    EXPECT_EQ(Ask(*LoggedOn("ann"), BuildUpload(Songs({{"Blues", "kept"}}))), "UploadOK 0");
    server.reset();

    std::FILE* filler = std::fopen((small + "/filler").c_str(), "w");
    const std::string block(4096, 'x');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
           std::fflush(filler) == 0) {
    }
    std::fclose(filler);
    Start();
    EXPECT_EQ(server->GetReadOnlyReason(), "database or disk is full");
    auto ann = Connect();
    EXPECT_EQ(Ask(*ann, BuildLogon("ann@example.org", "pw")), "LogonOK 0");
    EXPECT_EQ(Ask(*ann, BuildDownload(Names({"Blues@ann"}))), "DownloadOK Blues@ann|kept");
    EXPECT_EQ(Ask(*ann, BuildUpload(Songs({{"New", "x"}}))), "UploadOK 5");
    EXPECT_EQ(Ask(*ann, BuildRegister("bob", "bob@example.org", "pw")), "RegisterOK 6");
    server.reset();
}

TEST_F(SongServer, StartFailsWithAClearReason)
{
    options.databasePath = dir.Path("missing/folder/songs.sqlite");
    CMSongServer server(options);
    std::string error;
    EXPECT_FALSE(server.Start(error));
    EXPECT_EQ(error, "cannot open the database '" + options.databasePath +
                         "': unable to open database file");

    std::FILE* file = std::fopen(dir.Path("text.sqlite").c_str(), "w");
    std::fputs("not a database, but a text of some length to be sure it is not taken for one",
               file);
    std::fclose(file);
    options.databasePath = dir.Path("text.sqlite");
    CMSongServer onText(options);
    EXPECT_FALSE(onText.Start(error));
    EXPECT_EQ(error,
              "cannot open the database '" + options.databasePath + "': file is not a database");
}
