// Warnings about charts that compile but may be misread: see SongWarnings.h. The checks walk the
// song's tokens as the scanner reads them, with their lines and places, since the compiled song
// keeps neither.
#include "music/SongWarnings.h"

#include "core/CMFile.h"
#include "music/CMChordLex.h"
#include "music/CMMusicSong.h"
#include "music/ChordYacc.hpp"
#include "music/LabelCodes.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string_view>

namespace {

enum class Block { None, Chord, Key, TimeBase, Progression, Other };

struct PlacedToken {
    CMSongToken token;
    Block block = Block::None;
};

// The tokens of one chord: a root, its quality, seventh and tensions, and "on" with a bass note.
struct ChordSpan {
    std::size_t first = 0;  // token indices, both included
    std::size_t last = 0;
};

constexpr std::size_t kMeasureItems = 4;

bool IsChordPart(int code)
{
    return (code >= TOK_MAJ && code <= TOK_ON) || code == TOK_ROOT;
}

bool IsBarSign(int code)
{
    switch (code) {
    case TOK_BAR:
    case TOK_DOUBLEBAR:
    case TOK_FINEBAR:
    case TOK_REPEATBEGIN:
    case TOK_REPEATEND:
    case TOK_DOUBLEREPEAT:
    case TOK_EXCL:
    case TOK_AT: return true;
    default: return false;
    }
}

Block BlockOpenedBy(int code, Block current)
{
    switch (code) {
    case TOK_CHORD: return Block::Chord;
    case TOK_KEY: return Block::Key;
    case TOK_TIMEBASE: return Block::TimeBase;
    case TOK_PROGRESSION: return Block::Progression;
    case TOK_TITLE:
    case TOK_LYRICS:
    case TOK_NOTE:
    case TOK_MISC: return Block::Other;
    case '}': return Block::None;
    default: return current;
    }
}

// "intro", "A", "1": a section as the chart names it.
std::string SectionName(int code)
{
    static const char* const kNamed[] = {"intro",        "verse",     "theme",
                                         "second theme", "interlude", "ending"};
    if (code >= LabelIntro && code <= LabelEnding)
        return kNamed[code - LabelIntro];
    if (code >= LabelFirstLetter && code <= LabelLastLetter)
        return std::string(1, static_cast<char>(code + 50));
    return std::string(1, static_cast<char>(code + 7));
}

// A chord as it is read: its root letter upper-case ("add9" gives the chords A, D, D9).
std::string RootUpper(std::string chord)
{
    chord[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(chord[0])));
    return chord;
}

class SongReader {
public:
    SongReader(const CMString& escaped, const CMMusicSong& song)
        : m_text(escaped.View()), m_song(song)
    {
        CMChordLex lex(m_text);
        Block block = Block::None;
        for (CMSongToken token = lex.Next(); token.code != 0 && token.code != kScannerFailureToken;
             token = lex.Next()) {
            block = BlockOpenedBy(token.code, block);
            m_tokens.push_back({token, block});
        }
        FindChords();
    }

    std::vector<CMSongWarning> Warnings()
    {
        CheckChordWords();
        CheckMeasures();
        CheckRepeats();
        CheckProgression();
        CheckTimeBase();
        std::stable_sort(
            m_warnings.begin(), m_warnings.end(),
            [](const CMSongWarning& a, const CMSongWarning& b) { return a.line < b.line; });
        return std::move(m_warnings);
    }

private:
    const CMSongToken& Token(std::size_t index) const { return m_tokens[index].token; }
    bool InChords(std::size_t index) const
    {
        return m_tokens[index].block == Block::Chord || m_tokens[index].block == Block::Key;
    }
    std::string_view Text(std::size_t begin, std::size_t end) const
    {
        return m_text.substr(begin, end - begin);
    }
    std::string ChordText(const ChordSpan& chord) const
    {
        return std::string(Text(Token(chord.first).offset, Token(chord.last).End()));
    }
    void Warn(int line, std::string text) { m_warnings.push_back({line, std::move(text)}); }

    void FindChords()
    {
        for (std::size_t i = 0; i < m_tokens.size(); ++i) {
            const bool starts =
                Token(i).code == TOK_ROOT && InChords(i) && (i == 0 || Token(i - 1).code != TOK_ON);
            if (starts)
                m_chords.push_back({i, i});
            else if (!m_chords.empty() && m_chords.back().last + 1 == i &&
                     IsChordPart(Token(i).code))
                m_chords.back().last = i;
        }
    }

    // Whether a chord follows the one before it without a blank: "D7/F#", "Cadd9", "Dm7G7".
    bool Touches(const ChordSpan& before, const ChordSpan& chord) const
    {
        return Token(chord.first - 1).End() == Token(chord.first).offset &&
               (before.last + 1 == chord.first ||
                (before.last + 2 == chord.first && Token(before.last + 1).code == TOK_SLASH &&
                 Token(before.last).End() == Token(before.last + 1).offset));
    }

    void CheckChordWords()
    {
        for (std::size_t i = 1; i < m_chords.size(); ++i) {
            if (!Touches(m_chords[i - 1], m_chords[i]))
                continue;
            if (m_chords[i - 1].last + 2 == m_chords[i].first) {
                WarnSlashChord(m_chords[i - 1], m_chords[i]);
                continue;
            }
            std::size_t last = i;
            while (last + 1 < m_chords.size() &&
                   m_chords[last].last + 1 == m_chords[last + 1].first &&
                   Touches(m_chords[last], m_chords[last + 1]))
                ++last;
            WarnSplitWord(i - 1, last);
            i = last;
        }
    }

