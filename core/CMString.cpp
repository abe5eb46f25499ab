// CMString: see CMString.h.
#include "core/CMString.h"

#include "core/CMFile.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

CMString::CMString(const char* text) : m_text(text ? text : "") {}

CMString& CMString::operator=(const char* text)
{
    // Assigning from our own buffer must work, so copy before replacing.
    std::string copy(text ? text : "");
    m_text.swap(copy);
    return *this;
}

CMString& CMString::operator+=(const CMString& text)
{
    m_text += text.m_text;  // std::string handles appending to itself
    return *this;
}

CMString& CMString::operator+=(const char* text)
{
    if (text)
        m_text.append(std::string(text));
    return *this;
}

CMString& CMString::operator+=(char c)
{
    m_text += c;
    return *this;
}

CMString operator+(const CMString& a, const CMString& b)
{
    CMString result(a);
    result += b;
    return result;
}

bool operator==(const CMString& a, const char* b)
{
    return a.m_text == (b ? b : "");
}

bool CMString::operator>(const CMString& other) const
{
    // std::string compares with char_traits<char>, which compares as unsigned char.
    return m_text.compare(other.m_text) > 0;
}

CMString& CMString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed < 0) {
        m_text.clear();
    } else {
        std::string result(static_cast<std::size_t>(needed) + 1, '\0');
        std::vsnprintf(result.data(), result.size(), format, args);
        result.resize(static_cast<std::size_t>(needed));
        m_text.swap(result);
    }
    va_end(args);
    return *this;
}

CMString CMString::Mid(int start, int count) const
{
    const int length = GetLength();
    if (count < 0)
        count = length;
    start = std::max(0, std::min(start, length - 1));
    count = std::min(count, length - start);
    if (count < 1)
        return CMString();
    return CMString(std::string_view(m_text).substr(static_cast<std::size_t>(start),
                                                    static_cast<std::size_t>(count)));
}

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

CMString& CMString::TrimLeft()
{
    const auto first = std::find_if_not(m_text.begin(), m_text.end(), IsBlank);
    m_text.erase(m_text.begin(), first);
    return *this;
}

CMString& CMString::TrimRight()
{
    while (!m_text.empty() && IsBlank(m_text.back()))
        m_text.pop_back();
    return *this;
}

CMString& CMString::Trim()
{
    TrimRight();
    return TrimLeft();
}

CMString CMString::ToLower() const
{
    std::string lower(m_text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return CMString(lower);
}

CMString CMString::GetFileTitle(const char* path)
{
    std::string_view name(path ? path : "");
    const std::size_t separator = name.find_last_of("/\\");
    // A path that ends in a separator names no file; it is kept whole.
    if (separator != std::string_view::npos && separator + 1 < name.size())
        name.remove_prefix(separator + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot >= 1)
        name = name.substr(0, dot);
    return CMString(name);
}

void CMString::Serialize(CMFile& file, bool store)
{
    if (store) {
        file.WriteVarLen(static_cast<unsigned>(m_text.size()));
        file.Write(m_text.data(), static_cast<int>(m_text.size()));
        return;
    }
    const int length = static_cast<int>(file.ReadVarLen());
    m_text.clear();
    if (length < 1)
        return;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    bytes.resize(static_cast<std::size_t>(file.Read(bytes.data(), length)));
    m_text.swap(bytes);
}
