// The place of a compile error: see ErrorContext.h. The source is parsed once more to learn where
// its last token stands; the place is found in the escaped text the scanner reads and shown in
// the source's own bytes.
#include "music/ErrorContext.h"

#include "core/CMFile.h"
#include "music/CMChordYacc.h"

#include <cctype>
#include <string>
#include <string_view>

namespace {

bool IsWordCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '#' || c == '_';
}

// Blanks as wide as `text` (tabs kept, one blank a UTF-8 character), for the caret's column.
std::string Indent(std::string_view text)
{
    std::string blanks;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            blanks += c == '\t' ? '\t' : ' ';
    return blanks;
}

}  // namespace

CMString ErrorContext(const CMString& source)
{
    const CMString escaped = CMFile::EscapeHex(source.View());
    const std::string_view text = escaped.View();
    CMChordYacc parser(text);
    if (parser.Parse())
        return CMString();
    const std::size_t start = parser.GetErrorOffset();
    if (start >= text.size())
        return CMString();
    std::size_t first = start;
    while (first > 0 && IsWordCharacter(text[first - 1]))
        --first;
    std::size_t end = start + parser.GetErrorLength();
    while (end < text.size() && IsWordCharacter(text[end]))
        ++end;
    const bool insideWord = first < start || end > start + parser.GetErrorLength();
    if (!insideWord || !IsWordCharacter(text[start]))
        return CMString();

    const std::size_t newline = text.rfind('\n', start);
    const std::size_t lineStart = newline == std::string_view::npos ? 0 : newline + 1;
    const std::size_t lineEnd = std::min(text.find_first_of("\r\n", start), text.size());
    const CMString line = CMFile::UnescapeHex(text.substr(lineStart, lineEnd - lineStart));
    const std::string caret =
        Indent(CMFile::UnescapeHex(text.substr(lineStart, start - lineStart)).View());
    const std::string word(text.substr(first, end - first));
    CMString context;
    context.Format("  in the word \"%s\":\n  %s\n  %s^\n", word.c_str(), line.GetText(),
                   caret.c_str());
    return context;
}
