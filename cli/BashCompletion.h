// The bash completion script of zimbrel-cli, written from what the command line declares: the
// commands, their options, which options take a value, and what completes each value and
// operand (song files, folders, band, musician and setting names, the words of a choice). The
// build writes it with `zimbrel-cli --bash-completion`, so it always matches the program.
#pragma once

#include "cli/CliCommand.h"

#include <string>
#include <vector>

class CliCompletionHints {
public:
    struct Option {
        std::string names;  // "-o|--output"
        bool takesValue = false;
        CliCompletion completion = CliCompletion::None;
        std::string words;  // a choice's words, "concert|bb|eb"
    };
    struct Command {
        std::string name;
        std::vector<Option> options;
        CliCompletion operands = CliCompletion::None;
    };

    void AddCommand(const std::string& name);
    void AddOption(const std::string& command, const std::string& names, bool takesValue,
                   CliCompletion completion = CliCompletion::None, const std::string& words = "");
    // What completes the command's operands: the first operand's kind.
    void SetOperands(const std::string& command, CliCompletion completion);
    const std::vector<Command>& Commands() const { return m_commands; }

private:
    Command& Find(const std::string& name);
    std::vector<Command> m_commands;
};

std::string BashCompletionScript(const CliCompletionHints& hints);
