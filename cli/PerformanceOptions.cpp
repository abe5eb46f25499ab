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
    const CMSetting& feel = SettingOf("Preferences", "Feel");
    const std::vector<CliChoice> feels = {
        {"strict", FeelStrict, "the musicians' phrases exactly as their libraries hold them"},
        {"natural", FeelNatural,
         "the same phrases with voice leading, dynamics, looser time and a drummer who varies "
         "and fills"}};
    const int fresh = static_cast<int>(feel.DefaultNumber());
    options.Choice("--feel", choices.feel, feels,
                   "How the band plays (default: " + feel.Name() + " of ./Zimbrel.ini, " +
                       feels[static_cast<std::size_t>(fresh)].word + " unless changed):");
}

void DefineVolumeOption(CliOptions& options, std::optional<std::string>& volume)
{
    std::string defaults;
    for (const char* name : {"Piano", "Bass", "Drums"})
        defaults += (defaults.empty() ? "" : ", ") +
                    SettingOf("Mixer", std::string(name) + "Volume").defaultValue;
    options.Text("--volume", volume, "piano=N,bass=N,drums=N",
                 "Volumes of the instruments on the built-in synthesizer, each from " +
                     kVolumeRange.Text() +
                     " (0: silent); those not named keep Mixer.PianoVolume, "
                     ".BassVolume and .DrumsVolume of ./Zimbrel.ini (by default " +
                     defaults + ")");
}

bool ApplyVolumeOption(const std::optional<std::string>& volume, CMPerformanceChoices& choices,
                       std::string& error)
{
    if (volume && !ReadVolumeChoices(*volume, choices, error)) {
        error = "--volume: " + error;
        return false;
    }
    return true;
}
