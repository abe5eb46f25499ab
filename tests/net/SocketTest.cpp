// The socket device on loopback: frames split over reads and several in one read, the closed-peer
// test on the third poll, the stale-frame discard (and none on an idle connection), the frame
// deadline, the frame limit, sends that never cut a frame, accepting one connection a poll, and
// connect failures.
#include "net/CFSocketEx.h"
#include "tests/net/LoopbackSocket.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;

void Write(int fd, const std::string& bytes)
{
    ASSERT_EQ(send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(bytes.size()));
}

// Writes every event as one line; takes each frame with PopMessage.
class RecordingSink : public IFCommunicationDeviceEvent {
public:
    std::vector<std::string> events;

    void OnConnected(CFSocketEx& device) override
    {
        events.push_back("connected " + device.GetAddress() + " " +
                         std::to_string(device.GetPort()));
    }
    void OnDisconnected(CFSocketEx& device) override
    {
        events.push_back(device.IsOpen() ? "disconnected, still open" : "disconnected");
    }
    void OnReceive(CFSocketEx& device) override
    {
        events.push_back("frame " + device.PopMessage().ToHex());
    }
    void OnError(CFSocketEx&, std::int32_t code) override
    {
        events.push_back("error " + std::to_string(code));
    }
    std::vector<std::string> Take() { return std::exchange(events, {}); }
};

// A framed client device whose clock the test moves.
class TestDevice : public CFSocketEx {
public:
    Clock::time_point now = Clock::now();

protected:
    Clock::time_point Now() const override { return now; }
};

// A client device connected to a socket of the test's own.
struct ConnectedClient {
    Fd listener{ListenOnLoopback()};
    TestDevice device;
    RecordingSink sink;
    Fd peer;

    ConnectedClient()
    {
        device.SetEventSink(&sink);
        device.SetAddress("127.0.0.1");
        device.SetPort(LocalPort(listener.Get()));
        EXPECT_TRUE(device.Open());
        peer.Reset(accept(listener.Get(), nullptr, nullptr));
    }

    // Sends bytes from the peer and polls once they have all arrived.
    std::vector<std::string> Deliver(const std::string& bytes)
    {
        const std::int32_t before = device.GetReceivableSize();
        Write(peer.Get(), bytes);
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (device.GetReceivableSize() < before + static_cast<std::int32_t>(bytes.size()) &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        device.Poll();
        return sink.Take();
    }
};

using Events = std::vector<std::string>;

}  // namespace

TEST(Socket, FramesSplitOverReadsAndSeveralInOneRead)
{
    ConnectedClient client;
    EXPECT_EQ(client.Deliver(B("\005abc")), Events{});
    EXPECT_EQ(client.device.GetBufferedSize(), 4);
    EXPECT_EQ(client.Deliver("de"), Events{"frame 6162636465"});
    EXPECT_EQ(client.device.GetBufferedSize(), 0);

    EXPECT_EQ(client.Deliver(B("\x02xy\x01z\x00")), (Events{"frame 7879", "frame 7A", "frame "}));

    // As many bytes as the payload length, but not the header as well: wait.
    EXPECT_EQ(client.Deliver(B("\003ab")), Events{});
    EXPECT_EQ(client.Deliver("c"), Events{"frame 616263"});

    // A frame with a two-byte header, in three pieces.
    const std::string payload(200, '\x11');
    EXPECT_EQ(client.Deliver(B("\x81")), Events{});
    EXPECT_EQ(client.Deliver(B("\x48") + payload.substr(0, 199)), Events{});
    EXPECT_EQ(client.Deliver(payload.substr(199)), Events{"frame " + std::string(400, '1')});
}

TEST(Socket, PeerGoneIsReportedOnTheThirdPoll)
{
    ConnectedClient client;
    for (int i = 0; i < 5; ++i)
        client.device.Poll();  // idle, not readable: nothing counts
    EXPECT_EQ(client.sink.Take(), Events{});

    client.peer.Reset();
    client.device.WaitForActivity(2000);
    client.device.Poll();
    client.device.Poll();
    EXPECT_EQ(client.sink.Take(), Events{});
    EXPECT_TRUE(client.device.IsOpen());
    client.device.Poll();
    EXPECT_EQ(client.sink.Take(), Events{"disconnected"});
    EXPECT_FALSE(client.device.IsOpen());
    client.device.Poll();
    EXPECT_EQ(client.sink.Take(), Events{});
    EXPECT_EQ(client.device.Receive(nullptr, 0), -1);
    EXPECT_EQ(client.device.Send(reinterpret_cast<const std::uint8_t*>("x"), 1), -1);
    EXPECT_EQ(client.device.GetReceivableSize(), -1);
}

TEST(Socket, DataBeforeTheCloseIsStillDelivered)
{
    ConnectedClient client;
    Write(client.peer.Get(), B("\x02\x02\x00"));
    client.peer.Reset();
    client.device.WaitForActivity(2000);
    Events events;
    for (int i = 0; i < 4; ++i) {
        client.device.Poll();
        for (const std::string& event : client.sink.Take())
            events.push_back(event);
    }
    EXPECT_EQ(events, (Events{"frame 0200", "disconnected"}));
}

