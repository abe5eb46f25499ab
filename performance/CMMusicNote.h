// CMMusicNote: one note of a phrase pattern: a start tick (96 a quarter note; small negative ticks
// anticipate the downbeat), a MIDI key (-1 is an approach-note placeholder, and no negative key
// ever sounds), a velocity, a coded duration and the share of it that sounds.
#pragma once

#include "core/CMList.h"
#include "core/IMSerializable.h"

#include <cstdint>

// Ticks of a duration code at a gate in percent. The high nibble chooses a note value (how many
// make a whole note), the low nibble counts them: 0x11 a quarter, 0x14 a measure, 0x33 a dotted
// eighth, 0x71 an eighth triplet.
int DurationTicks(std::uint8_t code, int gate);

class CMMusicNote : public IMComparison<CMMusicNote>, public IMSerializable {
public:
    static constexpr std::int8_t kApproachPlaceholder = -1;

    CMMusicNote() = default;
    CMMusicNote(int tick_, int pitch_, int velocity_, std::uint8_t code_, int gate_ = 100)
        : tick(tick_), pitch(static_cast<std::int8_t>(pitch_)),
          velocity(static_cast<std::uint8_t>(velocity_)), code(code_),
          gate(static_cast<std::uint8_t>(gate_))
    {
    }

    // Sorts after a lower key.
    bool IsGreater(const CMMusicNote& other) const override { return pitch > other.pitch; }
    // Stored form: tick (32-bit), pitch, velocity, code, gate (one byte each).
    void Serialize(CMFile& file, bool store) override;

    std::int32_t tick = 0;
    std::int8_t pitch = 0;
    std::uint8_t velocity = 0;
    std::uint8_t code = 0x11;
    std::uint8_t gate = 100;
};
