// CMSongServer: see CMSongServer.h.
#include "server/CMSongServer.h"

#include "net/CMSongTitle.h"
#include "net/CMZimbrelMessages.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <tuple>

namespace {

std::string UtcTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::uint8_t RegisterResultOf(CMSongStore::AddUserResult result)
{
    switch (result) {
    case CMSongStore::AddUserResult::Added: return kRegisterDone;
    case CMSongStore::AddUserResult::UserIdTaken: return kRegisterUserIdTaken;
    case CMSongStore::AddUserResult::EmailTaken: return kRegisterEmailTaken;
    case CMSongStore::AddUserResult::Failed: break;
    }
    return kRegisterServerError;
}

std::vector<std::string> NamesOf(const CFPointerList<CMZimbrelSongName>& list)
{
    std::vector<std::string> names;
    for (const auto& entry : list)
        names.push_back(entry->name);
    return names;
}

}  // namespace

CMSongServer::CMSongServer(CMServerOptions options)
    : m_options(std::move(options)), m_hasher(m_options.passwordCost, m_options.hashThreads),
      m_throttle(m_options.logonPolicy)
{
}

CMSongServer::~CMSongServer()
{
    m_listener.Close();
}

bool CMSongServer::Start(std::string& error)
{
    if (!m_store.Open(m_options.databasePath, error)) {
        error = "cannot open the database '" + m_options.databasePath + "': " + error;
        return false;
    }
    m_reader = std::make_unique<CMSongReader>(m_options.databasePath, m_options.readerThreads);
    m_listener.SetListen(true);
    m_listener.SetAddress(m_options.address);
    m_listener.SetPort(m_options.port);
    m_listener.SetMaxFrameSize(kServerMaxFrame);
    m_listener.SetFrameDeadline(m_options.frameDeadline);
    m_listener.SetEventSink(this);
    m_listener.SetNetEvent(this);
    if (!m_listener.Open()) {
        error = "cannot listen on " + m_options.address + ":" + std::to_string(m_options.port) +
                ": " + std::strerror(errno);
        return false;
    }
    m_lastForget = Now();
    return true;
}

void CMSongServer::RunOnce(std::chrono::milliseconds wait)
{
    m_listener.WaitForActivity(static_cast<int>(wait.count()),
                               {m_hasher.GetWakeDescriptor(), m_reader->GetWakeDescriptor()});
    m_listener.Poll();
    FinishPasswordJobs();
    FinishReads();
    ServeAll();
}

void CMSongServer::OnConnected(CFSocketEx& device)
{
    if (!Admit(device)) {
        Log(device, "refused: no room for another connection");
        device.Close();
        return;
    }
    Session& session = m_sessions[&device];
    session.id = m_nextSessionId++;
    session.address = device.GetAddress();
    session.lastRequest = Now();
    Log(device, "connected");
}

bool CMSongServer::Admit(CFSocketEx& device)
{
    const std::string& address = device.GetAddress();
    const auto fromAddress = std::count_if(m_sessions.begin(), m_sessions.end(), [&](auto& entry) {
        return entry.second.address == address;
    });
    const auto total = static_cast<int>(m_sessions.size());
    const bool nearlyFull = total >= m_options.maxConnections - m_options.maxConnections / 8;
    if (fromAddress >= m_options.maxPerAddress || (fromAddress > 0 && nearlyFull))
        return MakeRoom(&address);
    return total < m_options.maxConnections || MakeRoom(nullptr);
}

bool CMSongServer::MakeRoom(const std::string* address)
{
    std::unordered_map<std::string, int> perAddress;
    for (const auto& entry : m_sessions)
        ++perAddress[entry.second.address];
    CFSocketEx* victim = nullptr;
    std::tuple<bool, int, std::uint64_t> least{};
    for (const auto& [device, session] : m_sessions) {
        if (session.userRow != 0 || (address && session.address != *address))
            continue;
        const std::tuple<bool, int, std::uint64_t> rank{session.requested,
                                                        -perAddress[session.address], session.id};
        if (!victim || rank < least) {
            victim = device;
            least = rank;
        }
    }
    if (!victim)
        return false;
    Drop(*victim, "made room for a new connection");
    return true;
}

