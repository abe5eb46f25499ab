// The default parameters of a performance: see CMPerformanceSettings.h.
#include "app/CMPerformanceSettings.h"

#include "music/CMMusicSong.h"
#include "performance/CMMusicBand.h"
#include "performance/GenerateMidi.h"
#include "settings/CMZimbrelIni.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>
#include <vector>

CMFeel FeelOf(int setting)
{
    return SettingOf("Preferences", "Feel").Fit(setting) == FeelNatural ? CMFeel::Natural
                                                                        : CMFeel::Strict;
}

CMPerformanceSettings DefaultPerformance(const CMZimbrelIni& settings, const CMMusicSong& song)
{
    CMPerformanceSettings performance;
    performance.band = settings.band;
    performance.feel = FeelOf(settings.feel);
    performance.mixer = settings.mixer;
    performance.instruments = (settings.piano ? PlayPiano : 0) | (settings.bass ? PlayBass : 0) |
                              (settings.drums ? PlayDrums : 0);
    // A click outside the note list would not even be a MIDI key.
    performance.precountNote = SettingOf("General", "PrecountNote").Fit(settings.precountNote);
    performance.intro = settings.intro;
    performance.verse = settings.verse;
    // A song in a style takes the style's preset; otherwise its own tempo and repeat count.
    int tempo = song.tempo;
    int repeats = song.repeat;
    if (song.style >= 0 && song.style < CMZimbrelIni::kTempoCount) {
        tempo = settings.tempos[static_cast<std::size_t>(song.style)].tempo;
        repeats = settings.tempos[static_cast<std::size_t>(song.style)].repeat;
    }
    performance.tempo = kTempoRange.Clamp(tempo);
    performance.repeats = kRepeatRange.Clamp(repeats);
    performance.precount = SettingOf("General", "Precount")
                               .Fit(song.precount >= 0 ? song.precount : settings.precount);
    return performance;
}

const CMPerformanceRanges& PerformanceRanges()
{
    static const CMPerformanceRanges ranges = {
        kTempoRange,
        kTransposeRange,
        SettingOf("General", "Precount").range,
        SettingOf("General", "PrecountNote").range,
        kRepeatRange,
        {0, 4294967295.0},
    };
    return ranges;
}

CMPerformanceSettings ChoosePerformance(const CMZimbrelIni& settings, const CMMusicSong& song,
                                        const CMPerformanceChoices& choices)
{
    CMPerformanceSettings performance = DefaultPerformance(settings, song);
    if (choices.band)
        performance.band = CMString(*choices.band);
    performance.tempo = choices.tempo.value_or(performance.tempo);
    performance.transpose = choices.transpose.value_or(performance.transpose);
    performance.precount = choices.precount.value_or(performance.precount);
    performance.precountNote = choices.precountNote.value_or(performance.precountNote);
    performance.repeats = choices.repeats.value_or(performance.repeats);
    if (choices.seed)
        performance.seed = choices.seed;
    performance.instruments &=
        ~((choices.noPiano ? PlayPiano : 0) | (choices.noBass ? PlayBass : 0) |
          (choices.noDrums ? PlayDrums : 0));
    performance.intro = performance.intro && !choices.noIntro;
    performance.verse = performance.verse && !choices.noVerse;
    if (choices.feel)
        performance.feel = FeelOf(*choices.feel);
    performance.mixer.pianoVolume = choices.pianoVolume.value_or(performance.mixer.pianoVolume);
    performance.mixer.bassVolume = choices.bassVolume.value_or(performance.mixer.bassVolume);
    performance.mixer.drumsVolume = choices.drumsVolume.value_or(performance.mixer.drumsVolume);
    performance.writeMix = choices.writeMix;
    return performance;
}

