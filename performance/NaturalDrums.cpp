// The drummer in the natural feel: every bar starts from the library pattern the strict feel
// would choose (ride and hi-hat), then the drummer plays it as a drummer would. In swing he
// feathers the bass drum, now and then moves a skip note of the ride, and comps on snare and bass
// drum, more towards the end of a phrase. In a bossa nova he fills the ride's eighths, plays the
// clave on the cross-stick over two bars and the bass-drum figure under it. A fill, chosen by the
// phrase from the sets below, ends a section (and sometimes a four-bar phrase), and a crash with
// the bass drum marks the bar after it. Ticks are swung as written (the off-beat 72 after the
// beat); the time feel moves them afterwards.
#include "performance/ChordScale.h"
#include "performance/NaturalTouch.h"

#include <span>

namespace {

// General MIDI drum keys.
constexpr std::uint8_t kKick = 36, kStick = 37, kSnare = 38, kElectricSnare = 40, kPedalHat = 44,
                       kFloorTom = 43, kLowTom = 45, kMidTom = 47, kHighTom = 50, kCrash = 49,
                       kBell = 53, kRide = 59;

// One stroke of a figure: where in the bar, which drum, how strong (0 soft to 1 full).
struct Stroke {
    int tick;
    std::uint8_t key;
    double level;
};

// A fill: from which tick of the bar it plays and whether the ride goes on under it.
struct Fill {
    int start;
    bool keepsRide;
    std::vector<Stroke> strokes;
};

constexpr std::uint8_t S = kSnare, K = kKick;

// clang-format off
// Short fills on the fourth beat, for the end of a four-bar phrase.
const std::vector<Fill> kSwingPhraseFills = {
    {288, true, {{288, S, .50}, {320, S, .60}, {352, S, .75}}},
    {288, true, {{288, S, .60}, {360, K, .70}}},
    {288, true, {{288, S, .30}, {304, S, .40}, {320, S, .50}, {336, S, .60}, {352, S, .70},
                 {368, S, .80}}},
};
// Fills that end a section: the longer the section, the longer the fill may be.
const std::vector<Fill> kSwingSectionFills = {
    {192, false, {{192, S, .50}, {224, S, .55}, {256, S, .60}, {288, kHighTom, .65},
                  {320, kMidTom, .70}, {352, kLowTom, .80}}},
    {264, true, {{264, S, .70}, {264, K, .60}, {360, S, .90}, {360, K, .80}}},
    {168, true, {{168, K, .60}, {264, S, .70}, {360, K, .85}}},
    {192, false, {{192, S, .55}, {264, kHighTom, .60}, {288, kMidTom, .70}, {360, kFloorTom, .80}}},
    {96, false, {{96, S, .30}, {128, S, .35}, {160, S, .40}, {192, S, .45}, {224, S, .50},
                 {256, kHighTom, .55}, {288, kHighTom, .60}, {320, kMidTom, .70},
                 {352, kLowTom, .80}}},
};
const std::vector<Fill> kBossaPhraseFills = {
    {288, true, {{288, S, .50}, {336, S, .65}}},
    {288, true, {{288, S, .40}, {312, S, .50}, {336, S, .60}, {360, S, .70}}},
};
const std::vector<Fill> kBossaSectionFills = {
    {192, false, {{192, S, .50}, {240, S, .55}, {288, kMidTom, .65}, {336, kFloorTom, .75}}},
    {192, false, {{192, kHighTom, .55}, {240, kMidTom, .60}, {288, kLowTom, .65}, {336, S, .75},
                  {336, K, .70}}},
    {240, true, {{240, S, .55}, {288, S, .60}, {336, S, .70}, {360, K, .65}}},
};
// clang-format on

// A stroke of the bar being made, with its velocity.
struct Hit {
    int tick;
    std::uint8_t key;
    double velocity;
};

class NaturalDrummer {
public:
    NaturalDrummer(const CMMusicPlayer& drums, const CMPhraseMap& phrases, CMFeelRandom& touch)
        : m_straight(drums.PlaysStraightEighths()), m_phrases(phrases), m_touch(touch)
    {
    }

