// CFHostLookup: see CFHostLookup.h.
#include "net/CFHostLookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <mutex>
#include <thread>
#include <utility>

struct CFHostLookup::State {
    std::mutex mutex;
    bool running = false;
    std::vector<sockaddr_in> addresses;
};

std::vector<sockaddr_in> ResolveIPv4(const std::string& host, std::uint16_t port)
{
    std::vector<sockaddr_in> addresses;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) == 1) {
        addresses.push_back(address);
        return addresses;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0)
        return addresses;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        address.sin_addr = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr;
        addresses.push_back(address);
    }
    freeaddrinfo(found);
    return addresses;
}

void CFHostLookup::Start(const std::string& host, std::uint16_t port)
{
    m_state = std::make_shared<State>();
    in_addr dotted{};
    if (inet_pton(AF_INET, host.c_str(), &dotted) == 1) {
        m_state->addresses = ResolveIPv4(host, port);
        return;
    }
    m_state->running = true;
    // The thread shares the state, so a lookup that is cancelled or outlived ends harmlessly.
    std::thread([state = m_state, host, port] {
        std::vector<sockaddr_in> addresses = ResolveIPv4(host, port);
        const std::lock_guard<std::mutex> lock(state->mutex);
        state->addresses = std::move(addresses);
        state->running = false;
    }).detach();
}

bool CFHostLookup::IsRunning() const
{
    if (!m_state)
        return false;
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->running;
}

std::vector<sockaddr_in> CFHostLookup::Take()
{
    if (!m_state)
        return {};
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    return std::exchange(m_state->addresses, {});
}
