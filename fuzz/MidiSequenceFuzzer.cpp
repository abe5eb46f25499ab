// Fuzz target: arbitrary bytes as a MIDI file for the player. Reading must not crash; what it
// accepts must be in time order, hold only channel messages with 7-bit data, and have times that
// grow with the ticks and end by the file's length.
#include "midi/playback/CMMidiSequence.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMMidiSequence sequence;
    CMString error;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!sequence.Read(bytes, error)) {
        Check(sequence.GetEvents().empty() && !error.IsEmpty());
        return 0;
    }
    const CMTimedMidiEvent* previous = nullptr;
    for (const CMTimedMidiEvent& event : sequence.GetEvents()) {
        Check(event.status >= 0x80 && event.status < 0xF0);
        Check(event.data1 < 0x80 && event.data2 < 0x80);
        Check(event.milliseconds >= 0.0 && event.milliseconds <= sequence.GetLength());
        if (previous) {
            Check(previous->tick <= event.tick);
            Check(previous->milliseconds <= event.milliseconds);
        }
        previous = &event;
    }
    return 0;
}
