// CMPasswordHasher: password hashing (libsodium's Argon2id) on worker threads, so the server's
// loop keeps answering other clients while a hash is computed (about 0.1 s and 64 MiB each at
// the interactive cost). Jobs go in with a ticket; results come back in any order and an event
// descriptor becomes readable when some are waiting.
#pragma once

#include "server/CMWorkerPool.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMPasswordHasher {
public:
    // Interactive: libsodium's interactive limits, for real accounts. Fast: its minimum limits,
    // for tests and load measurements only.
    enum class Cost { Interactive, Fast };

    struct Result {
        std::uint64_t ticket = 0;
        bool ok = false;   // hashed, or the password matched
        std::string hash;  // the new hash (hashing only)
    };

    // Initialises libsodium (construction does it too); answers false when it cannot be used.
    static bool Initialize();

    CMPasswordHasher(Cost cost, int threads);

    // Queues the hashing of a new password.
    void Hash(std::uint64_t ticket, std::string password);
    // Queues a check of a password against a stored hash; an empty hash checks against a hash of
    // no real password, which fails in the same time a real check takes.
    void Verify(std::uint64_t ticket, std::string password, std::string hash);
    // The results finished since the last call.
    std::vector<Result> TakeResults() { return m_pool->TakeResults(); }
    // Readable while results are waiting.
    int GetWakeDescriptor() const { return m_pool->GetWakeDescriptor(); }

private:
    struct Job {
        std::uint64_t ticket = 0;
        bool verify = false;
        std::string password;
        std::string hash;
    };

    Result Run(Job& job) const;
    std::string HashNow(const std::string& password) const;

    Cost m_cost;
    std::string m_decoyHash;
    // Last: its threads stop before the members they read go away.
    std::unique_ptr<CMWorkerPool<Job, Result>> m_pool;
};
