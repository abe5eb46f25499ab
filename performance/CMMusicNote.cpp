// CMMusicNote and the duration codes.
#include "performance/CMMusicNote.h"

#include "core/CMFile.h"

int DurationTicks(std::uint8_t code, int gate)
{
    // How many notes of each value make a whole note, by the code's high nibble.
    static const int kNotesPerWhole[16] = {4,  4,  8,  16, 32, 64, 6,  12,
                                           24, 48, 10, 20, 28, 36, 44, 52};
    const int count = code & 0x0F;
    const double ticks = count * 384.0 * gate / (kNotesPerWhole[code >> 4] * 100.0);
    return static_cast<int>(ticks);
}

void CMMusicNote::Serialize(CMFile& file, bool store)
{
    std::uint32_t rawTick = static_cast<std::uint32_t>(tick);
    std::uint8_t rawPitch = static_cast<std::uint8_t>(pitch);
    if (store) {
        file << rawTick << rawPitch << velocity << code << gate;
        return;
    }
    file >> rawTick >> rawPitch >> velocity >> code >> gate;
    tick = static_cast<std::int32_t>(rawTick);
    pitch = static_cast<std::int8_t>(rawPitch);
}
