// The parameters of a performance, as the play command gathers them: the band, its feel and
// instruments, precount and its click, intro and verse, and the mixer from the settings; tempo and
// choruses from the song (its style's preset, or its own tempo and repeat count), as the chart view
// takes them when a song is opened. Every value is kept to the rules of the settings table
// (SettingsTable.h).
#pragma once

#include "core/CMString.h"
#include "midi/CMChannelMix.h"
#include "performance/GenerateMidi.h"
#include "settings/CMZimbrelIni.h"
#include "settings/SettingsTable.h"

#include <cstdint>
#include <optional>
#include <string>

class CMMusicBand;
class CMMusicBandList;
class CMMusicSong;

struct CMPerformanceSettings {
    CMString band;
    int tempo = 150;
    int transpose = 0;    // semitones, kTransposeRange
    int instruments = 7;  // CMInstrumentBits
    int precount = 1;     // count-in measures, 0-2
    int precountNote = 37;
    int repeats = 1;
    bool intro = true;
    bool verse = true;
    std::optional<std::uint32_t> seed;  // the calendar time when not set
    CMFeel feel = CMFeel::Strict;
    CMZimbrelMixer mixer = CMZimbrelIni().mixer;  // how the synthesizer and audio export sound
    bool writeMix = false;  // the mixer's controllers also go into the MIDI file
};

// The feel of the "Feel" setting's value (CMFeelSetting); a value it cannot hold is strict.
CMFeel FeelOf(int setting);

// The mixer as channel settings of the performance's MIDI channels.
CMChannelMix ChannelMixOf(const CMZimbrelMixer& mixer);

// The parameters a song is played with before the user changes any: tempo and repeats within
// kTempoRange and kRepeatRange, precount and precount note fitted to their settings.
CMPerformanceSettings DefaultPerformance(const CMZimbrelIni& settings, const CMMusicSong& song);

// What the user asked for over a song's defaults; each value given wins.
struct CMPerformanceChoices {
    std::optional<std::string> band;
    std::optional<int> tempo;
    std::optional<int> transpose;
    std::optional<int> precount;
    std::optional<int> precountNote;
    std::optional<int> repeats;
    std::optional<std::uint32_t> seed;
    bool noPiano = false;
    bool noBass = false;
    bool noDrums = false;
    bool noIntro = false;
    bool noVerse = false;
    std::optional<int> feel;  // CMFeelSetting
    std::optional<int> pianoVolume;
    std::optional<int> bassVolume;
    std::optional<int> drumsVolume;
    bool writeMix = false;
};

// Reads volumes as "piano=N,bass=N,drums=N" into the choices: any of the three instruments, each
// once, N within kVolumeRange. False, with a sentence for the user in `error`, when the text
// says anything else.
bool ReadVolumeChoices(const std::string& text, CMPerformanceChoices& choices, std::string& error);

// The values the choices may take: those of the settings and controls they stand for.
struct CMPerformanceRanges {
    CMSettingRange tempo;
    CMSettingRange transpose;
    CMSettingRange precount;
    CMSettingRange precountNote;
    CMSettingRange repeats;
    CMSettingRange seed;
};
const CMPerformanceRanges& PerformanceRanges();

// The song's default performance with the choices over it.
CMPerformanceSettings ChoosePerformance(const CMZimbrelIni& settings, const CMMusicSong& song,
                                        const CMPerformanceChoices& choices);

// The band of that name, spelled exactly or in any other case; null, with a sentence naming the
// bands in `error`, when there is none.
const CMMusicBand* FindBandByName(const CMMusicBandList& bands, const CMString& name,
                                  std::string& error);

// The MIDI file a song plays from: its path with ".midi" appended.
CMString MidiPathOf(const CMString& songPath);

// Why `song` cannot be performed as `performance` says, as a sentence for the user: no instrument
// plays, or the form would be played as more measures than a performance holds. Empty when it
// can be performed.
CMString PerformanceRefusal(const CMMusicSong& song, const CMPerformanceSettings& performance);

// Performs `song` with `band` as `performance` says into the MIDI file at `path` (GenerateMidi);
// `listing`, when given, receives what was played. False when the driver refused the parameters
// (no band, PerformanceRefusal) or the file could not be written.
bool PerformSong(const CMMusicSong& song, const CMMusicBand* band,
                 const CMPerformanceSettings& performance, const char* path, CMString* listing);