    // The bar `bar` made from the library pattern `pattern`, added to `notes` at `start`.
    void PlayBar(std::size_t bar, const CMMusicNoteList& pattern, std::uint32_t start,
                 std::vector<CMSoundingNote>& notes)
    {
        const CMBarPlace& place = m_phrases.At(bar);
        m_gain = PhraseGain(place) + m_touch.Between(-0.03, 0.03);
        m_hits.clear();
        const Fill* fill = ChooseFill(place);
        TakePattern(pattern, fill);
        if (place.kind != SlotKeyMeasure && place.kind != SlotFineMeasure) {
            if (m_straight)
                PlayBossa(place);
            else
                PlaySwing(place, fill);
        }
        if (fill)
            for (const Stroke& stroke : fill->strokes)
                Add(stroke.tick, stroke.key, (36.0 + 44.0 * stroke.level) * m_gain);
        if (m_markNextBar || place.kind == SlotFineMeasure)
            MarkDownbeat(m_bigFillBefore || place.kind == SlotFineMeasure);
        m_markNextBar = fill != nullptr;
        m_bigFillBefore = fill && place.kind == SlotKeyMeasure;
        for (const Hit& hit : m_hits) {
            const auto at =
                static_cast<std::uint32_t>(std::max(0, static_cast<int>(start) + hit.tick));
            notes.push_back({at, at + kTicksPerBar, hit.key, Velocity(hit.velocity)});
        }
    }

private:
    const Fill* ChooseFill(const CMBarPlace& place)
    {
        if (place.kind == SlotFineMeasure)
            return nullptr;
        if (place.kind == SlotKeyMeasure) {
            // Short sections get the short section fills, long ones any.
            const std::vector<Fill>& fills = m_straight ? kBossaSectionFills : kSwingSectionFills;
            const std::size_t choices =
                place.sectionLength >= 8 ? fills.size() : std::min<std::size_t>(3, fills.size());
            return &fills[static_cast<std::size_t>(
                m_touch.Whole(0, static_cast<int>(choices) - 1))];
        }
        const bool phraseEnd = (place.inSection + 1) % 4 == 0;
        const double chance = (place.inSection + 1) % 8 == 0 ? 0.6 : 0.35;
        if (!phraseEnd || !m_touch.Chance(chance))
            return nullptr;
        const std::vector<Fill>& fills = m_straight ? kBossaPhraseFills : kSwingPhraseFills;
        return &fills[static_cast<std::size_t>(
            m_touch.Whole(0, static_cast<int>(fills.size()) - 1))];
    }

    // The pattern's ride and hi-hat, shaped: the ride's two and four a little stronger, its skip
    // notes lighter. A fill's own strokes replace the library's fill strokes, and a long fill
    // stops the ride where it starts.
    void TakePattern(const CMMusicNoteList& pattern, const Fill* fill)
    {
        for (const CMMusicNote& note : pattern.GetNotes()) {
            if (note.pitch < 0)
                continue;
            const auto key = static_cast<std::uint8_t>(note.pitch);
            const bool isTime = key == kRide || key == kPedalHat;
            if (!isTime && (fill || m_straight || key == kStick || key == kElectricSnare))
                continue;  // the natural drummer comps and fills in his own way
            if (fill && !fill->keepsRide && key == kRide && note.tick >= fill->start)
                continue;
            double velocity = note.velocity;
            if (key == kRide) {
                const int phase = note.tick % static_cast<int>(kTicksPerBar);
                if (phase == 96 || phase == 288)
                    velocity += 5.0;
                else if (phase % static_cast<int>(kTicksPerBeat) != 0)
                    velocity *= 0.9;
            }
            Add(note.tick, key, velocity * m_gain + m_touch.Between(-5.0, 5.0));
        }
    }

    void PlaySwing(const CMBarPlace& place, const Fill* fill)
    {
        // The bass drum feathered on every beat, felt more than heard.
        for (int beat = 0; beat < 4; ++beat)
            Add(beat * 96, kKick, m_touch.Between(14.0, 22.0));
        // Now and then a skip note of the ride moves to the first or third beat.
        if (m_touch.Chance(0.3)) {
            const int skip = m_touch.Chance(0.5) ? 72 : 264;
            if (!Remove(skip, kRide))
                Add(skip, kRide, m_touch.Between(30.0, 42.0) * m_gain);
        }
        Comp(place, fill ? fill->start : static_cast<int>(kTicksPerBar));
    }

    // Snare and bass-drum comping: a few strokes on the swung off-beats and the beats, mostly
    // ghosted, more of them at the end of a phrase; none where a fill plays.
    void Comp(const CMBarPlace& place, int until)
    {
        static const int places[] = {72, 96, 168, 192, 264, 288, 360, 128, 320};
        static const double counts[] = {0.2, 0.4, 0.3, 0.1};
        int strokes = 0;
        for (double r = m_touch.Uniform(); strokes < 3 && r >= counts[strokes]; ++strokes)
            r -= counts[strokes];
        if ((place.inSection + 1) % 4 == 0 && m_touch.Chance(0.4))
            ++strokes;
        for (int i = 0; i < strokes; ++i) {
            const int tick = places[m_touch.Whole(0, static_cast<int>(std::size(places)) - 1)];
            if (tick >= until || Has(tick, kSnare) || Has(tick, kKick))
                continue;
            const bool bassDrum = m_touch.Chance(tick == 360 || tick % 96 == 0 ? 0.45 : 0.2);
            const double velocity =
                m_touch.Chance(0.65) ? m_touch.Between(22.0, 36.0) : m_touch.Between(40.0, 58.0);
            Add(tick, bassDrum ? kKick : kSnare, velocity * m_gain);
        }
    }

