// CMChordYacc: the actions of the song grammar and the error reporting of a parse.
#include "music/CMChordYacc.h"

#include "music/ChordYacc.hpp"

#include <new>

int chord_parse(void* scanner, CMChordYacc& parser);

bool CMChordYacc::Parse()
{
    try {
        return chord_parse(m_lex.GetScanner(), *this) == 0;
    } catch (const CMChordLexFatal& failure) {
        Error(failure.what());
    } catch (const std::bad_alloc&) {
        Error("out of memory");
    }
    return false;
}

void CMChordYacc::Error(const char* message)
{
    m_errorText.Format("Error : line (%d) %s\n  Last token : \"%s\"\n", m_lex.GetLine(), message,
                       m_lex.GetTokenText().c_str());
    m_errorOffset = m_lex.GetTokenStart();
    m_errorLength = m_lex.GetTokenText().size();
}

void CMChordYacc::SyntaxError(const char* bisonMessage)
{
    // The scanner may have stopped on its own (a comment left open): its reason is the error.
    if (!m_lex.GetFailure().empty())
        Error(m_lex.GetFailure().c_str());
    else if (std::string_view(bisonMessage) == "memory exhausted")
        Error("parser stack overflow");
    else
        Error("parse error");
}

int CMChordYacc::LabelCode(int character)
{
    return LabelCodeOf(static_cast<char>(character));
}

static CMString Trimmed(const std::string& text)
{
    CMString line(text);
    line.Trim();
    return line;
}

void CMChordYacc::AddTitleLine(const std::string& text)
{
    const CMString line = Trimmed(text);
    if (!line.IsEmpty())
        m_song.title.AddTail(line.GetText());
}

void CMChordYacc::AddLyricLine(const std::string& text)
{
    const CMString line = Trimmed(text);
    if (!line.IsEmpty())
        m_song.lyrics.AddTail(line.GetText());
}

void CMChordYacc::AddTimeBase(int numerator, int denominator)
{
    const unsigned value =
        static_cast<unsigned>(numerator) << 8 | static_cast<unsigned>(denominator);
    m_song.timeBase.AddTail(static_cast<unsigned short>(value));
}

static std::unique_ptr<CMMusicNotation> NotationOf(int duration)
{
    auto notation = std::make_unique<CMMusicNotation>();
    notation->value = static_cast<std::uint8_t>(duration & 0xFF);
    notation->dots = static_cast<std::uint8_t>(duration >> 8 & 0xFF);
    notation->tuplet = static_cast<std::uint8_t>(duration >> 16 & 0xFF);
    return notation;
}

void CMChordYacc::AddNoteRest(int duration)
{
    m_song.notes.AddTail(NotationOf(duration));
}

void CMChordYacc::AddNoteBar()
{
    auto bar = NotationOf(kQuarterDuration);
    bar->accidental = ItemBar;
    m_song.notes.AddTail(std::move(bar));
}

void CMChordYacc::AddNotePitch(int pitch, int duration)
{
    auto note = NotationOf(duration);
    note->letter = static_cast<std::uint8_t>(pitch & 0x0F);
    note->accidental = static_cast<std::uint8_t>(pitch >> 4 & 0x0F);
    note->octave = pitch >> 8 & 0xFF;
    m_song.notes.AddTail(std::move(note));
}

void CMChordYacc::SetComposer(const std::string* text)
{
    if (text)  // an empty pair of quotes changes nothing
        m_song.composer = CMString(*text);
}

void CMChordYacc::SetLyricist(const std::string* text)
{
    if (text)
        m_song.lyricist = CMString(*text);
}

bool CMChordYacc::AddFormLabel(int code)
{
    CMMusicSong::CMMusicLabelList& structure = m_song.structure;
    if (m_themeStructureFlag) {
        if (code == LabelTheme) {
            Error("Theme cannot be specified in Theme definition.");
            return false;
        }
        structure.themeStructure.AddTail(static_cast<char>(code));
        return true;
    }
    const bool inTheme = structure.themeStructure.Contains(static_cast<char>(code));
    structure.AddTail(
        std::make_unique<CMMusicSong::CMMusicLabel>(static_cast<std::uint8_t>(code), inTheme));
    return true;
}

void CMChordYacc::BeginChordBlock(bool keyBlock)
{
    m_keyBlock = keyBlock;
    m_parenthesis = false;
}

CMMusicChord& CMChordYacc::ResetItem()
{
    m_item.Reset(LetterNone, ItemSlash);
    return m_item;
}

void CMChordYacc::AddSlash()
{
    ResetItem();
    AppendItem();
}

void CMChordYacc::AddBar(int kind)
{
    ResetItem().accidental = ItemBar;
    m_item.kind = static_cast<std::uint8_t>(kind);
    AppendItem();
}