bool ReadVolumeChoices(const std::string& text, CMPerformanceChoices& choices, std::string& error)
{
    const std::pair<const char*, std::optional<int> CMPerformanceChoices::*> instruments[] = {
        {"piano", &CMPerformanceChoices::pianoVolume},
        {"bass", &CMPerformanceChoices::bassVolume},
        {"drums", &CMPerformanceChoices::drumsVolume}};
    CMPerformanceChoices read = choices;
    std::vector<std::string> named;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::string item = text.substr(at, comma - at);
        at = comma + 1;
        const std::size_t equals = item.find('=');
        const std::string name = item.substr(0, equals);
        const auto* instrument = std::find_if(std::begin(instruments), std::end(instruments),
                                              [&name](const auto& i) { return name == i.first; });
        if (equals == std::string::npos || instrument == std::end(instruments)) {
            error = "'" + item + "' is not piano=N, bass=N or drums=N";
            return false;
        }
        if (std::find(named.begin(), named.end(), name) != named.end()) {
            error = "the " + name + " is named twice";
            return false;
        }
        named.push_back(name);
        const std::string number = item.substr(equals + 1);
        int volume = 0;
        const auto [end, failure] =
            std::from_chars(number.data(), number.data() + number.size(), volume);
        if (number.empty() || failure != std::errc() || end != number.data() + number.size() ||
            !kVolumeRange.Holds(volume)) {
            error = name + " takes a whole number from " + kVolumeRange.Text();
            error += ", not '" + number + "'";
            return false;
        }
        read.*(instrument->second) = volume;
    }
    choices = read;
    return true;
}

const CMMusicBand* FindBandByName(const CMMusicBandList& bands, const CMString& name,
                                  std::string& error)
{
    if (const CMMusicBand* band = bands.FindBand(name))
        return band;
    std::string names;
    for (const auto& band : bands.GetBands()) {
        if (band->GetName().ToLower() == name.ToLower())
            return band.get();
        names += (names.empty() ? "" : ", ") + band->GetName().Str();
    }
    error = "no band '" + name.Str() + "'; the bands are " + names;
    return nullptr;
}

CMString MidiPathOf(const CMString& songPath)
{
    return songPath + ".midi";
}

CMString PerformanceRefusal(const CMMusicSong& song, const CMPerformanceSettings& performance)
{
    CMString reason;
    if (performance.instruments == 0)
        reason = "Every instrument is switched off.";
    else if (ExpandForm(song, performance.repeats, performance.intro, performance.verse,
                        kMostPerformedMeasures)
                 .size() > kMostPerformedMeasures)
        reason.Format("The performance would be longer than %zu measures, more than Zimbrel plays.",
                      kMostPerformedMeasures);
    return reason;
}

CMChannelMix ChannelMixOf(const CMZimbrelMixer& mixer)
{
    // Settings outside their ranges count as the nearer end, as everywhere.
    const auto settings = [](int volume, const char* panKey, int pan, int reverb) {
        CMChannelSettings channel;
        channel.volume = static_cast<std::uint8_t>(kVolumeRange.Clamp(volume));
        channel.pan = static_cast<std::uint8_t>(SettingOf("Mixer", panKey).Fit(pan) + 64);
        channel.reverb = static_cast<std::uint8_t>(kVolumeRange.Clamp(reverb));
        return channel;
    };
    CMChannelMix mix;
    mix[static_cast<std::size_t>(ChannelOf(InstrumentChords))] =
        settings(mixer.pianoVolume, "PianoPan", mixer.pianoPan, mixer.reverb);
    mix[static_cast<std::size_t>(ChannelOf(InstrumentBass))] =
        settings(mixer.bassVolume, "BassPan", mixer.bassPan, mixer.reverb);
    mix[static_cast<std::size_t>(ChannelOf(InstrumentRhythm))] =
        settings(mixer.drumsVolume, "DrumsPan", mixer.drumsPan, mixer.reverb);
    return mix;
}

bool PerformSong(const CMMusicSong& song, const CMMusicBand* band,
                 const CMPerformanceSettings& performance, const char* path, CMString* listing)
{
    CMGenerateOptions options;
    options.seed = performance.seed;
    options.feel = performance.feel;
    if (performance.writeMix)
        options.mix = ChannelMixOf(performance.mixer);
    return GenerateMidi(song, band, path, performance.tempo, performance.transpose,
                        performance.instruments, performance.precount, performance.precountNote,
                        performance.repeats, listing, performance.intro, performance.verse,
                        options);
}