TEST(Socket, StalePartialFrameIsDiscardedAfterTwoSeconds)
{
    ConnectedClient client;
    // An idle connection with nothing buffered is not an error, however long it waits.
    client.device.now += 10s;
    client.device.Poll();
    EXPECT_EQ(client.sink.Take(), Events{});

    EXPECT_EQ(client.Deliver(B("\005ab")), Events{});
    client.device.now += 1999ms;
    client.device.Poll();
    EXPECT_EQ(client.sink.Take(), Events{});
    EXPECT_EQ(client.device.GetBufferedSize(), 3);
    client.device.now += 1ms;
    client.device.Poll();
    EXPECT_EQ(client.sink.Take(), Events{"error 0"});
    EXPECT_EQ(client.device.GetBufferedSize(), 0);
    EXPECT_TRUE(client.device.IsOpen());

    // A header that can never end is dropped the same way.
    EXPECT_EQ(client.Deliver(B("\x80\x80\x80\x80")), Events{});
    client.device.now += 2s;
    client.device.Poll();
    EXPECT_EQ(client.sink.Take(), Events{"error 0"});

    EXPECT_EQ(client.Deliver(B("\x01z")), Events{"frame 7A"});
}

TEST(Socket, AFrameDrippedByteByByteMissesItsDeadline)
{
    // Ten seconds for a frame, and a second more for every 64 KiB it announces: a byte every
    // 1.5 s never goes stale, but the frame is dropped when its time is up.
    for (const auto& [header, allowed] : {std::pair{B("\x40"), 10s}, {B("\x84\x80\x00"), 11s}}) {
        ConnectedClient client;
        client.device.SetFrameDeadline(10s);
        EXPECT_EQ(client.Deliver(header + "a"), Events{});
        auto elapsed = 0ms;
        while (elapsed + 1500ms < allowed) {
            client.device.now += 1500ms;
            elapsed += 1500ms;
            EXPECT_EQ(client.Deliver("b"), Events{}) << elapsed.count();
        }
        client.device.now += allowed - elapsed;
        client.device.Poll();
        EXPECT_EQ(client.sink.Take(), Events{"error 2"});
        EXPECT_EQ(client.device.GetBufferedSize(), 0);
    }
}

TEST(Socket, FrameAnnouncedTooLargeClosesTheConnection)
{
    // 16 MiB is the client's limit by default: one byte more is refused before it arrives.
    ConnectedClient largest;
    EXPECT_EQ(largest.Deliver(B("\x88\x80\x80\x00")), Events{});
    EXPECT_TRUE(largest.device.IsOpen());
    ConnectedClient client;
    EXPECT_EQ(client.Deliver(B("\x88\x80\x80\x01")), (Events{"error 1", "disconnected"}));
    EXPECT_FALSE(client.device.IsOpen());
    EXPECT_EQ(client.device.GetBufferedSize(), 0);

    ConnectedClient small;
    small.device.SetMaxFrameSize(4);
    EXPECT_EQ(small.Deliver(B("\004abcd")), Events{"frame 61626364"});
    EXPECT_EQ(small.Deliver(B("\x05")), (Events{"error 1", "disconnected"}));
}

TEST(Socket, FramesWithoutASinkAreDropped)
{
    ConnectedClient client;
    client.device.SetEventSink(nullptr);
    client.Deliver(B("\001a\001b"));
    EXPECT_EQ(client.device.GetBufferedSize(), 0);
}

TEST(Socket, ClientSendsEveryByteOfALargeFrame)
{
    ConnectedClient client;
    std::string payload(6 * 1024 * 1024 + 3, '\0');
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>(i * 7 + i / 251);
    std::string received;
    std::thread reader([&] { received = ReadExactly(client.peer.Get(), payload.size() + 4); });
    EXPECT_TRUE(client.device.SendPayload(CFSerialData(std::string_view(payload))));
    reader.join();
    ASSERT_EQ(received.size(), payload.size() + 4);
    EXPECT_EQ(received.substr(0, 4), B("\x83\x80\x80\x03"));
    EXPECT_TRUE(received.substr(4) == payload);

    // A count of 0 sends the bytes up to the first zero byte.
    EXPECT_EQ(client.device.Send(reinterpret_cast<const std::uint8_t*>("ab\0cd"), 0), 2);
    EXPECT_EQ(ReadExactly(client.peer.Get(), 2), "ab");
}

