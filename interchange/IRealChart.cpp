// Reading the chord text: a measure opens at a bar line and holds the chords, slashes and marks
// up to the next; then measure repeats are written out, sections named, the coda signs paired
// and the bar lines turned into the song language's bar signs.
#include "interchange/IRealChart.h"

#include "interchange/IRealChord.h"
#include "interchange/Utf8Text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

namespace {

struct ChartMeasure {
    std::string front;               // the bar characters before it: "|", "{", "}[" ...
    std::vector<std::string> items;  // chords in the song language, "/" for a held chord
    char repeat = 0;                 // 'x' the measure before, 'r' the two before
    char section = 0;                // 'A'-'Z', 'i' intro, 'V' verse; 0 none
    int ending = 0;                  // N1, N2 ...
    int codaSigns = 0;
    std::vector<std::string> comments;
};

std::string MeasureText(std::size_t index)
{
    return "measure " + std::to_string(index + 1) + ": ";
}

bool IsRootLetter(char c)
{
    return c >= 'A' && c <= 'G';
}

// Reads the chord text into measures.
class ChartReader {
public:
    ChartReader(const std::string& text, std::vector<std::string>& warnings)
        : m_text(text), m_warnings(warnings)
    {
    }
    void Read();

    std::vector<ChartMeasure> measures;
    std::string closingBars;       // the bar characters after the last measure
    std::string meter;             // the first time signature, "44" ...
    std::string lastChordQuality;  // for an invisible root ("W/C"): the chord before's
    std::string lastChordRoot;

private:
    void Warn(const std::string& message)
    {
        m_warnings.push_back(MeasureText(measures.size()) + message);
    }
    void StartMeasure()
    {
        if (!m_started) {
            m_current.front = std::exchange(m_bars, "");
            m_started = true;
        }
    }
    void Bar(char c);
    bool Mark();
    void TimeSignature();
    std::string Enclosed(char close);
    void Chord();
    std::string Word(const char* characters);

