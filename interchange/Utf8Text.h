// Song text is bytes: UTF-8 as a rule, but a song or a link may hold another code page. Files
// Zimbrel writes for other programs, and sources it writes for its own compiler, hold UTF-8 only.
#pragma once

#include <string>
#include <string_view>

// `bytes` as they are when they are valid UTF-8, otherwise read as Latin-1 and written in UTF-8.
std::string AsUtf8(std::string_view bytes);