TEST(Socket, ListenerAcceptsOneConnectionAPollAndQueuesReplies)
{
    // Answers every frame with a reply far larger than the system's buffers.
    class Replier : public RecordingSink {
    public:
        std::string reply = std::string(8 * 1024 * 1024, 'r');
        void OnReceive(CFSocketEx& device) override
        {
            events.push_back("request " + device.PopMessage().ToHex());
            EXPECT_TRUE(device.SendPayload(CFSerialData(std::string_view(reply))));
        }
    } sink;
    CFSocketEx listener;
    listener.SetEventSink(&sink);
    listener.SetListen(true);
    listener.SetAddress("127.0.0.1");
    listener.SetPort(0);
    ASSERT_TRUE(listener.Open());
    const std::uint16_t port = listener.GetLocalPort();
    ASSERT_NE(port, 0);

    Fd first(ConnectTo(port));
    Fd second(ConnectTo(port));
    listener.WaitForActivity(2000);
    listener.Poll();
    EXPECT_EQ(sink.Take(), Events{"connected 127.0.0.1 " + std::to_string(LocalPort(first.Get()))});
    listener.Poll();
    EXPECT_EQ(sink.Take(),
              Events{"connected 127.0.0.1 " + std::to_string(LocalPort(second.Get()))});
    EXPECT_EQ(listener.GetClientCount(), 2);

    // The reply is queued and goes out from later polls.
    Write(first.Get(), B("\x01?"));
    std::string received;
    std::atomic<bool> done = false;
    std::thread reader([&] {
        received = ReadExactly(first.Get(), sink.reply.size() + 4);
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!done && std::chrono::steady_clock::now() < deadline) {
        listener.WaitForActivity(50);
        listener.Poll();
    }
    if (!done)
        shutdown(first.Get(), SHUT_RDWR);  // let the reader return
    reader.join();
    EXPECT_EQ(received.size(), sink.reply.size() + 4);
    EXPECT_EQ(sink.Take(), Events{"request 3F"});
    EXPECT_EQ(received.substr(0, 4), B("\x84\x80\x80\x00"));

    // A peer that goes away is reported and its connection removed on a later poll.
    second.Reset();
    for (int i = 0; i < 5; ++i) {
        listener.WaitForActivity(100);
        listener.Poll();
    }
    EXPECT_EQ(listener.GetClientCount(), 1);
    listener.Close();
    EXPECT_EQ(listener.GetClientCount(), 0);
    EXPECT_FALSE(listener.IsOpen());
}

TEST(Socket, OpenFailsCleanly)
{
    TestDevice device;
    Fd unused(socket(AF_INET, SOCK_STREAM, 0));
    const sockaddr_in any = Loopback(0);
    bind(unused.Get(), reinterpret_cast<const sockaddr*>(&any), sizeof any);
    device.SetPort(LocalPort(unused.Get()));  // bound but not listening: refused
    EXPECT_FALSE(device.Open());
    EXPECT_FALSE(device.IsOpen());

    device.SetAddress("no-such-host.invalid");
    EXPECT_FALSE(device.Open());
    device.SetAddress("localhost");
    Fd listener(ListenOnLoopback());
    device.SetPort(LocalPort(listener.Get()));
    EXPECT_TRUE(device.Open());

    CFSocketEx busy;
    busy.SetListen(true);
    busy.SetAddress("127.0.0.1");
    busy.SetPort(LocalPort(listener.Get()));
    EXPECT_FALSE(busy.Open());  // the port is taken
}

TEST(Socket, ConnectGivesUpAfterItsTimeOut)
{
    // A listener that never accepts and whose queue is full drops further connection requests,
    // as an unreachable host would.
    Fd listener(ListenOnLoopback(0));
    const std::uint16_t port = LocalPort(listener.Get());
    std::vector<std::unique_ptr<Fd>> queued;
    for (int i = 0; i < 4; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        const sockaddr_in address = Loopback(port);
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        queued.push_back(std::make_unique<Fd>(fd));
    }
    TestDevice device;
    device.SetPort(port);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(device.Open());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 15s);
    EXPECT_FALSE(device.IsOpen());

    // Without waiting, Open only starts the connect; Poll gives up after the time-out.
    RecordingSink sink;
    device.SetEventSink(&sink);
    device.SetConnectWithoutWaiting(true);
    device.SetConnectTimeout(300ms);
    ASSERT_TRUE(device.Open());
    EXPECT_TRUE(device.IsConnecting());
    while (device.IsConnecting())
        device.Poll();
    EXPECT_EQ(sink.Take(), Events{"disconnected"});
}

TEST(Socket, ConnectWithoutWaitingSendsWhatWasQueuedOnceConnected)
{
    Fd listener(ListenOnLoopback());
    TestDevice device;
    RecordingSink sink;
    device.SetEventSink(&sink);
    device.SetConnectWithoutWaiting(true);
    device.SetAddress("localhost");  // looked up on a thread of its own
    device.SetPort(LocalPort(listener.Get()));
    ASSERT_TRUE(device.Open());
    EXPECT_TRUE(device.SendPayload(CFSerialData(std::string_view("hi"))));
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (device.IsConnecting() && std::chrono::steady_clock::now() < deadline) {
        device.WaitForActivity(10);
        device.Poll();
    }
    EXPECT_EQ(sink.Take(),
              Events{"connected localhost " + std::to_string(LocalPort(listener.Get()))});
    Fd peer(accept(listener.Get(), nullptr, nullptr));
    EXPECT_EQ(ReadExactly(peer.Get(), 3), "\x02hi");
}
