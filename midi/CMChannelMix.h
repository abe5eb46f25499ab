// How the channels of a MIDI file sound in a mix: each channel's volume (controller 7), pan (10)
// and reverb send (91), 0 to 127 as MIDI has them. A synthesizer applies them as channel settings,
// so the file stays as the performance wrote it; the file may also carry them as controller
// events at the start of its tracks, for other players.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

struct CMChannelSettings {
    static constexpr std::uint8_t kVolume = 7;
    static constexpr std::uint8_t kPan = 10;
    static constexpr std::uint8_t kReverb = 91;

    std::uint8_t volume = 100;  // 0 is silent
    std::uint8_t pan = 64;      // 0 left, 64 centre, 127 right
    std::uint8_t reverb = 40;

    struct Controller {
        std::uint8_t number;
        std::uint8_t value;
    };
    // The controller messages that set a channel so, in the order they are sent.
    std::array<Controller, 3> Controllers() const
    {
        return {{{kVolume, volume}, {kPan, pan}, {kReverb, reverb}}};
    }

    bool operator==(const CMChannelSettings&) const = default;
};

// Settings for some of the sixteen channels (0-based); the others keep what the synthesizer or
// the file gives them.
using CMChannelMix = std::array<std::optional<CMChannelSettings>, 16>;
