// CMString: the program's byte string. Text is 8-bit throughout (UTF-8 on Linux, but nothing here
// assumes an encoding): lengths count bytes and comparisons compare bytes as unsigned values.
// Built on std::string; the text is always zero-terminated so it can go to C library calls.
#pragma once

#include "core/IMSerializable.h"

#include <cstddef>
#include <string>
#include <string_view>

class CMFile;

class CMString : public IMSerializable {
public:
    CMString() = default;
    CMString(const char* text);  // null gives the empty string
    CMString(std::string_view text) : m_text(text) {}
    explicit CMString(char c) : m_text(1, c) {}
    CMString(const CMString&) = default;
    CMString(CMString&&) noexcept = default;
    CMString& operator=(const CMString&) = default;
    CMString& operator=(CMString&&) noexcept = default;
    CMString& operator=(const char* text);
    ~CMString() override = default;

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    const char* GetText() const { return m_text.c_str(); }
    const std::string& Str() const { return m_text; }
    std::string_view View() const { return m_text; }

    CMString& operator+=(const CMString& text);
    CMString& operator+=(const char* text);
    CMString& operator+=(char c);
    friend CMString operator+(const CMString& a, const CMString& b);

    friend bool operator==(const CMString& a, const CMString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CMString& a, const char* b);
    // Byte-wise ordering, bytes as unsigned values; equal strings are not greater.
    bool operator>(const CMString& other) const;
    bool IsGreater(const CMString& other) const { return *this > other; }  // list ordering

    // The byte at index; callers keep to 0..length-1.
    char operator[](int index) const { return m_text[static_cast<std::size_t>(index)]; }

    // printf-style formatting. The result may be of any length: the buffer grows to fit it.
    CMString& Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Substring; a negative count means "to the end", the start is clamped into the text and
    // the count cut at its end. A count below 1 after that yields the empty string.
    CMString Mid(int start, int count = -1) const;
    CMString Left(int count) const { return Mid(0, count); }

    // Blanks here are spaces and tabs only.
    CMString& TrimLeft();
    CMString& TrimRight();
    CMString& Trim();
    CMString ToLower() const;

    // The file name without folder and without its last extension ("a/b/song.zimbrel" -> "song").
    // Both "/" and "\\" separate folders; a dot at the start of the name is no extension.
    CMString GetFileTitle() const { return GetFileTitle(GetText()); }
    static CMString GetFileTitle(const char* path);

    // Stored form: the length as a variable-length quantity, then the bytes.
    void Serialize(CMFile& file, bool store) override;

private:
    std::string m_text;
};
