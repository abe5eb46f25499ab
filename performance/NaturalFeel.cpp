// The natural feel of the bassist and the pianist, and the time feel of every part: see
// NaturalFeel.h. The drummer's bars are made in NaturalDrums.cpp.
#include "performance/NaturalFeel.h"

#include "midi/CMMidiFile.h"
#include "performance/ChordScale.h"
#include "performance/NaturalTouch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace {

// A number of semitones as the stored one-byte pitches wrap it: -128 to 127.
int WrapToSignedByte(int value)
{
    return ((value + 128) & 0xFF) - 128;
}

// One way to play a slot: a pattern, the shift (semitones, signed) that moves it to the slot's
// root and its weight in the choice.
struct Option {
    const CMMusicNoteList* pattern;
    int shift;
    double weight;
};

// The keys of a pattern's first or last strike, moved by `shift`, into `keys` (a buffer kept by
// the caller: the choice asks this of every candidate of every slot).
void StrikeKeys(const CMMusicNoteList& pattern, int shift, bool last, std::vector<int>& keys)
{
    keys.clear();
    const std::vector<CMMusicNote>& notes = pattern.GetNotes();
    if (notes.empty())
        return;
    const int tick = last ? notes.back().tick : notes.front().tick;
    for (const CMMusicNote& note : notes)
        if (note.tick == tick && note.pitch >= 0)
            keys.push_back(note.pitch + shift);
}

bool SoundsAtAll(const CMMusicNoteList& pattern)
{
    return std::any_of(pattern.GetNotes().begin(), pattern.GetNotes().end(),
                       [](const CMMusicNote& note) { return note.pitch >= 0; });
}

// The pianist's last strike, with the distance from every key to its nearest note, as the
// choice weighs every candidate of every slot against it.
class LastVoicing {
public:
    bool IsEmpty() const { return m_keys.empty(); }
    int Top() const { return m_top; }
    void Set(const std::vector<int>& keys)
    {
        m_keys = keys;
        m_top = *std::max_element(keys.begin(), keys.end());
        // Two sweeps over the keyboard: the distance to the nearest key below, then above.
        constexpr int kSize = static_cast<int>(std::tuple_size_v<decltype(m_nearest)>);
        m_nearest.fill(kSize * 2);
        for (const int key : keys)
            if (key >= 0 && key < kSize)
                m_nearest[static_cast<std::size_t>(key)] = 0;
        for (std::size_t key = 1; key < m_nearest.size(); ++key)
            m_nearest[key] = std::min(m_nearest[key], m_nearest[key - 1] + 1);
        for (std::size_t key = m_nearest.size() - 1; key-- > 0;)
            m_nearest[key] = std::min(m_nearest[key], m_nearest[key + 1] + 1);
        // A key off the keyboard (never played) is measured as the choice would.
        const bool offKeyboard =
            std::any_of(keys.begin(), keys.end(), [](int key) { return key < 0 || key >= kSize; });
        for (std::size_t key = 0; key < m_nearest.size(); ++key)
            m_nearest[key] =
                offKeyboard ? Measure(static_cast<int>(key)) : std::min(m_nearest[key], 127);
    }
    // Semitones from `key` to the nearest key of the strike (at most 127).
    int Nearest(int key) const
    {
        return key >= 0 && key < static_cast<int>(m_nearest.size())
                   ? m_nearest[static_cast<std::size_t>(key)]
                   : Measure(key);
    }

private:
    int Measure(int key) const
    {
        int nearest = 127;
        for (const int before : m_keys)
            nearest = std::min(nearest, std::abs(key - before));
        return nearest;
    }

    std::vector<int> m_keys;
    int m_top = 0;
    std::array<int, 128> m_nearest{};
};

// How much the pianist likes a voicing after the last one: most when the top voice stays and
// the inner voices move little, less the further they go and the further the voicing strays from
// the middle of the keyboard. A weight, not a rule. `next` is played `octave` semitones away.
double VoiceLeading(const LastVoicing& last, const std::vector<int>& next, int octave)
{
    if (last.IsEmpty() || next.empty())
        return 1.0;
    const int top = *std::max_element(next.begin(), next.end()) + octave;
    double inner = 0.0;
    for (const int key : next)
        inner += last.Nearest(key + octave);
    inner /= static_cast<double>(next.size());
    const double cost = (std::abs(top - last.Top()) + 0.5 * inner) / 2.5;
    // The top voice sings best between G below middle C's octave and the A-flat above.
    const double stray = std::max({0, 58 - top, top - 80}) / 4.0;
    return 1.0 / (1.0 + cost * cost * cost * cost) / (1.0 + stray * stray);
}

