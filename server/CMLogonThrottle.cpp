// CMLogonThrottle: see CMLogonThrottle.h.
#include "server/CMLogonThrottle.h"

#include <algorithm>

namespace {

// Records are kept by at most this much of an e-mail address, so that a stream of log-ons with
// huge made-up addresses cannot fill the memory; no real address comes near it.
constexpr std::size_t kAccountKeyBytes = 256;

std::string KeyOf(const std::string& account)
{
    return account.substr(0, kAccountKeyBytes);
}

}  // namespace

std::optional<CMLogonThrottle::Clock::time_point>
CMLogonThrottle::Book(const std::string& account, const std::string& address, Clock::time_point now)
{
    Record& byAddress = m_addresses[address];
    Account& byAccount = m_accounts[KeyOf(account)];
    Record* accountRecord = IsTrusted(byAccount, address) ? nullptr : &byAccount.record;
    const bool addressSlowed = byAddress.failures >= m_policy.freeFailures;
    Clock::time_point check = addressSlowed ? std::max(now, byAddress.nextCheck) : now;
    if (accountRecord)
        check = std::max(check, accountRecord->nextCheck);
    if (check - now > m_policy.maxDelay)
        return std::nullopt;
    byAddress.lastAttempt = now;
    if (addressSlowed)
        byAddress.nextCheck = check + DelayAfter(byAddress.failures);
    if (accountRecord) {
        ++accountRecord->failures;
        accountRecord->nextCheck = check + DelayAfter(accountRecord->failures);
        accountRecord->lastAttempt = now;
    }
    return check;
}

void CMLogonThrottle::Failed(const std::string& address, Clock::time_point now)
{
    Record& byAddress = m_addresses[address];
    ++byAddress.failures;
    byAddress.nextCheck = std::max(byAddress.nextCheck, now + DelayAfter(byAddress.failures));
    byAddress.lastAttempt = now;
}

CMLogonThrottle::Clock::duration CMLogonThrottle::DelayAfter(int failures) const
{
    const int beyond = failures - m_policy.freeFailures;
    if (beyond < 0)
        return Clock::duration::zero();
    const Clock::duration delay = m_policy.firstDelay * (1LL << std::min(beyond, 20));
    return std::min<Clock::duration>(delay, m_policy.maxDelay);
}

void CMLogonThrottle::Succeeded(const std::string& account, const std::string& address,
                                Clock::time_point now)
{
    m_addresses.erase(address);
    Account& byAccount = m_accounts[KeyOf(account)];
    auto& trusted = byAccount.trusted;
    const auto known = std::find_if(trusted.begin(), trusted.end(),
                                    [&](const auto& entry) { return entry.first == address; });
    if (known != trusted.end()) {
        known->second = now;
        return;
    }
    // The owner's attempt was booked on the account: it was no failure.
    byAccount.record.failures = std::max(0, byAccount.record.failures - 1);
    if (trusted.size() >= m_policy.trustedAddresses) {
        trusted.erase(
            std::min_element(trusted.begin(), trusted.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; }));
    }
    trusted.emplace_back(address, now);
}

bool CMLogonThrottle::IsTrusted(const Account& account, const std::string& address) const
{
    return std::any_of(account.trusted.begin(), account.trusted.end(),
                       [&](const auto& entry) { return entry.first == address; });
}

void CMLogonThrottle::Forget(Clock::time_point now)
{
    const auto quiet = [&](const Record& record) {
        return record.nextCheck <= now && now - record.lastAttempt >= m_policy.forgetAfter;
    };
    std::erase_if(m_addresses, [&](const auto& entry) { return quiet(entry.second); });
    std::erase_if(m_accounts, [&](const auto& entry) {
        return entry.second.trusted.empty() && quiet(entry.second.record);
    });
}
