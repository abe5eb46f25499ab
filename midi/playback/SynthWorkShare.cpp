// Sharing a performance among synthesizers: see SynthWorkShare.h.
#include "midi/playback/SynthWorkShare.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int kDrumChannel = 9;
constexpr std::size_t kCymbalWeight = 5;

// The crash, ride, china and splash cymbals of the General MIDI drum kit.
bool IsCymbal(int key)
{
    return key == 49 || key == 51 || key == 52 || key == 53 || key == 55 || key == 57 || key == 59;
}

}  // namespace

CMSynthWorkShare::CMSynthWorkShare(const std::vector<CMTimedMidiEvent>& events,
                                   std::size_t mostParts)
{
    std::array<std::size_t, 16> weight{};
    for (const CMTimedMidiEvent& event : events) {
        const int channel = event.status & 0x0F;
        if (event.IsNoteOn())
            weight[channel] += channel == kDrumChannel && IsCymbal(event.data1) ? kCymbalWeight : 1;
    }
    const auto playing = static_cast<std::size_t>(
        std::count_if(weight.begin(), weight.end(), [](std::size_t w) { return w > 0; }));
    m_partCount = std::max<std::size_t>(1, std::min(mostParts, playing));

    std::array<int, 16> channels;
    std::iota(channels.begin(), channels.end(), 0);
    std::stable_sort(channels.begin(), channels.end(),
                     [&weight](int a, int b) { return weight[a] > weight[b]; });
    std::vector<std::size_t> load(m_partCount, 0);
    for (const int channel : channels) {
        if (weight[channel] == 0)
            break;  // channels without notes stay with part 0
        const auto lightest = std::min_element(load.begin(), load.end());
        m_partOfChannel[channel] = static_cast<std::size_t>(lightest - load.begin());
        *lightest += weight[channel];
    }
}