// Keys a, b, a with b a semitone or a whole tone from a: the wobble a walking bass should avoid.
bool IsWobble(int a, int b, int c)
{
    const int step = std::abs(a - b);
    return a == c && step >= 1 && step <= 2;
}

// Whether a bass pattern, after the last two keys played, wobbles anywhere.
bool WobblesAfter(const std::vector<int>& lastKeys, const CMMusicNoteList& pattern, int shift)
{
    const std::vector<CMMusicNote>& notes = pattern.GetNotes();
    // The last keys, then the pattern's (-1: an approach note, not known yet).
    const auto key = [&](std::size_t i) {
        if (i < lastKeys.size())
            return lastKeys[i];
        const CMMusicNote& note = notes[i - lastKeys.size()];
        return note.pitch >= 0 ? note.pitch + shift : -1;
    };
    for (std::size_t i = 2; i < lastKeys.size() + notes.size(); ++i)
        if (key(i - 2) >= 0 && key(i - 1) >= 0 && IsWobble(key(i - 2), key(i - 1), key(i)))
            return true;
    return false;
}

// Chooses each slot's pattern as the strict feel does, with the same one number per slot, but
// weighs the candidates by how they follow what was played: the pianist's voice leading (also
// trying each voicing an octave up or down where it stays in the register) and the bassist's
// wobbles.
class NaturalChooser {
public:
    NaturalChooser(const CMMusicPlayer& player, int tempo) : m_player(player), m_tempo(tempo) {}

    // The performance of `slots`, approach notes not yet resolved.
    CMMusicNoteList Perform(const CMMusicPhraseList& slots, CMPerformanceRandom& random)
    {
        CMMusicNoteList performance(8, 0, 0, 9, -48, 48, 20, 400);
        for (const auto& slot : slots.GetPatterns()) {
            const int root = (slots.transpose + slot->root) % 256;
            const Option* chosen = Choose(*slot, root, random);
            if (!chosen) {
                CMMusicNoteList rest(0, 0, 0, 1, 0, 0, 20, 400);
                rest.length = slot->length;
                performance.AppendPattern(rest, 0);
                continue;
            }
            performance.AppendPattern(*chosen->pattern, chosen->shift & 0xFF);
            Remember(*chosen);
        }
        return performance;
    }

private:
    const Option* Choose(const CMMusicNoteList& slot, int root, CMPerformanceRandom& random)
    {
        m_player.Candidates(slot.scaleMask, slot.length, root, m_tempo, m_candidates);
        m_options.clear();
        const std::uint16_t scale = ScaleNotes(slot.scaleMask);
        // A pattern that sounds nothing is the fallback for a chord nothing else serves.
        const bool anySounds =
            std::any_of(m_candidates.begin(), m_candidates.end(),
                        [](const CMMusicPlayer::Candidate& c) { return SoundsAtAll(*c.pattern); });
        for (std::size_t i = 0; i < m_candidates.size(); ++i) {
            const CMMusicPlayer::Candidate& candidate = m_candidates[i];
            if (anySounds && !SoundsAtAll(*candidate.pattern))
                continue;
            // As in the strict choice, the last candidate has one chance fewer than its weight.
            double weight = candidate.pattern->weight;
            if (i + 1 == m_candidates.size() && m_candidates.size() > 1)
                weight -= 1.0;
            if (weight <= 0.0)
                continue;
            // The strict feel's transposition, as a signed number of semitones.
            const int shift =
                WrapToSignedByte(candidate.match * 12 - candidate.pattern->root + root);
            AddOptions(*candidate.pattern, shift,
                       weight * ScaleFit(*candidate.pattern, shift, scale, root));
        }
        double total = 0.0;
        for (const Option& option : m_options)
            total += option.weight;
        if (m_options.empty() || total <= 0.0)
            return nullptr;
        const double r = random.Value() / 4294967296.0 * total;
        random.Advance();
        double sum = 0.0;
        for (const Option& option : m_options) {
            sum += option.weight;
            if (sum > r)
                return &option;
        }
        return &m_options.back();
    }

