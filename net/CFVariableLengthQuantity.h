// CFVariableLengthQuantity: the integer encoding of the wire format, the variable-length quantity
// of core/ under the name the protocol classes use. An unsigned value takes one to four bytes,
// seven value bits each, most significant group first; only its low 28 bits travel.
#pragma once

#include "core/VariableLengthQuantity.h"

#include <cstdint>

class CFVariableLengthQuantity {
public:
    static constexpr std::int32_t kMaxSize = VariableLengthQuantity::kMaxSize;
    static constexpr std::uint32_t kMaxValue = VariableLengthQuantity::kMaxValue;

    // The number of bytes `value` encodes to: 1 below 128, 2 up to 16383, 3 up to 2097151, else 4.
    static std::int32_t GetSize(std::uint32_t value) { return VariableLengthQuantity::Size(value); }
    // Writes the encoding of `value` to `out`; answers the bytes written.
    static std::int32_t Encode(std::uint32_t value, std::uint8_t out[kMaxSize])
    {
        return VariableLengthQuantity::Encode(value, out);
    }
    // Reads a quantity from the `size` bytes at `data`: it ends at the first byte with the top bit
    // clear, or after four bytes whatever their top bits. Answers the bytes consumed (1 to 4), or
    // 0 when the bytes run out before the quantity ends.
    static std::int32_t Decode(const std::uint8_t* data, std::int32_t size, std::uint32_t& value)
    {
        return VariableLengthQuantity::Decode(data, size > 0 ? static_cast<std::size_t>(size) : 0,
                                              value);
    }
};
