// Writing the score: the header, then measure by measure its print and attribute lines, bar
// lines, section marks, chords, notes and lyrics.
#include "interchange/MusicXmlExport.h"

#include "interchange/ChordHarmony.h"
#include "interchange/MelodyLayout.h"
#include "interchange/XmlWriter.h"
#include "music/KeySignature.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kDoctype =
    "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
    "\"http://www.musicxml.org/dtds/partwise.dtd\">";
constexpr const char* kSteps[] = {"C", "D", "E", "F", "G", "A", "B"};
constexpr const char* kTypes[] = {"whole", "half", "quarter", "eighth",
                                  "16th",  "32nd", "64th",    "128th"};

std::string Number(int value)
{
    return std::to_string(value);
}

const char* AccidentalName(int alteration)
{
    switch (alteration) {
    case -2: return "flat-flat";
    case -1: return "flat";
    case 1: return "sharp";
    case 2: return "double-sharp";
    default: return "natural";
    }
}

struct EndingMark {
    int number = 0;  // 0: none
    const char* type = "";
};

// Something that stands at a point of a measure ahead of the note sounding there.
struct TimedItem {
    int start = 0;
    const CMMusicChord* chord = nullptr;  // a chord symbol, or else
    std::string words;                    // a lyric no note carries
};

class ScoreWriter {
public:
    ScoreWriter(const CMMusicSong& song, const CMMusicXmlOptions& options);
    CMMusicXmlExport Write();

private:
    std::uint8_t BarKindAt(std::size_t index) const
    {
        return index < m_measures.size() ? m_measures[index]->barKind : m_closingBarKind;
    }
    void ChooseMeter();
    void FindEndings();
    void Header();
    void PageLayout();
    void Credits(const std::string& title);
    void Measure(std::size_t index);
    void Attributes();
    void LeftBarline(std::size_t index);
    void RightBarline(std::size_t index);
    void SectionMarks(std::size_t index);
    std::vector<TimedItem> TimedItems(std::size_t index);
    void Content(std::size_t index);
    void Harmony(const CMMusicChord& chord, int offset);
    void Words(const std::string& text, int offset);
    void Note(const CMLaidNote& note);

    const CMMusicSong& m_song;
    const CMMusicXmlOptions& m_options;
    CMXmlWriter m_xml;
    CMKeyTransposition m_display;
    std::vector<const CMMusicChordList*> m_measures;  // the closing measure left out
    std::uint8_t m_closingBarKind = BarNone;
    int m_beats = 4;
    int m_beatType = 4;
    int m_length = 4 * kDivisionsPerQuarter;  // of a measure, in divisions
    std::vector<EndingMark> m_endingStarts;
    std::vector<EndingMark> m_endingStops;
    CMLaidMelody m_melody;
    CMMusicChord m_previousChord;  // letter 0: none yet
    std::vector<std::string> m_warnings;
};

ScoreWriter::ScoreWriter(const CMMusicSong& song, const CMMusicXmlOptions& options)
    : m_song(song), m_options(options), m_xml(kDoctype),
      m_display(DisplayKey(song, options.transposition))
{
    for (const auto* node = song.measures.GetHead(); node; node = node->next) {
        if (node->next)
            m_measures.push_back(node->element);
        else
            m_closingBarKind = node->element->barKind;
    }
    ChooseMeter();
    FindEndings();
    m_melody = LayMelody(song, m_display, static_cast<int>(m_measures.size()), m_length);
}

void ScoreWriter::ChooseMeter()
{
    m_song.GetFirstMeter(m_beats, m_beatType);
    const bool written = m_beats >= 1 && m_beats <= 64 &&
                         (m_beatType == 1 || m_beatType == 2 || m_beatType == 4 ||
                          m_beatType == 8 || m_beatType == 16 || m_beatType == 32);
    if (!written) {
        m_warnings.push_back("the time signature " + Number(m_beats) + "/" + Number(m_beatType) +
                             " cannot be written; the score is in 4/4");
        m_beats = m_beatType = 4;
    }
    m_length = m_beats * 4 * kDivisionsPerQuarter / m_beatType;
}

