// CMSongServer: see CMSongServer.h.
#include "server/CMSongServer.h"

#include "net/CMSongTitle.h"
#include "net/CMZimbrelMessages.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

// Room left in a reply for its code byte and list header.
constexpr std::int32_t kReplyHeadroom = 64;

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

}  // namespace

CMSongServer::CMSongServer(CMServerOptions options)
    : m_options(std::move(options)), m_hasher(m_options.passwordCost, m_options.hashThreads)
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
    m_listener.SetListen(true);
    m_listener.SetAddress(m_options.address);
    m_listener.SetPort(m_options.port);
    m_listener.SetMaxFrameSize(kServerMaxFrame);
    m_listener.SetEventSink(this);
    m_listener.SetNetEvent(this);
    if (!m_listener.Open()) {
        error = "cannot listen on " + m_options.address + ":" + std::to_string(m_options.port) +
                ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void CMSongServer::RunOnce(std::chrono::milliseconds wait)
{
    m_listener.WaitForActivity(static_cast<int>(wait.count()), m_hasher.GetWakeDescriptor());
    m_listener.Poll();
    FinishPasswordJobs();
    ServeAll();
}

void CMSongServer::OnConnected(CFSocketEx& device)
{
    if (m_sessions.size() >= static_cast<std::size_t>(m_options.maxConnections)) {
        Log(device, "refused: %d connections already", m_options.maxConnections);
        device.Close();
        return;
    }
    Session& session = m_sessions[&device];
    session.id = m_nextSessionId++;
    session.lastRequest = Now();
    session.resumeAt = session.lastRequest;
    Log(device, "connected");
}

void CMSongServer::OnDisconnected(CFSocketEx& device)
{
    if (m_sessions.erase(&device) > 0)
        Log(device, "disconnected");
}

void CMSongServer::OnError(CFSocketEx& device, std::int32_t code)
{
    // Either way the byte stream can no longer be trusted.
    Drop(device, code == CFSocketEx::kErrorStaleFrame ? "a message was cut short"
                                                      : "a message was announced too large");
}

void CMSongServer::OnReceive(CFSocketEx& device)
{
    CFSerialData payload = device.PopMessage();
    const auto found = m_sessions.find(&device);
    if (found == m_sessions.end())
        return;
    Session& session = found->second;
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
    while (!session.waiting.empty() && session.job == PasswordJob::None && !session.heldReply &&
           Now() >= session.resumeAt) {
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
    std::vector<std::pair<CFSocketEx*, const char*>> dropped;
    for (auto& [device, session] : m_sessions) {
        if (session.heldReply && now >= session.resumeAt) {
            device->SendPayload(*session.heldReply);
            session.heldReply.reset();
        }
        if (!Serve(*device, session))
            dropped.emplace_back(device, "malformed message");
        else if (session.job == PasswordJob::None &&
                 now - session.lastRequest >= m_options.idleTimeout)
            dropped.emplace_back(device, "idle too long");
    }
    for (const auto& [device, reason] : dropped)
        Drop(*device, reason);
}

void CMSongServer::OnLogon(CFSocketEx& device, const std::string& email,
                           const std::string& password)
{
    Session& session = m_sessions.at(&device);
    session.userRow = 0;
    session.userId.clear();
    const std::optional<CMStoredUser> user = m_store.FindUserByEmail(LowerCase(email));
    session.logonUser = user.value_or(CMStoredUser{});
    session.job = PasswordJob::Logon;
    m_hasher.Verify(session.id, password, session.logonUser.passwordHash);
}

void CMSongServer::FinishLogon(CFSocketEx& device, Session& session, bool matched)
{
    if (matched && session.logonUser.row != 0) {
        session.userRow = session.logonUser.row;
        session.userId = session.logonUser.userId;
        session.failedLogons = 0;
        Log(device, "Logon: logged in as %s", session.userId.c_str());
        device.SendPayload(BuildResult(kMessageLogonOK, kLogonDone));
        return;
    }
    ++session.failedLogons;
    Log(device, "Logon: refused (%d failures)", session.failedLogons);
    const CFSerialData reply = BuildResult(kMessageLogonOK, kLogonRefused);
    const int beyond = session.failedLogons - m_options.freeLogonFailures;
    if (beyond <= 0) {
        device.SendPayload(reply);
        return;
    }
    const auto delay = std::min<Clock::duration>(
        m_options.logonDelay * (1LL << std::min(beyond - 1, 20)), kMaxLogonDelay);
    session.resumeAt = Now() + delay;
    session.heldReply = reply;
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
    if (result != kRegisterDone) {
        Log(device, "Register %s: %s", userId.c_str(), GetRegisterResultText(result));
        device.SendPayload(BuildResult(kMessageRegisterOK, result));
        return;
    }
    session.registration = {userId, lowerEmail, {}};
    session.job = PasswordJob::Register;
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
        const auto found =
            std::find_if(m_sessions.begin(), m_sessions.end(),
                         [&](const auto& entry) { return entry.second.id == result.ticket; });
        if (found == m_sessions.end())
            continue;  // the connection went away meanwhile
        CFSocketEx& device = *found->first;
        Session& session = found->second;
        const PasswordJob job = std::exchange(session.job, PasswordJob::None);
        if (job == PasswordJob::Logon)
            FinishLogon(device, session, result.ok);
        else if (job == PasswordJob::Register)
            FinishRegister(device, session, result.ok, result.hash);
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
    if (!RequireLogon(device, m_sessions.at(&device)))
        return;
    std::vector<std::string> wanted;
    for (const auto& userId : userIds)
        wanted.push_back(userId->name);
    CMZimbrelSongNameList names;
    std::int32_t size = 0;
    for (const CMStoredSong& song : m_store.ListSongs(wanted)) {
        const std::string name = song.title + "@" + song.userId;
        size += CFSerialData::GetTextSize(name);
        if (size > kClientMaxFrame - kReplyHeadroom)
            break;
        names.AddName(name);
    }
    Log(device, "QuerySongList: %d songs", names.GetCount());
    device.SendPayload(BuildQuerySongListOK(names));
}

void CMSongServer::OnDownload(CFSocketEx& device, const CMZimbrelSongNameList& names)
{
    if (!RequireLogon(device, m_sessions.at(&device)))
        return;
    CMZimbrelSongList songs;
    std::int32_t size = 0;
    bool full = false;
    for (std::int32_t i = 0; i < names.GetCount() && i < kMaxNamesPerDownload && !full; ++i) {
        std::string title, author;
        SplitSongName(names.GetAt(i).name, title, author);
        for (const CMStoredSong& stored : m_store.FindSongs(title, author)) {
            auto song = std::make_unique<CMZimbrelSong>(stored.title + "@" + stored.userId,
                                                        stored.source, stored.uploadTime);
            size += song->GetSerialSize();
            full = size > kClientMaxFrame - kReplyHeadroom;
            if (full)
                break;
            songs.Add(std::move(song));
        }
    }
    Log(device, "Download %d names: %d songs", names.GetCount(), songs.GetCount());
    device.SendPayload(BuildDownloadOK(songs));
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
    if (result == kUploadDone) {
        std::vector<CMStoredSong> stored;
        for (const auto& song : songs)
            stored.push_back({song->name, session.userId, song->source, {}});
        if (!m_store.StoreSongs(session.userRow, stored, UtcTimeNow()))
            result = kUploadServerError;
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
