// CMLogonThrottle: slows password guessing across connections. Failed log-ons are counted per
// address and per account (the e-mail address asked for, registered or not); after a few free
// failures each further check of that address or account waits a doubling delay, up to a most,
// and checks are spaced one at a time, so reconnecting or using many connections gains nothing.
// An account counts an attempt as failed from the moment it is booked, so that many attempts at
// once are spaced too; an address counts only real failures, so that many people behind one
// address can log on at once. An attempt that would wait longer than the most is refused at
// once, unchecked. Addresses that logged on to an account are exempt from that account's delay,
// so a guesser cannot keep its owner out from where the owner usually logs on.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class CMLogonThrottle {
public:
    using Clock = std::chrono::steady_clock;

    struct Policy {
        int freeFailures = 5;
        std::chrono::milliseconds firstDelay{1000};
        std::chrono::milliseconds maxDelay{30000};
        // A record without attempts for this long is forgotten.
        std::chrono::minutes forgetAfter{15};
        // Addresses remembered per account as its owner's.
        std::size_t trustedAddresses = 8;
    };

    explicit CMLogonThrottle(const Policy& policy) : m_policy(policy) {}

    // Books the check of a log-on to `account` from `address`: answers when the password may be
    // checked, or nothing when the wait would exceed the policy's most (the attempt is then
    // refused unchecked and not counted). Report the outcome with Failed or Succeeded.
    std::optional<Clock::time_point> Book(const std::string& account, const std::string& address,
                                          Clock::time_point now);
    void Failed(const std::string& address, Clock::time_point now);
    // The address starts afresh and is trusted for the account.
    void Succeeded(const std::string& account, const std::string& address, Clock::time_point now);
    // Forgets records that have been quiet for the policy's time; call now and then.
    void Forget(Clock::time_point now);

private:
    struct Record {
        int failures = 0;
        Clock::time_point nextCheck;
        Clock::time_point lastAttempt;
    };
    struct Account {
        Record record;
        std::vector<std::pair<std::string, Clock::time_point>> trusted;  // address, last log-on
    };

    Clock::duration DelayAfter(int failures) const;
    bool IsTrusted(const Account& account, const std::string& address) const;

    Policy m_policy;
    std::unordered_map<std::string, Record> m_addresses;
    std::unordered_map<std::string, Account> m_accounts;
};