// The first ending runs from its sign to the repeat that closes it; the second starts after that
// repeat and runs as long as the first did, but not past a bar sign or a new section.
void ScoreWriter::FindEndings()
{
    const std::size_t count = m_measures.size();
    m_endingStarts.assign(count, {});
    m_endingStops.assign(count, {});
    bool firstOpen = false;
    std::size_t firstStart = 0;
    for (std::size_t i = 0; i <= count; ++i) {
        const std::uint8_t kind = BarKindAt(i);
        if (kind == BranchBar && i < count) {
            if (firstOpen && i > 0)
                m_endingStops[i - 1] = {1, "stop"};
            firstOpen = true;
            firstStart = i;
            m_endingStarts[i] = {1, "start"};
        } else if ((kind == RepeatEnd || kind == DoubleRepeat) && firstOpen && i > 0) {
            m_endingStops[i - 1] = {1, "stop"};
            const std::size_t length = i - firstStart;
            firstOpen = false;
            if (i == count)
                continue;
            std::size_t end = i + 1;
            while (end < count && end - i < length && BarKindAt(end) == BarNone &&
                   m_measures[end]->labelCode == m_measures[i]->labelCode)
                ++end;
            m_endingStarts[i] = {2, "start"};
            m_endingStops[end - 1] = {2, "discontinue"};
        }
    }
    if (firstOpen && count > 0)
        m_endingStops[count - 1] = {1, "stop"};
}

// A letter-size page in tenths of a staff space (7 mm to 40 tenths), so that the credits below
// stand where a reader that lays out pages by them puts its title block.
constexpr int kPageWidth = 1234;
constexpr int kPageHeight = 1597;
constexpr int kPageMargin = 114;  // half an inch

void ScoreWriter::PageLayout()
{
    m_xml.Open("defaults");
    m_xml.Open("scaling");
    m_xml.Leaf("millimeters", "7");
    m_xml.Leaf("tenths", "40");
    m_xml.Close();
    m_xml.Open("page-layout");
    m_xml.Leaf("page-height", std::to_string(kPageHeight));
    m_xml.Leaf("page-width", std::to_string(kPageWidth));
    m_xml.Open("page-margins", {{"type", "both"}});
    for (const char* side : {"left-margin", "right-margin", "top-margin", "bottom-margin"})
        m_xml.Leaf(side, std::to_string(kPageMargin));
    m_xml.Close();
    m_xml.Close();
    m_xml.Open("system-layout");  // room above the first system for the title block
    m_xml.Leaf("top-system-distance", "250");
    m_xml.Close();
    m_xml.Close();
}

// The title block as credits on the first page: readers that show credits show nothing of the
// work's title otherwise. Title and further title lines centred at the top, the composer at the
// right, the lyricist at the left.
void ScoreWriter::Credits(const std::string& title)
{
    const auto credit = [this](const char* type, const std::string& words, int x, int y,
                               const char* justify, int size) {
        m_xml.Open("credit", {{"page", "1"}});
        m_xml.Leaf("credit-type", type);
        m_xml.Leaf("credit-words", words,
                   {{"default-x", std::to_string(x)},
                    {"default-y", std::to_string(y)},
                    {"justify", justify},
                    {"valign", "top"},
                    {"font-size", std::to_string(size)}});
        m_xml.Close();
    };
    int y = kPageHeight - kPageMargin;
    credit("title", title, kPageWidth / 2, y, "center", 22);
    bool first = true;
    for (const CMString* line : m_song.title) {
        if (!std::exchange(first, false)) {
            y -= 50;
            credit("subtitle", line->Str(), kPageWidth / 2, y, "center", 14);
        }
    }
    y -= 40;
    if (!m_song.composer.IsEmpty())
        credit("composer", m_song.composer.Str(), kPageWidth - kPageMargin, y, "right", 10);
    if (!m_song.lyricist.IsEmpty())
        credit("lyricist", m_song.lyricist.Str(), kPageMargin, y, "left", 10);
}

void ScoreWriter::Header()
{
    m_xml.Open("work");
    const std::string title =
        m_song.title.IsEmpty() ? m_options.title : m_song.title.GetHead()->element->Str();
    m_xml.Leaf("work-title", title);
    m_xml.Close();
    m_xml.Open("identification");
    if (!m_song.composer.IsEmpty())
        m_xml.Leaf("creator", m_song.composer.Str(), {{"type", "composer"}});
    if (!m_song.lyricist.IsEmpty())
        m_xml.Leaf("creator", m_song.lyricist.Str(), {{"type", "lyricist"}});
    m_xml.Open("encoding");
    m_xml.Leaf("software", "Zimbrel");
    m_xml.Close();
    m_xml.Close();
    PageLayout();
    Credits(title);
    m_xml.Open("part-list");
    m_xml.Open("score-part", {{"id", "P1"}});
    m_xml.Leaf("part-name", m_options.partName);
    m_xml.Close();
    m_xml.Close();
}

