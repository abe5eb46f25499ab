// CMWorkerPool: worker threads that take jobs from a queue and hand results back to the server's
// loop, which must never wait for them. Results come back in any order with the job's own ticket;
// an event descriptor becomes readable while some are waiting, so the loop can sleep on it with
// its sockets. Each thread builds its own worker first (a database connection, for example), so
// nothing a worker holds is shared between threads.
#pragma once

#include <sys/eventfd.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

template <class Job, class Result>
class CMWorkerPool {
public:
    // Does one job on the thread that built it.
    using Worker = std::function<Result(Job&)>;

    // Starts `threads` threads; each calls `makeWorker` once and then does jobs with what it got.
    CMWorkerPool(int threads, const std::function<Worker()>& makeWorker)
        : m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
    {
        for (int i = 0; i < threads; ++i)
            m_threads.emplace_back([this, makeWorker] { Run(makeWorker()); });
    }
    // Waits for the jobs being done; jobs not started are dropped.
    ~CMWorkerPool()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_jobReady.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
        if (m_wakeFd >= 0)
            close(m_wakeFd);
    }
    CMWorkerPool(const CMWorkerPool&) = delete;
    CMWorkerPool& operator=(const CMWorkerPool&) = delete;

    void Submit(Job job)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_jobs.push_back(std::move(job));
        }
        m_jobReady.notify_one();
    }

    // The results finished since the last call.
    std::vector<Result> TakeResults()
    {
        std::uint64_t signalled = 0;
        [[maybe_unused]] const ssize_t drained = read(m_wakeFd, &signalled, sizeof signalled);
        const std::lock_guard lock(m_mutex);
        return std::exchange(m_results, {});
    }

    // Readable while results are waiting.
    int GetWakeDescriptor() const { return m_wakeFd; }

private:
    void Run(const Worker& worker)
    {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(m_mutex);
                m_jobReady.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
                if (m_stopping)
                    return;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            Result result = worker(job);
            {
                const std::lock_guard lock(m_mutex);
                m_results.push_back(std::move(result));
            }
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t written = write(m_wakeFd, &one, sizeof one);
        }
    }

    int m_wakeFd = -1;
    std::mutex m_mutex;
    std::condition_variable m_jobReady;
    std::deque<Job> m_jobs;
    std::vector<Result> m_results;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};
