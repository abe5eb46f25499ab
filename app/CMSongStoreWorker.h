// CMSongStoreWorker: stores downloaded songs in the song folder on a thread of its own, one after
// another in the order given, so that a slow disk (every song is written through a temporary
// file and flushed) never holds up the window. The outcomes come back in the same order.
#pragma once

#include "app/SharedSongFiles.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CMSongStoreWorker {
public:
    CMSongStoreWorker() = default;
    // Stores what it was given (nothing received is lost), then ends its thread.
    ~CMSongStoreWorker();
    CMSongStoreWorker(const CMSongStoreWorker&) = delete;
    CMSongStoreWorker& operator=(const CMSongStoreWorker&) = delete;

    // Stores `song` in `folder` (ending in "/") after the songs given before; the thread starts
    // with the first song.
    void Store(const std::string& folder, CMZimbrelSong song);
    // The outcomes ready, in the order the songs were given; taken out.
    std::vector<CMStoredSongFile> TakeOutcomes();

private:
    struct Job {
        std::string folder;
        CMZimbrelSong song;
    };
    void Run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    std::vector<CMStoredSongFile> m_outcomes;
    bool m_stopping = false;
    std::thread m_thread;
};
