// CFHostLookup: the IPv4 addresses of a host for a connecting socket. Dotted-decimal text is
// converted at once; a host name is looked up on a thread of its own, so that a slow or missing
// name server never holds up the thread that polls the socket.
#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The addresses of `host` (dotted-decimal text or a name) with `port`, waiting for the lookup.
std::vector<sockaddr_in> ResolveIPv4(const std::string& host, std::uint16_t port);

class CFHostLookup {
public:
    // Starts looking `host` up, dropping any lookup still running.
    void Start(const std::string& host, std::uint16_t port);
    // Forgets the lookup; a thread still running finishes on its own.
    void Cancel() { m_state.reset(); }
    bool IsRunning() const;
    // The addresses found, once the lookup is over (none for an unknown host); empties the list.
    std::vector<sockaddr_in> Take();

private:
    struct State;
    std::shared_ptr<State> m_state;
};
