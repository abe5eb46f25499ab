// Atomic saves: a file is written to a temporary file beside the target and renamed over it only
// when every byte is on disk, so a crash or a full disk never leaves a half-written file in place
// of a good one.
#pragma once

#include <functional>
#include <string_view>
#include <sys/types.h>

// Writes `bytes` to `path`. A new file gets `newFileMode` (before the umask); an existing file
// keeps its permissions. Answers false, leaving the target untouched, when anything fails; errno
// then tells why ("No space left on device").
bool WriteFileAtomically(const char* path, std::string_view bytes, mode_t newFileMode = 0644);

// Lets `write` create the whole file under the temporary name it is given (a file beside `path`
// that it may open, truncate and fill by name, as a library that writes files by name does), then
// syncs it and renames it over `path` with the permissions WriteFileAtomically gives. Answers
// false, leaving the target untouched and no temporary file behind, when `write` or anything
// else fails.
bool WriteFileAtomicallyWith(const char* path,
                             const std::function<bool(const char* temporaryPath)>& write,
                             mode_t newFileMode = 0644);