void CMSongServer::OnDisconnected(CFSocketEx& device)
{
    if (m_sessions.erase(&device) > 0)
        Log(device, "disconnected");
}

void CMSongServer::OnError(CFSocketEx& device, std::int32_t code)
{
    // Whatever went wrong, the byte stream can no longer be trusted.
    const char* reason = "a message was announced too large";
    if (code == CFSocketEx::kErrorStaleFrame)
        reason = "a message was cut short";
    else if (code == CFSocketEx::kErrorFrameTooSlow)
        reason = "a message came too slowly";
    Drop(device, reason);
}

void CMSongServer::OnReceive(CFSocketEx& device)
{
    CFSerialData payload = device.PopMessage();
    const auto found = m_sessions.find(&device);
    if (found == m_sessions.end())
        return;
    Session& session = found->second;
    session.requested = true;
    session.lastRequest = Now();
    session.waitingBytes += static_cast<std::size_t>(payload.GetLength());
    session.waiting.push_back(std::move(payload));
    if (session.waiting.size() > kMaxWaitingRequests || session.waitingBytes > kMaxWaitingBytes) {
        Drop(device, "too many requests waiting");
        return;
    }
    if (!Serve(device, session))
        Drop(device, "malformed message");
}

bool CMSongServer::Serve(CFSocketEx& device, Session& session)
{
    while (!session.waiting.empty() && session.job == Job::None) {
        CFSerialData payload = std::move(session.waiting.front());
        session.waiting.pop_front();
        session.waitingBytes -= static_cast<std::size_t>(payload.GetLength());
        if (!m_listener.Dispatch(device, payload))
            return false;
    }
    return true;
}

void CMSongServer::ServeAll()
{
    const Clock::time_point now = Now();
    StartDueLogonChecks();
    std::vector<std::pair<CFSocketEx*, const char*>> dropped;
    for (auto& [device, session] : m_sessions) {
        const auto idle = now - session.lastRequest;
        if (!Serve(*device, session))
            dropped.emplace_back(device, "malformed message");
        else if (session.job != Job::None)
            continue;
        else if (session.userRow == 0 && idle >= m_options.logonTimeout)
            dropped.emplace_back(device, "did not log on in time");
        else if (idle >= m_options.idleTimeout)
            dropped.emplace_back(device, "idle too long");
    }
    for (const auto& [device, reason] : dropped)
        Drop(*device, reason);
    if (now - m_lastForget >= std::chrono::minutes(1)) {
        m_throttle.Forget(now);
        m_lastForget = now;
    }
}

CMSongServer::SessionMap::iterator CMSongServer::FindSession(std::uint64_t id)
{
    return std::find_if(m_sessions.begin(), m_sessions.end(),
                        [&](const auto& entry) { return entry.second.id == id; });
}

void CMSongServer::OnLogon(CFSocketEx& device, const std::string& email,
                           const std::string& password)
{
    Session& session = m_sessions.at(&device);
    session.userRow = 0;
    session.userId.clear();
    const std::string account = LowerCase(email);
    const auto checkAt = m_throttle.Book(account, session.address, Now());
    if (!checkAt) {
        Log(device, "Logon: refused unchecked: too many failed log-ons");
        device.SendPayload(BuildResult(kMessageLogonOK, kLogonTooManyFailures));
        return;
    }
    session.job = Job::Logon;
    session.logonAccount = account;
    session.logonUser = m_store.FindUserByEmail(account).value_or(CMStoredUser{});
    if (*checkAt <= Now()) {
        m_hasher.Verify(session.id, password, session.logonUser.passwordHash);
        return;
    }
    session.checkAt = checkAt;
    session.checkPassword = password;
}

void CMSongServer::StartDueLogonChecks()
{
    const Clock::time_point now = Now();
    for (auto& [device, session] : m_sessions) {
        if (!session.checkAt || *session.checkAt > now)
            continue;
        session.checkAt.reset();
        m_hasher.Verify(session.id, std::exchange(session.checkPassword, {}),
                        session.logonUser.passwordHash);
    }
}

