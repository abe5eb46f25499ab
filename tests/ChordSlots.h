// The chord slots of a performance as the driver lays them out, for tests that look into the
// MIDI file: every item of every measure played, with its start tick (after the silent lead-in
// measure of a performance without count-in), its length and the chord that sounds (a slash
// continues the chord before it). Breaks (chords in parentheses) and leading slashes are left out.
#pragma once

#include "music/CMMusicSong.h"
#include "performance/GenerateMidi.h"

#include <cstdint>

template <class Visit>  // Visit(std::uint32_t tick, std::uint32_t length, const CMMusicChord&)
void ForEachChordSlot(const CMMusicSong& song, int repeats, Visit visit)
{
    std::uint32_t tick = 384;
    const CMMusicChord* sounding = nullptr;
    for (const CMMusicChordList* measure : ExpandForm(song, repeats, true, true))
        for (const CMMusicChord* item : *measure) {
            if (!item->IsSlash())
                sounding = item;
            const auto length = static_cast<std::uint32_t>(BeatsOf(item->length) * 96);
            if (sounding && !sounding->parenthesized)
                visit(tick, length, *sounding);
            tick += length;
        }
}
