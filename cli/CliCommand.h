// The commands of zimbrel-cli. Each takes the arguments after its name and answers the exit
// status: 0 done, 1 the work failed, 2 bad usage. Results go to standard output, errors to
// standard error.
#pragma once

#include <string>
#include <vector>

using CliArguments = std::vector<std::string>;

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int RunCompileCommand(const CliArguments& arguments);
int RunAnalyzeCommand(const CliArguments& arguments);
int RunConfigCommand(const CliArguments& arguments);
int RunMidiCommand(const CliArguments& arguments);
int RunBandsCommand(const CliArguments& arguments);
int RunMusicianCommand(const CliArguments& arguments);
int RunPlayCommand(const CliArguments& arguments);
int RunPortsCommand(const CliArguments& arguments);
int RunAudioCommand(const CliArguments& arguments);
int RunChartCommand(const CliArguments& arguments);
int RunNetCommand(const CliArguments& arguments);
int RunExportCommand(const CliArguments& arguments);
int RunImportCommand(const CliArguments& arguments);
int RunSongbookCommand(const CliArguments& arguments);

// Writes "zimbrel-cli: message" and a hint to standard error; answers kExitUsage.
int UsageError(const std::string& message);