void CMSongServer::FinishLogon(CFSocketEx& device, Session& session, bool matched)
{
    if (matched && session.logonUser.row != 0) {
        m_throttle.Succeeded(session.logonAccount, session.address, Now());
        session.userRow = session.logonUser.row;
        session.userId = session.logonUser.userId;
        Log(device, "Logon: logged in as %s", session.userId.c_str());
        device.SendPayload(BuildResult(kMessageLogonOK, kLogonDone));
        return;
    }
    m_throttle.Failed(session.address, Now());
    Log(device, "Logon: refused");
    device.SendPayload(BuildResult(kMessageLogonOK, kLogonRefused));
}

void CMSongServer::OnRegister(CFSocketEx& device, const std::string& userId,
                              const std::string& email, const std::string& password)
{
    Session& session = m_sessions.at(&device);
    const std::string lowerEmail = LowerCase(email);
    std::uint8_t result = kRegisterDone;
    if (!CheckUserId(userId).empty())
        result = kRegisterBadUserId;
    else if (!CheckEmail(lowerEmail).empty())
        result = kRegisterBadEmail;
    else if (password.empty() || password.size() > kMaxPasswordBytes)
        result = kRegisterBadPassword;
    else if (m_store.HasUserId(userId))
        result = kRegisterUserIdTaken;
    else if (m_store.HasEmail(lowerEmail))
        result = kRegisterEmailTaken;
    else if (!GetReadOnlyReason().empty())
        result = kRegisterServerError;
    if (result != kRegisterDone) {
        Log(device, "Register %s: %s", userId.c_str(), GetRegisterResultText(result));
        device.SendPayload(BuildResult(kMessageRegisterOK, result));
        return;
    }
    session.registration = {userId, lowerEmail, {}};
    session.job = Job::Register;
    m_hasher.Hash(session.id, password);
}

void CMSongServer::FinishRegister(CFSocketEx& device, Session& session, bool hashed,
                                  const std::string& hash)
{
    const CMRegistration& account = session.registration;
    std::uint8_t result = kRegisterServerError;
    if (hashed)
        result =
            RegisterResultOf(m_store.AddUser(account.userId, account.email, hash, UtcTimeNow()));
    Log(device, "Register %s: %s", account.userId.c_str(), GetRegisterResultText(result));
    device.SendPayload(BuildResult(kMessageRegisterOK, result));
}

void CMSongServer::FinishPasswordJobs()
{
    for (const CMPasswordHasher::Result& result : m_hasher.TakeResults()) {
        const auto found = FindSession(result.ticket);
        if (found == m_sessions.end())
            continue;  // the connection went away meanwhile
        CFSocketEx& device = *found->first;
        Session& session = found->second;
        const Job job = std::exchange(session.job, Job::None);
        if (job == Job::Logon)
            FinishLogon(device, session, result.ok);
        else if (job == Job::Register)
            FinishRegister(device, session, result.ok, result.hash);
    }
}

void CMSongServer::FinishReads()
{
    const auto answer = [this](std::uint64_t id, const CMSongReader::Result& result) {
        const auto found = FindSession(id);
        if (found == m_sessions.end())
            return;  // the connection went away meanwhile
        found->second.job = Job::None;
        if (result.kind == CMSongReader::Kind::Download)
            Log(*found->first, "Download %d names: %d songs", result.asked, result.songs);
        else
            Log(*found->first, "QuerySongList: %d songs", result.songs);
        found->first->SendPayload(result.reply);
    };
    for (CMSongReader::Result& result : m_reader->TakeResults()) {
        if (result.kind != CMSongReader::Kind::EverySong) {
            answer(result.ticket, result);
            continue;
        }
        const auto waiters = m_everySongWaiters.extract(result.ticket);
        for (const std::uint64_t id : waiters.mapped())
            answer(id, result);
        if (result.ticket == m_songsVersion) {
            m_everySongVersion = result.ticket;
            m_everySong = std::move(result);
        }
    }
}

bool CMSongServer::RequireLogon(CFSocketEx& device, const Session& session)
{
    if (session.userRow != 0)
        return true;
    Log(device, "refused a request before log-on");
    device.SendPayload(BuildResult(kMessageLogonOK, kLogonRequired));
    return false;
}

