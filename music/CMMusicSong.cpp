// CMMusicSong: copying, clearing and the queries of the driver, the renderer and the view.
#include "music/CMMusicSong.h"

CMMusicSong::CMMusicLabelList&
CMMusicSong::CMMusicLabelList::operator=(const CMMusicLabelList& other)
{
    CopyFrom(other);
    themeStructure.CopyFrom(other.themeStructure);
    return *this;
}

void CMMusicSong::CMMusicLabelList::Clear()
{
    DeleteAll();
    themeStructure.DeleteAll();
}

CMMusicSong::CMMusicSong(const CMMusicSong& other) : CMMusicChordList(), path(other.path)
{
    *this = other;
}

CMMusicSong& CMMusicSong::operator=(const CMMusicSong& other)
{
    if (this == &other)
        return *this;
    CMMusicChordList::operator=(other);
    title.CopyFrom(other.title);
    lyrics.CopyFrom(other.lyrics);
    timeBase.CopyFrom(other.timeBase);
    keys = other.keys;
    notes.CopyFrom(other.notes);
    measures.CopyFrom(other.measures);
    structure = other.structure;
    tempo = other.tempo;
    repeat = other.repeat;
    composer = other.composer;
    lyricist = other.lyricist;
    precount = other.precount;
    style = other.style;
    return *this;
}

void CMMusicSong::Clear()
{
    title.DeleteAll();
    lyrics.DeleteAll();
    timeBase.DeleteAll();
    keys.DeleteAll();
    notes.DeleteAll();
    measures.DeleteAll();
    structure.Clear();
    DeleteAll();
    tempo = 150;
    repeat = 4;
    composer = CMString();
    lyricist = CMString();
    precount = -1;
    style = -1;
}

const CMMusicChord* CMMusicSong::GetKeyChord() const
{
    for (const CMMusicChord* item : keys)
        if (item->IsPitch())
            return item;
    return nullptr;
}

CMSongKey CMMusicSong::GetKey() const
{
    CMSongKey key;
    if (const CMMusicChord* chord = GetKeyChord()) {
        key.pitchClass = (chord->GetSemitone() % 12 + 12) % 12;
        key.minor = chord->kind == KindMinor;
    }
    return key;
}

int CMMusicSong::GetMeasureLabel(int index) const
{
    const CMMusicChordList* measure = index >= 0 ? measures.GetAt(index) : nullptr;
    return measure ? measure->labelCode : -1;
}

int CMMusicSong::CountMeasures(bool withIntro, bool withVerse) const
{
    int count = 0;
    for (const CMMusicChordList* measure : measures)
        if ((withIntro || measure->labelCode != LabelIntro) &&
            (withVerse || measure->labelCode != LabelVerse))
            ++count;
    return count;
}

int CMMusicSong::GetCodaLabel() const
{
    for (const CMListNode<CMMusicChordList>* node = measures.GetTail(); node; node = node->previous)
        if (node->element->barKind == CodaBar)
            return node->element->labelCode;
    return -1;
}

const CMMusicSong::CMMusicLabel* CMMusicSong::FindStructureEntry(int code) const
{
    const bool themeHasParts = !structure.themeStructure.IsEmpty();
    for (const CMListNode<CMMusicLabel>* node = structure.GetTail(); node; node = node->previous) {
        const int entry = node->element->code;
        const bool standsFor = entry == LabelTheme && themeHasParts
                                   ? structure.themeStructure.Contains(static_cast<char>(code))
                                   : entry == code;
        if (standsFor)
            return node->element;
    }
    return nullptr;
}

const CMMusicChord* CMMusicSong::GetChordAt(int beat, bool exact) const
{
    if (beat < 0)
        return nullptr;
    const CMMusicChordList* measure = measures.GetAt(beat / 4);
    if (!measure)
        return nullptr;
    const int position = beat % 4;
    int start = 0;
    for (const CMMusicChord* chord : *measure) {
        const int end = start + BeatsOf(chord->length);
        if (exact ? start == position : position < end)
            return chord;
        if (start > position)
            break;
        start = end;
    }
    return nullptr;
}

void CMMusicSong::GetFirstMeter(int& numerator, int& denominator) const
{
    numerator = denominator = 4;
    for (const CMBaseType<unsigned short>* meter : timeBase)
        if (meter->GetValue() != 0) {
            numerator = meter->GetValue() >> 8;
            denominator = meter->GetValue() & 255;
            return;
        }
}
