// The performance options of midi, audio and play: see SongCommands.h. Their ranges are those of
// the settings and controls they stand for (PerformanceRanges in app/).
#include "cli/SongCommands.h"

namespace {

CliRange Whole(const CMSettingRange& range)
{
    return {static_cast<long long>(range.lowest), static_cast<long long>(range.highest)};
}

}  // namespace

const char* const kPerformanceDefaults =
    "Without options a song is played as the desktop program plays it: the band, the "
    "instruments, intro, verse and the count-in click of ./Zimbrel.ini (Preferences.Band, "
    ".Piano, .Bass, .Drums, .Intro, .Verse, General.PrecountNote); the tempo and choruses of the "
    "song's style preset (Ballad.Tempo1 ...) or of its own misc block; its precount, else "
    "General.Precount; a new random choice of phrases each time unless --seed is given.";

void DefinePerformanceOptions(CliOptions& options, CMPerformanceChoices& choices)
{
    const CMPerformanceRanges& ranges = PerformanceRanges();
    options.Text("--band", choices.band, "NAME",
                 "The band that plays, in any case (see 'zimbrel-cli bands')", CliCompletion::Band);
    options.Number("--tempo", choices.tempo, Whole(ranges.tempo), "Quarter notes per minute");
    options.Number("--transpose", choices.transpose, Whole(ranges.transpose),
                   "Semitones the performance is moved by");
    options.Switch("--no-piano", choices.noPiano, "Leave the piano out");
    options.Switch("--no-bass", choices.noBass, "Leave the bass out");
    options.Switch("--no-drums", choices.noDrums, "Leave the drums out");
    options.Number("--precount", choices.precount, Whole(ranges.precount), "Measures of count-in");
    options.Number("--precount-note", choices.precountNote, Whole(ranges.precountNote),
                   "MIDI key of the count-in click (37: side stick)");
    options.Number("--repeats", choices.repeats, Whole(ranges.repeats),
                   "Times the theme is played (1: once)");
    options.Switch("--no-intro", choices.noIntro, "Leave the intro out");
    options.Switch("--no-verse", choices.noVerse, "Leave the verse out");
    options.Number("--seed", choices.seed, Whole(ranges.seed),
                   "The musicians' random choices: the same seed plays the same notes");
}
