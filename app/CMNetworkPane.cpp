// CMNetworkPane: see CMNetworkPane.h.
#include "app/CMNetworkPane.h"

#include "app/SharedSongFiles.h"
#include "core/CMFile.h"
#include "core/CMStringList.h"
#include "net/CMZimbrelMessages.h"
#include "settings/CMZimbrelIni.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <utility>

namespace {

// The payload in hexadecimal; a long one by its first bytes and its size, so that one song list
// does not flood the log.
std::string LoggedHex(const CFSerialData& payload)
{
    if (payload.GetLength() <= CMNetworkPane::kLoggedPayloadBytes)
        return payload.ToHex();
    return CFSerialData(payload.GetData(), CMNetworkPane::kLoggedPayloadBytes).ToHex() + "...(" +
           std::to_string(payload.GetLength()) + " bytes)";
}

std::uint8_t CodeOf(const CFSerialData& payload)
{
    return payload.IsEmpty() ? static_cast<std::uint8_t>(kMessageNone) : payload.GetData()[0];
}

// Whether a song received answers the name asked for (a title alone, or with an author in any
// case, as the server matches user IDs).
bool Answers(const std::string& wanted, const std::vector<std::string>& received)
{
    std::string wantedTitle, wantedAuthor;
    SplitSongName(wanted, wantedTitle, wantedAuthor);
    return std::any_of(received.begin(), received.end(), [&](const std::string& name) {
        std::string title, author;
        SplitSongName(name, title, author);
        return title == wantedTitle &&
               (wantedAuthor.empty() || LowerCase(author) == LowerCase(wantedAuthor));
    });
}

const CMZimbrelIni& DefaultSettings()
{
    static const CMZimbrelIni defaults;
    return defaults;
}

}  // namespace

CMNetworkPane::CMNetworkPane(IMNetworkShell& shell) : m_shell(shell)
{
    m_net.SetEventSink(this);
    m_net.SetNetEvent(this);
    m_net.SetMaxFrameSize(kClientMaxFrame);
    // The window's thread polls the device: it must never wait for a server.
    m_net.SetConnectWithoutWaiting(true);
}

CMNetworkPane::~CMNetworkPane() = default;

void CMNetworkPane::Connect()
{
    m_loggedIn = false;
    Forget();
    if (m_connected || m_net.IsConnecting()) {
        m_net.Close();
        m_connected = false;
        Write("Disconnected from server");
        return;
    }
    Write("Connecting to server...");
    const CMZimbrelIni& settings = m_settings ? *m_settings : DefaultSettings();
    const bool portValid = settings.port >= 1 && settings.port <= 65535;
    m_net.SetAddress(settings.server.Str());
    m_net.SetPort(static_cast<std::uint16_t>(portValid ? settings.port : 0));
    if (!portValid || !m_net.Open()) {
        Write("Error : Cannot connect to server");
    } else if (m_net.IsConnecting()) {
        ++m_awaitedReplies;  // the connect's outcome, which Poll brings
    } else {
        OnConnected(m_net);
    }
}

void CMNetworkPane::LogIn()
{
    m_loggedIn = false;
    const CMZimbrelIni& settings = m_settings ? *m_settings : DefaultSettings();
    if (!settings.email.IsEmpty() && !settings.password.IsEmpty()) {
        Write("Logging in...");
        m_net.SendLogon(settings.email.View(), settings.password.View());
        ++m_awaitedReplies;
        // The password stays out of the log and the log file.
        std::string shown = BuildLogon(settings.email.View(), "").ToHex();
        shown.insert(shown.size() - 2, "********");
        Write("<-%s(%s)", CMZimbrelNet::GetMessageName(kMessageLogon), shown.c_str());
        return;
    }
    CMRegistration registration{{}, settings.email.Str(), settings.password.Str()};
    if (m_shell.RunRegisterDialog(registration))
        Register(registration);
}

void CMNetworkPane::Register(const CMRegistration& registration)
{
    m_net.SendRegister(registration.userId, registration.email, registration.password);
    ++m_awaitedReplies;
}

void CMNetworkPane::QuerySongList(const std::vector<std::string>& userIds)
{
    CMZimbrelUserNameList list;
    for (const std::string& userId : userIds)
        list.AddName(userId);
    LogSent(m_net.SendQuerySongList(list));
    ++m_awaitedReplies;
}

void CMNetworkPane::DownloadSelected(const std::vector<int>& rows)
{
    std::vector<int> ordered(rows);
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());
    std::vector<std::string> names;
    for (const int row : ordered) {
        if (row >= 0 && row < static_cast<int>(m_rows.size()))
            names.push_back(m_rows[static_cast<std::size_t>(row)].name->name);
    }
    Download(names);
}

