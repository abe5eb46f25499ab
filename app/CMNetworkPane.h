// CMNetworkPane: the network pane's logic, free of any window: its commands (connect, log in,
// query, download, download all, upload all), its song list, its two conversation flags and every
// line of the network log. It owns the protocol object and hears its device and message events;
// the desktop program shows the rows and the log, and zimbrel-cli drives the same commands.
#pragma once

#include "app/CMSongStoreWorker.h"
#include "app/IMNetworkShell.h"
#include "net/CMZimbrelNet.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class CMZimbrelIni;

// One row of the song list: a received name split at its first at-mark.
struct CMSongListRow {
    std::string title;
    std::string author;
    const CMZimbrelSongName* name = nullptr;  // the pane's copy of the received name
};

class CMNetworkPane : public IFCommunicationDeviceEvent, public IMZimbrelNetEvent {
public:
    // Payloads longer than this are shown in the log by their first bytes and their size.
    static constexpr std::int32_t kLoggedPayloadBytes = 256;
    // Reading songs to upload goes on in slices this long, so that it never holds up the caller
    // (the window's thread) for long; Poll goes on with it. Downloaded songs are stored on a
    // thread of their own, and Poll reports them.
    static constexpr auto kFileWorkSlice = std::chrono::milliseconds(10);

    explicit CMNetworkPane(IMNetworkShell& shell);
    ~CMNetworkPane() override;

    // The settings read at each command ("Email", "Password", "Server", "Port"); not owned.
    // Without them the pane uses the defaults.
    void SetSettings(const CMZimbrelIni* settings) { m_settings = settings; }
    // The song folder, ending in "/"; "./Data/" unless set.
    void SetDataFolder(const std::string& folder) { m_dataFolder = folder; }

    // Connect or disconnect (32811). The connect only starts here; Poll finishes it, so a server
    // that does not answer never holds the caller up. Pressed while connecting, it gives up.
    void Connect();
    // Log in with the stored account, or register through the dialog without one (32812).
    void LogIn();
    // Query the song list (32813); all songs, or those of the given user IDs.
    void QuerySongList(const std::vector<std::string>& userIds = {});
    // Download the songs of the selected rows, in row order (32814).
    void DownloadSelected(const std::vector<int>& rows);
    // Download the named songs ("title@author"; a title alone names it by every author).
    void Download(const std::vector<std::string>& names);
    // Query the song list and download every song on it (32815).
    void DownloadAll();
    // Upload every song of the song folder except other users' downloaded copies (32816).
    void UploadAll();
    // Upload the song files at `paths`, read in slices.
    void Upload(const std::vector<std::string>& paths);
    // Send a registration (what the register dialog's OK leads to).
    void Register(const CMRegistration& registration);
    // The 100 ms timer: polls the device, which raises every event, and goes on with the song
    // files to store or read.
    void Poll();
    // Song files are being stored or read: poll again soon.
    bool HasFileWork() const { return !m_stores.empty() || !m_uploads.empty(); }

    bool IsConnected() const { return m_connected; }
    bool IsConnecting() const { return m_net.IsConnecting(); }
    bool IsLoggedIn() const { return m_loggedIn; }
    const std::vector<CMSongListRow>& GetRows() const { return m_rows; }
    // Requests sent whose replies have not arrived and been handled yet (a connect under way, and
    // an upload whose files are being read, count as one).
    int GetAwaitedReplies() const { return m_awaitedReplies; }
    // The "Error" lines written so far.
    int GetErrorCount() const { return m_errorCount; }
    // The device, for waiting on it.
    const CMZimbrelNet& GetDevice() const { return m_net; }

private:
    void OnConnected(CFSocketEx& device) override;
    void OnDisconnected(CFSocketEx& device) override;
    void OnReceive(CFSocketEx& device) override;
    void OnError(CFSocketEx& device, std::int32_t code) override;
    void OnLogonOK(CFSocketEx& device, std::uint8_t result) override;
    void OnQuerySongListOK(CFSocketEx& device, const CMZimbrelSongNameList& names) override;
    void OnRegisterOK(CFSocketEx& device, std::uint8_t result) override;
    void OnDownloadOK(CFSocketEx& device, const CMZimbrelSongList& songs) override;
    void OnUploadOK(CFSocketEx& device, CFSerialData& payload) override;

    struct StoreWork {
        std::vector<std::string> names;   // of the songs received
        bool headed = false;              // "Downloaded songs:" written
        std::size_t reported = 0;         // songs whose outcome is written
        std::vector<std::string> wanted;  // the names the Download asked for
    };
    struct UploadWork {
        std::vector<std::string> paths;
        std::size_t next = 0;                              // the next file to read
        std::deque<std::unique_ptr<CMZimbrelSong>> songs;  // read and not sent yet
        bool listed = false;                               // "Uploading songs:" written
    };

    void FillSongList(const CMZimbrelSongNameList& names);
    // Goes on with the song files until `end`, one file at least.
    void DoFileWork(std::chrono::steady_clock::time_point end);
    // Writes the outcomes of the stores, in order, and ends each download they complete.
    void ReportStored(std::vector<CMStoredSongFile> outcomes);
    // One step of an upload; true once the upload is done.
    bool UploadNext(UploadWork& work);
    void SendUploadBatch(std::deque<std::unique_ptr<CMZimbrelSong>>& songs);
    void ReportMissing(const std::vector<std::string>& wanted,
                       const std::vector<std::string>& received);
    void LogSent(const CFSerialData& payload);
    void Forget();
    void ReplyArrived();
    // The one formatting function every log line goes through.
    void Write(const char* format, ...) __attribute__((format(printf, 2, 3)));

    IMNetworkShell& m_shell;
    const CMZimbrelIni* m_settings = nullptr;
    std::string m_dataFolder = "./Data/";
    CMZimbrelNet m_net;
    CMZimbrelSongNameList m_names;
    std::vector<CMSongListRow> m_rows;
    bool m_connected = false;
    bool m_loggedIn = false;
    bool m_downloadAllOnList = false;
    int m_awaitedReplies = 0;
    int m_errorCount = 0;
    std::deque<std::vector<std::string>> m_downloadsAwaited;  // the names of each Download sent
    std::deque<StoreWork> m_stores;  // downloads whose songs are being stored
    CMSongStoreWorker m_storeWorker;
    std::deque<UploadWork> m_uploads;
};
