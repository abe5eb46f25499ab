// The variable-length quantity that MIDI files, the song server's frames and the program's own
// files share: the bytes at every size threshold, padded encodings, and decoding that stops after
// four bytes or at the end of its input.
#include "core/VariableLengthQuantity.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace VLQ = VariableLengthQuantity;
using Bytes = std::vector<std::uint8_t>;

TEST(VariableLengthQuantity, BytesAtEveryThresholdAndBack)
{
    const std::vector<std::pair<std::uint32_t, Bytes>> cases = {
        {0, {0x00}},
        {127, {0x7F}},
        {128, {0x81, 0x00}},
        {16383, {0xFF, 0x7F}},
        {16384, {0x81, 0x80, 0x00}},
        {2097151, {0xFF, 0xFF, 0x7F}},
        {2097152, {0x81, 0x80, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
        {0x10000080, {0x80, 0x80, 0x81, 0x00}},  // above 28 bits: the low 28 in four bytes
    };
    for (const auto& [value, bytes] : cases) {
        Bytes out(VLQ::kMaxSize);
        out.resize(static_cast<std::size_t>(VLQ::Encode(value, out.data())));
        EXPECT_EQ(out, bytes) << value;
        EXPECT_EQ(VLQ::Size(value), static_cast<int>(bytes.size())) << value;
        std::uint32_t decoded = 1;
        EXPECT_EQ(VLQ::Decode(bytes.data(), bytes.size(), decoded), static_cast<int>(bytes.size()));
        EXPECT_EQ(decoded, value & VLQ::kMaxValue);
    }

    Bytes padded(2);
    VLQ::EncodeAs(0x7F, 2, padded.data());
    EXPECT_EQ(padded, (Bytes{0x80, 0x7F}));
}

TEST(VariableLengthQuantity, DecodingStopsAfterFourBytesOrAtTheEnd)
{
    std::uint32_t value = 0;
    const Bytes fourHigh = {0x81, 0x82, 0x83, 0x84, 0x05};
    EXPECT_EQ(VLQ::Decode(fourHigh.data(), fourHigh.size(), value), 4);
    EXPECT_EQ(value, (1u << 21) | (2u << 14) | (3u << 7) | 4u);

    const Bytes cut = {0x81, 0x80};
    EXPECT_EQ(VLQ::Decode(cut.data(), cut.size(), value), 0);
    EXPECT_EQ(VLQ::Decode(cut.data(), 0, value), 0);
}
