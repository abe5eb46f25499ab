// Reading links: percent decoding, the fields of a song, and the unscrambling of chord text.
#include "interchange/IRealLink.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

constexpr std::string_view kScrambledScheme = "irealb://";
constexpr std::string_view kClearScheme = "irealbook://";
constexpr std::string_view kChordMarker = "1r34LbKcu7";

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string PercentDecoded(std::string_view text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

// The character references an HTML attribute may hold around a link.
std::string HtmlUnescaped(std::string_view text)
{
    static const std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'},  {"&lt;", '<'},   {"&gt;", '>'},
        {"&quot;", '"'}, {"&#39;", '\''}, {"&apos;", '\''}};
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool replaced = false;
        for (const auto& [entity, character] : kEntities)
            if (text.substr(i, entity.size()) == entity) {
                plain += character;
                i += entity.size() - 1;
                replaced = true;
                break;
            }
        if (!replaced)
            plain += text[i];
    }
    return plain;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos;
         start = at + separator.size())
        parts.emplace_back(text.substr(start, at - start));
    parts.emplace_back(text.substr(start));
    return parts;
}

int WholeNumber(const std::string& text)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        }))
        return 0;
    return text.size() > 6 ? 0 : std::atoi(text.c_str());
}

// A key as the format writes it: a letter, a flat or sharp, and a minus for minor.
bool LooksLikeKey(const std::string& field)
{
    std::size_t i = 0;
    if (field.empty() || field[0] < 'A' || field[0] > 'G')
        return false;
    ++i;
    if (i < field.size() && (field[i] == 'b' || field[i] == '#'))
        ++i;
    if (i < field.size() && field[i] == '-')
        ++i;
    return i == field.size();
}

// A song of an "irealb://" link: title, composer, then style, key and perhaps a transposition in
// the fields before the chords (empty fields come and go), then accompaniment, tempo, repeats.
bool ReadScrambledSong(const std::vector<std::string>& fields, CMIRealSong& song)
{
    const auto chords = std::find_if(fields.begin(), fields.end(), [](const std::string& f) {
        return f.compare(0, kChordMarker.size(), kChordMarker) == 0;
    });
    if (chords == fields.end() || chords - fields.begin() < 2)
        return false;
    const std::size_t c = static_cast<std::size_t>(chords - fields.begin());
    song.title = fields[0];
    song.composer = fields[1];
    for (std::size_t i = 2; i < c; ++i)
        if (LooksLikeKey(fields[i]))
            song.key = fields[i];
    for (std::size_t i = 2; i < c; ++i)
        if (!fields[i].empty() && fields[i] != song.key && WholeNumber(fields[i]) == 0 &&
            song.style.empty())
            song.style = fields[i];
    song.chords = ClearIRealChords(std::string_view(*chords).substr(kChordMarker.size()));
    if (c + 2 < fields.size())
        song.tempo = WholeNumber(fields[c + 2]);
    if (c + 3 < fields.size())
        song.repeats = WholeNumber(fields[c + 3]);
    return true;
}

// A song of an "irealbook://" link: title, composer, style, key, a letter, and the chords.
bool ReadClearSong(const std::vector<std::string>& fields, CMIRealSong& song)
{
    if (fields.size() < 6)
        return false;
    song.title = fields[0];
    song.composer = fields[1];
    song.style = fields[2];
    song.key = fields[3];
    song.chords = fields[5];
    return true;
}

}  // namespace

std::vector<std::string> FindIRealLinks(std::string_view text)
{
    std::vector<std::string> links;
    std::size_t at = 0;
    while (true) {
        const std::size_t scrambled = text.find(kScrambledScheme, at);
        const std::size_t clear = text.find(kClearScheme, at);
        const std::size_t start = std::min(scrambled, clear);
        if (start == std::string_view::npos)
            break;
        std::size_t end = start;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
               text[end] != '"' && text[end] != '\'' && text[end] != '<' && text[end] != '>')
            ++end;
        links.push_back(HtmlUnescaped(text.substr(start, end - start)));
        at = end;
    }
    return links;
}

bool ReadIRealLink(std::string_view link, CMIRealPlaylist& playlist, std::string& error)
{
    playlist = {};
    const bool scrambled = link.substr(0, kScrambledScheme.size()) == kScrambledScheme;
    const bool clear = link.substr(0, kClearScheme.size()) == kClearScheme;
    if (!scrambled && !clear) {
        error = "it is not an irealb:// or irealbook:// link";
        return false;
    }
    const std::string body =
        PercentDecoded(link.substr(scrambled ? kScrambledScheme.size() : kClearScheme.size()));
    for (const std::string& part : Split(body, "===")) {
        const std::vector<std::string> fields = Split(part, "=");
        CMIRealSong song;
        if (scrambled ? ReadScrambledSong(fields, song) : ReadClearSong(fields, song))
            playlist.songs.push_back(std::move(song));
        else if (!part.empty())
            playlist.name = part;  // the playlist's name closes the link
    }
    if (playlist.songs.empty()) {
        error = "the link holds no song";
        return false;
    }
    return true;
}

std::string ClearIRealChords(std::string_view scrambled)
{
    std::string text;
    std::string rest(scrambled);
    while (rest.size() > 50) {
        std::string block = rest.substr(0, 50);
        rest.erase(0, 50);
        // A block is left as it is when fewer than two characters would follow it.
        if (rest.size() >= 2) {
            for (int i = 0; i < 5; ++i)
                std::swap(block[i], block[49 - i]);
            for (int i = 10; i < 24; ++i)
                std::swap(block[i], block[49 - i]);
        }
        text += block;
    }
    text += rest;
    // The short forms, outside comments.
    static const std::pair<std::string_view, std::string_view> kShortForms[] = {
        {"XyQ", " "}, {"Kcl", "| x"}, {"LZ", "|"}, {"K", "|"}, {"cl", "x"}};
    std::string clearText;
    bool inComment = false;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '<' || text[i] == '>')
            inComment = text[i] == '<';
        bool replaced = false;
        for (const auto& [shortForm, longForm] : kShortForms)
            if (!inComment && text.compare(i, shortForm.size(), shortForm) == 0) {
                clearText += longForm;
                i += shortForm.size();
                replaced = true;
                break;
            }
        if (!replaced)
            clearText += text[i++];
    }
    return clearText;
}
