// The performance driver: see GenerateMidi.h.
#include "performance/GenerateMidi.h"

#include "midi/CMMidiFile.h"
#include "music/CMMusicSong.h"
#include "music/SongListing.h"
#include "performance/CMMusicBand.h"
#include "performance/ChordScale.h"
#include "performance/NaturalFeel.h"

#include <ctime>
#include <unordered_map>

namespace {

const char* const kRule = "****************************************\n";

// Every player of the band has its channel, program and slot list by instrument.
struct Slots {
    CMMusicPhraseList measures;
    CMMusicPhraseList piano;
    CMMusicPhraseList bass;
};

std::uint8_t LengthCode(std::uint8_t chordLength)
{
    switch (chordLength) {
    case LengthHalf: return 0x12;
    case LengthBeat: return 0x11;
    default: return 0x14;
    }
}

std::unique_ptr<CMMusicNoteList> Slot(std::uint32_t scale, int root, std::uint8_t lengthCode)
{
    return std::make_unique<CMMusicNoteList>(scale, root, lengthCode, 9, -48, 48, 20, 400);
}

void AppendTheme(const CMMusicSong& song, std::vector<const CMMusicChordList*>& sequence,
                 bool lastTime)
{
    const CMBaseTypeList<char>& theme = song.structure.themeStructure;
    if (theme.IsEmpty()) {
        song.AppendSection(sequence, LabelTheme, lastTime);
        return;
    }
    for (const CMBaseType<char>* code : theme)
        song.AppendSection(sequence, code->GetValue(), lastTime);
}

bool StartsSection(std::uint8_t barKind)
{
    return barKind == DoubleBar || barKind == FineBar || barKind == RepeatBegin ||
           barKind == RepeatEnd || barKind == DoubleRepeat;
}

// Builds the slots of every measure of the sequence and, when asked for, the chord lines of the
// listing.
class SlotBuilder {
public:
    SlotBuilder(const CMMusicSong& song, int transpose, Slots& slots, CMString* lines)
        : m_key(song.GetKey()), m_transpose(transpose), m_slots(slots), m_lines(lines)
    {
    }

    void Build(const std::vector<const CMMusicChordList*>& sequence)
    {
        // The last time each measure is played decides where a chord in parentheses breaks.
        std::unordered_map<const CMMusicChordList*, std::size_t> lastPlayed;
        std::size_t lastWithChords = sequence.size();
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            lastPlayed[sequence[i]] = i;
            if (!sequence[i]->IsEmpty())
                lastWithChords = i;
        }
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            const CMMusicChordList& measure = *sequence[i];
            if (measure.IsEmpty())
                continue;  // an empty measure takes no time
            m_slots.measures.AddTail(Slot(MeasureScale(sequence, i, lastWithChords), 1, 0x14));
            for (const CMMusicChord* item : measure) {
                if (!item->IsSlash()) {
                    m_chord = item;
                    m_chordMeasure = &measure;
                }
                AddChordSlots(LengthCode(item->length), lastPlayed, i);
            }
        }
    }

private:
    // The ending goes to the last measure that sounds; a fill goes before a section boundary.
    static std::uint32_t MeasureScale(const std::vector<const CMMusicChordList*>& sequence,
                                      std::size_t i, std::size_t lastWithChords)
    {
        if (i == lastWithChords || sequence[i]->barKind == FineBar)
            return SlotFineMeasure;
        if (i + 1 < sequence.size() && StartsSection(sequence[i + 1]->barKind))
            return SlotKeyMeasure;
        return kGeneralMask;
    }

    // A slash continues the chord before it, so its slots are that chord's for the slash's length.
    void AddChordSlots(std::uint8_t lengthCode,
                       const std::unordered_map<const CMMusicChordList*, std::size_t>& lastPlayed,
                       std::size_t index)
    {
        if (!m_chord) {
            // Nothing sounds before a leading slash: piano and bass rest.
            m_slots.piano.AddTail(Slot(0, 0, lengthCode));
            m_slots.bass.AddTail(Slot(0, 0, lengthCode));
            return;
        }
        const CMMusicChord& chord = *m_chord;
        if (chord.parenthesized && lastPlayed.at(m_chordMeasure) <= index) {
            m_slots.piano.AddTail(Slot(SlotBreakMeasure, 1, lengthCode));
            m_slots.bass.AddTail(Slot(SlotBreakMeasure, 1, lengthCode));
            if (m_lines)
                *m_lines += "(Break Measure)\n";
            return;
        }
        const std::uint32_t scale = ScaleFor(chord, m_key.pitchClass, m_key.minor);
        const int root = chord.GetSemitone() + m_transpose;
        m_slots.piano.AddTail(Slot(scale, root, lengthCode));
        if (chord.HasBass())
            m_slots.bass.AddTail(
                Slot(SlotBassPedal, chord.bass.GetSemitone() + m_transpose, lengthCode));
        else
            m_slots.bass.AddTail(Slot(scale, root, lengthCode));
        if (m_lines)
            *m_lines += ScaleLine(chord, scale);
    }

    CMSongKey m_key;
    int m_transpose;
    Slots& m_slots;
    CMString* m_lines;
    const CMMusicChord* m_chord = nullptr;  // the chord sounding now
    const CMMusicChordList* m_chordMeasure = nullptr;
};

CMString ProgressionText(int code)
{
    CMString text = LabelText(code);
    if (!text.IsEmpty())
        text += "\n";
    return text;
}

