// CMMidiFile: the in-memory standard MIDI file (format 1) of one performance. Players add notes
// with absolute ticks; then every track is converted to delta times, the lead-in and count-in
// are put in front, and the file is encoded in one buffer (a size pass, then a byte pass) with a
// tempo track first and saved atomically.
#pragma once

#include "midi/CMChannelMix.h"
#include "midi/CMMidiFileChunk.h"

#include <cstdint>
#include <memory>
#include <vector>

class CMMidiFile {
public:
    explicit CMMidiFile(std::uint16_t division) : m_division(division) {}

    CMMidiFileChunk& AddTrack(int channel, std::uint8_t program, const CMString& name);
    // Adds a note to `track`, or to the last track when it is null (nothing without tracks).
    // False when the track already holds delta times.
    bool AddNote(std::uint32_t tick, std::uint32_t duration, std::uint8_t key,
                 std::uint8_t velocity, CMMidiFileChunk* track = nullptr);
    // Makes room for `notes` more notes in the last track, so that a long performance's events
    // are not copied each time the track outgrows its room.
    void ReserveNotes(std::size_t notes);
    // Converts every track to delta times (once).
    void MakeDeltaTimes();
    // A silent measure plus `bars` count-in measures in front of every track; clicks of key
    // `note` on channel 9 (a drum track is added when there is none). Tracks not yet converted to
    // delta times are converted first.
    void AddPrecount(int bars, std::uint8_t note);
    // Puts the controllers of `mix` at the very start of every track whose channel it sets, for
    // players that know nothing of the mix. Tracks are converted to delta times first.
    void AddChannelSettings(const CMChannelMix& mix);

    // Size of the whole file and its encoding. `tempo` in beats per minute (0 or less: no tempo).
    std::uint32_t GetImageSize(int tempo) const;
    std::vector<std::uint8_t> WriteImage(int tempo) const;
    // Writes the file through a temporary file; the target is replaced only when complete.
    bool Save(const char* path, int tempo) const;

    std::uint16_t GetDivision() const { return m_division; }
    const std::vector<std::unique_ptr<CMMidiFileChunk>>& GetTracks() const { return m_tracks; }

private:
    std::uint16_t m_division;
    std::vector<std::unique_ptr<CMMidiFileChunk>> m_tracks;
};
