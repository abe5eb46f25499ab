// The variable-length quantity: see VariableLengthQuantity.h.
#include "core/VariableLengthQuantity.h"

namespace VariableLengthQuantity {

int Size(std::uint32_t value)
{
    if (value < 0x80)
        return 1;
    if (value < 0x4000)
        return 2;
    if (value < 0x200000)
        return 3;
    return 4;
}

void EncodeAs(std::uint32_t value, int size, std::uint8_t* out)
{
    for (int i = size - 1; i >= 0; --i) {
        const std::uint8_t more = i == size - 1 ? 0x00 : 0x80;
        out[i] = static_cast<std::uint8_t>((value & 0x7F) | more);
        value >>= 7;
    }
}

int Encode(std::uint32_t value, std::uint8_t* out)
{
    const int size = Size(value);
    EncodeAs(value, size, out);
    return size;
}

int Decode(const std::uint8_t* data, std::size_t size, std::uint32_t& value)
{
    value = 0;
    for (int i = 0; i < kMaxSize; ++i) {
        if (static_cast<std::size_t>(i) >= size)
            return 0;
        value = (value << 7) | (data[i] & 0x7Fu);
        if ((data[i] & 0x80) == 0)
            return i + 1;
    }
    return kMaxSize;
}

}  // namespace VariableLengthQuantity
