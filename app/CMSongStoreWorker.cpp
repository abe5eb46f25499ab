// CMSongStoreWorker: see CMSongStoreWorker.h.
#include "app/CMSongStoreWorker.h"

#include <utility>

CMSongStoreWorker::~CMSongStoreWorker()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void CMSongStoreWorker::Store(const std::string& folder, CMZimbrelSong song)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back({folder, std::move(song)});
    }
    if (!m_thread.joinable())
        m_thread = std::thread(&CMSongStoreWorker::Run, this);
    m_wake.notify_one();
}

std::vector<CMStoredSongFile> CMSongStoreWorker::TakeOutcomes()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_outcomes, {});
}

void CMSongStoreWorker::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;  // stopping, and everything stored
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        CMStoredSongFile outcome = StoreDownloadedSong(job.folder, job.song);
        lock.lock();
        m_outcomes.push_back(std::move(outcome));
    }
}
