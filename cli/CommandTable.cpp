// The command table of zimbrel-cli: see CommandTable.h.
#include "cli/CommandTable.h"

#include "cli/InterchangeCommands.h"
#include "cli/OtherCommands.h"
#include "cli/SongCommands.h"

std::vector<CliCommand> ZimbrelCliCommands(const CliHelperRuns& runs)
{
    const std::string perform = kPerformanceDefaults;
    return {
        MakeCliCommand<CompileRequest>(
            {"compile", "Compile songs and report the outcome, with warnings about misread charts",
             "", "zimbrel-cli compile Data/*.zimbrel", CliProgram::Front},
            DefineCompileCommand, RunCompileCommand),
        MakeCliCommand<AnalyzeRequest>(
            {"analyze", "Each chord of a song with the scale the players use for it",
             "The scales are chosen in the song's key (its key block; C major without one).",
             "zimbrel-cli analyze Data/Example.zimbrel", CliProgram::Front},
            DefineAnalyzeCommand, RunAnalyzeCommand),
        MakeCliCommand<MidiRequest>(
            {"midi", "Perform songs into standard MIDI files", perform,
             "zimbrel-cli midi Data/Example.zimbrel --band 'Brazilian Trio' --tempo 140",
             CliProgram::Front},
            DefineMidiCommand, RunMidiCommand),
        MakeCliCommand<AudioRequest>(
            {"audio", "Perform songs and render them into audio files (.wav, .flac, .ogg)", perform,
             "zimbrel-cli audio Data/*.zimbrel -o recordings --format flac", CliProgram::Sound},
            DefineAudioCommand, runs.audio),
        MakeCliCommand<PlayRequest>(
            {"play", "Perform a song and play it until the end or Ctrl-C",
             "The song is performed into FILE.midi beside it and played on the built-in "
             "synthesizer or a MIDI port (see 'zimbrel-cli ports').\n" +
                 perform,
             "zimbrel-cli play Data/Example.zimbrel --port 0", CliProgram::Sound},
            DefinePlayCommand, runs.play),
        MakeCliCommand<ChartRequest>(
            {"chart", "Draw lead sheets into PDF, PNG or SVG files", ChartDetails(),
             "zimbrel-cli chart Data/Example.zimbrel -o Example.pdf --key bb", CliProgram::Chart},
            DefineChartCommand, runs.chart),
        MakeCliCommand<ExportRequest>(
            {"export", "Write songs as MusicXML scores for notation programs",
             "A MusicXML 4.0 score with one part: title, credits, key and time, every measure with "
             "its bar lines, repeats, endings and coda, the chords as chord symbols and the melody "
             "with its lyrics. The key kind comes from ./Zimbrel.ini (Preferences.InstrumentType, "
             ".UserDefinedKey) unless --key says otherwise.",
             "zimbrel-cli export Data/*.zimbrel -o scores --key bb", CliProgram::Front},
            DefineExportCommand, RunExportCommand),
        MakeCliCommand<SongbookRequest>(
            {"songbook", "Draw many lead sheets into one PDF book with contents",
             "A title page, the contents with the page each song starts on, then every song from "
             "a new page, with page numbers on every page. A song that does not compile is named "
             "and left out. The chord style, key kind, intro, verse and fonts come from "
             "./Zimbrel.ini as for chart, unless the options say otherwise.",
             "zimbrel-cli songbook Data/*.zimbrel -o book.pdf --key eb --title 'Tuesday Gig'",
             CliProgram::Chart},
            DefineSongbookCommand, runs.songbook),
        MakeCliCommand<ImportRequest>(
            {"import", "Turn the chord charts of iReal links into songs",
             "Reads irealb:// and irealbook:// links (a playlist saved as HTML, or a text holding "
             "links) and writes one .zimbrel song per chart into the folder: TITLE.zimbrel, or "
             "TITLE@COMPOSER.zimbrel when a different song has that name; nothing is replaced. "
             "What the song language cannot hold (a segno, a quality it lacks) is named on "
             "standard error.",
             "zimbrel-cli import playlist.html -o Data", CliProgram::Front},
            DefineImportCommand, RunImportCommand),
        MakeCliCommand<PortsRequest>(
            {"ports", "The MIDI output ports; * marks the one play uses",
             "The port play uses is Preferences.MidiOutPort of ./Zimbrel.ini, by name.",
             "zimbrel-cli ports", CliProgram::Sound},
            DefinePortsCommand, runs.ports),
        MakeCliCommand<BandsRequest>({"bands",
                                      "The bands, the style each plays and their musicians", "",
                                      "zimbrel-cli bands", CliProgram::Front},
                                     DefineBandsCommand, RunBandsCommand),
        MakeCliCommand<MusicianRequest>({"musician", "What a musician's phrase library holds", "",
                                         "zimbrel-cli musician falder --patterns",
                                         CliProgram::Front},
                                        DefineMusicianCommand, RunMusicianCommand),
        MakeCliCommand<ConfigRequest>(
            {"config", "Show or change the settings in ./Zimbrel.ini",
             "Lists every setting of ./Zimbrel.ini with its value, shows one value, or changes one "
             "(the file keeps every other line as it is). A value is refused when the program "
             "could not use it.",
             "zimbrel-cli config Preferences.Band 'Brazilian Trio'", CliProgram::Front,
             ConfigSettingsHelp},
            DefineConfigCommand, RunConfigCommand),
        MakeCliCommand<NetRequest>(
            {"net", "Share songs through the song server: register, list, download, upload",
             "download stores songs (\"title@userid\") in ./Data/; upload --all sends every song "
             "of ./Data/ but other users' copies.",
             "zimbrel-cli net download --all", CliProgram::Front},
            DefineNetCommand, RunNetCommand),
    };
}