    // Less liked: a voicing with notes outside every scale of its chord (a passing chord).
    double ScaleFit(const CMMusicNoteList& pattern, int shift, std::uint16_t scale, int root) const
    {
        if (m_player.GetInstrument() != InstrumentChords || scale == 0)
            return 1.0;
        for (const CMMusicNote& note : pattern.GetNotes())
            if (note.pitch >= 0 && !(scale >> ((note.pitch + shift - root) % 12 + 12) % 12 & 1))
                return 0.1;
        return 1.0;
    }

    void AddOptions(const CMMusicNoteList& pattern, int shift, double weight)
    {
        switch (m_player.GetInstrument()) {
        case InstrumentChords: {
            StrikeKeys(pattern, shift, false, m_keys);
            m_options.push_back({&pattern, shift, weight * VoiceLeading(m_lastVoicing, m_keys, 0)});
            // The same voicing an octave away, where a hand in the middle register plays it.
            if (m_keys.empty())
                return;
            const int lowest = *std::min_element(m_keys.begin(), m_keys.end());
            const int highest = *std::max_element(m_keys.begin(), m_keys.end());
            if (lowest < 48)
                return;
            for (const int octave : {-12, 12}) {
                if (lowest + octave < 43 || highest + octave > 84)
                    continue;
                m_options.push_back({&pattern, shift + octave,
                                     0.5 * weight * VoiceLeading(m_lastVoicing, m_keys, octave)});
            }
            return;
        }
        case InstrumentBass:
            m_options.push_back(
                {&pattern, shift,
                 WobblesAfter(m_lastBass, pattern, shift) ? 0.15 * weight : weight});
            return;
        case InstrumentRhythm: m_options.push_back({&pattern, 0, weight}); return;
        }
    }

    void Remember(const Option& chosen)
    {
        if (m_player.GetInstrument() == InstrumentChords) {
            StrikeKeys(*chosen.pattern, chosen.shift, true, m_keys);
            if (!m_keys.empty())
                m_lastVoicing.Set(m_keys);
        } else if (m_player.GetInstrument() == InstrumentBass) {
            m_lastBass.clear();
            const std::vector<CMMusicNote>& notes = chosen.pattern->GetNotes();
            for (std::size_t i = notes.size() >= 2 ? notes.size() - 2 : 0; i < notes.size(); ++i)
                m_lastBass.push_back(notes[i].pitch >= 0 ? notes[i].pitch + chosen.shift : -1);
        }
    }

    const CMMusicPlayer& m_player;
    const int m_tempo;
    std::vector<CMMusicPlayer::Candidate> m_candidates;
    std::vector<Option> m_options;
    std::vector<int> m_keys;  // the strike being weighed
    LastVoicing m_lastVoicing;
    std::vector<int> m_lastBass;  // the bassist's last two keys (-1: an approach note)
};

// The approach to `goal` right before it, with the strict feel's numbers, unless that makes a
// wobble (or repeats the note before): then the first of the others that fits, the other
// chromatic side, then the fifth above or below the target.
int ApproachWithoutWobble(int goal, int before, int beforeThat, CMPerformanceRandom& random)
{
    const std::uint32_t r = random.Value() % 15;
    random.Advance();
    const int strict = r == 0 ? goal - 5 : r == 1 ? goal + 7 : r <= 4 ? goal - 1 : goal + 1;
    const auto fits = [&](int k) {
        return k != before && !(before >= 0 && IsWobble(before, k, goal)) &&
               !(beforeThat >= 0 && before >= 0 && IsWobble(beforeThat, before, k));
    };
    const int others[] = {strict, strict == goal + 1 ? goal - 1 : goal + 1, goal + 7, goal - 5};
    const int* const chosen = std::find_if(std::begin(others), std::end(others), fits);
    return chosen != std::end(others) ? *chosen : strict;
}

// Approach notes as the strict feel chooses them, with the same numbers, except where the note
// right before its target would wobble (ApproachWithoutWobble). An approach with rests before
// its target climbs to it as the strict feel's does.
void ResolveApproachesNaturally(CMMusicNoteList& performance, CMPerformanceRandom& random)
{
    std::vector<CMMusicNote>& notes = performance.MutableNotes();
    int before = -1;  // the last two sounding keys
    int beforeThat = -1;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (notes[i].pitch != CMMusicNote::kApproachPlaceholder) {
            if (notes[i].pitch >= 0) {
                beforeThat = before;
                before = static_cast<std::uint8_t>(notes[i].pitch);
            }
            continue;
        }
        std::size_t target = i + 1;
        while (target < notes.size() && notes[target].pitch < 0)
            ++target;
        if (target == notes.size())
            continue;
        const int goal = static_cast<std::uint8_t>(notes[target].pitch);
        const auto between = static_cast<int>(target - i - 1);
        const int key = between == 0 ? ApproachWithoutWobble(goal, before, beforeThat, random)
                                     : goal + between + 1;
        const int stored = WrapToSignedByte(key);
        notes[i].pitch = static_cast<std::int8_t>(stored);
        beforeThat = before;
        before = stored;
    }
}

