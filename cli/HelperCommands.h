// The commands that draw or sound: chart and songbook (zimbrel-cli-chart, on Qt) and audio, play
// and ports (zimbrel-cli-sound, on FluidSynth, libsndfile and ALSA). Their requests and options are
// known to every program, for help and for reading the command line before it is handed on; their
// work is linked into their own program only and reaches the command table through CliHelperRuns.
#pragma once

#include "app/CMPerformanceSettings.h"
#include "app/ChartView.h"
#include "cli/CliCommand.h"

#include <optional>
#include <string>
#include <vector>

struct ChartRequest {
    std::vector<std::string> songs;
    std::optional<std::string> output;
    std::optional<int> format;
    std::optional<int> page;
    std::optional<int> dotsPerInch;
    bool screen = false;
    CMChartViewRequest look;  // --transpose, --key, --chord-style, --no-intro, --no-verse
    bool notice = false;
    bool noWarnings = false;
};
void DefineChartCommand(CliOptions& options, ChartRequest& request);
int RunChartCommand(const ChartRequest& request);
std::string ChartDetails();

struct SongbookRequest {
    std::vector<std::string> songs;
    std::optional<std::string> output;
    std::optional<std::string> title;
    CMChartViewRequest look;  // --transpose, --key, --chord-style, --no-intro, --no-verse
    bool notice = false;
    bool noWarnings = false;
};
void DefineSongbookCommand(CliOptions& options, SongbookRequest& request);
int RunSongbookCommand(const SongbookRequest& request);

struct AudioRequest {
    std::vector<std::string> songs;
    std::optional<std::string> output;
    std::optional<int> format;
    std::optional<std::string> soundFont;
    CMPerformanceChoices performance;
    std::optional<std::string> volume;  // --volume, read when the command runs
    bool noWarnings = false;
};
void DefineAudioCommand(CliOptions& options, AudioRequest& request);
int RunAudioCommand(const AudioRequest& request);

struct PlayRequest {
    std::vector<std::string> songs;
    std::optional<std::string> port;
    CMPerformanceChoices performance;
    std::optional<std::string> volume;  // --volume, read when the command runs
    bool listing = false;
    bool noWarnings = false;
};
void DefinePlayCommand(CliOptions& options, PlayRequest& request);
int RunPlayCommand(const PlayRequest& request);

struct PortsRequest {};
void DefinePortsCommand(CliOptions& options, PortsRequest& request);
int RunPortsCommand(const PortsRequest& request);

// The formats a folder of charts or recordings is written in, by extension.
const std::vector<CliChoice>& ChartFormats();
const std::vector<CliChoice>& AudioFormats();

// The work of the commands that draw or sound, in the programs that link it; null elsewhere.
struct CliHelperRuns {
    int (*chart)(const ChartRequest&) = nullptr;
    int (*songbook)(const SongbookRequest&) = nullptr;
    int (*audio)(const AudioRequest&) = nullptr;
    int (*play)(const PlayRequest&) = nullptr;
    int (*ports)(const PortsRequest&) = nullptr;
};