void ScoreWriter::Attributes()
{
    m_xml.Open("attributes");
    m_xml.Leaf("divisions", kDivisionsPerQuarter);
    m_xml.Open("key");
    m_xml.Leaf("fifths", KeySignatureAccidentals(m_display.key));
    m_xml.Leaf("mode", m_display.key.kind == KindMinor ? "minor" : "major");
    m_xml.Close();
    if (m_beats == 4 && m_beatType == 4)
        m_xml.Open("time", {{"symbol", "common"}});
    else
        m_xml.Open("time");
    m_xml.Leaf("beats", m_beats);
    m_xml.Leaf("beat-type", m_beatType);
    m_xml.Close();
    m_xml.Open("clef");
    m_xml.Leaf("sign", "G");
    m_xml.Leaf("line", 2);
    m_xml.Close();
    if (!m_display.interval.IsUnison()) {
        // What a reader adds to the written pitch to hear the concert pitch.
        const int octaves = m_display.interval.semitones / 12;
        m_xml.Open("transpose");
        m_xml.Leaf("diatonic", -(m_display.interval.letters - 7 * octaves));
        m_xml.Leaf("chromatic", -(m_display.interval.semitones - 12 * octaves));
        if (octaves != 0)
            m_xml.Leaf("octave-change", -octaves);
        m_xml.Close();
    }
    m_xml.Close();
}

void ScoreWriter::LeftBarline(std::size_t index)
{
    const std::uint8_t kind = BarKindAt(index);
    const bool repeat = kind == RepeatBegin || kind == DoubleRepeat;
    const EndingMark ending = m_endingStarts[index];
    if (!repeat && ending.number == 0)
        return;
    m_xml.Open("barline", {{"location", "left"}});
    if (repeat)
        m_xml.Leaf("bar-style", "heavy-light");
    if (ending.number != 0)
        m_xml.Leaf("ending", Number(ending.number) + ".",
                   {{"number", Number(ending.number)}, {"type", ending.type}});
    if (repeat)
        m_xml.Empty("repeat", {{"direction", "forward"}});
    m_xml.Close();
}

void ScoreWriter::RightBarline(std::size_t index)
{
    const std::uint8_t next = BarKindAt(index + 1);
    const char* style = next == DoubleBar ? "light-light"
                        : next == FineBar || next == RepeatEnd || next == DoubleRepeat
                            ? "light-heavy"
                            : nullptr;
    const bool repeat = next == RepeatEnd || next == DoubleRepeat;
    const EndingMark ending = m_endingStops[index];
    if (next == CodaBar) {
        m_xml.Open("direction", {{"placement", "above"}});
        m_xml.Open("direction-type");
        m_xml.Leaf("words", "To Coda");
        m_xml.Close();
        m_xml.Open("direction-type");
        m_xml.Empty("coda");
        m_xml.Close();
        m_xml.Empty("sound", {{"tocoda", "coda"}});
        m_xml.Close();
    }
    if (!style && ending.number == 0)
        return;
    m_xml.Open("barline", {{"location", "right"}});
    if (style)
        m_xml.Leaf("bar-style", style);
    if (ending.number != 0)
        m_xml.Empty("ending", {{"number", Number(ending.number)}, {"type", ending.type}});
    if (repeat)
        m_xml.Empty("repeat", {{"direction", "backward"}});
    m_xml.Close();
}

