// The command line of every zimbrel-cli program, read with CLI11: the global options (--workdir,
// --help, --version), `help [COMMAND]`, each command's options and its help, and the hand-over
// of a command to the program that runs it. The only file that includes CLI11, which is large.
#pragma once

#include "cli/CliCommand.h"

#include <vector>

// Reads the command line, runs the command (or hands it to its program) and answers the exit
// status.
int RunCommandLine(int argc, char** argv, const std::vector<CliCommand>& commands);
