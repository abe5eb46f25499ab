// server_abuse: zimbrel-server (this build's, as its own process on loopback) under the two
// abuses the server must shrug off, measured as a user would feel them.
//   1. Connections that hold slots: 256 that never send anything and 64 that drip a byte a
//      second into a frame, from 40 loopback addresses, reconnecting a second after the server
//      closes them. Meanwhile a new client from 127.0.0.1 connects, registers, logs on and lists
//      every song, again and again: how long each round takes (the aim is under a second, every
//      time), beside the same rounds on a quiet server. Then the same with every connection, the
//      new client's too, from 127.0.0.1, as behind one shared address.
//   2. Large lists: 100,000 songs on the server and four clients listing all of them without
//      pause. Meanwhile a fifth client sends small requests: the latency of a list of its own
//      songs (read on a worker thread) and of an Account request (answered by the loop).
// Not a pass/fail test: it prints what it measured. Traffic stays on 127.0.0.0/8 and every loop
// is bounded in time.
#include "net/CMZimbrelMessages.h"
#include "tests/TempDir.h"
#include "tests/server/ServerProcess.h"
#include "tests/server/TestClient.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The attackers of scenario 1, on a thread of their own: each slot is one connection, eight from
// each loopback address from 127.0.0.2 on (or all from 127.0.0.1), opened again a second after the
// server closes it.
class SlotHolders {
public:
    SlotHolders(std::uint16_t port, int idle, int dripping, bool oneAddress) : m_port(port)
    {
        for (int i = 0; i < idle + dripping; ++i) {
            const int host = oneAddress ? 1 : 2 + i / 8;
            m_slots.push_back({"127.0.0." + std::to_string(host), i >= idle, nullptr, {}});
        }
        m_thread = std::thread([this] { Run(); });
    }
    ~SlotHolders()
    {
        m_stop = true;
        m_thread.join();
    }
    int Reconnections() const { return m_reconnections; }

private:
    struct Slot {
        std::string address;
        bool drips;
        std::unique_ptr<AddressedClient> connection;
        Clock::time_point next;  // the next byte, or the next attempt to connect
    };

    void Run()
    {
        const auto end = Clock::now() + 5min;
        while (!m_stop && Clock::now() < end) {
            for (Slot& slot : m_slots)
                Tend(slot);
            std::this_thread::sleep_for(20ms);
        }
    }
    void Tend(Slot& slot)
    {
        const auto now = Clock::now();
        if (slot.connection && slot.connection->TakeReply() == "closed") {
            slot.connection.reset();
            slot.next = now + 1s;
            ++m_reconnections;
        }
        if (now < slot.next)
            return;
        if (!slot.connection) {
            slot.connection = std::make_unique<AddressedClient>(slot.address.c_str(), m_port);
            if (slot.drips)
                slot.connection->SendRaw("\x40");  // a 64-byte frame, one byte a second
        } else if (slot.drips) {
            slot.connection->SendRaw("x");
        }
        slot.next = now + 1s;
    }

    std::uint16_t m_port;
    std::vector<Slot> m_slots;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_reconnections{0};
    std::thread m_thread;
};

void PrintSpread(const char* what, std::vector<double> samples)
{
    if (samples.empty()) {
        std::printf("%-44s no samples\n", what);
        return;
    }
    std::sort(samples.begin(), samples.end());
    std::printf("%-44s %5zu samples  median %8.2f ms  90%% %8.2f ms  worst %8.2f ms\n", what,
                samples.size(), samples[samples.size() / 2], samples[samples.size() * 9 / 10],
                samples.back());
}

// Rounds of a new client that connects, registers, logs on and lists every song.
void NewClientRounds(const char* what, std::uint16_t port, int rounds, int& nextUser)
{
    std::vector<double> took;
    int late = 0, failed = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        TestClient client;
        const std::string user = "new" + std::to_string(nextUser++);
        bool ok = client.Connect(port);
        client.net.SendPayload(BuildRegister(user, user + "@abuse.test", "pw"));
        client.net.SendPayload(BuildLogon(user + "@abuse.test", "pw"));
        client.net.SendPayload(BuildQuerySongList(CMZimbrelUserNameList()));
        ok = ok && AwaitReplies(client, 3) && client.replies[0] == "RegisterOK 0" &&
             client.replies[1] == "LogonOK 0" && client.replies[2].rfind("QuerySongListOK", 0) == 0;
        const double milliseconds = Milliseconds(Clock::now() - start);
        failed += ok ? 0 : 1;
        late += ok && milliseconds > 1000 ? 1 : 0;
        if (ok)
            took.push_back(milliseconds);
        client.net.Close();
        std::this_thread::sleep_for(500ms);
    }
    PrintSpread(what, took);
    std::printf("  rounds failed %d, over one second %d\n", failed, late);
}

