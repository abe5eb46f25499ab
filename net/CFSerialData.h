// CFSerialData: an owned byte buffer that builds and reads message payloads and cuts frames out of
// a receive buffer. As a record it is a byte string: its length as a variable-length quantity,
// then its bytes. Reading advances a cursor and never goes past the end of the buffer.
#pragma once

#include "net/IFSerializable.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CFSerialData : public IFSerializable {
public:
    CFSerialData() = default;
    CFSerialData(const std::uint8_t* data, std::int32_t count) { Append(data, count); }
    explicit CFSerialData(std::string_view bytes);

    // The valid bytes (none when the length is 0).
    const std::uint8_t* GetData() const { return m_bytes.data() + m_begin; }
    std::int32_t GetLength() const { return static_cast<std::int32_t>(m_bytes.size() - m_begin); }
    bool IsEmpty() const { return GetLength() == 0; }
    std::string_view View() const;
    bool operator==(const CFSerialData& other) const { return View() == other.View(); }

    // Building. A count of 0 or less appends nothing.
    void Append(const std::uint8_t* data, std::int32_t count);
    void AppendByte(std::uint8_t value) { m_bytes.push_back(value); }
    void AppendQuantity(std::uint32_t value);
    // A text field: the text's bytes, then one 0x00 byte.
    void AppendText(std::string_view text);
    void AppendObject(const IFSerializable& object) { object.AppendTo(*this); }
    void Clear();
    // Makes room for `count` more bytes, so that building a payload of known size copies once.
    void Reserve(std::int32_t count);

    // Moves the first `count` bytes into the result and keeps the rest; everything moves when
    // `count` is not smaller than the length, nothing when it is 0 or less.
    CFSerialData Split(std::int32_t count);

    // Looks at the frame header at the front of a receive buffer. Answers true, with the payload
    // length and the header size, when a header byte with the top bit clear lies among the first
    // four bytes; false while the header is incomplete or malformed.
    bool PeekFrameHeader(std::uint32_t& payloadLength, std::int32_t& headerSize) const;
    // Takes the first complete frame off the front and answers its payload; answers an empty
    // buffer and changes nothing while no complete frame is buffered.
    CFSerialData ExtractFrame();

    // Payload reading at the cursor (0 on construction). Each read answers false and leaves the
    // cursor where it was when the bytes that remain do not hold the field.
    std::int32_t GetCursor() const { return m_cursor; }
    bool ReadByte(std::uint8_t& value);
    bool ReadText(std::string& text);
    // Hands every byte from the cursor on to the object's Deserialize.
    bool ReadObject(IFSerializable& object);

    // A text field at `data`: the bytes up to the first 0x00. Answers the bytes consumed with the
    // terminator, or -1 when there is no terminator within `size` bytes.
    static std::int32_t DecodeText(const std::uint8_t* data, std::int32_t size, std::string& text);
    static std::int32_t GetTextSize(std::string_view text);

    // Two upper-case hexadecimal digits a byte, no separators; empty for an empty buffer.
    std::string ToHex() const;

    void AppendTo(CFSerialData& out) const override;
    std::int32_t Deserialize(const std::uint8_t* data, std::int32_t size) override;
    std::int32_t GetSerialSize() const override;

private:
    void DropFront(std::int32_t count);

    // Bytes before m_begin were split off; they are released once they make up half the array,
    // so cutting many small frames off a large buffer costs time in proportion to its size.
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_begin = 0;
    std::int32_t m_cursor = 0;
};
