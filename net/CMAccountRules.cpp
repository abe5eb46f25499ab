// The account rules: see CMAccountRules.h. Bytes outside 7-bit ASCII break every rule.
#include "net/CMAccountRules.h"

namespace {

bool IsLetterOrDigit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string Trimmed(std::string_view text)
{
    static constexpr std::string_view kBlanks = "\t\n\r ";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

const char* const kUserIdCharacters =
    "Combination of only alphabet, number and space is acceptable for User ID.  "
    "But space code cannot be the leading or trailing character.";

}  // namespace

void CleanRegistration(CMRegistration& registration)
{
    registration.userId = Trimmed(registration.userId);
    registration.email = LowerCase(Trimmed(registration.email));
    registration.password = Trimmed(registration.password);
}

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string CheckUserId(std::string_view userId)
{
    if (userId.empty())
        return "Please specify User ID.";
    if (userId.size() > kMaxUserIdBytes)
        return "User ID is too long.  It should be up to 20 bytes.";
    for (const char c : userId) {
        if (!IsLetterOrDigit(c) && c != ' ')
            return kUserIdCharacters;
    }
    if (userId.front() == ' ' || userId.back() == ' ')
        return kUserIdCharacters;
    return {};
}

std::string CheckEmail(std::string_view email)
{
    if (email.empty())
        return "Please specify e-mail address.";
    bool seenAtMark = false;
    for (const char c : email) {
        const bool lowerOrDigit = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!lowerOrDigit && c != '@' && c != '_' && c != '-' && c != '~' && c != '.')
            return "Combination of only alphabet, number, at-mark, under-score, hyphen, tilde "
                   "and dot is acceptable for e-mail.";
        if (c == '@') {
            if (seenAtMark)
                return "Only one at-mark is acceptable for e-mail.";
            seenAtMark = true;
        }
    }
    return {};
}

std::string CheckPassword(std::string_view password)
{
    if (password.empty())
        return "Please specify password.";
    for (const char c : password) {
        if (!IsLetterOrDigit(c))
            return "Combination of only alphabet and number is acceptable for password.";
    }
    return {};
}

std::string CheckRegistration(const CMRegistration& registration)
{
    std::string message = CheckUserId(registration.userId);
    if (message.empty())
        message = CheckEmail(registration.email);
    if (message.empty())
        message = CheckPassword(registration.password);
    return message;
}