void CMNetworkPane::Download(const std::vector<std::string>& names)
{
    Write("Selected songs:");
    for (const std::string& name : names)
        Write("  - %s", name.c_str());
    // One request a batch, so that every reply stays well inside the frame limit; an empty
    // selection still sends its (empty) request.
    std::size_t next = 0;
    do {
        const std::size_t end = std::min(names.size(), next + kMaxSongsPerRequest);
        CMZimbrelSongNameList batch;
        for (std::size_t i = next; i < end; ++i)
            batch.AddName(names[i]);
        LogSent(m_net.SendDownload(batch));
        ++m_awaitedReplies;
        m_downloadsAwaited.emplace_back(names.begin() + static_cast<long>(next),
                                        names.begin() + static_cast<long>(end));
        next = end;
    } while (next < names.size());
}

void CMNetworkPane::DownloadAll()
{
    m_downloadAllOnList = true;
    QuerySongList();
}

void CMNetworkPane::UploadAll()
{
    CMStringList files;
    CMFile::ListFiles(files, (m_dataFolder + "*.zimbrel").c_str());
    std::vector<std::string> paths;
    for (const CMString* file : files) {
        const CMString title = CMString::GetFileTitle(file->GetText());
        if (title.View().find('@') != std::string_view::npos)
            Write("Skipped '%s': a song downloaded from another user", title.GetText());
        else
            paths.push_back(m_dataFolder + file->Str());
    }
    Upload(paths);
}

void CMNetworkPane::Upload(const std::vector<std::string>& paths)
{
    m_uploads.push_back({paths, 0, {}, false});
    ++m_awaitedReplies;  // until the files are read and sent
    DoFileWork(std::chrono::steady_clock::now() + kFileWorkSlice);
}

bool CMNetworkPane::UploadNext(UploadWork& work)
{
    if (work.next < work.paths.size()) {
        const std::string& path = work.paths[work.next++];
        auto song = std::make_unique<CMZimbrelSong>();
        std::string reason;
        if (ReadSongForUpload(path, *song, reason))
            work.songs.push_back(std::move(song));
        else
            Write("Error : Cannot upload '%s': %s", path.c_str(), reason.c_str());
        return false;
    }
    if (!work.listed) {
        work.listed = true;
        if (work.songs.empty()) {
            Write("No songs to upload");
            ReplyArrived();
            return true;
        }
        Write("Uploading songs:");
        for (const auto& song : work.songs)
            Write("  - %s", song->name.c_str());
        return false;
    }
    SendUploadBatch(work.songs);
    if (!work.songs.empty())
        return false;
    ReplyArrived();
    return true;
}

void CMNetworkPane::SendUploadBatch(std::deque<std::unique_ptr<CMZimbrelSong>>& songs)
{
    // A batch well inside the server's frame limit and within its song count: a megabyte goes
    // into the output queue in a few milliseconds.
    constexpr std::int32_t kBudget = std::min(1024 * 1024, kServerMaxFrame - 64);
    CMZimbrelSongList batch;
    std::int32_t size = 0;
    while (!songs.empty() && batch.GetCount() < kMaxSongsPerRequest &&
           (batch.IsEmpty() || size + songs.front()->GetSerialSize() <= kBudget)) {
        size += songs.front()->GetSerialSize();
        batch.Add(std::move(songs.front()));
        songs.pop_front();
    }
    LogSent(m_net.SendUpload(batch));
    ++m_awaitedReplies;
}

void CMNetworkPane::Poll()
{
    // A slice counts the time the reading of replies took as well.
    const auto end = std::chrono::steady_clock::now() + kFileWorkSlice;
    m_net.Poll();
    DoFileWork(end);
}

void CMNetworkPane::DoFileWork(std::chrono::steady_clock::time_point end)
{
    if (!m_stores.empty())
        ReportStored(m_storeWorker.TakeOutcomes());
    if (m_uploads.empty())
        return;
    do {
        if (UploadNext(m_uploads.front()))
            m_uploads.pop_front();
    } while (!m_uploads.empty() && std::chrono::steady_clock::now() < end);
}

void CMNetworkPane::OnConnected(CFSocketEx& device)
{
    if (&device == &m_net && !m_connected) {
        ReplyArrived();
        m_connected = true;
        Write("Successfully connected to server");
        return;
    }
    Write("Connected to %s(%u)", device.GetAddress().c_str(), device.GetPort());
}

void CMNetworkPane::OnDisconnected(CFSocketEx& device)
{
    if (!m_connected) {
        Forget();
        Write("Error : Cannot connect to server");
        return;
    }
    Write("Disconnected from %s(%u)", device.GetAddress().c_str(), device.GetPort());
    m_connected = false;
    m_loggedIn = false;
    Forget();
}

void CMNetworkPane::OnReceive(CFSocketEx& device)
{
    CFSerialData payload = device.PopMessage();
    const char* name = CMZimbrelNet::GetMessageName(CodeOf(payload));
    Write("->%s(%s)", name, LoggedHex(payload).c_str());
    if (!m_net.Dispatch(device, payload) && !payload.IsEmpty())
        Write("Error : Cannot decode the message %s", name);
}

void CMNetworkPane::OnError(CFSocketEx& device, std::int32_t code)
{
    Write("Error from %s(%u), code = %d", device.GetAddress().c_str(), device.GetPort(), code);
}

