// The performance driver: turns a compiled song into a MIDI file played by a band. It expands
// the form into the sequence of measures as played, makes one slot per measure for the drummer
// and one per chord for the pianist and the bassist, lets every enabled player fill its track,
// adds the count-in and saves the file. It can also write a text listing of what it did.
#pragma once

#include "core/CMString.h"

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

// Performs `song` with `band` into a MIDI file at `path` (written atomically). `tempo` in beats
// per minute, `transpose` in semitones, `instruments` a set of CMInstrumentBits, `precount`
// count-in measures (0-2) clicked on `precountNote`, `repeats` choruses of the theme (1 or more).
// The listing, when given, receives the text of what was played. `seed` fixes the random choices
// (the calendar time when not given). Answers false, doing nothing, without a band, without an
// instrument, with fewer than one chorus or a form longer than kMostPerformedMeasures, and false
// when the file could not be written.
bool GenerateMidi(const CMMusicSong& song, const CMMusicBand* band, const char* path, int tempo,
                  int transpose, int instruments, int precount, int precountNote, int repeats,
                  CMString* listing, bool intro, bool verse,
                  std::optional<std::uint32_t> seed = std::nullopt);

// The measures of the song in the order a performance plays them. The expansion stops once it
// holds more than `most` measures (the sequence is then cut short).
std::vector<const CMMusicChordList*> ExpandForm(const CMMusicSong& song, int repeats, bool intro,
                                                bool verse, std::size_t most = SIZE_MAX);
