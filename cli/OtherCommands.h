// The commands of zimbrel-cli that read no song: bands, musician, config and net. They run in
// zimbrel-cli itself.
#pragma once

#include "cli/CliCommand.h"

#include <string>
#include <vector>

struct BandsRequest {};
void DefineBandsCommand(CliOptions& options, BandsRequest& request);
int RunBandsCommand(const BandsRequest& request);

struct MusicianRequest {
    std::vector<std::string> name;
    bool patterns = false;
};
void DefineMusicianCommand(CliOptions& options, MusicianRequest& request);
int RunMusicianCommand(const MusicianRequest& request);

struct ConfigRequest {
    std::vector<std::string> setting;  // SECTION.KEY, or none
    std::vector<std::string> value;    // the new value, or none
};
void DefineConfigCommand(CliOptions& options, ConfigRequest& request);
int RunConfigCommand(const ConfigRequest& request);
// Every setting with its default, meaning and values, for config's help.
std::string ConfigSettingsHelp();

struct NetRequest {
    std::vector<std::string> operands;  // the action and its operands
    std::optional<std::string> email;
    std::optional<std::string> password;
    std::optional<std::string> server;
    bool all = false;
};
void DefineNetCommand(CliOptions& options, NetRequest& request);
int RunNetCommand(const NetRequest& request);
