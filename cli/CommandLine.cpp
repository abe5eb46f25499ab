// The command line of the zimbrel-cli programs over CLI11: see CommandLine.h. Each command is a
// subcommand whose options the command declares through CliOptions; CLI11 reads them, checks
// them and writes the help texts.
#include "cli/CommandLine.h"

#include "cli/BashCompletion.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>

namespace {

constexpr const char* kProgram = "zimbrel-cli";

// "from 30 to 360"
std::string RangeText(CliRange range)
{
    return "from " + std::to_string(range.lowest) + " to " + std::to_string(range.highest);
}

// The name messages give an option: its long name ("-o,--output" gives "--output").
std::string LongName(const std::string& names)
{
    const std::size_t comma = names.find(',');
    return comma == std::string::npos ? names : names.substr(comma + 1);
}

// "-o|--output", as the completion script matches it.
std::string Alternatives(const std::string& names)
{
    std::string text = names;
    for (char& c : text)
        c = c == ',' ? '|' : c;
    return text;
}

// Breaks each line of `text` at blanks so that no line is longer than `width`; a continued line
// is indented as the line it continues.
std::string Wrap(const std::string& text, std::size_t width)
{
    std::string wrapped;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        const std::string indent = line.substr(0, line.find_first_not_of(' '));
        while (line.size() > width) {
            const std::size_t blank = line.rfind(' ', width);
            if (blank == std::string::npos || blank <= indent.size())
                break;
            wrapped += line.substr(0, blank) + "\n";
            line.erase(0, blank + 1);
            line.insert(0, indent);
        }
        wrapped += line + (end < text.size() ? "\n" : "");
        start = end + 1;
    }
    return wrapped;
}

// An option's help beside the option column of CLI11's help.
std::string OptionHelp(const std::string& text)
{
    return Wrap(text, 48);
}

bool ParseWhole(const std::string& text, CliRange range, long long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || parsed < range.lowest || parsed > range.highest)
        return false;
    value = parsed;
    return true;
}

class CommandOptions final : public CliOptions {
public:
    CommandOptions(CLI::App& command, CliCompletionHints& hints)
        : m_command(command), m_hints(hints)
    {
    }

    void Switch(const std::string& names, bool& value, const std::string& help) override
    {
        m_command.add_flag(names, value, OptionHelp(help));
        m_hints.AddOption(m_command.get_name(), Alternatives(names), false);
    }

    void Text(const std::string& names, std::optional<std::string>& value,
              const std::string& valueName, const std::string& help,
              CliCompletion completion) override
    {
        CLI::Option* option = m_command.add_option_function<std::string>(
            names, [&value](const std::string& text) { value = text; }, OptionHelp(help));
        option->type_name(valueName);
        m_hints.AddOption(m_command.get_name(), Alternatives(names), true, completion);
    }

    void Choice(const std::string& names, std::optional<int>& value,
                const std::vector<CliChoice>& choices, const std::string& help) override
    {
        std::string words;
        std::string meanings;
        for (const CliChoice& choice : choices) {
            words += (words.empty() ? "" : "|") + choice.word;
            meanings += "\n  " + choice.word + ": " + choice.meaning;
        }
        const std::string name = LongName(names);
        CLI::Option* option = m_command.add_option_function<std::string>(
            names,
            [&value, choices, name, words](const std::string& text) {
                for (const CliChoice& choice : choices)
                    if (choice.word == text) {
                        value = choice.value;
                        return;
                    }
                throw CLI::ValidationError(name, "takes " + words + ", not '" + text + "'");
            },
            OptionHelp(help + meanings));
        option->type_name(words);
        m_hints.AddOption(m_command.get_name(), Alternatives(names), true, CliCompletion::None,
                          words);
    }

    void Operands(const std::string& name, std::vector<std::string>& values, std::size_t least,
                  std::size_t most, const std::string& help, CliCompletion completion) override
    {
        CLI::Option* option = nullptr;
        if (most == 1) {
            option = m_command.add_option_function<std::string>(
                name, [&values](const std::string& text) { values = {text}; }, OptionHelp(help));
        } else {
            option = m_command.add_option(name, values, OptionHelp(help));
            option->expected(static_cast<int>(least), most == 0
                                                          ? CLI::detail::expected_max_vector_size
                                                          : static_cast<int>(most));
        }
        option->type_name("");
        option->required(least > 0);
        m_hints.SetOperands(m_command.get_name(), completion);
    }

protected:
    void AddNumber(const std::string& names, CliRange range, const std::string& help,
                   std::function<void(long long)> store) override
    {
        const std::string name = LongName(names);
        m_command
            .add_option_function<std::string>(
                names,
                [range, name, store](const std::string& text) {
                    long long number = 0;
                    if (!ParseWhole(text, range, number))
                        throw CLI::ValidationError(name, "takes a whole number " +
                                                             RangeText(range) + ", not '" + text +
                                                             "'");
                    store(number);
                },
                OptionHelp(help + ", " + RangeText(range)))
            ->type_name("N");
        m_hints.AddOption(m_command.get_name(), Alternatives(names), true);
    }

private:
    CLI::App& m_command;
    CliCompletionHints& m_hints;
};