    const std::string& m_text;
    std::vector<std::string>& m_warnings;
    std::size_t m_at = 0;
    ChartMeasure m_current;
    std::string m_bars;
    bool m_opened = true;  // the text starts as after a bar line
    bool m_started = false;
};

std::string ChartReader::Word(const char* characters)
{
    const std::size_t start = m_at;
    while (m_at < m_text.size() && std::strchr(characters, m_text[m_at]) && m_text[m_at] != 0)
        ++m_at;
    return m_text.substr(start, m_at - start);
}

void ChartReader::Bar(char c)
{
    // A measure of nothing but space counts when a bar line closes it, not when the next one
    // opens straight after it.
    const bool empty = m_current.items.empty() && m_current.repeat == 0;
    if (m_started && !(empty && (c == '[' || c == '{'))) {
        measures.push_back(std::move(m_current));
        m_current = {};
    }
    m_started = false;
    m_bars += c;
    m_opened = c == '|' || c == '[' || c == '{';
}

// "T" and two digits: the song's time signature, which may not change.
void ChartReader::TimeSignature()
{
    const std::string digits = m_text.substr(m_at + 1, 2);
    m_at += 1 + digits.size();
    if (digits.size() != 2 || !std::isdigit(static_cast<unsigned char>(digits[1])) ||
        digits[1] == '0') {
        Warn("the time signature T" + digits + " is not understood and left out");
        return;
    }
    if (meter.empty())
        meter = digits;
    else if (digits != meter)
        Warn("a change of time signature (T" + digits + ") is left out: a song keeps one");
}

// The text from after the opening character up to `close` (or the end), which is passed.
std::string ChartReader::Enclosed(char close)
{
    const std::size_t end = m_text.find(close, m_at);
    const std::size_t stop = end == std::string::npos ? m_text.size() : end;
    std::string inside = m_text.substr(m_at + 1, stop - m_at - 1);
    m_at = end == std::string::npos ? stop : end + 1;
    return inside;
}

// Why a mark the song language cannot write is left out.
const char* LeftOutMark(char c)
{
    if (c == 'S')
        return "the segno is left out: the song language has none";
    return c == 'f' ? "the fermata is left out" : "the end mark is left out";
}

// The marks that are neither bar lines nor chords; false for anything else.
bool ChartReader::Mark()
{
    const char c = m_text[m_at];
    const char next = m_at + 1 < m_text.size() ? m_text[m_at + 1] : 0;
    if (c == '*' && next) {
        m_current.section = next;
        m_at += 2;
    } else if (c == 'T' && std::isdigit(static_cast<unsigned char>(next))) {
        TimeSignature();
    } else if (c == 'N' && std::isdigit(static_cast<unsigned char>(next))) {
        m_current.ending = next - '0';
        m_at += 2;
    } else if (c == '<') {
        m_current.comments.push_back(Enclosed('>'));
    } else if (c == 'Q') {
        ++m_current.codaSigns;
        ++m_at;
    } else if (c == 'S' || c == 'f' || c == 'U') {
        Warn(LeftOutMark(c));
        ++m_at;
    } else if (c == '(') {
        Warn("the alternate chord (" + Enclosed(')') + ") is left out");
    } else if (c == 'Y' || c == 's' || c == 'l' || c == ')') {
        ++m_at;  // space between lines and chord sizes: only the look of the chart
    } else {
        return false;
    }
    return true;
}

// A chord, or an invisible root ("W/C": the chord before over another bass).
void ChartReader::Chord()
{
    const bool invisible = m_text[m_at] == 'W';
    std::string root(1, m_text[m_at++]);
    if (!invisible && m_at < m_text.size() && (m_text[m_at] == 'b' || m_text[m_at] == '#'))
        root += m_text[m_at++];
    std::string quality = Word("^-+ohsualtd0123456789b#");
    std::string bass;
    if (m_at + 1 < m_text.size() && m_text[m_at] == '/' && IsRootLetter(m_text[m_at + 1])) {
        bass = m_text.substr(++m_at, 1);
        if (++m_at < m_text.size() && (m_text[m_at] == 'b' || m_text[m_at] == '#'))
            bass += m_text[m_at++];
    }
    if (invisible) {
        if (lastChordRoot.empty()) {
            Warn("a bass note without a chord before it is left out");
            return;
        }
        root = lastChordRoot;
        quality = lastChordQuality;
    }
    lastChordRoot = root;
    lastChordQuality = quality;
    const CMTranslatedChord chord = TranslateIRealChord(root, quality, bass);
    if (!chord.lost.empty())
        Warn(root + quality + (bass.empty() ? "" : "/" + bass) + " is written " + chord.text +
             ": the song language has no " + chord.lost);
    m_current.items.push_back(chord.text);
}

void ChartReader::Read()
{
    while (m_at < m_text.size()) {
        const char c = m_text[m_at];
        if (c != 0 && std::strchr("|[]{}Z", c)) {
            Bar(c);
            ++m_at;
        } else if (c == ' ' || c == ',') {
            if (m_opened)
                StartMeasure();
            ++m_at;
        } else if (Mark()) {
        } else if (IsRootLetter(c) || c == 'W') {
            StartMeasure();
            Chord();
        } else if (c == 'p' || c == 'x' || c == 'r' || c == 'n') {
            StartMeasure();
            if (c == 'p')
                m_current.items.push_back("/");
            else if (c == 'n')
                Warn("N.C. is left out: the band plays on");
            else
                m_current.repeat = c;
            ++m_at;
        } else {
            Warn(std::string("'") + c + "' is not understood and left out");
            ++m_at;
        }
    }
    if (m_started)
        measures.push_back(std::move(m_current));
    closingBars = m_bars;
}

// Measure repeats written out: "x" the measure before, "r" the two before (the second in the
// empty measure after it).
void WriteOutRepeats(std::vector<ChartMeasure>& measures, std::vector<std::string>& warnings)
{
    for (std::size_t i = 0; i < measures.size(); ++i) {
        ChartMeasure& measure = measures[i];
        const std::size_t back = measure.repeat == 'r' ? 2 : 1;
        if (measure.repeat == 0)
            continue;
        if (i < back) {
            warnings.push_back(MeasureText(i) +
                               "a measure repeat with nothing before it is left out");
            continue;
        }
        measure.items = measures[i - back].items;
        if (back == 2 && i + 1 < measures.size() && measures[i + 1].items.empty() &&
            measures[i + 1].repeat == 0)
            measures[i + 1].items = measures[i - 1].items;
    }
}

// The song language knows one first ending and the second after its repeat; a measure holds up
// to four chords.
void CheckMeasures(std::vector<ChartMeasure>& measures, std::vector<std::string>& warnings)
{
    for (std::size_t i = 0; i < measures.size(); ++i) {
        ChartMeasure& measure = measures[i];
        if (measure.ending > 2)
            warnings.push_back(MeasureText(i) + "ending " + std::to_string(measure.ending) +
                               " is left out: a song has a first and a second ending");
        // A held chord takes a beat: a measure written with them has its four.
        if (std::find(measure.items.begin(), measure.items.end(), "/") != measure.items.end() &&
            measure.items.size() < 4)
            measure.items.resize(4, "/");
        if (measure.items.size() > 4) {
            warnings.push_back(MeasureText(i) + std::to_string(measure.items.size()) +
                               " chords: a measure holds four; the last are left out");
            measure.items.resize(4);
        }
        for (const std::string& comment : measure.comments)
            warnings.push_back(MeasureText(i) + "the comment <" + comment +
                               "> is kept as a comment of the source; the trio does not read it");
    }
}

// The first letter no section uses, 0 when all are taken.
char UnusedLetter(const std::set<char>& used)
{
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (!used.count(letter))
            return letter;
    return 0;
}

// A lettered section that comes again at measure `i` takes the letter `renamed` (0 when none
// is left: it then belongs to the section before).
char RenamedSection(char section, char renamed, std::size_t i, std::vector<std::string>& warnings)
{
    warnings.push_back(MeasureText(i) + "section " + section + " comes again: named " +
                       (renamed ? std::string(1, renamed) : "after the section before") +
                       ", as each lettered section is one run of measures");
    return renamed;
}

// The label for a section mark at measure `i`; empty, with a warning, for a mark not understood.
std::string SectionLabel(char section, std::size_t i, std::vector<std::string>& warnings)
{
    if (section == 'i')
        return "intro:";
    if (section == 'V')
        return "verse:";
    if (std::isupper(static_cast<unsigned char>(section)))
        return std::string("label") + section + ":";
    warnings.push_back(MeasureText(i) + "the section mark *" + section +
                       " is not understood and left out");
    return "";
}

// The label written before each measure (empty for none): sections by their marks, a letter
// that comes back after another section renamed (each lettered section is one run of measures
// for the trio), the measures before the first letter given one when there are letters, and
// the coda from its sign.
std::vector<std::string> SectionLabels(std::vector<ChartMeasure>& measures, std::size_t codaStart,
                                       std::vector<std::string>& warnings)
{
    std::set<char> used;
    for (const ChartMeasure& measure : measures)
        if (std::isupper(static_cast<unsigned char>(measure.section)))
            used.insert(measure.section);
    std::vector<std::string> labels(measures.size());
    std::set<char> seen;
    char current = 0;
    for (std::size_t i = 0; i < measures.size(); ++i) {
        char section = measures[i].section;
        if (i == codaStart) {
            labels[i] = "coda:";
            current = 'c';
            continue;
        }
        if (section == 0 && i == 0 && !used.empty())
            section = UnusedLetter(used);
        if (section == 0 || section == current)
            continue;
        if (std::isupper(static_cast<unsigned char>(section)) && seen.count(section))
            section = RenamedSection(section, UnusedLetter(used), i, warnings);
        if (section == 0)
            continue;
        used.insert(section);
        seen.insert(section);
        current = section;
        labels[i] = SectionLabel(section, i, warnings);
    }
    return labels;
}

// The song language's bar sign for the bar characters between two measures.
std::string BarSign(const std::string& bars)
{
    const bool end = bars.find('}') != std::string::npos;
    const bool begin = bars.find('{') != std::string::npos;
    if (end && begin)
        return ":| |:";
    if (end)
        return ":|";
    if (begin)
        return "|:";
    if (bars.find('Z') != std::string::npos)
        return "|||";
    if (bars.find_first_of("[]") != std::string::npos)
        return "||";
    return "|";
}

// A text that goes into the source between quotes or braces: the characters that would end it
// and control characters become blanks, and "/*", which would open a comment, is parted.
std::string SourceText(const std::string& bytes, const char* replaced)
{
    // Valid UTF-8, so that the compiler reads no byte of it as half of a double-byte character.
    std::string text = AsUtf8(bytes);
    for (char& c : text)
        if ((c != 0 && std::strchr(replaced, c)) || static_cast<unsigned char>(c) < 0x20 ||
            c == 0x7F)
            c = ' ';
    for (std::size_t at; (at = text.find("/*")) != std::string::npos;)
        text.replace(at, 2, "/ *");
    return text;
}

// A text for a /* comment */: without control characters, and "*/" parted.
std::string CommentText(const std::string& comment)
{
    std::string text = SourceText(comment, "");
    for (std::size_t at; (at = text.find("*/")) != std::string::npos;)
        text.replace(at, 2, "* /");
    return text;
}

// The title as a reader says it: "Song, The" is "The Song".
std::string ReadableTitle(const std::string& title)
{
    for (const char* article : {"The", "A", "An"}) {
        const std::string suffix = std::string(", ") + article;
        if (title.size() > suffix.size() &&
            title.compare(title.size() - suffix.size(), suffix.size(), suffix) == 0)
            return article + std::string(" ") + title.substr(0, title.size() - suffix.size());
    }
    return title;
}

// "Last First" as "First Last" for a name of two words; others as written.
std::string ReadableComposer(const std::string& composer)
{
    const std::size_t space = composer.find(' ');
    if (space == std::string::npos || composer.find(' ', space + 1) != std::string::npos)
        return composer;
    return composer.substr(space + 1) + " " + composer.substr(0, space);
}

// The song language's tempo style for the link's style, by its words or else by its tempo.
std::string TempoStyle(const CMIRealSong& song, std::vector<std::string>& warnings)
{
    std::string style = song.style;
    std::transform(style.begin(), style.end(), style.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto has = [&style](const char* word) { return style.find(word) != std::string::npos; };
    if (has("ballad"))
        return "ballad";
    if (has("medium up") || has("med up"))
        return "mediumfast";
    if (has("slow"))
        return "mediumslow";
    if (has("medium"))
        return "medium";
    if (has("up tempo") || has("fast") || has("up"))
        return "fast";
    if (song.tempo > 0) {
        // The tempo presets' defaults: 60, 100, 140, 180, 240, 300.
        static const std::pair<int, const char*> kPresets[] = {{60, "ballad"},  {100, "mediumslow"},
                                                               {140, "medium"}, {180, "mediumfast"},
                                                               {240, "fast"},   {300, "veryfast"}};
        const auto nearest = std::min_element(
            std::begin(kPresets), std::end(kPresets), [&song](const auto& a, const auto& b) {
                return std::abs(a.first - song.tempo) < std::abs(b.first - song.tempo);
            });
        return nearest->second;
    }
    if (!song.style.empty())
        warnings.push_back("the style '" + song.style + "' names no tempo: medium is taken");
    return "medium";
}

// "C", "Eb", "A-" as the key block writes them.
std::string KeyText(const std::string& key, std::vector<std::string>& warnings)
{
    if (key.empty())
        return "";
    std::size_t end = IsRootLetter(key[0]) ? 1 : 0;
    if (end == 1 && end < key.size() && (key[end] == 'b' || key[end] == '#'))
        ++end;
    if (end > 0 && end < key.size() && key[end] == '-')
        ++end;
    if (end == 0 || end != key.size()) {
        warnings.push_back("the key '" + key + "' is not understood and left out");
        return "";
    }
    std::string text = key;
    if (text.back() == '-')
        text.back() = 'm';
    return text;
}

// The time base for the first time signature; the trio plays 4/4 only.
std::string MeterText(const std::string& meter, std::vector<std::string>& warnings)
{
    if (meter.empty() || meter == "44")
        return "4/4";
    std::string text = meter == "12" ? "12/8" : meter.substr(0, 1) + "/" + meter.substr(1);
    warnings.push_back("the time signature " + text +
                       " is shown on the chart, but the trio plays every measure in 4/4");
    return text;
}

// Where the coda's two signs are: the jump after measure `jumpAfter`, the coda from
// `codaStart`; both past the last measure when there is no coda.
struct CodaPlaces {
    std::size_t jumpAfter;
    std::size_t codaStart;
};

// The first coda sign is the jump after its measure, the second opens the coda.
CodaPlaces FindCoda(const std::vector<ChartMeasure>& measures, std::vector<std::string>& warnings)
{
    std::vector<std::size_t> codaSigns;
    for (std::size_t i = 0; i < measures.size(); ++i)
        for (int k = 0; k < measures[i].codaSigns; ++k)
            codaSigns.push_back(i);
    CodaPlaces places{measures.size(), measures.size()};
    if (codaSigns.size() == 1)
        warnings.push_back(MeasureText(codaSigns[0]) + "a coda sign without its pair is left out");
    else if (codaSigns.size() >= 2) {
        places = {codaSigns[0], codaSigns[1]};
        if (codaSigns.size() > 2)
            warnings.push_back(MeasureText(codaSigns[2]) +
                               "a third coda sign is left out: a song has one coda");
    }
    return places;
}

// The source up to the chords: the comment saying where it came from, the title, the tempo, the
// composer, the key and the time base.
std::string SourceHeading(const CMIRealSong& song, const CMImportedSong& imported,
                          const std::string& playlist, const std::string& meter,
                          std::vector<std::string>& warnings)
{
    std::string source = "/* " +
                         CommentText(playlist.empty() ? "Imported from an iReal link"
                                                      : "Imported from the playlist " + playlist) +
                         " */\n";
    source += "title { " + SourceText(imported.title, "{}") + " }\n";
    source += "misc { style = " + TempoStyle(song, warnings) + ";";
    if (song.tempo > 0)
        source += " tempo = " + std::to_string(song.tempo) + ";";
    if (song.repeats > 0)
        source += " repeat = " + std::to_string(song.repeats) + ";";
    if (!imported.composer.empty())
        source += " composed by = \"" + SourceText(imported.composer, "\"") + "\";";
    source += " }\n";
    if (const std::string key = KeyText(song.key, warnings); !key.empty())
        source += "key { " + key + " }\n";
    source += "time base { " + MeterText(meter, warnings) + " }\n";
    return source;
}

// The bar sign before measure `i`: the coda jump and the first ending take the place of a plain
// bar line; the first measure has none unless it opens a repeat.
std::string MeasureSign(const ChartMeasure& measure, std::size_t i, std::size_t jumpAfter,
                        std::vector<std::string>& warnings)
{
    std::string sign = BarSign(measure.front);
    if (i > 0 && i == jumpAfter + 1) {
        if (sign == "|" || sign == "||")
            sign = "@";
        else
            warnings.push_back(MeasureText(i) + "the coda jump shares its bar line with a "
                                                "repeat sign and is left out");
    }
    if (measure.ending == 1) {
        if (sign == "|" || sign == "||")
            sign = "!";
        else
            warnings.push_back(MeasureText(i) + "the first ending starts at a repeat sign "
                                                "and is left out");
    }
    if (i == 0 && sign != "|:")
        sign.clear();
    return sign;
}

// The measures of the chord block, four to a line and a new line at each label.
void AppendMeasures(std::string& source, const std::vector<ChartMeasure>& measures,
                    const std::vector<std::string>& labels, std::size_t jumpAfter,
                    std::vector<std::string>& warnings)
{
    for (std::size_t i = 0; i < measures.size(); ++i) {
        const ChartMeasure& measure = measures[i];
        const std::string sign = MeasureSign(measure, i, jumpAfter, warnings);
        if (i > 0 && (i % 4 == 0 || !labels[i].empty()))
            source += "\n ";
        if (!sign.empty())
            source += " " + sign;
        if (!labels[i].empty())
            source += " " + labels[i];
        for (const std::string& comment : measure.comments)
            source += " /* " + CommentText(comment) + " */";
        for (const std::string& item : measure.items)
            source += " " + item;
    }
}

// Warnings of the song first, then by measure.
void SortByMeasure(std::vector<std::string>& warnings)
{
    const auto measureOf = [](const std::string& warning) {
        return warning.rfind("measure ", 0) == 0 ? std::atoi(warning.c_str() + 8) : 0;
    };
    std::stable_sort(
        warnings.begin(), warnings.end(),
        [&](const std::string& a, const std::string& b) { return measureOf(a) < measureOf(b); });
}

}  // namespace

CMImportedSong ImportIRealSong(const CMIRealSong& song, const std::string& playlist)
{
    CMImportedSong imported;
    imported.title = ReadableTitle(SourceText(song.title, "{}"));
    imported.composer = ReadableComposer(song.composer);
    std::vector<std::string>& warnings = imported.warnings;

    ChartReader reader(song.chords, warnings);
    reader.Read();
    std::vector<ChartMeasure>& measures = reader.measures;
    WriteOutRepeats(measures, warnings);
    CheckMeasures(measures, warnings);
    const CodaPlaces coda = FindCoda(measures, warnings);
    const std::vector<std::string> labels = SectionLabels(measures, coda.codaStart, warnings);

    std::string source = SourceHeading(song, imported, playlist, reader.meter, warnings);
    source += "chord {\n ";
    AppendMeasures(source, measures, labels, coda.jumpAfter, warnings);
    // Chords after the last bar sign would be dropped: a song always ends with one.
    const std::string closing = reader.closingBars.empty() ? "|" : BarSign(reader.closingBars);
    source += " " + (coda.jumpAfter + 1 == measures.size() ? std::string("@") : closing) + "\n}\n";
    imported.source = source;
    SortByMeasure(warnings);
    return imported;
}
