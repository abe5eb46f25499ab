// CMMusicSong::Compile: escapes the source for the 7-bit scanner, parses it, restores the escaped
// texts, builds the measures from the flat item list and supplies a default theme structure.
#include "music/CMChordYacc.h"
#include "music/CMMusicSong.h"
#include "music/HexEscape.h"

namespace {

void UnescapeLines(CMStringList& lines)
{
    for (CMString* line : lines)
        *line = UnescapeHex(line->View());
}

std::unique_ptr<CMMusicChord> CopyWithLength(const CMMusicChord& item, std::uint8_t length)
{
    auto copy = std::make_unique<CMMusicChord>(item);
    copy->length = length;
    return copy;
}

// One item fills the measure, two share it, and of three the first lasts two beats.
void AssignShortMeasureLengths(CMMusicChordList& measure)
{
    const int count = measure.GetCount();
    int index = 0;
    for (CMMusicChord* item : measure) {
        if (count == 1)
            item->length = LengthMeasure;
        else if (count == 2 || index == 0)
            item->length = LengthHalf;
        else
            item->length = LengthBeat;
        ++index;
    }
}

// The second of four items is a chord: a beat each, a slash third repeating the second, and a
// slash fourth lengthening the third to two beats.
void AddBeats(CMMusicChordList& measure, const CMMusicChord* first, const CMMusicChord& item2,
              const CMMusicChord& item3, const CMMusicChord& item4)
{
    if (first)
        measure.AddTail(CopyWithLength(*first, LengthBeat));
    measure.AddTail(CopyWithLength(item2, LengthBeat));
    auto third = CopyWithLength(item3.IsSlash() ? item2 : item3, LengthBeat);
    if (item4.IsSlash()) {
        third->length = LengthHalf;
        measure.AddTail(std::move(third));
    } else {
        measure.AddTail(std::move(third));
        measure.AddTail(CopyWithLength(item4, LengthBeat));
    }
}

// The second of four items is a slash: the first chord lasts two beats, or the whole measure when
// the third and fourth are slashes too.
void AddAfterSlash(CMMusicChordList& measure, const CMMusicChord* first, const CMMusicChord& item3,
                   const CMMusicChord& item4)
{
    if (item3.IsSlash() && item4.IsSlash()) {
        if (first)
            measure.AddTail(CopyWithLength(*first, LengthMeasure));
        return;
    }
    // The second entry is item 3, or the first chord again; it lasts two beats when item 4 is a
    // slash.
    if (first)
        measure.AddTail(CopyWithLength(*first, LengthHalf));
    const CMMusicChord* second = item3.IsSlash() ? first : &item3;
    const std::uint8_t secondLength = item4.IsSlash() ? LengthHalf : LengthBeat;
    if (second)
        measure.AddTail(CopyWithLength(*second, secondLength));
    if (!item4.IsSlash())
        measure.AddTail(CopyWithLength(item4, LengthBeat));
}

// Gives the items of one measure their lengths. `previousLast` is the last item of the last
// measure that had items (null when there was none); it fills an empty measure and a measure
// that begins with a slash.
void AssignLengths(CMMusicChordList& measure, const CMMusicChord* previousLast)
{
    const int count = measure.GetCount();
    if (count == 0) {
        if (previousLast)
            measure.AddTail(CopyWithLength(*previousLast, LengthMeasure));
        return;
    }
    if (count <= 3) {
        AssignShortMeasureLengths(measure);
        return;
    }

    // Four or more items: only the first four count.
    const CMMusicChord item1 = *measure.GetAt(0);
    const CMMusicChord item2 = *measure.GetAt(1);
    const CMMusicChord item3 = *measure.GetAt(2);
    const CMMusicChord item4 = *measure.GetAt(3);
    measure.DeleteAll();
    const CMMusicChord* first = item1.IsSlash() ? previousLast : &item1;
    if (!item2.IsSlash())
        AddBeats(measure, first, item2, item3, item4);
    else
        AddAfterSlash(measure, first, item3, item4);
}

}  // namespace

bool CMMusicSong::Compile(const CMString& source, CMString& errorText)
{
    // Several editors begin a UTF-8 file with a byte-order mark; it is no part of the song.
    std::string_view text = source.View();
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    CMMusicSong parsed;
    if (!ParseSong(EscapeHex(text).View(), &parsed, errorText))
        return false;
    UnescapeLines(parsed.title);
    UnescapeLines(parsed.lyrics);
    parsed.composer = UnescapeHex(parsed.composer.View());
    parsed.lyricist = UnescapeHex(parsed.lyricist.View());
    parsed.BuildMeasures();
    parsed.BuildDefaultThemeStructure();

    CMString keptPath = std::move(path);
    *this = std::move(parsed);
    path = std::move(keptPath);
    return true;
}

void CMMusicSong::BuildMeasures()
{
    measures.DeleteAll();
    std::uint8_t label = LabelTheme;
    auto current = std::make_unique<CMMusicChordList>();
    CMMusicChordList* measure = current.get();
    measures.AddTail(std::move(current));
    for (const CMMusicChord* item : *this) {
        if (item->IsLabel()) {
            label = item->kind;
            measure->labelCode = label;
        } else if (item->IsBar()) {
            auto next = std::make_unique<CMMusicChordList>();
            next->labelCode = label;
            next->barKind = item->kind;
            measure = next.get();
            measures.AddTail(std::move(next));
        } else {
            measure->AddCopy(*item);
        }
    }
    if (measures.GetHead()->element->IsEmpty())
        measures.Remove(measures.GetHead());  // a source that begins with a bar sign

    const CMMusicChordList* previous = nullptr;  // the last measure that had items
    for (CMMusicChordList* each : measures) {
        const bool hadItems = !each->IsEmpty();
        const CMMusicChord* previousLast =
            previous && !previous->IsEmpty() ? previous->GetTail()->element : nullptr;
        AssignLengths(*each, previousLast);
        if (hadItems)
            previous = each;
    }
    // The last measure stands for the closing bar sign: chords after it are dropped.
    if (!measures.IsEmpty())
        measures.GetTail()->element->DeleteAll();
}

void CMMusicSong::BuildDefaultThemeStructure()
{
    CMBaseTypeList<char>& theme = structure.themeStructure;
    if (!structure.IsEmpty() || !theme.IsEmpty())
        return;
    for (const CMMusicChordList* measure : measures)
        if (measure->labelCode == LabelTheme) {
            theme.AddTail(static_cast<char>(LabelTheme));
            return;
        }
    int previousCode = -1;
    for (const CMMusicChordList* measure : measures) {
        const int code = measure->labelCode;
        if (code != LabelIntro && code != LabelEnding && code != previousCode &&
            !theme.Contains(static_cast<char>(code)))
            theme.AddTail(static_cast<char>(code));
        previousCode = code;
    }
}
