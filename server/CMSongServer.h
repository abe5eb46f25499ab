// CMSongServer: the song server's conversation with its clients. It listens with the protocol
// classes the client uses, keeps one session per connection (its log-on, the requests waiting
// their turn) and answers Register, Logon, QuerySongList, Download, Upload and Account from the
// song store. Requests of one connection are answered in order; no connection can stall the
// others: password hashing and reading songs run on worker threads, replies are queued, and
// guessing, floods, idle and slow connections, and connections by the hundred are limited.
#pragma once

#include "net/CMAccountRules.h"
#include "net/CMZimbrelNet.h"
#include "server/CMLogonThrottle.h"
#include "server/CMPasswordHasher.h"
#include "server/CMSongReader.h"
#include "server/CMSongStore.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct CMServerOptions {
    std::string address = "127.0.0.1";
    std::uint16_t port = 11111;
    std::string databasePath = "./zimbrel-server.sqlite";
    // Connections served at once, and from one address. The last eighth of the connections is
    // kept for addresses that have none yet.
    int maxConnections = 256;
    int maxPerAddress = 8;
    // A logged-on connection that sends no complete request this long is closed; one that has
    // not logged on, after the shorter time.
    std::chrono::seconds idleTimeout{300};
    std::chrono::seconds logonTimeout{10};
    // The time a request's frame may take (plus a second per 64 KiB it announces).
    std::chrono::milliseconds frameDeadline{10000};
    CMPasswordHasher::Cost passwordCost = CMPasswordHasher::Cost::Interactive;
    int hashThreads = 2;
    int readerThreads = 2;
    CMLogonThrottle::Policy logonPolicy;
    CMSongQuota quota;
    // One line per connection and request; none when null.
    std::FILE* log = stdout;
};

class CMSongServer : private IFCommunicationDeviceEvent, private IMZimbrelNetEvent {
public:
    using Clock = std::chrono::steady_clock;
    // What one connection may have waiting before it is dropped as a flood.
    static constexpr std::size_t kMaxWaitingRequests = 64;
    static constexpr std::size_t kMaxWaitingBytes = std::size_t{8} * 1024 * 1024;

    explicit CMSongServer(CMServerOptions options);
    ~CMSongServer() override;

    // Opens the database and starts listening; false with the reason in `error`. A database
    // that cannot be written (a full disk) is served read-only: see GetReadOnlyReason.
    bool Start(std::string& error);
    // Empty while the database can be written; otherwise why it cannot.
    const std::string& GetReadOnlyReason() const { return m_store.GetReadOnlyReason(); }
    // The port the server listens on (the system's choice when asked for port 0).
    std::uint16_t GetPort() const { return m_listener.GetLocalPort(); }
    std::size_t GetSessionCount() const { return m_sessions.size(); }
    // Waits for activity for at most `wait`, then does everything that is due.
    void RunOnce(std::chrono::milliseconds wait);

protected:
    // The time for idle connections and slowed log-ons; tests replace it.
    virtual Clock::time_point Now() const { return Clock::now(); }

private:
    // What a session waits for before its next request is handled.
    enum class Job { None, Logon, Register, Read };

    struct Session {
        std::uint64_t id = 0;
        std::string address;
        std::int64_t userRow = 0;  // 0 while not logged on
        std::string userId;
        bool requested = false;  // a complete request has come
        Clock::time_point lastRequest;
        std::deque<CFSerialData> waiting;
        std::size_t waitingBytes = 0;
        Job job = Job::None;
        std::string logonAccount;                  // the e-mail address of a log-on being checked
        CMStoredUser logonUser;                    // its account (row 0: none)
        std::optional<Clock::time_point> checkAt;  // a slowed log-on's check waits until then
        std::string checkPassword;
        CMRegistration registration;  // the account being registered (password not kept)
    };
    using SessionMap = std::unordered_map<CFSocketEx*, Session>;

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

    // Whether a new connection may stay; it may take the place of one that has not logged on.
    bool Admit(CFSocketEx& device);
    // Closes the connection that has not logged on that matters least (of `address` only, when
    // given): one that has sent nothing before one that has, of the address with the most
    // connections, the oldest. False when every connection concerned has logged on.
    bool MakeRoom(const std::string* address);
    // Handles the session's waiting requests while it may; false when the connection must go.
    bool Serve(CFSocketEx& device, Session& session);
    void ServeAll();
    SessionMap::iterator FindSession(std::uint64_t id);
    void StartDueLogonChecks();
    void FinishPasswordJobs();
    void FinishReads();
    void FinishLogon(CFSocketEx& device, Session& session, bool matched);
    void FinishRegister(CFSocketEx& device, Session& session, bool hashed, const std::string& hash);
    // Sends LogonOK 2 and answers false when the session is not logged on.
    bool RequireLogon(CFSocketEx& device, const Session& session);
    // Answers a list of every song from the list built for the current songs, building it once
    // for everyone who asks meanwhile.
    void ListEverySong(CFSocketEx& device, Session& session);
    std::uint8_t CheckUpload(const CMZimbrelSongList& songs) const;
    void Drop(CFSocketEx& device, const char* reason);
    void Log(const CFSocketEx& device, const char* format, ...) const
        __attribute__((format(printf, 3, 4)));

    CMServerOptions m_options;
    CMSongStore m_store;
    CMPasswordHasher m_hasher;
    CMLogonThrottle m_throttle;
    std::unique_ptr<CMSongReader> m_reader;
    CMZimbrelNet m_listener;
    SessionMap m_sessions;
    std::uint64_t m_nextSessionId = 1;
    Clock::time_point m_lastForget;
    // Counts the uploads stored: a list of every song is good while it has not changed.
    std::uint64_t m_songsVersion = 0;
    std::optional<CMSongReader::Result> m_everySong;  // the list of every song, for its version
    std::uint64_t m_everySongVersion = 0;
    // Sessions waiting for a list of every song, by the version being built for them.
    std::map<std::uint64_t, std::vector<std::uint64_t>> m_everySongWaiters;
};
