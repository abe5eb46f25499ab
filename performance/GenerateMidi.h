// The performance driver: turns a compiled song into a MIDI file played by a band. It expands
// the form into the sequence of measures as played, makes one slot per measure for the drummer
// and one per chord for the pianist and the bassist, lets every enabled player fill its track,
// adds the count-in and saves the file. It can also write a text listing of what it did.
#pragma once

#include "core/CMString.h"
#include "midi/CMChannelMix.h"
#include "performance/CMMusicPlayer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class CMMusicBand;
class CMMusicChordList;
class CMMusicSong;

// The longest performance, in measures as played: far beyond any song (a 64-bar chorus played
// eleven times with intro and ending is some 720 measures), and some 50 MB of memory.
inline constexpr std::size_t kMostPerformedMeasures = 20000;

// The instrument switches of a performance.
enum CMInstrumentBits : int { PlayDrums = 1, PlayPiano = 2, PlayBass = 4 };

// How the band plays: strictly as its libraries are written, or with a natural feel (voice
// leading, dynamics, time feel, the drummer's variations and fills; NaturalFeel.h).
enum class CMFeel { Strict, Natural };

// What a performance may add to the driver's parameters.
struct CMGenerateOptions {
    CMGenerateOptions() = default;
    explicit CMGenerateOptions(std::optional<std::uint32_t> seed_) : seed(seed_) {}

    std::optional<std::uint32_t> seed;  // the random choices; the calendar time when not given
    CMFeel feel = CMFeel::Strict;
    std::optional<CMChannelMix> mix;  // written as controllers at the start of the tracks
};

// Performs `song` with `band` into a MIDI file at `path` (written atomically). `tempo` in beats
// per minute, `transpose` in semitones, `instruments` a set of CMInstrumentBits, `precount`
// count-in measures (0-2) clicked on `precountNote`, `repeats` choruses of the theme (1 or more).
// The listing, when given, receives the text of what was played; the feel does not change it.
// The same seed gives the same performance. Answers false, doing nothing, without a band,
// without an instrument, with fewer than one chorus or a form longer than
// kMostPerformedMeasures, and false when the file could not be written.
bool GenerateMidi(const CMMusicSong& song, const CMMusicBand* band, const char* path, int tempo,
                  int transpose, int instruments, int precount, int precountNote, int repeats,
                  CMString* listing, bool intro, bool verse,
                  const CMGenerateOptions& options = CMGenerateOptions());

// The MIDI channel of an instrument's track: bass 1, piano 2, drums 9.
int ChannelOf(CMInstrument instrument);

// The measures of the song in the order a performance plays them. The expansion stops once it
// holds more than `most` measures (the sequence is then cut short).
std::vector<const CMMusicChordList*> ExpandForm(const CMMusicSong& song, int repeats, bool intro,
                                                bool verse, std::size_t most = SIZE_MAX);
