// Fuzz target: an arbitrary byte stream arriving in pieces of arbitrary sizes at a receive
// buffer. Frames must come out whole, in order and exactly as sent, the rest must stay buffered,
// and every payload is decoded as each list record to check that decoding stays inside it.
#include "net/CFSerialData.h"
#include "net/CMZimbrelRecords.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Decoding may fail, but what it rebuilds must encode to the size it reports.
template <class List>
void DecodeAs(const CFSerialData& payload)
{
    List list;
    const std::int32_t consumed = list.Deserialize(payload.GetData(), payload.GetLength());
    Check(consumed <= payload.GetLength());
    if (consumed < 0) {
        Check(list.IsEmpty());
        return;
    }
    const CFSerialData again = list.Serialize();
    Check(again.GetLength() == list.GetSerialSize());
    List copy;
    Check(copy.Deserialize(again.GetData(), again.GetLength()) == again.GetLength());
    Check(copy.GetCount() == list.GetCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t piece = 1 + data[0] % 16;
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
    CFSerialData buffer;
    std::size_t taken = 0;  // bytes of the stream already cut into frames
    for (std::size_t offset = 0; offset < stream.size(); offset += piece) {
        const std::string_view next = stream.substr(offset, piece);
        buffer.Append(reinterpret_cast<const std::uint8_t*>(next.data()),
                      static_cast<std::int32_t>(next.size()));
        for (;;) {
            std::uint32_t length = 0;
            std::int32_t header = 0;
            const bool complete = buffer.PeekFrameHeader(length, header);
            const std::int32_t before = buffer.GetLength();
            const CFSerialData payload = buffer.ExtractFrame();
            if (buffer.GetLength() == before) {
                Check(payload.IsEmpty());
                break;
            }
            Check(complete &&
                  before - buffer.GetLength() == header + static_cast<std::int32_t>(length));
            Check(payload.View() ==
                  stream.substr(taken + static_cast<std::size_t>(header), length));
            taken += static_cast<std::size_t>(header) + length;
            DecodeAs<CMZimbrelSongNameList>(payload);
            DecodeAs<CMZimbrelSongList>(payload);
        }
        Check(buffer.View() == stream.substr(taken, offset + next.size() - taken));
    }
    return 0;
}
