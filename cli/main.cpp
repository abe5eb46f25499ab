// zimbrel-cli: Zimbrel's work without a window. Parses the global options and hands the rest to
// one command; the libraries do the work.
#include "cli/CliCommand.h"
#include "cli/PerformanceOptions.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>

namespace {

const char* const kUsage = R"(Usage: zimbrel-cli [--workdir DIR] COMMAND [ARGUMENTS]

Chord charts, lead sheets and a virtual jazz trio.

Commands:
  compile [--bars] FILE...   compile songs and report the outcome; --bars also prints
                             each song's measures as the performance listing shows them
  analyze FILE               each chord of the song with the scale the players use for it,
                             in the song's key
  config [SECTION.KEY [VALUE]]
                             every setting of ./Zimbrel.ini with its value; one value;
                             or change one (the file keeps every other line as it is);
                             config --help: what each setting means and takes
  midi FILE [-o OUT] [PERF] [--listing]
                             perform the song into a standard MIDI file (default
                             FILE.midi); --listing prints what was played
  bands                      the bands and their musicians
  musician NAME [--patterns] what a musician's phrase library holds; --patterns lists
                             every pattern
  play FILE [--port N|NAME] [PERF] [--listing]
                             perform the song into FILE.midi and play it on the
                             built-in synthesizer or a MIDI port (see ports) until the
                             end or Ctrl-C
  ports                      the MIDI output ports; * marks the one play uses
                             ("Preferences.MidiOutPort" in ./Zimbrel.ini)
  audio FILE -o OUT [PERF] [--soundfont SF2]
                             perform the song and render it into an audio file; OUT
                             ends in .wav, .flac or .ogg. The SoundFont: --soundfont,
                             else "Preferences.SoundFont", else the system's General
                             MIDI SoundFont
  chart FILE -o OUT.pdf|.png|.svg [--page N] [--dpi N] [--screen] [--transpose N]
        [--key concert|bb|eb|user|number] [--chord-style 0-3] [--no-intro] [--no-verse]
        [--notice]           draw the lead sheet: a PDF holds every printed page, a PNG or
                             SVG one (--page, default 1); --screen draws the screen view;
                             --notice prints the grey notice of printed pages
  net register USERID EMAIL PASSWORD
                             create an account on the song server
  net list [USERID...]       the songs on the server, or those of the given users
  net download NAME...|--all download songs ("title@userid") into ./Data/
  net upload FILE...|--all   upload song files, or every song of ./Data/
                             net takes --email, --password and --server HOST[:PORT];
                             otherwise Account.Email, .Password, .Server and .Port
                             of ./Zimbrel.ini

Options:
  --workdir DIR   work in DIR (where ./Data/ and ./Zimbrel.ini are)
  --help          show this text
  --version       show the version

Exit status: 0 done, 1 the work failed, 2 bad usage.

PERF, the performance options:
)";

using Command = int (*)(const CliArguments&);

const std::map<std::string, Command>& Commands()
{
    static const std::map<std::string, Command> commands = {
        {"compile", RunCompileCommand}, {"analyze", RunAnalyzeCommand},
        {"config", RunConfigCommand},   {"midi", RunMidiCommand},
        {"bands", RunBandsCommand},     {"musician", RunMusicianCommand},
        {"play", RunPlayCommand},       {"ports", RunPortsCommand},
        {"audio", RunAudioCommand},     {"chart", RunChartCommand},
        {"net", RunNetCommand},         {"export", RunExportCommand},
        {"import", RunImportCommand},   {"songbook", RunSongbookCommand},
    };
    return commands;
}

}  // namespace

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "zimbrel-cli: %s\nTry 'zimbrel-cli --help'.\n", message.c_str());
    return kExitUsage;
}

int main(int argc, char** argv)
{
    CliArguments arguments(argv + 1, argv + argc);
    std::size_t next = 0;
    while (next < arguments.size() && arguments[next].rfind("--", 0) == 0) {
        const std::string& option = arguments[next];
        if (option == "--help") {
            std::fputs(kUsage, stdout);
            std::fputs(PerformanceOptionsHelp().c_str(), stdout);
            return kExitDone;
        }
        if (option == "--version") {
            std::printf("zimbrel-cli %s\n", ZIMBREL_VERSION_TEXT);
            return kExitDone;
        }
        if (option != "--workdir")
            return UsageError("unknown option '" + option + "'");
        if (next + 1 >= arguments.size())
            return UsageError("--workdir needs a folder");
        const std::string& folder = arguments[next + 1];
        if (chdir(folder.c_str()) != 0) {
            std::fprintf(stderr, "zimbrel-cli: cannot work in '%s': %s\n", folder.c_str(),
                         std::strerror(errno));
            return kExitFailed;
        }
        next += 2;
    }
    if (next >= arguments.size())
        return UsageError("no command given");
    const auto command = Commands().find(arguments[next]);
    if (command == Commands().end())
        return UsageError("unknown command '" + arguments[next] + "'");
    // The libraries answer failures rather than throwing; only memory running out comes here.
    try {
        return command->second(
            CliArguments(arguments.begin() + static_cast<long>(next) + 1, arguments.end()));
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "zimbrel-cli: %s: not enough memory for this work\n",
                     command->first.c_str());
        return kExitFailed;
    }
}