    void WarnSlashChord(const ChordSpan& chord, const ChordSpan& after)
    {
        const std::string written(Text(Token(chord.first).offset, Token(after.last).End()));
        std::string text = "\"" + written + "\" is read as " + ChordText(chord) +
                           ", a beat slash and the chord " + ChordText(after);
        if (after.first == after.last)
            text += "; write " + ChordText(chord) + "on" + ChordText(after) + " for " +
                    ChordText(chord) + " over the bass note " + ChordText(after);
        Warn(Token(after.first).line, text);
    }

    void WarnSplitWord(std::size_t first, std::size_t last)
    {
        std::string chords;
        for (std::size_t i = first; i <= last; ++i)
            chords += (i == first  ? ""
                       : i == last ? " and "
                                   : ", ") +
                      RootUpper(ChordText(m_chords[i]));
        const std::string word(
            Text(Token(m_chords[first].first).offset, Token(m_chords[last].last).End()));
        Warn(Token(m_chords[first].first).line, "\"" + word + "\" is read as the " +
                                                    std::to_string(last - first + 1) + " chords " +
                                                    chords);
    }

    // Measures hold four chords or beat slashes; the measure after the last bar sign holds none.
    void CheckMeasures()
    {
        struct Item {
            std::string text;
            int line;
        };
        std::vector<Item> items;
        const auto listed = [&items](std::size_t from) {
            std::string text;
            for (std::size_t i = from; i < items.size(); ++i)
                text += (i == from ? "" : " ") + items[i].text;
            return text;
        };
        std::size_t chord = 0;
        for (std::size_t i = 0; i < m_tokens.size(); ++i) {
            if (m_tokens[i].block != Block::Chord)
                continue;
            const int code = Token(i).code;
            while (chord < m_chords.size() && m_chords[chord].first < i)
                ++chord;
            if (code == TOK_SLASH)
                items.push_back({"/", Token(i).line});
            else if (chord < m_chords.size() && m_chords[chord].first == i)
                items.push_back({ChordText(m_chords[chord]), Token(i).line});
            if (!IsBarSign(code))
                continue;
            if (items.size() > kMeasureItems)
                Warn(items[kMeasureItems].line,
                     std::to_string(items.size()) +
                         " chords and beat slashes in one measure: it holds four, so \"" +
                         listed(kMeasureItems) + "\" is left out");
            items.clear();
        }
        if (!items.empty())
            Warn(items.front().line, "\"" + listed(0) +
                                         "\" stands after the last bar sign and is left out: end "
                                         "the chords with a bar sign");
    }

    void CheckRepeats()
    {
        int open = 0;  // the line of a repeat begin waiting for its end
        for (const PlacedToken& placed : m_tokens) {
            if (placed.block != Block::Chord)
                continue;
            const int code = placed.token.code;
            const int line = placed.token.line;
            if ((code == TOK_REPEATEND || code == TOK_DOUBLEREPEAT) && !open)
                Warn(line, "a repeat end without a repeat begin before it repeats nothing");
            if (code == TOK_REPEATBEGIN && open)
                Warn(open, "a repeat begin without its repeat end repeats nothing");
            if (code == TOK_REPEATBEGIN || code == TOK_DOUBLEREPEAT)
                open = line;
            else if (code == TOK_REPEATEND)
                open = 0;
        }
        if (open)
            Warn(open, "a repeat begin without its repeat end repeats nothing");
    }

    void CheckProgression()
    {
        std::set<int> present;
        for (const CMMusicChordList* measure : m_song.measures)
            present.insert(measure->labelCode);
        // A theme made of sections is played through them.
        if (!m_song.structure.themeStructure.IsEmpty())
            present.insert(LabelTheme);
        std::set<int> named;
        for (const PlacedToken& placed : m_tokens) {
            if (placed.block != Block::Progression)
                continue;
            const int code = LabelOf(placed.token);
            if (code < 0 || present.count(code) || !named.insert(code).second)
                continue;
            Warn(placed.token.line, "the progression names the section " + SectionName(code) +
                                        ", which no chord block has");
        }
    }

    static int LabelOf(const CMSongToken& token)
    {
        switch (token.code) {
        case TOK_INTRO: return LabelIntro;
        case TOK_VERSE: return LabelVerse;
        case TOK_THEME: return LabelTheme;
        case TOK_SECONDTHEME: return LabelSecondTheme;
        case TOK_INTERLUDE: return LabelInterlude;
        case TOK_CODA: return LabelEnding;
        case TOK_LABEL: return LabelCodeOf(static_cast<char>(token.number));
        default: return -1;
        }
    }

    void CheckTimeBase()
    {
        for (std::size_t i = 0; i + 2 < m_tokens.size(); ++i) {
            if (m_tokens[i].block != Block::TimeBase || Token(i).code != TOK_NUMBER ||
                Token(i + 1).code != '/' || Token(i + 2).code != TOK_NUMBER)
                continue;
            const int beats = Token(i).number;
            const int unit = Token(i + 2).number;
            if (beats != 4 || unit != 4)
                Warn(Token(i).line, "the time base " + std::to_string(beats) + "/" +
                                        std::to_string(unit) +
                                        " is shown, but the trio plays every measure in 4/4");
        }
    }

    std::string_view m_text;
    const CMMusicSong& m_song;
    std::vector<PlacedToken> m_tokens;
    std::vector<ChordSpan> m_chords;
    std::vector<CMSongWarning> m_warnings;
};

}  // namespace

std::string CMSongWarning::Message() const
{
    return "warning: line " + std::to_string(line) + ": " + text;
}

std::vector<CMSongWarning> FindSongWarnings(const CMString& source, const CMMusicSong& song)
{
    const CMString escaped = CMFile::EscapeHex(source.View());
    try {
        return SongReader(escaped, song).Warnings();
    } catch (const CMChordLexFatal&) {
        return {};  // a song the scanner cannot read did not compile either
    }
}