CMString SectionHeader(int code)
{
    const CMString name = LabelText(code);
    CMString header;
    if (!name.IsEmpty())
        header.Format("\n***** %s *****\n", name.GetText());
    return header;
}

// The "Progression" and "Chord Sequence" sections: the form, then the measures as played, four
// to a line, with a header where the section changes.
CMString FormListing(const CMMusicSong& song, const std::vector<const CMMusicChordList*>& sequence)
{
    CMString text;
    if (!song.structure.IsEmpty()) {
        text += kRule;
        text += "Progression\n";
        text += kRule;
        for (const CMMusicSong::CMMusicLabel* entry : song.structure)
            text += ProgressionText(entry->code);
        text += "\n";
    }
    if (!sequence.empty()) {
        text += kRule;
        text += "Chord Sequence\n";
        text += kRule;
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            const CMMusicChordList& measure = *sequence[i];
            if (i == 0 || measure.labelCode != sequence[i - 1]->labelCode)
                text += SectionHeader(measure.labelCode);
            if (i % 4 != 0)
                text += "|";
            text += MeasureChordsText(measure);
            if (i % 4 == 3)
                text += "\n";
        }
    }
    text += "\n";
    return text;
}

struct TrackOf {
    int channel;
    std::uint8_t program;
    int enabledBy;
};

TrackOf TrackFor(CMInstrument instrument)
{
    switch (instrument) {
    case InstrumentBass: return {ChannelOf(instrument), 32, PlayBass};
    case InstrumentChords: return {ChannelOf(instrument), 0, PlayPiano};
    default: return {ChannelOf(instrument), 0, PlayDrums};
    }
}

}  // namespace

int ChannelOf(CMInstrument instrument)
{
    switch (instrument) {
    case InstrumentBass: return 1;
    case InstrumentChords: return 2;
    default: return 9;
    }
}

std::vector<const CMMusicChordList*> ExpandForm(const CMMusicSong& song, int repeats, bool intro,
                                                bool verse, std::size_t most)
{
    std::vector<const CMMusicChordList*> sequence;
    const auto full = [&sequence, most] { return sequence.size() > most; };
    if (!song.structure.IsEmpty()) {
        // The form as the progression block gives it; the coda is taken on the last entry that
        // stands for the section with the coda sign.
        const int codaLabel = song.GetCodaLabel();
        const CMMusicSong::CMMusicLabel* codaEntry =
            codaLabel >= 0 ? song.FindStructureEntry(codaLabel) : nullptr;
        for (const CMMusicSong::CMMusicLabel* entry : song.structure) {
            if (full())
                break;
            const bool lastTime = entry == codaEntry;
            if (entry->code == LabelTheme)
                AppendTheme(song, sequence, lastTime);
            else if ((entry->code != LabelIntro || intro) && (entry->code != LabelVerse || verse))
                song.AppendSection(sequence, entry->code, lastTime);
        }
        return sequence;
    }
    if (intro)
        song.AppendSection(sequence, LabelIntro, false);
    if (verse)
        song.AppendSection(sequence, LabelVerse, false);
    for (int chorus = 1; chorus <= repeats && !full(); ++chorus)
        AppendTheme(song, sequence, chorus >= repeats);
    song.AppendSection(sequence, LabelEnding, false);
    return sequence;
}

bool GenerateMidi(const CMMusicSong& song, const CMMusicBand* band, const char* path, int tempo,
                  int transpose, int instruments, int precount, int precountNote, int repeats,
                  CMString* listing, bool intro, bool verse, const CMGenerateOptions& options)
{
    if (!band || instruments == 0 || repeats < 1)
        return false;
    const std::vector<const CMMusicChordList*> sequence =
        ExpandForm(song, repeats, intro, verse, kMostPerformedMeasures);
    if (sequence.size() > kMostPerformedMeasures)
        return false;
    CMMidiFile file(96);
    if (listing)
        AppendBarsListing(song, *listing);

    Slots slots;
    CMString chordLines;
    SlotBuilder(song, transpose, slots, listing ? &chordLines : nullptr).Build(sequence);
    if (listing) {
        *listing += FormListing(song, sequence);
        *listing += chordLines;
    }

    const std::uint32_t seed =
        options.seed ? *options.seed : static_cast<std::uint32_t>(std::time(nullptr));
    CMPerformanceRandom random(seed);
    std::optional<CMPhraseMap> phrases;  // only the natural feel phrases
    if (options.feel == CMFeel::Natural)
        phrases.emplace(slots.measures);
    for (const CMMusicPlayer* player : band->GetPlayers()) {
        const TrackOf track = TrackFor(player->GetInstrument());
        if (!(instruments & track.enabledBy))
            continue;
        file.AddTrack(track.channel, track.program, CMString());
        const CMMusicPhraseList& playerSlots = track.enabledBy == PlayBass    ? slots.bass
                                               : track.enabledBy == PlayPiano ? slots.piano
                                                                              : slots.measures;
        if (options.feel == CMFeel::Natural)
            PlayNaturally(*player, file, playerSlots, *phrases, random, seed, tempo);
        else
            player->PlaySlots(file, playerSlots, random, tempo, 1);
    }
    file.MakeDeltaTimes();
    file.AddPrecount(precount, static_cast<std::uint8_t>(precountNote));
    if (options.mix)
        file.AddChannelSettings(*options.mix);
    if (listing) {
        CMString precountLine;
        precountLine.Format("\nPrecount : %d", precount);
        *listing += precountLine;
    }
    return file.Save(path, tempo);
}