void CMChordYacc::AddLabel(int code)
{
    ResetItem().accidental = ItemLabel;
    m_item.kind = static_cast<std::uint8_t>(code);
    AppendItem();
}

bool CMChordYacc::AddCodaMark()
{
    if (m_codaSeen) {
        Error("Coda mark cannot be used more than once.");
        return false;
    }
    m_codaSeen = true;
    AddBar(CodaBar);
    return true;
}

// A repeat-begin sign belongs in front of the measure it opens, so a label written just before
// "|:" ends up after the sign, and ":|" followed by "|:" becomes one double-repeat sign.
void CMChordYacc::AddRepeatBegin()
{
    using Node = CMListNode<CMMusicChord>;
    CMMusicChordList& list = Target();

    // The nearest bar sign behind the chords and labels at the end; a slash ends the search.
    Node* bar = nullptr;
    for (Node* node = list.GetTail(); node && !node->element->IsSlash(); node = node->previous)
        if (node->element->IsBar()) {
            bar = node;
            break;
        }
    Node* lastNonLabel = list.GetTail();
    while (lastNonLabel && lastNonLabel->element->IsLabel())
        lastNonLabel = lastNonLabel->previous;
    const bool foundRepeatEnd = bar && bar->element->kind == RepeatEnd;

    if (foundRepeatEnd && (m_keyBlock || bar == lastNonLabel)) {
        bar->element->kind = DoubleRepeat;
        return;
    }
    ResetItem().accidental = ItemBar;
    m_item.kind = RepeatBegin;
    auto sign = std::make_unique<CMMusicChord>(m_item);
    if (!m_keyBlock && bar && !foundRepeatEnd) {
        if (list.GetTail()->element->IsLabel())
            list.InsertBefore(list.GetTail(), std::move(sign));
        else
            list.AddTail(std::move(sign));
    } else if (lastNonLabel) {
        list.InsertAfter(lastNonLabel, std::move(sign));
    } else {
        list.AddTail(std::move(sign));
    }
}

static std::uint8_t AccidentalOfRoot(int root)
{
    if (root & 8)
        return AccidentalFlat;
    if (root & 16)
        return AccidentalSharp;
    return AccidentalNone;
}

void CMChordYacc::AddChord(int root, int quality, int seventh, int tensions, int bass)
{
    enum Tension {
        Flat5 = 1,
        Sharp5 = 2,
        Six = 4,
        Flat9 = 8,
        Nine = 16,
        Sharp9 = 32,
        Eleven = 64,
        Sharp11 = 128,
        Flat13 = 256,
        Thirteen = 512
    };
    CMMusicChord& chord = ResetItem();
    chord.letter = static_cast<std::uint8_t>(root & 7);
    chord.accidental = AccidentalOfRoot(root);
    chord.kind = static_cast<std::uint8_t>(quality + 1);
    CMChordFlags& f = chord.flags;
    if (seventh == 0)
        f.seventh = 1;
    else if (seventh >= 1)
        f.majorSeventh = 1;
    if (seventh == 2)
        f.nine = 1;

    // A written tension implies the ones below it unless a seventh or a lower tension was given:
    // C9 is a seventh chord with a ninth, C13 has the seventh, ninth and eleventh as well.
    const auto noSeventh = [&] { return !f.seventh && !f.majorSeventh; };
    f.flatFive |= (tensions & Flat5) != 0;
    f.sharpFive |= (tensions & Sharp5) != 0;
    f.six |= (tensions & Six) != 0;
    f.flatNine |= (tensions & Flat9) != 0;
    if (tensions & Nine) {
        if (noSeventh())
            f.seventh = 1;
        f.nine = 1;
    }
    f.sharpNine |= (tensions & Sharp9) != 0;
    if (tensions & Eleven) {
        if (noSeventh() && !(tensions & (Flat9 | Nine | Sharp9)))
            f.seventh = f.nine = 1;
        f.eleven = 1;
    }
    f.sharpEleven |= (tensions & Sharp11) != 0;
    f.flatThirteen |= (tensions & Flat13) != 0;
    if (tensions & Thirteen) {
        if (noSeventh() && !(tensions & (Flat9 | Nine | Sharp9 | Eleven | Sharp11)))
            f.seventh = f.nine = f.eleven = 1;
        f.thirteen = 1;
    }
    if (bass != -1) {
        chord.bass.letter = static_cast<std::uint8_t>(bass & 7);
        chord.bass.accidental = AccidentalOfRoot(bass);
    }
    chord.parenthesized = m_parenthesis;
    AppendItem();
}

bool ParseSong(std::string_view text, CMMusicSong* song, CMString& errorText)
{
    CMChordYacc parser(text);
    const bool parsed = parser.Parse();
    errorText = parser.GetErrorText();
    if (parsed && song) {
        CMString path = song->path;
        *song = std::move(parser.GetSong());
        song->path = std::move(path);
    }
    return parsed;
}
