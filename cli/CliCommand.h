// The commands of zimbrel-cli. A command is a request (the values of its options and operands),
// a function that declares its options on a CliOptions, and a function that does the work with
// the request and answers the exit status: 0 done, 1 the work failed, 2 bad usage. Results go to
// standard output, errors and warnings to standard error.
//
// The commands that draw (chart) or sound (audio, play, ports) run in programs of their own,
// zimbrel-cli-chart and zimbrel-cli-sound, which load Qt, FluidSynth, libsndfile and ALSA; every
// program knows every command's options, so that zimbrel-cli reads a command line and prints help
// without them and hands the command to the program that runs it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The program of zimbrel-cli that runs a command.
enum class CliProgram { Front, Chart, Sound };

// What completes an option's value or an operand on the shell.
enum class CliCompletion { None, Song, Files, Folder, Band, Musician, Setting, Command };

// Whole numbers from lowest to highest, both included.
struct CliRange {
    long long lowest = 0;
    long long highest = 0;
};

// One value of a choice option: its word and the number it stands for.
struct CliChoice {
    std::string word;
    int value = 0;
    std::string meaning;
};

// Declares the options and operands of one command, each bound to a field of its request. The
// names are "-o,--output" or "--tempo"; help texts are one sentence without the range, which is
// added.
class CliOptions {
public:
    virtual ~CliOptions() = default;

    virtual void Switch(const std::string& names, bool& value, const std::string& help) = 0;
    virtual void Text(const std::string& names, std::optional<std::string>& value,
                      const std::string& valueName, const std::string& help,
                      CliCompletion completion = CliCompletion::None) = 0;
    virtual void Choice(const std::string& names, std::optional<int>& value,
                        const std::vector<CliChoice>& choices, const std::string& help) = 0;
    // Operands in order; `most` 0 for any number.
    virtual void Operands(const std::string& name, std::vector<std::string>& values,
                          std::size_t least, std::size_t most, const std::string& help,
                          CliCompletion completion) = 0;

    // A whole number within `range`.
    template <typename Integer>
    void Number(const std::string& names, std::optional<Integer>& value, CliRange range,
                const std::string& help)
    {
        AddNumber(names, range, help,
                  [&value](long long number) { value = static_cast<Integer>(number); });
    }

protected:
    virtual void AddNumber(const std::string& names, CliRange range, const std::string& help,
                           std::function<void(long long)> store) = 0;
};

struct CliCommandInfo {
    std::string name;
    std::string summary;  // one line, for the list of commands
    std::string details;  // more for its help: what the numbers mean, where defaults come from
    std::string example;  // one command line
    CliProgram program = CliProgram::Front;
    // Help made from tables when it is shown (the settings of config); null for none.
    std::string (*tables)() = nullptr;
};

struct CliCommand {
    CliCommandInfo info;
    std::function<void(CliOptions&)> define;
    std::function<int()> run;  // empty in the programs that hand the command on
};

// A command over a request of its own, created here and shared by `define` and `run`.
template <typename Request>
CliCommand MakeCliCommand(CliCommandInfo info, void (*define)(CliOptions&, Request&),
                          int (*run)(const Request&))
{
    auto request = std::make_shared<Request>();
    CliCommand command{std::move(info),
                       [request, define](CliOptions& options) { define(options, *request); },
                       nullptr};
    if (run)
        command.run = [request, run] { return run(*request); };
    return command;
}

// "zimbrel-cli: message" on standard error; answers kExitFailed.
int Failure(const std::string& message);
// "zimbrel-cli: COMMAND: message" and where help is, on standard error; answers kExitUsage.
int UsageError(const std::string& command, const std::string& message);
