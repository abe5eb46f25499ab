// Phrase patterns and libraries: see CMMusicNoteList.h.
#include "performance/CMMusicNoteList.h"

#include "core/CMFile.h"
#include "midi/CMMidiFile.h"

#include <algorithm>
#include <array>
#include <cstdint>

CMMusicNoteList::CMMusicNoteList(std::uint32_t scaleMask_, int root_, std::uint8_t lengthCode,
                                 std::uint32_t weight_, int lowShift_, int highShift_,
                                 int lowTempo_, int highTempo_)
    : scaleMask(scaleMask_), root(static_cast<std::uint8_t>((root_ % 12 + 12) % 12)),
      length(static_cast<std::uint32_t>(DurationTicks(lengthCode, 100))), weight(weight_),
      lowShift(static_cast<std::int8_t>(lowShift_)),
      highShift(static_cast<std::int8_t>(highShift_)),
      lowTempo(static_cast<std::uint16_t>(lowTempo_)),
      highTempo(static_cast<std::uint16_t>(highTempo_))
{
}

CMMusicNoteList CMMusicNoteList::WithAttributesOf(const CMMusicNoteList& other)
{
    CMMusicNoteList copy(other);
    copy.m_notes.clear();
    return copy;
}

void CMMusicNoteList::InsertNote(const CMMusicNote& note)
{
    // Patterns grow in time order, so the place is almost always the end.
    auto place = m_notes.end();
    while (place != m_notes.begin() && std::prev(place)->tick > note.tick)
        --place;
    m_notes.insert(place, note);
}

void CMMusicNoteList::AddChord(int tick, int velocity, std::uint8_t code, int gate,
                               std::initializer_list<int> keys)
{
    for (const int key : keys)
        if (key > 0)
            InsertNote(CMMusicNote(tick, key, velocity, code, gate));
}

void CMMusicNoteList::AppendPattern(const CMMusicNoteList& pattern, int shift)
{
    for (const CMMusicNote& note : pattern.m_notes) {
        CMMusicNote copy(note);
        copy.tick = std::max(0, note.tick + static_cast<int>(length));
        if (note.pitch >= 0)
            copy.pitch = static_cast<std::int8_t>(static_cast<std::uint8_t>(note.pitch + shift));
        InsertNote(copy);
    }
    length += pattern.length;
}

int CMMusicNoteList::Matches(std::uint32_t slotScale, int slotRoot, int tempo,
                             std::uint32_t slotLength) const
{
    if (slotLength != length)
        return MatchWrongLength;
    if (tempo < lowTempo || tempo > highTempo)
        return MatchWrongTempo;
    if ((slotScale & scaleMask) == 0)
        return MatchWrongScale;
    // The interval up from the pattern's root as one signed byte, as the stored form holds it.
    int d = static_cast<std::uint8_t>(slotRoot - root);
    if (d >= 128)
        d -= 256;
    const auto inRange = [&](int shift) { return shift >= lowShift && shift <= highShift; };
    if (d < lowShift) {
        if (inRange(d + 12))
            return 1;
        if (d + 24 < lowShift)
            return MatchTooLow;
        return d + 24 <= highShift ? 2 : MatchTooLow;
    }
    if (d <= highShift)
        return 0;
    if (inRange(d - 12))
        return -1;
    if (d - 24 < lowShift)
        return MatchTooHigh;
    return d - 24 <= highShift ? -2 : MatchTooHigh;
}

std::vector<CMSoundingNote> CMMusicNoteList::SoundingNotes() const
{
    std::vector<CMSoundingNote> sounding;
    sounding.reserve(m_notes.size());
    for (const CMMusicNote& note : m_notes) {
        if (note.pitch < 0)
            continue;
        const auto start = static_cast<std::uint32_t>(std::max(0, note.tick));
        const auto end = start + static_cast<std::uint32_t>(DurationTicks(note.code, note.gate));
        sounding.push_back({start, end, static_cast<std::uint8_t>(note.pitch), note.velocity});
    }
    return sounding;
}

