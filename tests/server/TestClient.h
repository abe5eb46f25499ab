// TestClient: a song-server client for tests and measurements, built on the protocol classes
// alone. Every reply (see ReplyRecorder) and connection event becomes one line in `replies`.
// AddressedClient: a connection from a chosen loopback address (all of 127.0.0.0/8 is local), for
// the rules that count addresses; it reads replies without blocking.
#pragma once

#include "net/CMZimbrelNet.h"
#include "tests/net/ReplyRecorder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class TestClient : public IFCommunicationDeviceEvent, public ReplyRecorder {
public:
    CMZimbrelNet net;

    TestClient()
    {
        net.SetEventSink(this);
        net.SetNetEvent(this);
    }
    bool Connect(std::uint16_t port)
    {
        net.SetAddress("127.0.0.1");
        net.SetPort(port);
        return net.Open();
    }
    // Sends raw bytes, as a broken or hostile client would.
    void SendRaw(const std::string& bytes)
    {
        net.Send(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                 static_cast<std::int32_t>(bytes.size()));
    }

    void OnConnected(CFSocketEx&) override {}
    void OnDisconnected(CFSocketEx&) override { replies.push_back("disconnected"); }
    void OnReceive(CFSocketEx& device) override
    {
        CFSerialData payload = device.PopMessage();
        if (!net.Dispatch(device, payload))
            replies.push_back("malformed " + payload.ToHex());
    }
    void OnError(CFSocketEx&, std::int32_t code) override
    {
        replies.push_back("error " + std::to_string(code));
    }
};

// Polls the client until it holds `count` replies or `limit` passes; answers whether it does.
inline bool AwaitReplies(TestClient& client, std::size_t count,
                         std::chrono::steady_clock::duration limit = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (client.replies.size() < count && std::chrono::steady_clock::now() < deadline) {
        client.net.WaitForActivity(5);
        client.net.Poll();
    }
    return client.replies.size() >= count;
}

class AddressedClient {
public:
    // Connects from `localAddress` to the server on 127.0.0.1; IsOpen tells whether it worked.
    AddressedClient(const char* localAddress, std::uint16_t port)
        : m_fd(socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        inet_pton(AF_INET, localAddress, &local.sin_addr);
        sockaddr_in server = local;
        server.sin_port = htons(port);
        inet_pton(AF_INET, "127.0.0.1", &server.sin_addr);
        if (bind(m_fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
            connect(m_fd, reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0) {
            close(m_fd);
            m_fd = -1;
        }
    }
    ~AddressedClient()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    AddressedClient(const AddressedClient&) = delete;
    AddressedClient& operator=(const AddressedClient&) = delete;

    bool IsOpen() const { return m_fd >= 0 && !m_closed; }
    void Send(const CFSerialData& payload)
    {
        const CFSerialData frame = payload.Serialize();
        send(m_fd, frame.GetData(), static_cast<std::size_t>(frame.GetLength()), MSG_NOSIGNAL);
    }
    void SendRaw(const std::string& bytes) { send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
    // The payload of the next reply in hexadecimal ("0201" is LogonOK 1), "closed" once the
    // server has closed the connection, or an empty text while nothing more has come.
    std::string TakeReply()
    {
        char bytes[4096];
        ssize_t got = -1;
        while (m_fd >= 0 && (got = recv(m_fd, bytes, sizeof bytes, MSG_DONTWAIT)) != 0) {
            if (got < 0)
                break;
            m_received.Append(reinterpret_cast<const std::uint8_t*>(bytes),
                              static_cast<std::int32_t>(got));
        }
        const CFSerialData reply = m_received.ExtractFrame();
        if (!reply.IsEmpty())
            return reply.ToHex();
        m_closed = m_closed || (m_fd >= 0 && got == 0);
        return m_closed ? "closed" : "";
    }

private:
    int m_fd;
    bool m_closed = false;
    CFSerialData m_received;
};