void HeldSlots(const std::string& program)
{
    TempDir dir;
    ServerProcess server;
    if (!server.Start(program, dir.Path("songs.sqlite"), dir.Path("log"), {"--quiet"})) {
        std::printf("the server did not start\n");
        return;
    }
    std::printf("Scenario 1: a new client registers, logs on and lists every song\n");
    int nextUser = 0;
    NewClientRounds("quiet server", server.GetPort(), 10, nextUser);
    for (const bool oneAddress : {false, true}) {
        SlotHolders holders(server.GetPort(), 256, 64, oneAddress);
        std::this_thread::sleep_for(3s);  // every slot taken, the drips under way
        NewClientRounds(oneAddress ? "the same, all from 127.0.0.1"
                                   : "256 idle + 64 dripping connections held",
                        server.GetPort(), 30, nextUser);
        std::printf("  slot holders reconnected %d times\n", holders.Reconnections());
    }
}

void Populate(std::uint16_t port, int users, int songsPerUser)
{
    for (int u = 0; u < users; ++u) {
        TestClient client;
        const std::string user = "owner" + std::to_string(u);
        client.Connect(port);
        client.net.SendPayload(BuildRegister(user, user + "@list.test", "pw"));
        client.net.SendPayload(BuildLogon(user + "@list.test", "pw"));
        std::size_t expected = 2;
        for (int first = 0; first < songsPerUser; first += 1000) {
            CMZimbrelSongList songs;
            for (int k = first; k < first + 1000 && k < songsPerUser; ++k)
                songs.Add(std::make_unique<CMZimbrelSong>("Song number " + std::to_string(k),
                                                          "title { x }\n", ""));
            client.net.SendPayload(BuildUpload(songs));
            ++expected;
        }
        AwaitReplies(client, expected, 60s);
    }
}

void LargeLists(const std::string& program)
{
    TempDir dir;
    ServerProcess server;
    if (!server.Start(program, dir.Path("songs.sqlite"), dir.Path("log"),
                      {"--quiet", "--fast-password-hashing", "--quota-songs", "100000"})) {
        std::printf("the server did not start\n");
        return;
    }
    Populate(server.GetPort(), 10, 10000);

    std::atomic<bool> stop{false};
    std::atomic<int> lists{0};
    std::vector<std::thread> listers;
    for (int i = 0; i < 4; ++i) {
        listers.emplace_back([&, i] {
            TestClient client;
            const std::string user = "lister" + std::to_string(i);
            client.Connect(server.GetPort());
            client.net.SendPayload(BuildRegister(user, user + "@list.test", "pw"));
            client.net.SendPayload(BuildLogon(user + "@list.test", "pw"));
            AwaitReplies(client, 2);
            while (!stop) {
                client.net.SendPayload(BuildQuerySongList(CMZimbrelUserNameList()));
                if (!AwaitReplies(client, client.replies.size() + 1, 30s))
                    break;
                ++lists;
            }
        });
    }
    TestClient probe;
    probe.Connect(server.GetPort());
    probe.net.SendPayload(BuildRegister("probe", "probe@list.test", "pw"));
    probe.net.SendPayload(BuildLogon("probe@list.test", "pw"));
    AwaitReplies(probe, 2);
    CMZimbrelUserNameList own;
    own.AddName("probe");
    std::vector<double> ownList, account;
    const auto end = Clock::now() + 20s;
    while (Clock::now() < end) {
        for (const bool small : {true, false}) {
            const auto start = Clock::now();
            probe.net.SendPayload(small ? BuildQuerySongList(own)
                                        : CFSerialData(std::string_view("\x09")));
            if (!AwaitReplies(probe, probe.replies.size() + 1))
                break;
            (small ? ownList : account).push_back(Milliseconds(Clock::now() - start));
            std::this_thread::sleep_for(20ms);
        }
    }
    stop = true;
    for (std::thread& lister : listers)
        lister.join();
    std::printf("Scenario 2: 100,000 songs, four clients listing them all without pause\n");
    std::printf("lists of every song answered: %d in 20 s\n", lists.load());
    PrintSpread("small request: the probe's own songs", ownList);
    PrintSpread("small request: Account", account);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string program = argc > 1 ? argv[1] : ZIMBREL_SERVER_PROGRAM;
    HeldSlots(program);
    LargeLists(program);
    return 0;
}