void CMMusicNoteList::WriteNotes(CMMidiFile& file, bool endReStruckNotes) const
{
    WriteSoundingNotes(file, SoundingNotes(), endReStruckNotes);
}

void WriteSoundingNotes(CMMidiFile& file, const std::vector<CMSoundingNote>& notes,
                        bool endReStruckNotes)
{
    // Walking backwards, the next strike of each key is known when a note is met.
    constexpr std::uint32_t kNever = UINT32_MAX;
    std::array<std::uint32_t, 128> nextStrike;
    nextStrike.fill(kNever);
    std::vector<std::uint32_t> ends(notes.size(), kNever);  // kNever: not written
    for (std::size_t i = notes.size(); i-- > 0;) {
        const CMSoundingNote& note = notes[i];
        std::uint32_t& strike = nextStrike[note.key & 0x7F];
        if (!endReStruckNotes)
            ends[i] = note.end;
        else if (strike != note.start)
            ends[i] = std::min(note.end, strike);
        strike = note.start;
    }
    file.ReserveNotes(static_cast<std::size_t>(
        std::count_if(ends.begin(), ends.end(), [](std::uint32_t end) { return end != kNever; })));
    for (std::size_t i = 0; i < notes.size(); ++i)
        if (ends[i] != kNever)
            file.AddNote(notes[i].start, ends[i] - notes[i].start, notes[i].key, notes[i].velocity);
}

void CMMusicNoteList::Serialize(CMFile& file, bool store)
{
    std::uint8_t rawLow = static_cast<std::uint8_t>(lowShift);
    std::uint8_t rawHigh = static_cast<std::uint8_t>(highShift);
    if (store) {
        file << scaleMask << root << rawLow << rawHigh << lowTempo << highTempo << length << weight;
        file.WriteVarLen(static_cast<std::uint32_t>(m_notes.size()));
        for (CMMusicNote& note : m_notes)
            note.Serialize(file, true);
        return;
    }
    file >> scaleMask >> root >> rawLow >> rawHigh >> lowTempo >> highTempo >> length >> weight;
    lowShift = static_cast<std::int8_t>(rawLow);
    highShift = static_cast<std::int8_t>(rawHigh);
    m_notes.clear();
    const std::uint32_t count = file.ReadVarLen();
    for (std::uint32_t i = 0; i < count && !file.IsAtEnd(); ++i) {
        CMMusicNote note;
        note.Serialize(file, false);
        InsertNote(note);
    }
}

CMMusicNoteList& CMMusicPhraseList::AddTail(std::unique_ptr<CMMusicNoteList> pattern)
{
    const std::uint32_t length = pattern->length;
    auto bucket = std::find_if(m_byLength.begin(), m_byLength.end(),
                               [&](const auto& entry) { return entry.first == length; });
    if (bucket == m_byLength.end())
        bucket = m_byLength.insert(m_byLength.end(), {length, {}});
    bucket->second.push_back(pattern.get());
    m_patterns.push_back(std::move(pattern));
    return *m_patterns.back();
}

const std::vector<const CMMusicNoteList*>&
CMMusicPhraseList::GetPatternsOfLength(std::uint32_t length) const
{
    static const std::vector<const CMMusicNoteList*> none;
    for (const auto& [bucketLength, patterns] : m_byLength)
        if (bucketLength == length)
            return patterns;
    return none;
}

void CMMusicPhraseList::Serialize(CMFile& file, bool store)
{
    name.Serialize(file, store);
    if (store) {
        file << transpose;
        file.WriteVarLen(static_cast<std::uint32_t>(m_patterns.size()));
        for (const auto& pattern : m_patterns)
            pattern->Serialize(file, true);
        return;
    }
    file >> transpose;
    m_patterns.clear();
    m_byLength.clear();
    const std::uint32_t count = file.ReadVarLen();
    for (std::uint32_t i = 0; i < count && !file.IsAtEnd(); ++i) {
        auto pattern = std::make_unique<CMMusicNoteList>();
        pattern->Serialize(file, false);
        AddTail(std::move(pattern));
    }
}
