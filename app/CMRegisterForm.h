// CMRegisterForm: the register dialog's logic. Its message line reads "Static" until the first
// check; OK cleans the three fields (the cleaned values go back into the controls), runs the
// account rules in order and shows the first message, or asks the confirmation question.
#pragma once

#include "net/CMAccountRules.h"

#include <string>

namespace CMRegisterForm {

inline constexpr const char* kFirstMessage = "Static";
inline constexpr const char* kNote =
    "Please be very careful that User ID is unique and displayed as author of song data.  You "
    "can NEVER change User ID in the future.  You can use alphabet (upper and lower case) and "
    "numbers (0-9) only.  User ID is up to 20 bytes.";
inline constexpr const char* kConfirmationTitle = "Zimbrel";

// Cleans `fields` in place and answers the message of the first check they fail; empty when
// they pass. Bytes outside 7-bit ASCII pass no check.
std::string Check(CMRegistration& fields);
// The question asked before the account is created.
std::string ConfirmationText(const CMRegistration& fields);

}  // namespace CMRegisterForm
