// CFVariableLengthQuantity: see CFVariableLengthQuantity.h.
#include "net/CFVariableLengthQuantity.h"

std::int32_t CFVariableLengthQuantity::GetSize(std::uint32_t value)
{
    if (value < 0x80)
        return 1;
    if (value < 0x4000)
        return 2;
    if (value < 0x200000)
        return 3;
    return 4;
}

std::int32_t CFVariableLengthQuantity::Encode(std::uint32_t value, std::uint8_t out[kMaxSize])
{
    value &= kMaxValue;
    const std::int32_t size = GetSize(value);
    for (std::int32_t i = size - 1; i >= 0; --i) {
        out[i] = static_cast<std::uint8_t>(value & 0x7F);
        if (i != size - 1)
            out[i] |= 0x80;
        value >>= 7;
    }
    return size;
}

std::int32_t CFVariableLengthQuantity::Decode(const std::uint8_t* data, std::int32_t size,
                                              std::uint32_t& value)
{
    value = 0;
    for (std::int32_t i = 0; i < kMaxSize; ++i) {
        if (i >= size)
            return 0;
        value = (value << 7) | (data[i] & 0x7Fu);
        if ((data[i] & 0x80) == 0)
            return i + 1;
    }
    return kMaxSize;
}
