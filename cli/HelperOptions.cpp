// The options of chart, songbook, audio, play and ports: see HelperCommands.h. Nothing here draws
// or sounds, so zimbrel-cli itself reads these commands and prints their help.
#include "cli/HelperCommands.h"
#include "cli/SongCommands.h"
#include "cli/SongFiles.h"

#include "app/ChartView.h"

namespace {

std::vector<CliChoice> KeyKinds()
{
    std::vector<CliChoice> choices;
    for (const CMKeyKindName& kind : KeyKindNames())
        choices.push_back({kind.name, kind.kind, kind.meaning});
    return choices;
}

// -o and --format of chart and audio: `what` names the file ("chart"), `formats` its kinds.
void DefineOutputOptions(CliOptions& options, std::optional<std::string>& output,
                         std::optional<int>& format, const std::string& what,
                         const std::vector<CliChoice>& formats)
{
    std::string extensions;
    for (std::size_t i = 0; i < formats.size(); ++i)
        extensions += (i == 0 ? "." : i + 1 == formats.size() ? " or ." : ", .") + formats[i].word;
    options.Text("-o,--output", output, "OUT",
                 "The " + what + " file (" + extensions +
                     "); for several songs a folder, which gets NAME." + formats.front().word +
                     " (or --format) for each",
                 CliCompletion::Files);
    options.Choice("--format", format, formats,
                   "The format of the files written into a folder (default " +
                       formats.front().word + "):");
}

// What a drawn chart looks like, for chart and songbook: key, chord style, intro, verse, notice.
void DefineChartLookOptions(CliOptions& options, CMChartViewRequest& look, bool& notice)
{
    options.Number("--transpose", look.transposition, {-7, 7},
                   "Semitones the chords are moved by, on top of the key kind");
    options.Choice("--key", look.keyKind, KeyKinds(),
                   "The key the chords are shown in (default: Preferences.InstrumentType):");
    options.Choice("--chord-style", look.chordStyle,
                   {{"0", 0, "default: a triangle for major seventh, m for minor (Cm7, C△7)"},
                    {"1", 1, "words: maj and min (Cmin7, Cmaj7)"},
                    {"2", 2, "letters: M and m (Cm7, CM7)"},
                    {"3", 3,
                     "symbols: - for minor, o for diminished, + for augmented, a "
                     "triangle and the half-diminished circle (C-7, Cø7)"}},
                   "How chord symbols are written (default: General.ChordStyle):");
    options.Switch("--no-intro", look.noIntro, "Leave the intro out");
    options.Switch("--no-verse", look.noVerse, "Leave the verse out");
    options.Switch("--notice", notice, "Print the grey notice of printed pages");
}

}  // namespace

const std::vector<CliChoice>& ChartFormats()
{
    static const std::vector<CliChoice> formats = {{"pdf", 0, "every printed page"},
                                                   {"png", 1, "one page as an image"},
                                                   {"svg", 2, "one page as a drawing"}};
    return formats;
}

const std::vector<CliChoice>& AudioFormats()
{
    static const std::vector<CliChoice> formats = {
        {"wav", 0, "16-bit PCM"}, {"flac", 1, "lossless, smaller"}, {"ogg", 2, "Ogg Vorbis"}};
    return formats;
}

std::string ChartDetails()
{
    return "A PDF holds every printed page, a PNG or SVG one page (--page, default 1). The chord "
           "style, key kind, intro and verse come from ./Zimbrel.ini (General.ChordStyle, "
           "Preferences.InstrumentType, .UserDefinedKey, .Intro, .Verse) unless the options say "
           "otherwise; the fonts from its TitleFont, LabelFont, LyricsFont, ChordFont and "
           "AuthorFont sections.";
}

void DefineChartCommand(CliOptions& options, ChartRequest& request)
{
    DefineSongOperands(options, request.songs, 0);
    DefineOutputOptions(options, request.output, request.format, "chart", ChartFormats());
    options.Number("--page", request.page, {1, 9999}, "The printed page of a PNG or SVG");
    options.Number("--dpi", request.dotsPerInch, {10, 600},
                   "Dots per inch of a PNG image (default 150)");
    options.Switch("--screen", request.screen,
                   "Draw the screen view (pages 1 and 2 side by side with the binder rings)");
    DefineChartLookOptions(options, request.look, request.notice);
    DefineWarningsSwitch(options, request.noWarnings);
}

void DefineSongbookCommand(CliOptions& options, SongbookRequest& request)
{
    DefineSongOperands(options, request.songs, 0);
    options.Text("-o,--output", request.output, "BOOK", "The songbook (.pdf)",
                 CliCompletion::Files);
    options.Text("--title", request.title, "TEXT",
                 "The book's title, on its title page (default \"Songbook\")");
    DefineChartLookOptions(options, request.look, request.notice);
    DefineWarningsSwitch(options, request.noWarnings);
}

void DefineAudioCommand(CliOptions& options, AudioRequest& request)
{
    DefineSongOperands(options, request.songs, 0);
    DefineOutputOptions(options, request.output, request.format, "audio", AudioFormats());
    options.Text("--soundfont", request.soundFont, "SF2",
                 "The SoundFont (default: Preferences.SoundFont, else the system's General MIDI "
                 "SoundFont)",
                 CliCompletion::Files);
    DefinePerformanceOptions(options, request.performance);
    DefineVolumeOption(options, request.volume);
    DefineWarningsSwitch(options, request.noWarnings);
}

void DefinePlayCommand(CliOptions& options, PlayRequest& request)
{
    DefineSongOperands(options, request.songs, 1);
    options.Text("--port", request.port, "N|NAME",
                 "The MIDI output port, by number or name (see 'zimbrel-cli ports'; default: "
                 "Preferences.MidiOutPort, else the built-in synthesizer)");
    DefinePerformanceOptions(options, request.performance);
    DefineVolumeOption(options, request.volume);
    options.Switch("--listing", request.listing, "Print what is played");
    DefineWarningsSwitch(options, request.noWarnings);
}

void DefinePortsCommand(CliOptions&, PortsRequest&) {}
