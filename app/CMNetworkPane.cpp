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
bool Answers(const std::string& wanted, const CMZimbrelSongList& songs)
{
    std::string wantedTitle, wantedAuthor;
    SplitSongName(wanted, wantedTitle, wantedAuthor);
    return std::any_of(songs.begin(), songs.end(), [&](const auto& song) {
        std::string title, author;
        SplitSongName(song->name, title, author);
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
    CMZimbrelSongList songs;
    for (const std::string& path : paths) {
        auto song = std::make_unique<CMZimbrelSong>();
        std::string reason;
        if (ReadSongForUpload(path, *song, reason))
            songs.Add(std::move(song));
        else
            Write("Error : Cannot upload '%s': %s", path.c_str(), reason.c_str());
    }
    if (songs.IsEmpty()) {
        Write("No songs to upload");
        return;
    }
    Write("Uploading songs:");
    for (const auto& song : songs)
        Write("  - %s", song->name.c_str());
    SendUploads(songs);
}

void CMNetworkPane::SendUploads(const CMZimbrelSongList& songs)
{
    // Batches that stay inside the server's frame limit and song count.
    constexpr std::int32_t kBudget = kServerMaxFrame - 64;
    CMZimbrelSongList batch;
    std::int32_t size = 0;
    const auto send = [&] {
        LogSent(m_net.SendUpload(batch));
        ++m_awaitedReplies;
        batch.Clear();
        size = 0;
    };
    for (const auto& song : songs) {
        const std::int32_t songSize = song->GetSerialSize();
        if (!batch.IsEmpty() &&
            (batch.GetCount() == kMaxSongsPerRequest || size + songSize > kBudget))
            send();
        batch.Add(std::make_unique<CMZimbrelSong>(*song));
        size += songSize;
    }
    send();
}

void CMNetworkPane::Poll()
{
    m_net.Poll();
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
    ReplyArrived();
    Write("Downloaded songs:");
    StoreSongs(songs);
    if (!m_downloadsAwaited.empty()) {
        ReportMissing(m_downloadsAwaited.front(), songs);
        m_downloadsAwaited.pop_front();
    }
}

void CMNetworkPane::StoreSongs(const CMZimbrelSongList& songs)
{
    for (const auto& song : songs) {
        Write("  - %s", song->name.c_str());
        const CMStoredSongFile stored = StoreDownloadedSong(m_dataFolder, *song);
        switch (stored.outcome) {
        case CMStoredSongFile::Outcome::Saved: Write("    saved as %s", stored.path.c_str()); break;
        case CMStoredSongFile::Outcome::AlreadyThere:
            Write("    already stored as %s", stored.path.c_str());
            break;
        case CMStoredSongFile::Outcome::Refused:
            Write("Error : Cannot store '%s': %s", song->name.c_str(), stored.reason.c_str());
            break;
        }
    }
}

void CMNetworkPane::ReportMissing(const std::vector<std::string>& wanted,
                                  const CMZimbrelSongList& songs)
{
    for (const std::string& name : wanted) {
        if (!Answers(name, songs))
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
    m_awaitedReplies = 0;
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
