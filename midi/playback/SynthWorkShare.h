// How the audio export shares a performance among synthesizers that render side by side, one per
// processor core: each part plays whole channels. FluidSynth's voices, reverb and chorus add up,
// so the sum of the parts is the sound of one synthesizer playing everything (to the rounding of
// the last bit). Voices of one channel do not quite add up (two drum strokes rendered apart
// differ at their attacks from the two rendered together), so a channel is never split. The busiest
// channels go first, each to the part with the least work; a cymbal stroke rings for seconds and
// counts five notes.
#pragma once

#include "midi/playback/CMMidiSequence.h"

#include <array>
#include <cstddef>
#include <vector>

class CMSynthWorkShare {
public:
    // Shares out the channels of `events` among at most `mostParts` parts (at least one).
    CMSynthWorkShare(const std::vector<CMTimedMidiEvent>& events, std::size_t mostParts);

    std::size_t GetPartCount() const { return m_partCount; }
    // The part that plays `event`.
    std::size_t GetPartOf(const CMTimedMidiEvent& event) const
    {
        return m_partOfChannel[event.status & 0x0F];
    }

private:
    std::size_t m_partCount = 1;
    std::array<std::size_t, 16> m_partOfChannel{};
};