void ScoreWriter::SectionMarks(std::size_t index)
{
    const int label = m_measures[index]->labelCode;
    const bool newSection = index == 0 || m_measures[index - 1]->labelCode != label;
    if (newSection) {
        std::string text = SectionMarkText(label);
        if (text.empty() && IsDigitLabel(label))
            text = std::string(1, static_cast<char>(label + 7));
        m_xml.Open("direction", {{"placement", "above"}});
        m_xml.Open("direction-type");
        m_xml.Leaf(
            "rehearsal", text,
            {{"enclosure", IsLetterLabel(label) || IsDigitLabel(label) ? "square" : "none"}});
        m_xml.Close();
        m_xml.Close();
    }
    if (index == 0 && m_options.tempo > 0) {
        m_xml.Open("direction", {{"placement", "above"}});
        if (const char* style = TempoStyleName(m_song.style)) {
            m_xml.Open("direction-type");
            m_xml.Leaf("words", style);
            m_xml.Close();
        }
        m_xml.Open("direction-type");
        m_xml.Open("metronome");
        m_xml.Leaf("beat-unit", "quarter");
        m_xml.Leaf("per-minute", m_options.tempo);
        m_xml.Close();
        m_xml.Close();
        m_xml.Empty("sound", {{"tempo", Number(m_options.tempo)}});
        m_xml.Close();
    }
    // The coda a jump leads to begins with the sign the jump names.
    if (newSection && label == LabelEnding && m_song.GetCodaLabel() >= 0) {
        m_xml.Open("direction", {{"placement", "above"}});
        m_xml.Open("direction-type");
        m_xml.Empty("coda");
        m_xml.Close();
        m_xml.Empty("sound", {{"coda", "coda"}});
        m_xml.Close();
    }
}

// The chords of the measure at their beats, and the lyrics no note carries. A chord that repeats
// the one before is written again only at the start of a line of four measures, as on the chart.
std::vector<TimedItem> ScoreWriter::TimedItems(std::size_t index)
{
    std::vector<TimedItem> items;
    int beat = 0;
    const int lastBeat = std::max(m_length / kDivisionsPerQuarter - 1, 0);
    for (const CMMusicChord* item : *m_measures[index]) {
        CMMusicChord chord(*item);
        m_display.interval.Apply(chord);
        const bool lineStart = beat == 0 && index % 4 == 0;
        if (chord != m_previousChord || lineStart) {
            if (beat > lastBeat)
                m_warnings.push_back("measure " + Number(static_cast<int>(index) + 1) +
                                     ": a chord on beat " + Number(beat + 1) +
                                     " lies past the end of the measure; it stands on beat " +
                                     Number(lastBeat + 1));
            items.push_back({std::min(beat, lastBeat) * kDivisionsPerQuarter, item, {}});
        }
        m_previousChord = chord;
        beat += BeatsOf(item->length);
    }
    for (const CMLooseLyric& lyric : m_melody.looseLyrics)
        if (lyric.measure == static_cast<int>(index))
            items.push_back({std::min(lyric.start, m_length - 1), nullptr, lyric.text});
    std::stable_sort(items.begin(), items.end(),
                     [](const TimedItem& a, const TimedItem& b) { return a.start < b.start; });
    return items;
}

void ScoreWriter::Harmony(const CMMusicChord& written, int offset)
{
    CMMusicChord chord(written);
    m_display.interval.Apply(chord);
    const CMHarmony harmony = HarmonyOf(chord);
    if (chord.parenthesized)
        m_xml.Open("harmony", {{"type", "alternate"}, {"print-frame", "no"}});
    else
        m_xml.Open("harmony", {{"print-frame", "no"}});
    m_xml.Open("root");
    m_xml.Leaf("root-step", kSteps[chord.letter - LetterC]);
    if (const int alter = AlterationOf(chord.accidental); alter != 0)
        m_xml.Leaf("root-alter", alter);
    m_xml.Close();
    m_xml.Leaf("kind", harmony.kind, {{"text", harmony.text}});
    if (chord.HasBass() && chord.bass.IsPitch()) {
        m_xml.Open("bass");
        m_xml.Leaf("bass-step", kSteps[chord.bass.letter - LetterC]);
        if (const int alter = AlterationOf(chord.bass.accidental); alter != 0)
            m_xml.Leaf("bass-alter", alter);
        m_xml.Close();
    }
    for (const CMHarmonyDegree& degree : harmony.degrees) {
        if (degree.shown)
            m_xml.Open("degree");
        else
            m_xml.Open("degree", {{"print-object", "no"}});
        m_xml.Leaf("degree-value", degree.value);
        m_xml.Leaf("degree-alter", degree.alter);
        m_xml.Leaf("degree-type", degree.add ? "add" : "alter");
        m_xml.Close();
    }
    if (offset > 0)
        m_xml.Leaf("offset", offset);
    m_xml.Close();
}

void ScoreWriter::Words(const std::string& text, int offset)
{
    m_xml.Open("direction", {{"placement", "below"}});
    m_xml.Open("direction-type");
    m_xml.Leaf("words", text);
    m_xml.Close();
    if (offset > 0)
        m_xml.Leaf("offset", offset);
    m_xml.Close();
}

