// The desktop program's working folder, where ./Data/, ./Zimbrel.ini and ./Zimbrel.log live.
// Started in a folder that holds songs or settings, the program works there; anywhere else it
// works in its own folder under the user's data folder, which it creates on the first start
// with the example songs, so a first start from a desktop menu shows songs at once.
#pragma once

#include <string>

// The folder to work in: `current` when it holds Data/ or Zimbrel.ini, else "zimbrel" in
// `xdgDataHome` (when it is an absolute path) or in `home`/.local/share. Empty when neither
// variable gives a folder; the program then stays where it is.
std::string ChooseWorkingFolder(const std::string& current, const char* xdgDataHome,
                                const char* home);

// Makes sure `folder` exists and, when it has no Data/ yet, creates Data/ with copies of the
// *.zimbrel files of `examplesFolder` (which may be empty or missing: Data/ then starts empty).
// False, with the reason in `error`, when the folder or Data/ cannot be created; existing files
// are never replaced.
bool PrepareWorkingFolder(const std::string& folder, const std::string& examplesFolder,
                          std::string& error);
