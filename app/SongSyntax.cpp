// The song language's colouring, line by line: see SongSyntax.h. Only what the eye needs is
// recognised; the compiler remains the judge of what the text means.
#include "app/SongSyntax.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

enum Block : int { NoBlock = 0, ChordBlock, NoteBlock, SettingsBlock, TextBlock };

struct LineState {
    bool comment = false;
    int block = NoBlock;
    int pending = NoBlock;  // a block name was read; its brace is still to come

    static LineState Decode(int state)
    {
        return {(state & 1) != 0, (state >> 1) & 7, (state >> 4) & 7};
    }
    int Encode() const { return (comment ? 1 : 0) | block << 1 | pending << 4; }
};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsRootLetter(char c)
{
    return (c >= 'A' && c <= 'G') || (c >= 'a' && c <= 'g');
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return lower;
}

int BlockOf(std::string_view word)
{
    const std::string name = Lower(word);
    if (name == "chord")
        return ChordBlock;
    if (name == "note")
        return NoteBlock;
    if (name == "misc" || name == "progression")
        return SettingsBlock;
    if (name == "title" || name == "key" || name == "time base" || name == "lyrics")
        return TextBlock;
    return NoBlock;
}

bool IsLabel(std::string_view word)
{
    static constexpr std::array<std::string_view, 7> kSections = {
        "intro", "verse", "theme", "secondtheme", "interlude", "coda", "ending"};
    const std::string name = Lower(word);
    return std::find(kSections.begin(), kSections.end(), name) != kSections.end() ||
           (name.size() == 6 && name.rfind("label", 0) == 0 &&
            (IsLetter(name[5]) || IsDigit(name[5])));
}

class LineScanner {
public:
    LineScanner(std::string_view line, LineState state) : m_line(line), m_state(state) {}

    std::vector<CMSyntaxSpan> Scan()
    {
        while (m_at < m_line.size()) {
            if (m_state.comment)
                Comment(m_at);
            else if (m_line.substr(m_at, 2) == "/*")
                Comment(m_at + 2);
            else if (m_state.block == NoBlock)
                Outside();
            else
                Inside();
        }
        return m_spans;
    }
    const LineState& State() const { return m_state; }

private:
    char At(std::size_t index) const { return index < m_line.size() ? m_line[index] : '\0'; }

    void Add(std::size_t start, std::size_t end, CMSyntaxKind kind)
    {
        m_spans.push_back({static_cast<int>(start), static_cast<int>(end - start), kind});
        m_at = end;
    }

    std::size_t WordEnd(std::size_t from) const
    {
        while (IsLetter(At(from)) || IsDigit(At(from)))
            ++from;
        return from;
    }

    // A comment from here to "*/" searched from `from`, or to the line's end.
    void Comment(std::size_t from)
    {
        const std::size_t close = m_line.find("*/", from);
        m_state.comment = close == std::string_view::npos;
        Add(m_at, m_state.comment ? m_line.size() : close + 2, CMSyntaxKind::Comment);
    }

    // Between blocks: block names and the brace that opens a block.
    void Outside()
    {
        const char c = m_line[m_at];
        if (c == '{') {
            m_state.block = m_state.pending != NoBlock ? m_state.pending : TextBlock;
            m_state.pending = NoBlock;
            ++m_at;
            return;
        }
        if (!IsLetter(c)) {
            ++m_at;
            return;
        }
        std::size_t end = WordEnd(m_at);
        if (Lower(m_line.substr(m_at, end - m_at)) == "time") {
            std::size_t next = end;
            while (At(next) == ' ' || At(next) == '\t')
                ++next;
            if (Lower(m_line.substr(next, 4)) == "base" && !IsLetter(At(next + 4)))
                end = next + 4;
        }
        std::string word(m_line.substr(m_at, end - m_at));
        std::replace(word.begin(), word.end(), '\t', ' ');
        word.erase(std::unique(word.begin(), word.end(),
                               [](char a, char b) { return a == ' ' && b == ' '; }),
                   word.end());
        m_state.pending = BlockOf(word);
        if (m_state.pending != NoBlock)
            Add(m_at, end, CMSyntaxKind::BlockName);
        else
            m_at = end;
    }