void ScoreWriter::Note(const CMLaidNote& note)
{
    m_xml.Open("note");
    if (note.rest) {
        m_xml.Empty("rest");
    } else {
        m_xml.Open("pitch");
        m_xml.Leaf("step", kSteps[note.letter]);
        if (note.alteration != 0)
            m_xml.Leaf("alter", note.alteration);
        m_xml.Leaf("octave", note.octave);
        m_xml.Close();
    }
    m_xml.Leaf("duration", note.duration);
    if (note.tieStop)
        m_xml.Empty("tie", {{"type", "stop"}});
    if (note.tieStart)
        m_xml.Empty("tie", {{"type", "start"}});
    m_xml.Leaf("voice", 1);
    m_xml.Leaf("type", kTypes[note.value]);
    for (int k = 0; k < note.dots; ++k)
        m_xml.Empty("dot");
    if (note.accidental)
        m_xml.Leaf("accidental", AccidentalName(note.alteration));
    if (note.triplet) {
        m_xml.Open("time-modification");
        m_xml.Leaf("actual-notes", 3);
        m_xml.Leaf("normal-notes", 2);
        m_xml.Close();
    }
    if (note.tieStop || note.tieStart || note.tupletStart || note.tupletStop) {
        m_xml.Open("notations");
        if (note.tieStop)
            m_xml.Empty("tied", {{"type", "stop"}});
        if (note.tieStart)
            m_xml.Empty("tied", {{"type", "start"}});
        if (note.tupletStart)
            m_xml.Empty("tuplet", {{"type", "start"}, {"bracket", "yes"}});
        if (note.tupletStop)
            m_xml.Empty("tuplet", {{"type", "stop"}});
        m_xml.Close();
    }
    if (!note.lyric.empty()) {
        m_xml.Open("lyric", {{"number", "1"}});
        m_xml.Leaf("syllabic", note.syllabic);
        m_xml.Leaf("text", note.lyric);
        m_xml.Close();
    }
    m_xml.Close();
}

// The notes, each after the chords and words that stand at a point it sounds through; a measure
// without melody is one measure rest under its chords.
void ScoreWriter::Content(std::size_t index)
{
    const std::vector<TimedItem> items = TimedItems(index);
    std::size_t next = 0;
    const auto itemsUntil = [&](int start, int end) {
        for (; next < items.size() && items[next].start < end; ++next) {
            const TimedItem& item = items[next];
            if (item.chord)
                Harmony(*item.chord, item.start - start);
            else
                Words(item.words, item.start - start);
        }
    };
    const std::vector<CMLaidNote>& notes = m_melody.measures[index];
    if (notes.empty()) {
        itemsUntil(0, m_length);
        m_xml.Open("note");
        m_xml.Empty("rest", {{"measure", "yes"}});
        m_xml.Leaf("duration", m_length);
        m_xml.Leaf("voice", 1);
        m_xml.Close();
        return;
    }
    for (const CMLaidNote& note : notes) {
        itemsUntil(note.start, note.start + note.duration);
        Note(note);
    }
}

void ScoreWriter::Measure(std::size_t index)
{
    m_xml.Open("measure", {{"number", Number(static_cast<int>(index) + 1)}});
    if (index > 0 && index % 4 == 0)
        m_xml.Empty("print", {{"new-system", "yes"}});
    if (index == 0)
        Attributes();
    LeftBarline(index);
    SectionMarks(index);
    Content(index);
    RightBarline(index);
    m_xml.Close();
}

CMMusicXmlExport ScoreWriter::Write()
{
    m_xml.Open("score-partwise", {{"version", "4.0"}});
    Header();
    m_xml.Open("part", {{"id", "P1"}});
    for (std::size_t i = 0; i < m_measures.size(); ++i)
        Measure(i);
    m_xml.Close();
    m_xml.Close();
    CMMusicXmlExport result{m_xml.Text(), std::move(m_warnings)};
    result.warnings.insert(result.warnings.end(), m_melody.warnings.begin(),
                           m_melody.warnings.end());
    return result;
}

}  // namespace

CMMusicXmlExport ExportMusicXml(const CMMusicSong& song, const CMMusicXmlOptions& options)
{
    return ScoreWriter(song, options).Write();
}
