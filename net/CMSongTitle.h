// The rule for a song title that names a file in the song folder and, with its author, a song on
// the server: it must never lead out of the folder or be split wrongly at an at-mark.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::size_t kMaxSongTitleBytes = 100;

// Why `title` (or an author's user ID) cannot be used: "is empty", "is longer than 100 bytes",
// "holds a path separator", "holds \"..\"", "holds a control character" or "holds an at-mark";
// an empty text when it can.
std::string CheckSongTitle(std::string_view title);