// Bass velocities: the written ones around the phrase's level, the accents (the fourth beat's
// above all) drawn afresh for every bar, the downbeat a little stronger.
void ShapeBass(std::vector<CMSoundingNote>& notes, const CMPhraseMap& phrases, CMFeelRandom& touch)
{
    std::size_t bar = SIZE_MAX;
    double gain = 1.0;
    double accent = 0.0;
    for (CMSoundingNote& note : notes) {
        if (note.start / kTicksPerBar != bar) {
            bar = note.start / kTicksPerBar;
            gain = PhraseGain(phrases.At(bar)) + touch.Between(-0.03, 0.03);
            accent = touch.Between(84.0, 110.0);
        }
        double velocity = note.velocity * gain;
        if (note.velocity >= 105)
            velocity = accent;
        else if (note.velocity >= 90)
            velocity = 0.5 * (note.velocity + accent);
        if (note.start % kTicksPerBar == 0)
            velocity += 4.0;
        note.velocity = Velocity(velocity + touch.Between(-4.0, 4.0));
    }
}

// Piano velocities by strike (the keys struck together): the strike around the phrase's level,
// a push a little louder, the top voice sung out over softer inner voices.
void ShapePiano(std::vector<CMSoundingNote>& notes, const CMPhraseMap& phrases, CMFeelRandom& touch)
{
    for (std::size_t first = 0; first < notes.size();) {
        std::size_t end = first;
        int top = 0;
        int bottom = 127;
        while (end < notes.size() && notes[end].start == notes[first].start) {
            top = std::max<int>(top, notes[end].key);
            bottom = std::min<int>(bottom, notes[end].key);
            ++end;
        }
        const CMBarPlace& place = phrases.At(notes[first].start / kTicksPerBar);
        double gain = PhraseGain(place) * (1.0 + 0.07 * touch.Normal());
        if (notes[first].start % kTicksPerBeat != 0)
            gain += 0.05;
        for (std::size_t i = first; i < end; ++i) {
            const double voice = notes[i].key == top ? 6.0 : notes[i].key == bottom ? 1.0 : -4.0;
            notes[i].velocity =
                Velocity(notes[i].velocity * gain + (end - first > 1 ? voice : 0.0) +
                         touch.Between(-2.0, 2.0));
        }
        first = end;
    }
}

// The long eighth of a swung beat, in ticks: 72 (3:1) as written up to 120 beats a minute, then
// nearer to even eighths (48) as the tempo rises, as drummers' ride patterns are measured to do.
int SwingPoint(int tempo)
{
    const double ratio = std::clamp(3.0 - (tempo - 120) * 0.01, 1.25, 3.0);
    return static_cast<int>(std::lround(96.0 * ratio / (1.0 + ratio)));
}

// Moves the swung off-beats (and ends on them) from 72 ticks after the beat to the tempo's point.
void EaseSwing(std::vector<CMSoundingNote>& notes, int tempo)
{
    const int move = SwingPoint(tempo) - 72;
    if (move == 0)
        return;
    const auto onOffBeat = [](std::uint32_t tick) {
        const std::uint32_t phase = tick % kTicksPerBeat;
        return phase >= 66 && phase <= 78;
    };
    for (CMSoundingNote& note : notes) {
        const std::uint32_t length = note.end - note.start;
        if (onOffBeat(note.start))
            note.start = static_cast<std::uint32_t>(static_cast<int>(note.start) + move);
        if (onOffBeat(note.end))
            note.end = static_cast<std::uint32_t>(static_cast<int>(note.end) + move);
        if (note.end <= note.start)
            note.end = note.start + std::max<std::uint32_t>(1, length / 2);
    }
}

// Where a part sits against the beat, in milliseconds: a lean drawn once a performance and a
// looseness drawn for every note (for every strike of the piano).
struct TimeFeel {
    double lean;
    double looseness;
};

