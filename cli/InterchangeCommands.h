// The commands that carry songs to and from other programs without drawing them: export (MusicXML
// scores) and import (iReal links into .zimbrel songs). They run in zimbrel-cli itself; the
// songbook, which draws, is with the chart in HelperCommands.h.
#pragma once

#include "cli/CliCommand.h"

#include <optional>
#include <string>
#include <vector>

struct ExportRequest {
    std::vector<std::string> songs;
    std::optional<std::string> output;
    std::optional<int> keyKind;
    std::optional<int> transposition;
    bool noWarnings = false;
};
void DefineExportCommand(CliOptions& options, ExportRequest& request);
int RunExportCommand(const ExportRequest& request);
// The key kinds a score can be written in: every one but the number system.
std::vector<CliChoice> ExportKeyKinds();

struct ImportRequest {
    std::vector<std::string> file;  // one
    std::optional<std::string> folder;
};
void DefineImportCommand(CliOptions& options, ImportRequest& request);
int RunImportCommand(const ImportRequest& request);
