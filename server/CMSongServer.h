// CMSongServer: the song server's conversation with its clients. It listens with the protocol
// classes the client uses, keeps one session per connection (its log-on, its failed attempts, the
// requests waiting their turn) and answers Register, Logon, QuerySongList, Download, Upload and
// Account from the song store. Requests of one connection are answered in order; no connection
// can stall the others: password hashing runs on worker threads, replies are queued, and repeated
// failed log-ons, floods, idle connections and too many connections are limited.
#pragma once

#include "net/CMAccountRules.h"
#include "net/CMZimbrelNet.h"
#include "server/CMPasswordHasher.h"
#include "server/CMSongStore.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>

struct CMServerOptions {
    std::string address = "127.0.0.1";
    std::uint16_t port = 11111;
    std::string databasePath = "./zimbrel-server.sqlite";
    int maxConnections = 256;
    std::chrono::seconds idleTimeout{300};
    CMPasswordHasher::Cost passwordCost = CMPasswordHasher::Cost::Interactive;
    int hashThreads = 2;
    // Failed log-ons a connection may make at full speed; each further one is answered after a
    // delay that starts at logonDelay and doubles, up to kMaxLogonDelay.
    int freeLogonFailures = 5;
    std::chrono::milliseconds logonDelay{1000};
    // One line per connection and request; none when null.
    std::FILE* log = stdout;
};

class CMSongServer : private IFCommunicationDeviceEvent, private IMZimbrelNetEvent {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kMaxLogonDelay = std::chrono::seconds(30);
    // What one connection may have waiting before it is dropped as a flood.
    static constexpr std::size_t kMaxWaitingRequests = 64;
    static constexpr std::size_t kMaxWaitingBytes = 8 * 1024 * 1024;
    // The names of one Download request that are looked up.
    static constexpr std::int32_t kMaxNamesPerDownload = 1000;

    explicit CMSongServer(CMServerOptions options);
    ~CMSongServer() override;

    // Opens the database and starts listening; false with the reason in `error`.
    bool Start(std::string& error);
    // The port the server listens on (the system's choice when asked for port 0).
    std::uint16_t GetPort() const { return m_listener.GetLocalPort(); }
    std::size_t GetSessionCount() const { return m_sessions.size(); }
    // Waits for activity for at most `wait`, then does everything that is due.
    void RunOnce(std::chrono::milliseconds wait);

protected:
    // The time for idle connections and slowed log-ons; tests replace it.
    virtual Clock::time_point Now() const { return Clock::now(); }

private:
    enum class PasswordJob { None, Logon, Register };

    struct Session {
        std::uint64_t id = 0;
        std::int64_t userRow = 0;  // 0 while not logged on
        std::string userId;
        int failedLogons = 0;
        Clock::time_point lastRequest;
        Clock::time_point resumeAt;  // no request is handled before this time
        std::deque<CFSerialData> waiting;
        std::size_t waitingBytes = 0;
        PasswordJob job = PasswordJob::None;
        CMStoredUser logonUser;       // the account of a log-on being checked (row 0: none)
        CMRegistration registration;  // the account being registered (password not kept)
        std::optional<CFSerialData> heldReply;  // a slowed log-on's answer, sent at resumeAt
    };

    // IFCommunicationDeviceEvent
    void OnConnected(CFSocketEx& device) override;
    void OnDisconnected(CFSocketEx& device) override;
    void OnReceive(CFSocketEx& device) override;
    void OnError(CFSocketEx& device, std::int32_t code) override;
    // IMZimbrelNetEvent: the requests
    void OnLogon(CFSocketEx& device, const std::string& email,
                 const std::string& password) override;
    void OnRegister(CFSocketEx& device, const std::string& userId, const std::string& email,
                    const std::string& password) override;
    void OnQuerySongList(CFSocketEx& device, const CMZimbrelUserNameList& userIds) override;
    void OnDownload(CFSocketEx& device, const CMZimbrelSongNameList& names) override;
    void OnUpload(CFSocketEx& device, CFSerialData& payload) override;
    void OnAccount(CFSocketEx& device, CFSerialData& payload) override;
    void OnUnknown(CFSocketEx& device, CFSerialData& payload) override;

    // Handles the session's waiting requests while it may; false when the connection must go.
    bool Serve(CFSocketEx& device, Session& session);
    void ServeAll();
    void FinishPasswordJobs();
    void FinishLogon(CFSocketEx& device, Session& session, bool matched);
    void FinishRegister(CFSocketEx& device, Session& session, bool hashed, const std::string& hash);
    // Sends LogonOK 2 and answers false when the session is not logged on.
    bool RequireLogon(CFSocketEx& device, const Session& session);
    std::uint8_t CheckUpload(const CMZimbrelSongList& songs) const;
    void Drop(CFSocketEx& device, const char* reason);
    void Log(const CFSocketEx& device, const char* format, ...) const
        __attribute__((format(printf, 3, 4)));

    CMServerOptions m_options;
    CMSongStore m_store;
    CMPasswordHasher m_hasher;
    CMZimbrelNet m_listener;
    std::unordered_map<CFSocketEx*, Session> m_sessions;
    std::uint64_t m_nextSessionId = 1;
};