void CMSongServer::OnQuerySongList(CFSocketEx& device, const CMZimbrelUserNameList& userIds)
{
    Session& session = m_sessions.at(&device);
    if (!RequireLogon(device, session))
        return;
    if (userIds.IsEmpty()) {
        ListEverySong(device, session);
        return;
    }
    session.job = Job::Read;
    m_reader->Submit({session.id, CMSongReader::Kind::List, NamesOf(userIds)});
}

void CMSongServer::ListEverySong(CFSocketEx& device, Session& session)
{
    if (m_everySong && m_everySongVersion == m_songsVersion) {
        Log(device, "QuerySongList: %d songs", m_everySong->songs);
        device.SendPayload(m_everySong->reply);
        return;
    }
    session.job = Job::Read;
    std::vector<std::uint64_t>& waiters = m_everySongWaiters[m_songsVersion];
    if (waiters.empty())
        m_reader->Submit({m_songsVersion, CMSongReader::Kind::EverySong, {}});
    waiters.push_back(session.id);
}

void CMSongServer::OnDownload(CFSocketEx& device, const CMZimbrelSongNameList& names)
{
    Session& session = m_sessions.at(&device);
    if (!RequireLogon(device, session))
        return;
    session.job = Job::Read;
    m_reader->Submit({session.id, CMSongReader::Kind::Download, NamesOf(names)});
}

std::uint8_t CMSongServer::CheckUpload(const CMZimbrelSongList& songs) const
{
    for (const auto& song : songs) {
        if (!CheckSongTitle(song->name).empty())
            return kUploadBadTitle;
        if (song->source.size() > static_cast<std::size_t>(kMaxSongSource))
            return kUploadTooLarge;
    }
    return kUploadDone;
}

void CMSongServer::OnUpload(CFSocketEx& device, CFSerialData& payload)
{
    const Session& session = m_sessions.at(&device);
    CMZimbrelSongList songs;
    std::uint8_t result = kUploadDone;
    if (session.userRow == 0)
        result = kUploadNotLoggedOn;
    else if (!payload.ReadObject(songs))
        result = kUploadMalformed;
    else
        result = CheckUpload(songs);
    if (result == kUploadDone && !GetReadOnlyReason().empty())
        result = kUploadServerError;
    if (result == kUploadDone) {
        std::vector<CMStoredSong> stored;
        for (const auto& song : songs)
            stored.push_back({song->name, session.userId, song->source, {}});
        const auto outcome =
            m_store.StoreSongs(session.userRow, stored, UtcTimeNow(), m_options.quota);
        if (outcome == CMSongStore::StoreResult::Stored)
            ++m_songsVersion;
        else
            result = outcome == CMSongStore::StoreResult::OverQuota ? kUploadOverQuota
                                                                    : kUploadServerError;
    }
    Log(device, "Upload %d songs: %s", songs.GetCount(), GetUploadResultText(result));
    device.SendPayload(BuildResult(kMessageUploadOK, result));
}

void CMSongServer::OnAccount(CFSocketEx& device, CFSerialData& /*payload*/)
{
    Log(device, "Account: not supported");
    device.SendPayload(BuildResult(kMessageAccountOK, kAccountUnsupported));
}

void CMSongServer::OnUnknown(CFSocketEx& device, CFSerialData& payload)
{
    Log(device, "ignored a message with code %u", payload.GetData()[0]);
}

void CMSongServer::Drop(CFSocketEx& device, const char* reason)
{
    if (m_sessions.erase(&device) > 0 || device.IsOpen())
        Log(device, "closed: %s", reason);
    device.Close();
}

void CMSongServer::Log(const CFSocketEx& device, const char* format, ...) const
{
    if (!m_options.log)
        return;
    std::fprintf(m_options.log, "%s %s(%u) ", UtcTimeNow().c_str(), device.GetAddress().c_str(),
                 device.GetPort());
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(m_options.log, format, arguments);
    va_end(arguments);
    std::fputc('\n', m_options.log);
    std::fflush(m_options.log);
}
