// CMSongReader: the song server's reads of songs, on worker threads with database connections of
// their own, so that the server's loop keeps answering everyone while a list of hundreds of
// thousands of songs is built. A job names what was asked; its result is the reply's payload,
// ready to send, cut before it would pass what a client accepts.
#pragma once

#include "net/CFSerialData.h"
#include "server/CMWorkerPool.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMSongStore;

class CMSongReader {
public:
    // EverySong is a List of no user IDs that the server shares between sessions.
    enum class Kind { List, EverySong, Download };

    struct Job {
        std::uint64_t ticket = 0;
        Kind kind = Kind::List;
        // List: the user IDs (none: every song). Download: the song names asked for.
        std::vector<std::string> names;
    };

    struct Result {
        std::uint64_t ticket = 0;
        Kind kind = Kind::List;
        CFSerialData reply;  // QuerySongListOK or DownloadOK
        int songs = 0;       // the songs in the reply
        int asked = 0;       // the user IDs or names asked for
    };

    // The names of one Download request that are looked up.
    static constexpr std::size_t kMaxNamesPerDownload = 1000;

    // Each of `threads` threads opens the database at `databasePath` for reading.
    CMSongReader(const std::string& databasePath, int threads);

    void Submit(Job job) { m_pool->Submit(std::move(job)); }
    std::vector<Result> TakeResults() { return m_pool->TakeResults(); }
    int GetWakeDescriptor() const { return m_pool->GetWakeDescriptor(); }

    // The replies, built from `store`: a QuerySongListOK of the songs of `userIds` (all songs when
    // empty), and a DownloadOK of the songs `names` ask for.
    static Result BuildList(CMSongStore& store, const std::vector<std::string>& userIds);
    static Result BuildDownload(CMSongStore& store, const std::vector<std::string>& names);

private:
    std::unique_ptr<CMWorkerPool<Job, Result>> m_pool;
};