TimeFeel TimeFeelOf(CMInstrument instrument, bool ride, CMFeelRandom& touch)
{
    switch (instrument) {
    case InstrumentBass: return {touch.Between(-6.0, 2.0), 3.0};
    case InstrumentChords: return {touch.Between(1.0, 8.0), 4.0};
    case InstrumentRhythm: break;
    }
    return ride ? TimeFeel{touch.Between(-6.0, -1.0), 2.5}
                : TimeFeel{touch.Between(-1.0, 2.0), 2.5};
}

bool IsCymbal(std::uint8_t key)
{
    return key == 51 || key == 53 || key == 59;
}

void ShiftTime(std::vector<CMSoundingNote>& notes, CMInstrument instrument, int tempo,
               CMFeelRandom& touch)
{
    const double ticksPerMillisecond = tempo * 96.0 / 60000.0;
    const TimeFeel part = TimeFeelOf(instrument, false, touch);
    const TimeFeel ride = TimeFeelOf(instrument, true, touch);
    std::uint32_t strike = UINT32_MAX;
    int strikeShift = 0;
    for (CMSoundingNote& note : notes) {
        const TimeFeel& feel = instrument == InstrumentRhythm && IsCymbal(note.key) ? ride : part;
        int shift =
            touch.Dither((feel.lean + feel.looseness * touch.Normal()) * ticksPerMillisecond);
        // The keys of one piano strike move together.
        if (instrument == InstrumentChords) {
            if (note.start != strike) {
                strike = note.start;
                strikeShift = shift;
            }
            shift = strikeShift;
        }
        const int start = std::max(0, static_cast<int>(note.start) + shift);
        note.end = static_cast<std::uint32_t>(std::max(
            start + 1, static_cast<int>(note.end) + (start - static_cast<int>(note.start))));
        note.start = static_cast<std::uint32_t>(start);
    }
}

}  // namespace

CMPhraseMap::CMPhraseMap(const CMMusicPhraseList& measureSlots)
{
    std::size_t sectionStart = 0;
    for (const auto& slot : measureSlots.GetPatterns()) {
        CMBarPlace place;
        place.kind = slot->scaleMask;
        place.inSection = static_cast<int>(m_bars.size() - sectionStart);
        m_bars.push_back(place);
        if (slot->scaleMask == SlotKeyMeasure || slot->scaleMask == SlotFineMeasure) {
            for (std::size_t i = sectionStart; i < m_bars.size(); ++i)
                m_bars[i].sectionLength = static_cast<int>(m_bars.size() - sectionStart);
            sectionStart = m_bars.size();
        }
    }
    for (std::size_t i = sectionStart; i < m_bars.size(); ++i)
        m_bars[i].sectionLength = static_cast<int>(m_bars.size() - sectionStart);
}

const CMBarPlace& CMPhraseMap::At(std::size_t bar) const
{
    static const CMBarPlace none;
    if (m_bars.empty())
        return none;
    return m_bars[std::min(bar, m_bars.size() - 1)];
}

void PlayNaturally(const CMMusicPlayer& player, CMMidiFile& file, const CMMusicPhraseList& slots,
                   const CMPhraseMap& phrases, CMPerformanceRandom& random, std::uint32_t seed,
                   int tempo)
{
    const CMInstrument instrument = player.GetInstrument();
    CMFeelRandom touch(seed * 2654435761u + 40503u * (instrument + 1u));
    std::vector<CMSoundingNote> notes;
    if (instrument == InstrumentRhythm) {
        notes = PlayDrumsNaturally(player, slots, phrases, random, touch, tempo);
    } else {
        CMMusicNoteList performance = NaturalChooser(player, tempo).Perform(slots, random);
        ResolveApproachesNaturally(performance, random);
        notes = performance.SoundingNotes();
        if (instrument == InstrumentBass)
            ShapeBass(notes, phrases, touch);
        else
            ShapePiano(notes, phrases, touch);
    }
    if (!player.PlaysStraightEighths())
        EaseSwing(notes, tempo);
    ShiftTime(notes, instrument, tempo, touch);
    std::stable_sort(
        notes.begin(), notes.end(),
        [](const CMSoundingNote& a, const CMSoundingNote& b) { return a.start < b.start; });
    WriteSoundingNotes(file, notes, instrument != InstrumentRhythm);
}
