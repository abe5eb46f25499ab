// The rules an account must keep, shared by the register dialog, zimbrel-cli and the server: the
// cleaning of what was typed and the checks, each answering the message the user sees.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::size_t kMaxUserIdBytes = 20;
inline constexpr std::size_t kMaxPasswordBytes = 128;

struct CMRegistration {
    std::string userId;
    std::string email;
    std::string password;
};

// Removes blanks (tab, line feed, carriage return, space) around each field and lowers the
// e-mail address's capital letters.
void CleanRegistration(CMRegistration& registration);
std::string LowerCase(std::string_view text);

// Each answers the message for the first rule the value breaks, or an empty text.
std::string CheckUserId(std::string_view userId);
std::string CheckEmail(std::string_view email);
std::string CheckPassword(std::string_view password);
// The three checks in the dialog's order: user ID, e-mail, password.
std::string CheckRegistration(const CMRegistration& registration);
