// The commands that read songs and neither draw nor sound: compile, analyze and midi. They run in
// zimbrel-cli itself.
#pragma once

#include "app/CMPerformanceSettings.h"
#include "cli/CliCommand.h"

#include <string>
#include <vector>

struct CompileRequest {
    std::vector<std::string> songs;
    bool bars = false;
    bool noWarnings = false;
};
void DefineCompileCommand(CliOptions& options, CompileRequest& request);
int RunCompileCommand(const CompileRequest& request);

struct AnalyzeRequest {
    std::vector<std::string> songs;
    bool noWarnings = false;
};
void DefineAnalyzeCommand(CliOptions& options, AnalyzeRequest& request);
int RunAnalyzeCommand(const AnalyzeRequest& request);

struct MidiRequest {
    std::vector<std::string> songs;
    std::optional<std::string> output;
    CMPerformanceChoices performance;  // with --mix
    bool listing = false;
    bool noWarnings = false;
};
void DefineMidiCommand(CliOptions& options, MidiRequest& request);
int RunMidiCommand(const MidiRequest& request);

// The performance options of midi, audio and play: --band, --tempo, --transpose, --no-piano,
// --no-bass, --no-drums, --precount, --precount-note, --repeats, --no-intro, --no-verse, --seed,
// --feel.
void DefinePerformanceOptions(CliOptions& options, CMPerformanceChoices& choices);
// --volume of audio and play, read by ApplyVolumeOption when the command runs: false, with the
// message in `error`, when it says anything but volumes of the three instruments.
void DefineVolumeOption(CliOptions& options, std::optional<std::string>& volume);
bool ApplyVolumeOption(const std::optional<std::string>& volume, CMPerformanceChoices& choices,
                       std::string& error);
// Where the performance options' defaults come from, for the commands' help.
extern const char* const kPerformanceDefaults;