    // Straight eighths on the ride, the clave on the cross-stick over two bars (three strokes,
    // then two) and the bass drum on one, the and of two, three and the and of four.
    void PlayBossa(const CMBarPlace& place)
    {
        for (const int offBeat : {48, 144, 240, 336})
            if (!Has(offBeat, kRide) && m_touch.Chance(0.85))
                Add(offBeat, kRide, m_touch.Between(28.0, 40.0) * m_gain);
        if (m_touch.Chance(0.2)) {
            const int beat = 96 * m_touch.Whole(0, 3);
            Remove(beat, kRide);
            Add(beat, kBell, m_touch.Between(45.0, 60.0) * m_gain);
        }
        static const int firstBar[] = {0, 144, 288};
        static const int secondBar[] = {96, 240};
        const std::span<const int> clave = place.inSection % 2 == 0
                                               ? std::span<const int>(firstBar)
                                               : std::span<const int>(secondBar);
        for (const int tick : clave)
            Add(tick, kStick, m_touch.Between(50.0, 64.0) * m_gain);
        if (m_touch.Chance(0.12))
            Add(336, kStick, m_touch.Between(40.0, 52.0) * m_gain);
        const int dropped = m_touch.Chance(0.2) ? (m_touch.Chance(0.5) ? 144 : 336) : -1;
        for (const Stroke& stroke :
             {Stroke{0, K, .6}, Stroke{144, K, .35}, Stroke{192, K, .5}, Stroke{336, K, .35}})
            if (stroke.tick != dropped)
                Add(stroke.tick, kKick, (30.0 + 50.0 * stroke.level) * m_gain);
    }

    // The first beat after a fill: a crash over the bass drum after a section's fill, an accent
    // of the ride and bass drum after a short one.
    void MarkDownbeat(bool crash)
    {
        if (crash) {
            Remove(0, kRide);
            Add(0, kCrash, m_touch.Between(70.0, 84.0));
            Add(0, kKick, m_touch.Between(56.0, 68.0));
        } else {
            Add(0, kKick, m_touch.Between(44.0, 56.0));
        }
    }

    void Add(int tick, std::uint8_t key, double velocity)
    {
        m_hits.push_back({tick, key, velocity});
    }
    bool Has(int tick, std::uint8_t key) const
    {
        return std::any_of(m_hits.begin(), m_hits.end(),
                           [&](const Hit& hit) { return hit.tick == tick && hit.key == key; });
    }
    bool Remove(int tick, std::uint8_t key)
    {
        const auto end = std::remove_if(m_hits.begin(), m_hits.end(), [&](const Hit& hit) {
            return hit.tick == tick && hit.key == key;
        });
        const bool found = end != m_hits.end();
        m_hits.erase(end, m_hits.end());
        return found;
    }

    const bool m_straight;
    const CMPhraseMap& m_phrases;
    CMFeelRandom& m_touch;
    std::vector<Hit> m_hits;  // the bar being made
    double m_gain = 1.0;
    bool m_markNextBar = false;
    bool m_bigFillBefore = false;
};

}  // namespace

std::vector<CMSoundingNote> PlayDrumsNaturally(const CMMusicPlayer& drums,
                                               const CMMusicPhraseList& slots,
                                               const CMPhraseMap& phrases,
                                               CMPerformanceRandom& random, CMFeelRandom& touch,
                                               int tempo)
{
    NaturalDrummer drummer(drums, phrases, touch);
    std::vector<CMSoundingNote> notes;
    std::uint32_t start = 0;
    std::size_t bar = 0;
    for (const auto& slot : slots.GetPatterns()) {
        int octave = 0;
        const int root = (slots.transpose + slot->root) % 256;
        const CMMusicNoteList* pattern =
            drums.ChoosePattern(slot->scaleMask, slot->length, root, tempo, random, octave);
        if (pattern)
            drummer.PlayBar(bar, *pattern, start, notes);
        start += slot->length;
        bar += slot->length / kTicksPerBar;
    }
    std::stable_sort(
        notes.begin(), notes.end(),
        [](const CMSoundingNote& a, const CMSoundingNote& b) { return a.start < b.start; });
    return notes;
}
