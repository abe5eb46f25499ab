// CMPasswordHasher: see CMPasswordHasher.h.
#include "server/CMPasswordHasher.h"

#include <sodium.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <utility>

bool CMPasswordHasher::Initialize()
{
    return sodium_init() >= 0;
}

CMPasswordHasher::CMPasswordHasher(Cost cost, int threads)
    : m_cost(cost), m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    Initialize();
    unsigned char random[16];
    randombytes_buf(random, sizeof random);
    m_decoyHash = HashNow(std::string(reinterpret_cast<const char*>(random), sizeof random));
    for (int i = 0; i < threads; ++i)
        m_workers.emplace_back(&CMPasswordHasher::Work, this);
}

CMPasswordHasher::~CMPasswordHasher()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_jobReady.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
    if (m_wakeFd >= 0)
        close(m_wakeFd);
}

void CMPasswordHasher::Hash(std::uint64_t ticket, std::string password)
{
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back({ticket, false, std::move(password), {}});
    }
    m_jobReady.notify_one();
}

void CMPasswordHasher::Verify(std::uint64_t ticket, std::string password, std::string hash)
{
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back(
            {ticket, true, std::move(password), hash.empty() ? m_decoyHash : std::move(hash)});
    }
    m_jobReady.notify_one();
}

std::vector<CMPasswordHasher::Result> CMPasswordHasher::TakeResults()
{
    std::uint64_t signalled = 0;
    [[maybe_unused]] const ssize_t drained = read(m_wakeFd, &signalled, sizeof signalled);
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_results, {});
}

void CMPasswordHasher::Work()
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
        Result result = Run(job);
        sodium_memzero(job.password.data(), job.password.size());
        {
            const std::lock_guard lock(m_mutex);
            m_results.push_back(std::move(result));
        }
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(m_wakeFd, &one, sizeof one);
    }
}

CMPasswordHasher::Result CMPasswordHasher::Run(Job& job) const
{
    Result result;
    result.ticket = job.ticket;
    if (job.verify) {
        result.ok = crypto_pwhash_str_verify(job.hash.c_str(), job.password.data(),
                                             job.password.size()) == 0;
    } else {
        result.hash = HashNow(job.password);
        result.ok = !result.hash.empty();
    }
    return result;
}

std::string CMPasswordHasher::HashNow(const std::string& password) const
{
    const bool fast = m_cost == Cost::Fast;
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.data(), password.size(),
                          fast ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          fast ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE) !=
        0)
        return {};
    return hash;
}
