// CFSocket: see CFSocket.h. POSIX sockets; every socket is non-blocking and waits, where waiting
// is wanted, happen in poll() with a time-out, which also has no limit on descriptor numbers.
#include "net/CFSocket.h"

#include "net/CFSerialData.h"
#include "net/IFSerializable.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsUntil(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

int NewSocket()
{
    return socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

void DisableNagle(int fd)
{
    // Requests and replies are small and answered at once: do not hold them back.
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool ConnectBefore(int fd, const sockaddr_in& address, Clock::time_point deadline)
{
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return true;
    if (errno != EINPROGRESS)
        return false;
    pollfd entry{fd, POLLOUT, 0};
    int ready;
    do {
        ready = poll(&entry, 1, MillisecondsUntil(deadline));
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0)
        return false;
    int error = 0;
    socklen_t length = sizeof error;
    return getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

enum class ConnectState { Waiting, Done, Failed };

// Where a connect started without waiting stands, asked without waiting.
ConnectState ConnectStateOf(int fd)
{
    pollfd entry{fd, POLLOUT, 0};
    if (poll(&entry, 1, 0) <= 0)
        return ConnectState::Waiting;
    int error = 0;
    socklen_t length = sizeof error;
    const bool connected = getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
    return connected ? ConnectState::Done : ConnectState::Failed;
}

}  // namespace

CFSocket::~CFSocket()
{
    Close();
}

bool CFSocket::Open()
{
    Close();
    const bool opened = m_listen                  ? OpenListener()
                        : m_connectWithoutWaiting ? StartConnect()
                                                  : OpenClient();
    if (!opened)
        Close();
    return opened;
}

bool CFSocket::OpenListener()
{
    const std::vector<sockaddr_in> addresses = ResolveIPv4(m_address, m_port);
    if (addresses.empty())
        return false;
    m_socket = NewSocket();
    if (m_socket < 0)
        return false;
    // A restarted server must not wait for the old connections' TIME_WAIT to end.
    const int on = 1;
    setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    return bind(m_socket, reinterpret_cast<const sockaddr*>(&addresses.front()),
                sizeof addresses.front()) == 0 &&
           listen(m_socket, SOMAXCONN) == 0;
}

bool CFSocket::OpenClient()
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kConnectTimeoutMs);
    for (const sockaddr_in& address : ResolveIPv4(m_address, m_port)) {
        if (Clock::now() >= deadline)
            break;
        m_socket = NewSocket();
        if (m_socket < 0)
            return false;
        if (ConnectBefore(m_socket, address, deadline)) {
            DisableNagle(m_socket);
            return true;
        }
        close(m_socket);
        m_socket = -1;
    }
    return false;
}

bool CFSocket::StartConnect()
{
    m_connectDeadline = Clock::now() + m_connectTimeout;
    m_lookup.Start(m_address, m_port);
    m_connecting = true;
    m_queueOutput = true;
    return ContinueConnect();
}

// Moves a connect started without waiting on: takes the addresses once looked up and tries each
// in turn. Answers false when no connection can come about any more.
bool CFSocket::ContinueConnect()
{
    if (m_lookup.IsRunning())
        return Clock::now() < m_connectDeadline;
    for (const sockaddr_in& address : m_lookup.Take())
        m_addressesToTry.push_back(address);
    if (m_socket >= 0) {
        const ConnectState state = ConnectStateOf(m_socket);
        if (state == ConnectState::Done) {
            m_connecting = false;
            DisableNagle(m_socket);
            return true;
        }
        if (state == ConnectState::Waiting && Clock::now() < m_connectDeadline)
            return true;
        close(m_socket);
        m_socket = -1;
    }
    while (!m_addressesToTry.empty() && Clock::now() < m_connectDeadline) {
        const sockaddr_in address = m_addressesToTry.front();
        m_addressesToTry.erase(m_addressesToTry.begin());
        m_socket = NewSocket();
        if (m_socket < 0)
            return false;
        if (connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            m_connecting = false;
            DisableNagle(m_socket);
            return true;
        }
        if (errno == EINPROGRESS)
            return true;
        close(m_socket);
        m_socket = -1;
    }
    return false;
}

void CFSocket::PollConnect()
{
    if (!ContinueConnect()) {
        Close();
        OnDisconnected();
    } else if (!m_connecting) {
        if (!FlushQueue())
            ShutDown();
        OnConnected();
    }
}

void CFSocket::Close()
{
    m_connecting = false;
    m_lookup.Cancel();
    m_addressesToTry.clear();
    for (const auto& client : m_clients)
        client->Close();
    m_clients.clear();
    if (m_socket >= 0) {
        close(m_socket);
        m_socket = -1;
    }
    m_emptyCount = 0;
    m_queued.clear();
    m_queuedSent = 0;
}

std::int32_t CFSocket::Receive(std::uint8_t* buffer, std::int32_t count)
{
    if (m_socket < 0)
        return -1;
    ssize_t received;
    do {
        received = recv(m_socket, buffer, static_cast<std::size_t>(std::max(count, 0)), 0);
    } while (received < 0 && errno == EINTR);
    return static_cast<std::int32_t>(received);
}