void CMNetworkPane::OnLogonOK(CFSocketEx&, std::uint8_t result)
{
    ReplyArrived();
    Write("Result : %u", result);
    if (result != kLogonDone) {
        Write("Error : Cannot log in");
        return;
    }
    Write("Logged in successfully");
    m_loggedIn = true;
}

void CMNetworkPane::OnRegisterOK(CFSocketEx&, std::uint8_t result)
{
    ReplyArrived();
    Write("Result : %u", result);
    if (result == kRegisterDone)
        Write("Registered successfully");
    else
        Write("Error : Cannot register: %s", GetRegisterResultText(result));
}

void CMNetworkPane::OnQuerySongListOK(CFSocketEx&, const CMZimbrelSongNameList& names)
{
    ReplyArrived();
    FillSongList(names);
    if (!std::exchange(m_downloadAllOnList, false))
        return;
    std::vector<std::string> all;
    for (const auto& name : m_names)
        all.push_back(name->name);
    if (all.empty())
        Write("No songs to download");
    else
        Download(all);
}

void CMNetworkPane::FillSongList(const CMZimbrelSongNameList& names)
{
    m_rows.clear();
    m_names.Clear();
    for (const auto& name : names)
        m_names.AddName(name->name);
    Write("[%u songs]", static_cast<unsigned>(m_names.GetCount()));
    for (const auto& name : m_names) {
        Write("%s", name->name.c_str());
        CMSongListRow row;
        SplitSongName(name->name, row.title, row.author);
        row.name = name.get();
        m_rows.push_back(std::move(row));
    }
    m_shell.SongListChanged();
}

void CMNetworkPane::OnDownloadOK(CFSocketEx&, const CMZimbrelSongList& songs)
{
    // The songs go to the store worker; the reply counts as arrived once they are stored.
    StoreWork work;
    for (const auto& song : songs) {
        work.names.push_back(song->name);
        m_storeWorker.Store(m_dataFolder, *song);
    }
    if (!m_downloadsAwaited.empty()) {
        work.wanted = std::move(m_downloadsAwaited.front());
        m_downloadsAwaited.pop_front();
    }
    m_stores.push_back(std::move(work));
    ReportStored({});  // a reply without songs is reported at once
}

void CMNetworkPane::ReportStored(std::vector<CMStoredSongFile> outcomes)
{
    std::size_t next = 0;
    while (!m_stores.empty()) {
        StoreWork& work = m_stores.front();
        if (!std::exchange(work.headed, true))
            Write("Downloaded songs:");
        for (; work.reported < work.names.size() && next < outcomes.size(); ++work.reported) {
            const CMStoredSongFile& stored = outcomes[next++];
            const char* name = work.names[work.reported].c_str();
            Write("  - %s", name);
            switch (stored.outcome) {
            case CMStoredSongFile::Outcome::Saved:
                Write("    saved as %s", stored.path.c_str());
                break;
            case CMStoredSongFile::Outcome::AlreadyThere:
                Write("    already stored as %s", stored.path.c_str());
                break;
            case CMStoredSongFile::Outcome::Refused:
                Write("Error : Cannot store '%s': %s", name, stored.reason.c_str());
                break;
            }
        }
        if (work.reported < work.names.size())
            return;
        ReportMissing(work.wanted, work.names);
        ReplyArrived();
        m_stores.pop_front();
    }
}

void CMNetworkPane::ReportMissing(const std::vector<std::string>& wanted,
                                  const std::vector<std::string>& received)
{
    for (const std::string& name : wanted) {
        if (!Answers(name, received))
            Write("Error : The server has no song '%s'", name.c_str());
    }
}

void CMNetworkPane::OnUploadOK(CFSocketEx&, CFSerialData& payload)
{
    ReplyArrived();
    std::uint8_t result = 0;
    if (!payload.ReadByte(result)) {
        Write("Error : Cannot decode the message %s",
              CMZimbrelNet::GetMessageName(kMessageUploadOK));
        return;
    }
    Write("Result : %u", result);
    if (result == kUploadDone)
        Write("Uploaded successfully");
    else
        Write("Error : Cannot upload: %s", GetUploadResultText(result));
}

void CMNetworkPane::LogSent(const CFSerialData& payload)
{
    Write("<-%s(%s)", CMZimbrelNet::GetMessageName(CodeOf(payload)), LoggedHex(payload).c_str());
}

void CMNetworkPane::Forget()
{
    m_downloadAllOnList = false;
    // Songs already received are still stored, and files being read still reported.
    m_awaitedReplies = static_cast<int>(m_stores.size() + m_uploads.size());
    m_downloadsAwaited.clear();
}

void CMNetworkPane::ReplyArrived()
{
    m_awaitedReplies = std::max(0, m_awaitedReplies - 1);
}

void CMNetworkPane::Write(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string line(static_cast<std::size_t>(std::max(length, 0)), '\0');
    std::vsnprintf(line.data(), line.size() + 1, format, arguments);
    va_end(arguments);
    if (line.rfind("Error", 0) == 0)
        ++m_errorCount;
    m_shell.WriteNetworkLog(CMString(line));
}
