// A small writer of indented XML text: elements opened and closed in order, leaves with text, and
// attribute values and texts escaped. Song text is bytes: what is not valid UTF-8 is read as
// Latin-1, and control characters XML cannot hold are left out.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using CMXmlAttributes = std::initializer_list<std::pair<const char*, std::string>>;

class CMXmlWriter {
public:
    // Starts the document with the XML declaration and, when given, a document type line.
    explicit CMXmlWriter(std::string_view doctype = {});

    void Open(const char* name, CMXmlAttributes attributes = {});
    void Close();
    // <name attributes>text</name>
    void Leaf(const char* name, std::string_view text, CMXmlAttributes attributes = {});
    void Leaf(const char* name, int number, CMXmlAttributes attributes = {});
    // <name attributes/>
    void Empty(const char* name, CMXmlAttributes attributes = {});

    // The document; every element opened must have been closed.
    const std::string& Text() const { return m_text; }

private:
    void StartTag(const char* name, CMXmlAttributes attributes);

    std::string m_text;
    std::vector<const char*> m_open;
};

// `bytes` as UTF-8 (Latin-1 when they are not valid UTF-8), escaped for XML text and attribute
// values, without the control characters XML forbids.
std::string XmlEscaped(std::string_view bytes);