std::int32_t CFSocket::Send(const std::uint8_t* data, std::int32_t count)
{
    if (m_socket < 0 && !m_connecting)
        return -1;
    const std::size_t size = count > 0 ? static_cast<std::size_t>(count)
                                       : std::strlen(reinterpret_cast<const char*>(data));
    if (m_queueOutput) {
        m_queued.append(reinterpret_cast<const char*>(data), size);
        if (!FlushQueue() || m_queued.size() - m_queuedSent > kMaxQueuedOutput) {
            ShutDown();
            return -1;
        }
    } else if (!SendNow(data, size)) {
        ShutDown();
        return -1;
    }
    return static_cast<std::int32_t>(size);
}

bool CFSocket::SendNow(const std::uint8_t* data, std::size_t count)
{
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kSendTimeoutMs);
    while (count > 0) {
        const ssize_t sent = send(m_socket, data, count, MSG_NOSIGNAL);
        if (sent > 0) {
            data += sent;
            count -= static_cast<std::size_t>(sent);
            deadline = Clock::now() + std::chrono::milliseconds(kSendTimeoutMs);
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        pollfd entry{m_socket, POLLOUT, 0};
        if (poll(&entry, 1, MillisecondsUntil(deadline)) == 0)
            return false;
    }
    return true;
}

bool CFSocket::FlushQueue()
{
    if (m_connecting)
        return true;  // sent once connected
    while (m_queuedSent < m_queued.size()) {
        const ssize_t sent = send(m_socket, m_queued.data() + m_queuedSent,
                                  m_queued.size() - m_queuedSent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            m_queuedSent += static_cast<std::size_t>(sent);
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            return false;
        }
    }
    if (m_queuedSent == m_queued.size()) {
        m_queued.clear();
        m_queuedSent = 0;
    } else if (m_queuedSent * 2 >= m_queued.size()) {
        m_queued.erase(0, m_queuedSent);
        m_queuedSent = 0;
    }
    return true;
}

void CFSocket::ShutDown()
{
    // The peer-gone test of Poll then sees the end of the stream and reports it as usual.
    shutdown(m_socket, SHUT_RDWR);
    m_queued.clear();
    m_queuedSent = 0;
}

std::int32_t CFSocket::GetReceivableSize()
{
    if (m_socket < 0)
        return -1;
    int waiting = 0;
    if (ioctl(m_socket, FIONREAD, &waiting) != 0)
        return -2;
    return waiting;
}

bool CFSocket::SendObject(const IFSerializable& object)
{
    const CFSerialData encoding = object.Serialize();
    if (encoding.IsEmpty())
        return true;
    return Send(encoding.GetData(), encoding.GetLength()) == encoding.GetLength();
}

bool CFSocket::SendPayload(const CFSerialData& payload)
{
    return SendObject(payload);
}

void CFSocket::Poll()
{
    if (m_connecting) {
        PollConnect();
        return;
    }
    if (m_socket < 0)
        return;
    if (m_listen)
        PollListener();
    else
        PollClient();
}

void CFSocket::PollClient()
{
    if (m_queueOutput && !FlushQueue())
        ShutDown();
    const std::int32_t waiting = GetReceivableSize();
    if (waiting > 0) {
        m_emptyCount = 0;
        OnReceive();
        return;
    }
    // Readable with nothing to read: the peer has closed (or the connection broke). Three polls
    // in a row make sure it is not a passing state.
    if (!IsReadable()) {
        m_emptyCount = 0;
        return;
    }
    if (++m_emptyCount >= 3) {
        Close();
        OnDisconnected();
    }
}

void CFSocket::PollListener()
{
    std::erase_if(m_clients, [](const auto& client) { return !client->IsOpen(); });
    // Index-based: a connection's events may not add connections, but they run owner code.
    for (std::size_t i = 0; i < m_clients.size(); ++i)
        m_clients[i]->Poll();
    if (IsReadable())
        Accept();
}

void CFSocket::Accept()
{
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const int fd = accept4(m_socket, reinterpret_cast<sockaddr*>(&peer), &length,
                           SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0)
        return;
    DisableNagle(fd);
    std::unique_ptr<CFSocket> client = CreateInstance();
    client->m_socket = fd;
    client->m_queueOutput = true;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&peer.sin_addr.s_addr);
    char address[16];
    std::snprintf(address, sizeof address, "%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
    client->m_address = address;
    client->m_port = ntohs(peer.sin_port);
    CFSocket& accepted = *client;
    m_clients.push_back(std::move(client));
    accepted.OnConnected();
}

bool CFSocket::IsReadable() const
{
    pollfd entry{m_socket, POLLIN, 0};
    return poll(&entry, 1, 0) > 0 && (entry.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

std::uint16_t CFSocket::GetLocalPort() const
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (m_socket < 0 || getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

void CFSocket::WaitForActivity(int timeoutMs, std::initializer_list<int> extraFds) const
{
    std::vector<pollfd> entries;
    const auto watch = [&entries](const CFSocket& device) {
        if (device.m_socket < 0)
            return;
        const bool writing = device.m_connecting || device.m_queued.size() > device.m_queuedSent;
        const short writable = writing ? POLLOUT : 0;
        entries.push_back({device.m_socket, static_cast<short>(POLLIN | writable), 0});
    };
    watch(*this);
    for (const auto& client : m_clients)
        watch(*client);
    for (const int fd : extraFds) {
        if (fd >= 0)
            entries.push_back({fd, POLLIN, 0});
    }
    poll(entries.data(), entries.size(), timeoutMs);
}
