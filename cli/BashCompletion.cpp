// The bash completion script: see BashCompletion.h.
#include "cli/BashCompletion.h"

#include "app/MusicianListing.h"
#include "app/SettingChecks.h"

namespace {

// Words for `compgen -W`, one a line, so that names with blanks stay whole.
std::string Lines(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += word + "\n";
    return text;
}

// The shell code that fills COMPREPLY for one kind of value.
std::string Completer(CliCompletion completion, const std::string& words)
{
    if (!words.empty()) {
        std::string lines = words;
        for (char& c : lines)
            c = c == '|' ? '\n' : c;
        return "_zimbrel_cli_words \"$cur\" '" + lines + "'";
    }
    switch (completion) {
    case CliCompletion::Song: return "_zimbrel_cli_files \"$cur\" zimbrel";
    case CliCompletion::Files: return "_zimbrel_cli_files \"$cur\" ''";
    case CliCompletion::Folder:
        return "compopt -o filenames; COMPREPLY=($(compgen -d -- \"$cur\"))";
    case CliCompletion::Band: return "_zimbrel_cli_words \"$cur\" \"$_zimbrel_cli_bands\"";
    case CliCompletion::Musician: return "_zimbrel_cli_words \"$cur\" \"$_zimbrel_cli_musicians\"";
    case CliCompletion::Setting: return "_zimbrel_cli_words \"$cur\" \"$_zimbrel_cli_settings\"";
    case CliCompletion::Command: return "_zimbrel_cli_words \"$cur\" \"$_zimbrel_cli_commands\"";
    case CliCompletion::None: break;
    }
    return "COMPREPLY=()";
}

std::string CommandCase(const CliCompletionHints::Command& command)
{
    std::string names;
    std::string values;
    for (const CliCompletionHints::Option& option : command.options) {
        names += (names.empty() ? "" : " ") + option.names;
        if (option.takesValue)
            values += "      " + option.names + ") " + Completer(option.completion, option.words) +
                      "; return ;;\n";
    }
    for (char& c : names)
        c = c == '|' ? ' ' : c;
    std::string text = "    " + command.name + ")\n";
    if (!values.empty())
        text += "      case $prev in\n" + values + "      esac\n";
    text += "      if [[ $cur == -* ]]; then\n"
            "        COMPREPLY=($(compgen -W '" +
            names + " --help' -- \"$cur\"))\n      else\n        " +
            Completer(command.operands, "") + "\n      fi ;;\n";
    return text;
}

}  // namespace

CliCompletionHints::Command& CliCompletionHints::Find(const std::string& name)
{
    for (Command& command : m_commands)
        if (command.name == name)
            return command;
    return m_commands.emplace_back(Command{name, {}, CliCompletion::None});
}

void CliCompletionHints::AddCommand(const std::string& name)
{
    Find(name);
}

void CliCompletionHints::AddOption(const std::string& command, const std::string& names,
                                   bool takesValue, CliCompletion completion,
                                   const std::string& words)
{
    Find(command).options.push_back({names, takesValue, completion, words});
}

void CliCompletionHints::SetOperands(const std::string& command, CliCompletion completion)
{
    // The first operand is what a shell completes: a song, a setting, an action.
    Command& found = Find(command);
    if (found.operands == CliCompletion::None)
        found.operands = completion;
}

std::string BashCompletionScript(const CliCompletionHints& hints)
{
    CMMusicBandList bands;
    bands.BuildPresets();
    std::vector<std::string> commands;
    std::string cases;
    for (const CliCompletionHints::Command& command : hints.Commands()) {
        commands.push_back(command.name);
        cases += CommandCase(command);
    }
    return "# bash completion for zimbrel-cli, written by `zimbrel-cli --bash-completion`.\n"
           "_zimbrel_cli_commands='" +
           Lines(commands) +
           "'\n"
           "_zimbrel_cli_bands='" +
           Lines(BandNames(bands)) +
           "'\n"
           "_zimbrel_cli_musicians='" +
           Lines(MusicianNames(bands)) +
           "'\n"
           "_zimbrel_cli_settings='" +
           Lines(KnownSettingNames()) +
           "'\n"
           R"(
# Words that begin with what was typed, quoted for the shell (band names hold blanks).
_zimbrel_cli_words()
{
  local IFS=$'\n' word quoted
  COMPREPLY=()
  for word in $2; do
    quoted=$(printf '%q' "$word")
    [[ $quoted == "$1"* || $word == "$1"* ]] && COMPREPLY+=("$quoted")
  done
}

# Folders, and files ending in .$2 (any file when $2 is empty).
_zimbrel_cli_files()
{
  compopt -o filenames 2>/dev/null
  if [[ -n $2 ]]; then
    COMPREPLY=($(compgen -d -- "$1") $(compgen -f -X "!*.$2" -- "$1"))
  else
    COMPREPLY=($(compgen -f -- "$1"))
  fi
}

_zimbrel_cli()
{
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command= i
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      --workdir) ((i++)) ;;
      -*) ;;
      *) command=${COMP_WORDS[i]}; break ;;
    esac
  done
  if [[ -z $command ]]; then
    if [[ $prev == --workdir ]]; then
      compopt -o filenames; COMPREPLY=($(compgen -d -- "$cur"))
    elif [[ $cur == -* ]]; then
      COMPREPLY=($(compgen -W '--workdir --help --version' -- "$cur"))
    else
      _zimbrel_cli_words "$cur" "$_zimbrel_cli_commands"
    fi
    return
  fi
  case $command in
)" + cases +
           R"(  esac
}
complete -F _zimbrel_cli zimbrel-cli
)";
}
