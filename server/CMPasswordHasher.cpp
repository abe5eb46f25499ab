// CMPasswordHasher: see CMPasswordHasher.h.
#include "server/CMPasswordHasher.h"

#include <sodium.h>

#include <utility>

bool CMPasswordHasher::Initialize()
{
    return sodium_init() >= 0;
}

CMPasswordHasher::CMPasswordHasher(Cost cost, int threads) : m_cost(cost)
{
    Initialize();
    unsigned char random[16];
    randombytes_buf(random, sizeof random);
    m_decoyHash = HashNow(std::string(reinterpret_cast<const char*>(random), sizeof random));
    m_pool = std::make_unique<CMWorkerPool<Job, Result>>(
        threads, [this] { return [this](Job& job) { return Run(job); }; });
}

void CMPasswordHasher::Hash(std::uint64_t ticket, std::string password)
{
    m_pool->Submit({ticket, false, std::move(password), {}});
}

void CMPasswordHasher::Verify(std::uint64_t ticket, std::string password, std::string hash)
{
    m_pool->Submit(
        {ticket, true, std::move(password), hash.empty() ? m_decoyHash : std::move(hash)});
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
    sodium_memzero(job.password.data(), job.password.size());
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
