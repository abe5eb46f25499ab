// The XML writer: indentation, escaping and the byte rules of song text.
#include "interchange/XmlWriter.h"

#include <cassert>

namespace {

// Length of the UTF-8 sequence starting at `i`, 0 when it is not a valid one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0               ? 3
                               : lead >= 0xF0 && lead < 0xF5               ? 4
                                                                           : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    // Overlong three- and four-byte forms, surrogates and code points past U+10FFFF.
    if ((lead == 0xE0 && byte(i + 1) < 0xA0) || (lead == 0xED && byte(i + 1) >= 0xA0) ||
        (lead == 0xF0 && byte(i + 1) < 0x90) || (lead == 0xF4 && byte(i + 1) >= 0x90))
        return 0;
    return length;
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string Latin1ToUtf8(std::string_view text)
{
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | byte >> 6);
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace

std::string XmlEscaped(std::string_view bytes)
{
    const std::string utf8 = IsValidUtf8(bytes) ? std::string(bytes) : Latin1ToUtf8(bytes);
    std::string escaped;
    escaped.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n')
                escaped += c;
        }
    }
    return escaped;
}

CMXmlWriter::CMXmlWriter(std::string_view doctype)
{
    m_text = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    if (!doctype.empty()) {
        m_text += doctype;
        m_text += '\n';
    }
}

void CMXmlWriter::StartTag(const char* name, CMXmlAttributes attributes)
{
    m_text.append(2 * m_open.size(), ' ');
    m_text += '<';
    m_text += name;
    for (const auto& [attribute, value] : attributes) {
        m_text += ' ';
        m_text += attribute;
        m_text += "=\"";
        m_text += XmlEscaped(value);
        m_text += '"';
    }
}

void CMXmlWriter::Open(const char* name, CMXmlAttributes attributes)
{
    StartTag(name, attributes);
    m_text += ">\n";
    m_open.push_back(name);
}

void CMXmlWriter::Close()
{
    assert(!m_open.empty());
    const char* name = m_open.back();
    m_open.pop_back();
    m_text.append(2 * m_open.size(), ' ');
    m_text += "</";
    m_text += name;
    m_text += ">\n";
}

void CMXmlWriter::Leaf(const char* name, std::string_view text, CMXmlAttributes attributes)
{
    StartTag(name, attributes);
    m_text += '>';
    m_text += XmlEscaped(text);
    m_text += "</";
    m_text += name;
    m_text += ">\n";
}

void CMXmlWriter::Leaf(const char* name, int number, CMXmlAttributes attributes)
{
    Leaf(name, std::to_string(number), attributes);
}

void CMXmlWriter::Empty(const char* name, CMXmlAttributes attributes)
{
    StartTag(name, attributes);
    m_text += "/>\n";
}
