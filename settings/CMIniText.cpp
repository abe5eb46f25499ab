// CMIniText: parsing a line, the walk to a section and key, and the edits of a write.
#include "settings/CMIniText.h"

#include <optional>

namespace {

// The name of a header line: the characters up to the first "]", "[" left out. A "#" before the
// "]", or no "]" at all, gives the empty name.
std::string SectionName(std::string_view line)
{
    std::string name;
    for (const char c : line) {
        if (c == ']')
            return name;
        if (c == '#')
            return std::string();
        if (c != '[')
            name += c;
    }
    return std::string();
}

// The key of an entry line: the characters before the first "="; empty when there is no "=" or
// a "#" comes before it.
std::string_view KeyOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos ||
        line.substr(0, equals).find('#') != std::string_view::npos)
        return std::string_view();
    return line.substr(0, equals);
}

std::string_view ValueOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
}

bool IsHeader(std::string_view line)
{
    return !line.empty() && line[0] == '[';
}

// The length of the line break at `at` ("\r\n", a lone "\r" or "\n"); 0 when none is there.
std::size_t LineBreakAt(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return 0;
    if (text[at] == '\r')
        return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    return text[at] == '\n' ? 1 : 0;
}

// Calls visit(line, start of the line) for every header and entry line that ends in a line break,
// in order, while it answers true. Empty lines and comments are passed over.
template <class Visit>
void VisitLines(const std::string& text, Visit visit)
{
    std::size_t start = 0;
    for (std::size_t end; (end = text.find_first_of("\r\n", start)) != std::string::npos;
         start = end + LineBreakAt(text, end)) {
        const std::string_view line(text.data() + start, end - start);
        if (!line.empty() && line[0] != '#' && !visit(line, start))
            return;
    }
}

bool HasAny(std::string_view text, std::string_view characters)
{
    return text.find_first_of(characters) != std::string_view::npos;
}

const std::string_view kLineBreaks("\r\n\0", 3);

// Whether a written section, key and value read back as they were written.
bool IsStorable(std::string_view section, std::string_view key, std::string_view value)
{
    return !HasAny(section, kLineBreaks) && !HasAny(section, "[]#") && !key.empty() &&
           !HasAny(key, kLineBreaks) && !HasAny(key, "=#") && key[0] != '[' &&
           !HasAny(value, kLineBreaks);
}

// The line break the text's lines end in: that of its first line; CR LF for a text without one.
std::string_view LineBreakOf(std::string_view text)
{
    const std::size_t first = text.find_first_of("\r\n");
    return first == std::string_view::npos ? "\r\n" : text.substr(first, LineBreakAt(text, first));
}

}  // namespace

CMIniText::CMIniText(std::string_view fileBytes)
{
    const std::size_t nul = fileBytes.find('\0');
    m_text = fileBytes.substr(0, nul);
    if (nul != std::string_view::npos)
        m_unread = fileBytes.substr(nul);
}

CMIniText::Place CMIniText::Locate(std::string_view section, std::string_view key) const
{
    bool inside = false;
    std::optional<Place> found;
    VisitLines(m_text, [&](std::string_view line, std::size_t start) {
        if (IsHeader(line)) {
            if (inside)
                found = Place{Stop::NextSection, start, start};
            inside = SectionName(line) == section;
        } else if (inside && KeyOf(line) == key) {
            found = Place{Stop::KeyLine, start, start + line.size()};
        }
        return !found;
    });
    if (found)
        return *found;
    // A last line without a line break is not read.
    return {inside ? Stop::SectionEnd : Stop::NoSection, m_text.size(), m_text.size()};
}

bool CMIniText::Find(std::string_view section, std::string_view key, CMString& value) const
{
    const Place place = Locate(section, key);
    if (place.stop != Stop::KeyLine)
        return false;
    value =
        CMString(ValueOf(std::string_view(m_text).substr(place.begin, place.end - place.begin)));
    return true;
}

CMString CMIniText::ReadString(std::string_view section, std::string_view key,
                               const CMString& defaultValue) const
{
    CMString value;
    return Find(section, key, value) ? value : defaultValue;
}

bool CMIniText::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    if (!IsStorable(section, key, value))
        return false;
    const std::string lineBreak(LineBreakOf(m_text));  // a copy: the text changes below
    std::string entry(key);
    entry.append("=").append(value);
    Place place = Locate(section, key);
    if ((place.stop == Stop::SectionEnd || place.stop == Stop::NoSection) && !m_text.empty() &&
        m_text.back() != '\n' && m_text.back() != '\r') {
        // Appending would join the new line to an unfinished last line. End that line first; it
        // is then read like any other, so look again.
        m_text += lineBreak;
        place = Locate(section, key);
    }
    switch (place.stop) {
    case Stop::KeyLine: m_text.replace(place.begin, place.end - place.begin, entry); break;
    case Stop::NextSection: m_text.insert(place.begin, entry.append(lineBreak)); break;
    case Stop::SectionEnd: m_text.append(entry).append(lineBreak); break;
    case Stop::NoSection:
        m_text.append("[").append(section).append("]").append(lineBreak);
        m_text.append(entry).append(lineBreak);
        break;
    }
    return true;
}

std::vector<CMIniEntry> CMIniText::GetEntries() const
{
    std::vector<CMIniEntry> entries;
    std::optional<std::string> section;
    VisitLines(m_text, [&](std::string_view line, std::size_t) {
        if (IsHeader(line))
            section = SectionName(line);
        else if (section && !KeyOf(line).empty())
            entries.push_back({CMString(*section), CMString(KeyOf(line)), CMString(ValueOf(line))});
        return true;
    });
    return entries;
}

std::string CMIniText::GetFileBytes() const
{
    return m_text + m_unread;
}
