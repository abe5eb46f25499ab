// CFSocket: an IPv4 TCP device, either a client that connects to an address and port or a
// listening server that accepts connections and polls each of them. Nothing blocks waiting for
// data: the owner calls Poll, which reads what has arrived, notices a peer that has gone (on the
// third poll in a row that finds the socket readable but empty) and accepts one connection.
#pragma once

#include "net/CFHostLookup.h"
#include "net/IFCommunicationDevice.h"

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CFSerialData;
class IFSerializable;

class CFSocket : public IFCommunicationDevice {
public:
    // How long a client waits for a connection, and for a stalled send to make progress.
    static constexpr int kConnectTimeoutMs = 5000;
    static constexpr int kSendTimeoutMs = 10000;
    // What an accepted connection may hold of replies its peer has not read yet.
    static constexpr std::size_t kMaxQueuedOutput = 32 * 1024 * 1024;

    CFSocket() = default;
    ~CFSocket() override;
    CFSocket(const CFSocket&) = delete;
    CFSocket& operator=(const CFSocket&) = delete;

    // Listen mode binds to the address and port and listens. Client mode resolves the address
    // (dotted-decimal or a host name) and connects within kConnectTimeoutMs, or, set to connect
    // without waiting, only starts that. Answers false, with the device closed, on any failure.
    bool Open() override;
    // Closes every accepted connection first, then this socket.
    void Close() override;
    std::int32_t Receive(std::uint8_t* buffer, std::int32_t count) override;
    // Never cuts a message short. A client that waits for its connect also sends every byte
    // before it returns, waiting while the system's buffer is full; an accepted connection and a
    // client that connects without waiting queue what the system does not take at once and send
    // it from Poll, so neither a server nor a window ever waits for one slow peer. When the bytes
    // cannot all go out the connection is shut down (Poll then reports the peer gone) and the
    // answer is -1.
    std::int32_t Send(const std::uint8_t* data, std::int32_t count) override;
    std::int32_t GetReceivableSize() override;
    void Poll() override;

    // Sends the object's encoding; false when it could not go out whole.
    bool SendObject(const IFSerializable& object);
    // Sends a message payload as a frame: its length as a variable-length quantity, then its bytes.
    virtual bool SendPayload(const CFSerialData& payload);

    // Set before Open.
    void SetListen(bool listen) { m_listen = listen; }
    // A client that never waits: Open starts the connect (a host name is looked up on a thread
    // of its own) and Poll finishes it, raising OnConnected once the connection stands, or
    // OnDisconnected, with the device closed, when none came about within the time-out. What is
    // sent meanwhile, and what a slow peer does not take at once, waits in the output queue.
    void SetConnectWithoutWaiting(bool noWait) { m_connectWithoutWaiting = noWait; }
    void SetConnectTimeout(std::chrono::milliseconds timeout) { m_connectTimeout = timeout; }
    void SetAddress(std::string_view address) { m_address = address; }
    void SetPort(std::uint16_t port) { m_port = port; }

    bool IsOpen() const { return m_socket >= 0; }
    // A connect started without waiting and not finished yet.
    bool IsConnecting() const { return m_connecting; }
    // The peer's address as dotted-decimal text, or what the owner set.
    const std::string& GetAddress() const { return m_address; }
    // The peer's port in host order, or what the owner set.
    std::uint16_t GetPort() const { return m_port; }
    // The port this socket is bound to (for a listener opened on port 0, the one the system chose).
    std::uint16_t GetLocalPort() const;
    std::int32_t GetClientCount() const { return static_cast<std::int32_t>(m_clients.size()); }
    // Waits until this device or one of its connections has something for Poll (or one of
    // `extraFds` is readable), for at most `timeoutMs`.
    void WaitForActivity(int timeoutMs, std::initializer_list<int> extraFds = {}) const;

protected:
    // Raised from Poll on the device concerned.
    virtual void OnConnected() = 0;
    virtual void OnDisconnected() = 0;
    virtual void OnReceive() = 0;
    virtual void OnError(std::int32_t code) = 0;
    // A freshly constructed device of the same most-derived class, for an accepted connection.
    virtual std::unique_ptr<CFSocket> CreateInstance() const = 0;

private:
    bool OpenListener();
    bool OpenClient();
    bool StartConnect();
    bool ContinueConnect();
    void PollConnect();
    void PollClient();
    void PollListener();
    void Accept();
    bool IsReadable() const;
    bool SendNow(const std::uint8_t* data, std::size_t count);
    bool FlushQueue();
    void ShutDown();

    int m_socket = -1;
    std::vector<std::unique_ptr<CFSocket>> m_clients;
    bool m_listen = false;
    std::string m_address = "127.0.0.1";
    std::uint16_t m_port = 0;
    std::int32_t m_emptyCount = 0;
    // Accepted connections queue what the system does not take at once.
    bool m_queueOutput = false;
    std::string m_queued;
    std::size_t m_queuedSent = 0;
    // A client that connects without waiting.
    bool m_connectWithoutWaiting = false;
    bool m_connecting = false;
    std::chrono::milliseconds m_connectTimeout{kConnectTimeoutMs};
    std::chrono::steady_clock::time_point m_connectDeadline;
    CFHostLookup m_lookup;
    std::vector<sockaddr_in> m_addressesToTry;
};