const char* ProgramFile(CliProgram program)
{
    switch (program) {
    case CliProgram::Chart: return "zimbrel-cli-chart";
    case CliProgram::Sound: return "zimbrel-cli-sound";
    case CliProgram::Front: break;
    }
    return kProgram;
}

// The program that runs a command: beside this one (the build tree), else in the installed
// libexec folder.
std::string FindProgram(CliProgram program)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path folder = self.parent_path();
    for (const std::filesystem::path& candidate :
         {folder / ProgramFile(program), folder / "../libexec/zimbrel" / ProgramFile(program)})
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    return (folder / ProgramFile(program)).string();
}

// Runs the command's own program in place of this one, with the arguments from the command on.
int HandOver(const CliCommand& command, const std::vector<std::string>& arguments)
{
    const std::string program = FindProgram(command.info.program);
    std::vector<std::string> texts = {program};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    pointers.reserve(texts.size() + 1);
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    std::fflush(nullptr);
    execv(program.c_str(), pointers.data());
    return Failure("cannot start " + program + " for " + command.info.name + ": " +
                   std::strerror(errno));
}

// The arguments from the command's name on: the global options before it are read already.
std::vector<std::string> CommandArguments(int argc, char** argv, const std::string& name)
{
    int i = 1;
    while (i < argc && std::string_view(argv[i]) != name)
        i += std::string_view(argv[i]) == "--workdir" ? 2 : 1;
    return std::vector<std::string>(argv + std::min(i, argc), argv + argc);
}

std::string CommandHelpFooter(const CliCommandInfo& info)
{
    std::string footer = Wrap(info.details, 78);
    if (info.tables)
        footer += (footer.empty() ? "" : "\n") + Wrap(info.tables(), 78);
    if (!info.example.empty())
        footer += (footer.empty() ? "" : "\n\n") + std::string("Example:\n  ") + info.example;
    return footer;
}

// The first operand: the command's name, or empty.
std::string CommandName(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--workdir")
            ++i;
        else if (argument.empty() || argument[0] != '-')
            return std::string(argument);
    }
    return std::string();
}

// Whether the command line asks for every command's options: for help or the completion script.
bool NeedsEveryCommand(int argc, char** argv)
{
    const std::string name = CommandName(argc, argv);
    for (int i = 1; i < argc && name.empty(); ++i)
        if (std::string_view(argv[i]) == "--help-all" ||
            std::string_view(argv[i]) == "--bash-completion")
            return true;
    return name == "help";
}

class CommandLine {
public:
    // Declares every command; the options only of the command named (a command starts sooner
    // without the others' options) unless help or the completion script needs them all.
    CommandLine(const std::vector<CliCommand>& commands, int argc, char** argv)
        : m_commands(commands),
          m_app("Chord charts, lead sheets and a virtual jazz trio.", kProgram)
    {
        const std::string named = CommandName(argc, argv);
        const bool every = NeedsEveryCommand(argc, argv);
        m_app.set_version_flag("--version", std::string(kProgram) + " " + ZIMBREL_VERSION_TEXT,
                               "Show the version and exit");
        m_app.set_help_flag("-h,--help", "Show this help and exit");
        m_app
            .add_option("--workdir", m_workdir, "Work in DIR, where ./Data/ and ./Zimbrel.ini are")
            ->type_name("DIR");
        m_app.add_flag("--bash-completion", m_printCompletion, "Print the bash completion script")
            ->group("");
        m_app.add_flag("--help-all", m_printAllHelp, "Print the help of every command")->group("");
        m_app.require_subcommand(0, 1);
        m_app.footer("Exit status: 0 done, 1 the work failed, 2 bad usage.\n"
                     "'zimbrel-cli help COMMAND' or 'zimbrel-cli COMMAND --help' shows a "
                     "command's options.");
        for (const CliCommand& command : m_commands) {
            CLI::App* sub = m_app.add_subcommand(command.info.name, command.info.summary);
            const CliCommandInfo& info = command.info;
            sub->footer([&info] { return CommandHelpFooter(info); });
            m_hints.AddCommand(command.info.name);
            if (!every && named != command.info.name)
                continue;
            CommandOptions options(*sub, m_hints);
            command.define(options);
        }
        CLI::App* help =
            m_app.add_subcommand("help", "Show the help of zimbrel-cli or of a command");
        help->add_option("COMMAND", m_helpTopic, "The command to explain")->type_name("COMMAND");
        help->footer("Example:\n  zimbrel-cli help midi");
        m_hints.AddCommand("help");
        m_hints.SetOperands("help", CliCompletion::Command);
    }

