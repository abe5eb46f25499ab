// Every command of zimbrel-cli, in the order help lists them. To add a command: write its request,
// its Define and Run functions (a file of their own, declared in SongCommands.h, OtherCommands.h
// or, for one that draws or sounds, HelperCommands.h), add one entry here, and add the file to
// cli/CMakeLists.txt (zimbrel_cli for a command of zimbrel-cli itself, the helper's sources for
// one that draws or sounds, whose run then also goes into CliHelperRuns).
#pragma once

#include "cli/HelperCommands.h"

#include <vector>

// The commands, with the work of those that draw or sound taken from `runs` (null: handed on).
std::vector<CliCommand> ZimbrelCliCommands(const CliHelperRuns& runs);
