// The XML writer: indentation, escaping and the byte rules of song text.
#include "interchange/XmlWriter.h"

#include "interchange/Utf8Text.h"

#include <cassert>

std::string XmlEscaped(std::string_view bytes)
{
    const std::string utf8 = AsUtf8(bytes);
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
