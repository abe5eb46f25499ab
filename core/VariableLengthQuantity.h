// The variable-length quantity that MIDI files, the song server's frames and the program's own
// binary files share: an unsigned value in groups of seven bits, most significant group first,
// with the top bit set on every byte but the last. Four bytes at most, so only the low 28 bits
// of a value can be represented.
#pragma once

#include <cstddef>
#include <cstdint>

namespace VariableLengthQuantity {

inline constexpr int kMaxSize = 4;
inline constexpr std::uint32_t kMaxValue = 0x0FFFFFFF;

// The bytes of the shortest encoding: 1 below 128, 2 up to 16383, 3 up to 2097151, else 4.
int Size(std::uint32_t value);
// Writes the low 28 bits of `value` as exactly `size` (1 to 4) groups, leading groups zero when
// the value needs fewer. `out` has room for `size` bytes.
void EncodeAs(std::uint32_t value, int size, std::uint8_t* out);
// Writes the shortest encoding of `value` (room for kMaxSize bytes; a value above kMaxValue
// gives its low 28 bits in four bytes); answers the bytes written, always Size(value).
int Encode(std::uint32_t value, std::uint8_t* out);
// Reads a quantity from the `size` bytes at `data`. It ends at the first byte with the top bit
// clear, or after four bytes whatever their top bits (the fourth byte's low bits count). Answers
// the bytes consumed (1 to 4), or 0 when the bytes run out first.
int Decode(const std::uint8_t* data, std::size_t size, std::uint32_t& value);

}  // namespace VariableLengthQuantity