    void Inside()
    {
        const char c = m_line[m_at];
        if (c == '}') {
            m_state.block = NoBlock;
            ++m_at;
        } else if (c == '"') {
            const std::size_t close = m_line.find('"', m_at + 1);
            Add(m_at, close == std::string_view::npos ? m_line.size() : close + 1,
                CMSyntaxKind::Quoted);
        } else if (m_state.block == ChordBlock) {
            InChords();
        } else if (m_state.block == SettingsBlock && IsLetter(c)) {
            SettingName();
        } else if (m_state.block == NoteBlock && (c == '|' || c == ',')) {
            Add(m_at, m_at + 1, CMSyntaxKind::BarSign);
        } else {
            ++m_at;
        }
    }

    void InChords()
    {
        static constexpr std::string_view kBarSigns = "|:,.<>!@/";
        const char c = m_line[m_at];
        if (kBarSigns.find(c) != std::string_view::npos) {
            std::size_t end = m_at;
            while (At(end) != '\0' && kBarSigns.find(At(end)) != std::string_view::npos)
                ++end;
            Add(m_at, end, CMSyntaxKind::BarSign);
            return;
        }
        if (IsLetter(c)) {
            const std::size_t end = WordEnd(m_at);
            if (At(end) == ':' && IsLabel(m_line.substr(m_at, end - m_at))) {
                Add(m_at, end + 1, CMSyntaxKind::Label);
                return;
            }
        }
        if (!IsRootLetter(c)) {
            ++m_at;
            return;
        }
        const std::size_t start = m_at;
        const std::size_t rootEnd = RootEnd(m_at);
        Add(start, rootEnd, CMSyntaxKind::ChordRoot);
        const std::size_t suffixEnd = SuffixEnd(rootEnd);
        if (suffixEnd > rootEnd)
            Add(rootEnd, suffixEnd, CMSyntaxKind::ChordSuffix);
    }

    // A root letter and its sharp or flat.
    std::size_t RootEnd(std::size_t at) const
    {
        return At(at + 1) == '#' || At(at + 1) == 'b' ? at + 2 : at + 1;
    }

    // Qualities, sevenths, tensions and an "on" bass, up to the next chord or sign.
    std::size_t SuffixEnd(std::size_t at) const
    {
        static constexpr std::array<std::string_view, 5> kWords = {"maj", "min", "dim", "aug",
                                                                   "sus"};
        for (;;) {
            const char c = At(at);
            if (std::find(kWords.begin(), kWords.end(), m_line.substr(at, 3)) != kWords.end())
                at += 3;
            else if (m_line.substr(at, 2) == "on" && IsRootLetter(At(at + 2)))
                at = RootEnd(at + 2);
            else if (IsDigit(c) || c == '#' || c == '+' || c == '-' || c == 'M' || c == 'm' ||
                     c == 'o' || (c == 'b' && IsDigit(At(at + 1))))
                ++at;
            else
                return at;
        }
    }

    // A setting's name is the words before "=".
    void SettingName()
    {
        std::size_t end = m_at;
        while (IsLetter(At(end)) || IsDigit(At(end)) || At(end) == ' ' || At(end) == '\t')
            ++end;
        if (At(end) != '=') {
            m_at = WordEnd(m_at);
            return;
        }
        std::size_t nameEnd = end;
        while (m_line[nameEnd - 1] == ' ' || m_line[nameEnd - 1] == '\t')
            --nameEnd;
        Add(m_at, nameEnd, CMSyntaxKind::Setting);
    }

    std::string_view m_line;
    LineState m_state;
    std::size_t m_at = 0;
    std::vector<CMSyntaxSpan> m_spans;
};

}  // namespace

std::vector<CMSyntaxSpan> SongSyntaxSpans(std::string_view line, int& state)
{
    LineScanner scanner(line, LineState::Decode(state));
    std::vector<CMSyntaxSpan> spans = scanner.Scan();
    state = scanner.State().Encode();
    return spans;
}