    int Run(int argc, char** argv)
    {
        try {
            m_app.parse(argc, argv);
        } catch (const CLI::CallForHelp&) {
            return ShowHelp(Chosen());
        } catch (const CLI::CallForVersion& version) {
            std::printf("%s\n", version.what());
            return kExitDone;
        } catch (const CLI::ParseError& error) {
            return Refuse(error);
        }
        if (m_printCompletion) {
            std::fputs(BashCompletionScript(m_hints).c_str(), stdout);
            return kExitDone;
        }
        if (m_printAllHelp)
            return ShowAllHelp();
        if (!m_workdir.empty() && chdir(m_workdir.c_str()) != 0)
            return Failure("cannot work in '" + m_workdir + "': " + std::strerror(errno));
        const CLI::App* chosen = Chosen();
        if (!chosen)
            return UsageError("", "no command given");
        if (chosen->get_name() == "help")
            return ShowHelpTopic();
        const CliCommand& command = Find(chosen->get_name());
        if (!command.run)
            return HandOver(command, CommandArguments(argc, argv, command.info.name));
        // The libraries answer failures rather than throwing; only memory running out comes here.
        try {
            return command.run();
        } catch (const std::bad_alloc&) {
            return Failure(command.info.name + ": not enough memory for this work");
        }
    }

private:
    const CLI::App* Chosen() const
    {
        const std::vector<CLI::App*> chosen = m_app.get_subcommands();
        return chosen.empty() ? nullptr : chosen.front();
    }

    const CliCommand& Find(const std::string& name) const
    {
        for (const CliCommand& command : m_commands)
            if (command.info.name == name)
                return command;
        throw std::logic_error("no command " + name);
    }

    int ShowHelp(const CLI::App* command) const
    {
        std::fputs(command ? command->help(kProgram).c_str() : m_app.help().c_str(), stdout);
        return kExitDone;
    }

    // The program's help, then each command's under its name: the manual page is made of it.
    int ShowAllHelp() const
    {
        ShowHelp(nullptr);
        for (const CLI::App* command : m_app.get_subcommands({})) {
            if (command->get_name() == "help")
                continue;
            // A blank line keeps the summary and the usage apart in the manual page.
            std::string help = command->help(kProgram);
            const std::size_t usage = help.find("\nUsage:");
            if (usage != std::string::npos)
                help.insert(usage, "\n");
            std::printf("\n%s:\n%s", command->get_name().c_str(), help.c_str());
        }
        return kExitDone;
    }

    int ShowHelpTopic() const
    {
        if (m_helpTopic.empty())
            return ShowHelp(nullptr);
        for (const CLI::App* command : m_app.get_subcommands({}))
            if (command->get_name() == m_helpTopic)
                return ShowHelp(command);
        return UsageError("help", "no command '" + m_helpTopic + "'");
    }

    int Refuse(const CLI::ParseError& error) const
    {
        const CLI::App* chosen = Chosen();
        if (!chosen && dynamic_cast<const CLI::ExtrasError*>(&error)) {
            const std::vector<std::string> rest = m_app.remaining();
            if (!rest.empty() && rest.front().rfind('-', 0) != 0)
                return UsageError("", "unknown command '" + rest.front() + "'");
        }
        return UsageError(chosen ? chosen->get_name() : "", error.what());
    }

    const std::vector<CliCommand>& m_commands;
    CLI::App m_app;
    CliCompletionHints m_hints;
    std::string m_workdir;
    std::string m_helpTopic;
    bool m_printCompletion = false;
    bool m_printAllHelp = false;
};

}  // namespace

int Failure(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
    return kExitFailed;
}

int UsageError(const std::string& command, const std::string& message)
{
    if (command.empty())
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", kProgram, message.c_str(), kProgram);
    else
        std::fprintf(stderr, "%s: %s: %s\nTry '%s help %s'.\n", kProgram, command.c_str(),
                     message.c_str(), kProgram, command.c_str());
    return kExitUsage;
}

int RunCommandLine(int argc, char** argv, const std::vector<CliCommand>& commands)
{
    CommandLine commandLine(commands, argc, argv);
    return commandLine.Run(argc, argv);
}
