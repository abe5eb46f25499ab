// CFSerialData: see CFSerialData.h.
#include "net/CFSerialData.h"

#include "net/CFVariableLengthQuantity.h"

#include <algorithm>
#include <cstring>

CFSerialData::CFSerialData(std::string_view bytes) : m_bytes(bytes.begin(), bytes.end()) {}

std::string_view CFSerialData::View() const
{
    return {reinterpret_cast<const char*>(GetData()), static_cast<std::size_t>(GetLength())};
}

void CFSerialData::Append(const std::uint8_t* data, std::int32_t count)
{
    if (count > 0)
        m_bytes.insert(m_bytes.end(), data, data + count);
}

void CFSerialData::AppendQuantity(std::uint32_t value)
{
    std::uint8_t encoded[CFVariableLengthQuantity::kMaxSize];
    Append(encoded, CFVariableLengthQuantity::Encode(value, encoded));
}

void CFSerialData::AppendText(std::string_view text)
{
    Append(reinterpret_cast<const std::uint8_t*>(text.data()),
           static_cast<std::int32_t>(text.size()));
    AppendByte(0);
}

void CFSerialData::Clear()
{
    m_bytes.clear();
    m_begin = 0;
    m_cursor = 0;
}

void CFSerialData::Reserve(std::int32_t count)
{
    if (count > 0)
        m_bytes.reserve(m_bytes.size() + static_cast<std::size_t>(count));
}

CFSerialData CFSerialData::Split(std::int32_t count)
{
    CFSerialData front;
    if (count <= 0)
        return front;
    if (count >= GetLength()) {
        std::swap(front, *this);
        front.m_cursor = 0;
        return front;
    }
    front.Append(GetData(), count);
    DropFront(count);
    return front;
}

bool CFSerialData::PeekFrameHeader(std::uint32_t& payloadLength, std::int32_t& headerSize) const
{
    const std::int32_t probed = std::min(GetLength(), CFVariableLengthQuantity::kMaxSize);
    for (std::int32_t i = 0; i < probed; ++i) {
        if ((GetData()[i] & 0x80) == 0) {
            headerSize = CFVariableLengthQuantity::Decode(GetData(), probed, payloadLength);
            return true;
        }
    }
    return false;
}

CFSerialData CFSerialData::ExtractFrame()
{
    std::uint32_t payloadLength = 0;
    std::int32_t headerSize = 0;
    if (!PeekFrameHeader(payloadLength, headerSize) ||
        static_cast<std::uint32_t>(GetLength() - headerSize) < payloadLength)
        return {};
    const auto length = static_cast<std::int32_t>(payloadLength);
    CFSerialData payload(GetData() + headerSize, length);
    DropFront(headerSize + length);
    return payload;
}

bool CFSerialData::ReadByte(std::uint8_t& value)
{
    if (m_cursor >= GetLength())
        return false;
    value = GetData()[m_cursor++];
    return true;
}

bool CFSerialData::ReadText(std::string& text)
{
    const std::int32_t consumed = DecodeText(GetData() + m_cursor, GetLength() - m_cursor, text);
    if (consumed < 0)
        return false;
    m_cursor += consumed;
    return true;
}

bool CFSerialData::ReadObject(IFSerializable& object)
{
    const std::int32_t consumed = object.Deserialize(GetData() + m_cursor, GetLength() - m_cursor);
    if (consumed < 0)
        return false;
    m_cursor += consumed;
    return true;
}

std::int32_t CFSerialData::DecodeText(const std::uint8_t* data, std::int32_t size,
                                      std::string& text)
{
    text.clear();
    if (size <= 0)
        return -1;
    const void* terminator = std::memchr(data, 0, static_cast<std::size_t>(size));
    if (!terminator)
        return -1;
    const auto length = static_cast<const std::uint8_t*>(terminator) - data;
    text.assign(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return static_cast<std::int32_t>(length) + 1;
}

std::int32_t CFSerialData::GetTextSize(std::string_view text)
{
    return static_cast<std::int32_t>(text.size()) + 1;
}

std::string CFSerialData::ToHex() const
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(static_cast<std::size_t>(GetLength()) * 2);
    for (const std::uint8_t byte : View()) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

void CFSerialData::AppendTo(CFSerialData& out) const
{
    out.AppendQuantity(static_cast<std::uint32_t>(GetLength()));
    out.Append(GetData(), GetLength());
}

std::int32_t CFSerialData::Deserialize(const std::uint8_t* data, std::int32_t size)
{
    Clear();
    std::uint32_t length = 0;
    const std::int32_t header = CFVariableLengthQuantity::Decode(data, size, length);
    if (header == 0 || static_cast<std::uint32_t>(size - header) < length)
        return -1;
    Append(data + header, static_cast<std::int32_t>(length));
    return header + static_cast<std::int32_t>(length);
}

std::int32_t CFSerialData::GetSerialSize() const
{
    return CFVariableLengthQuantity::GetSize(static_cast<std::uint32_t>(GetLength())) + GetLength();
}

void CFSerialData::DropFront(std::int32_t count)
{
    m_begin += static_cast<std::size_t>(count);
    m_cursor = std::max(0, m_cursor - count);
    if (m_begin == m_bytes.size()) {
        Clear();
    } else if (m_begin * 2 >= m_bytes.size()) {
        m_bytes.erase(m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(m_begin));
        m_begin = 0;
    }
}
