// The player framework: selection, the weighted choice, approach notes and derived voicings.
#include "performance/CMMusicPlayer.h"

#include "midi/CMMidiFile.h"
#include "performance/ChordScale.h"

bool CMMusicPlayer::Passes(const CMMusicNoteList& pattern, std::uint32_t scaleMask,
                           std::uint32_t length, int root, int tempo, int& match) const
{
    if (pattern.length != length)
        return false;
    // A bass note under a slash chord is played only by the patterns written for it, and a fill
    // or an ending only by the drum patterns written for that measure.
    if (m_instrument == InstrumentBass && scaleMask == SlotBassPedal &&
        pattern.scaleMask != SlotBassPedal)
        return false;
    if (m_instrument == InstrumentRhythm &&
        (scaleMask == SlotKeyMeasure || scaleMask == SlotFineMeasure) &&
        pattern.scaleMask != scaleMask)
        return false;
    match = pattern.Matches(scaleMask, root, tempo, length);
    return match >= kLowestUsableMatch;
}

std::uint32_t CMMusicPlayer::Candidates(std::uint32_t scaleMask, std::uint32_t length, int root,
                                        int tempo, std::vector<Candidate>& candidates) const
{
    candidates.clear();
    if (scaleMask == SlotBreakMeasure)
        return 0;
    std::uint32_t total = 0;
    int match = 0;
    for (const CMMusicNoteList* pattern : GetPatternsOfLength(length))
        if (Passes(*pattern, scaleMask, length, root, tempo, match)) {
            candidates.push_back({pattern, match});
            total += pattern->weight;
        }
    return total;
}

std::uint32_t CMMusicPlayer::TotalWeight(std::uint32_t scaleMask, std::uint32_t length, int root,
                                         int tempo) const
{
    std::vector<Candidate> candidates;
    return Candidates(scaleMask, length, root, tempo, candidates);
}

const CMMusicNoteList* CMMusicPlayer::ChoosePattern(std::uint32_t scaleMask, std::uint32_t length,
                                                    int root, int tempo,
                                                    CMPerformanceRandom& random, int& octave) const
{
    thread_local std::vector<Candidate> candidates;
    const std::uint32_t total = Candidates(scaleMask, length, root, tempo, candidates);
    if (total == 0)
        return nullptr;
    const std::uint32_t r = random.Value() % total;
    random.Advance();
    // The first pattern whose running sum reaches r: the first one serves r = 0 .. w1, so it has
    // one chance more than its weight and the last one, one fewer.
    std::uint32_t sum = 0;
    for (const Candidate& candidate : candidates) {
        octave = candidate.match;
        sum += candidate.pattern->weight;
        if (sum >= r)
            return candidate.pattern;
    }
    return nullptr;  // not reached: r is below the total
}

bool CMMusicPlayer::PlaySlots(CMMidiFile& file, const CMMusicPhraseList& slots,
                              CMPerformanceRandom& random, int tempo, int count) const
{
    CMMusicNoteList performance(8, 0, 0, 9, -48, 48, 20, 400);
    for (int pass = 0; pass < count; ++pass) {
        for (const auto& slot : slots.GetPatterns()) {
            const int root = (slots.transpose + slot->root) % 256;
            int octave = 0;
            const CMMusicNoteList* pattern =
                ChoosePattern(slot->scaleMask, slot->length, root, tempo, random, octave);
            if (!pattern) {
                CMMusicNoteList rest(0, 0, 0, 1, 0, 0, 20, 400);
                rest.length = slot->length;
                performance.AppendPattern(rest, 0);
                continue;
            }
            const int shift =
                m_instrument == InstrumentRhythm
                    ? 0
                    : (octave * 12 - pattern->root + slots.transpose + slot->root) & 0xFF;
            performance.AppendPattern(*pattern, shift);
        }
    }
    ResolveApproachNotes(performance, random);
    // A drum stroke is not held: it rings out whenever its note ends.
    performance.WriteNotes(file, m_instrument != InstrumentRhythm);
    return true;
}

void CMMusicPlayer::PlayTest(CMMidiFile& file, const CMMusicPhraseList& slots) const
{
    std::uint32_t tick = 0;
    for (std::size_t i = 0; i < slots.GetPatterns().size(); ++i, tick += 96)
        file.AddNote(tick, 90, 60, 99);
}

void CMMusicPlayer::ResolveApproachNotes(CMMusicNoteList& performance, CMPerformanceRandom& random)
{
    std::vector<CMMusicNote>& notes = performance.MutableNotes();
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (notes[i].pitch != CMMusicNote::kApproachPlaceholder)
            continue;
        int between = 0;
        std::size_t target = i + 1;
        while (target < notes.size() && notes[target].pitch < 0) {
            ++between;
            ++target;
        }
        if (target == notes.size())
            continue;  // nothing follows: the placeholder stays silent
        // Placeholders are negative and were skipped: the goal is a real pitch, 0 to 127.
        const int goal = static_cast<std::uint8_t>(notes[target].pitch);
        int key;
        if (between > 0) {
            key = goal + between + 1;  // a run of placeholders walks down onto the goal
        } else {
            switch (random.Value() % 15) {
            case 0: key = goal - 5; break;
            case 1: key = goal + 7; break;
            case 2:
            case 3:
            case 4: key = goal - 1; break;
            default: key = goal + 1; break;
            }
            random.Advance();
        }
        notes[i].pitch = static_cast<std::int8_t>(static_cast<std::uint8_t>(key));
    }
}

namespace {

// How a derived voicing moves the keys of its source, read on C.
int DerivedKey(std::uint32_t sourceScale, int key, bool invert, int a, int b, int c)
{
    const int octave = invert ? 12 : 0;
    switch (sourceScale) {
    case ScaleIonian:
        switch (key) {
        case 52: return key + octave;
        case 55: return key + a + octave;
        case 57: return key + b;
        case 62: return key + c;
        default: return key;
        }
    case ScaleDorian:
        switch (key) {
        case 51: return key + octave;
        case 55: return key + a + octave;
        case 58: return key + b;
        case 62: return key + c;
        default: return key;
        }
    case ScaleMixolydian:
        switch (key) {
        case 58: return key;
        case 62: return key + a;
        case 64: return key + b - octave;
        case 69: return key + c - octave;
        default: return key - octave;
        }
    default: return key;
    }
}

}  // namespace

std::unique_ptr<CMMusicNoteList> CMMusicPlayer::DerivePattern(const CMMusicNoteList& source,
                                                              bool invert, int a, int b, int c)
{
    auto derived = std::make_unique<CMMusicNoteList>(CMMusicNoteList::WithAttributesOf(source));
    if (invert) {
        // The inverted voicing serves the other half of the octave: higher for Ionian and
        // Dorian voicings, lower for Mixolydian ones.
        if (source.scaleMask == ScaleMixolydian) {
            derived->lowShift = static_cast<std::int8_t>(source.highShift + 1);
            derived->highShift = static_cast<std::int8_t>(source.lowShift + 11);
        } else {
            derived->lowShift = static_cast<std::int8_t>(source.highShift - 11);
            derived->highShift = static_cast<std::int8_t>(source.lowShift - 1);
        }
    }
    for (const CMMusicNote& note : source.GetNotes()) {
        CMMusicNote copy(note);
        copy.pitch =
            static_cast<std::int8_t>(DerivedKey(source.scaleMask, note.pitch, invert, a, b, c));
        derived->InsertNote(copy);
    }
    return derived;
}

void CMMusicPlayer::DerivePatterns()
{
    struct Derivation {
        bool invert;
        int a, b, c;
        int rootMove;
        std::uint32_t mask;
    };
    static const Derivation kFromDorian[] = {{true, 0, 0, 0, 0, kDorianOrAeolian}};
    static const Derivation kFromMixolydian[] = {{true, 0, 0, 0, 0, kMixolydianOrLydianSeventh},
                                                 {false, 1, 0, -1, 0, 192},
                                                 {true, 1, 0, -1, 0, 192},
                                                 {false, 0, 0, -1, 0, 288},
                                                 {true, 0, 0, -1, 0, 288},
                                                 {false, -1, 0, 0, 0, 16},
                                                 {true, -1, 0, 0, 0, 16},
                                                 {false, 0, 0, 0, 4, kLocrianScales},
                                                 {true, 0, 0, 0, 4, kLocrianScales},
                                                 {false, 0, 0, 0, 7, ScaleMelodicMinor},
                                                 {true, 0, 0, 0, 7, ScaleMelodicMinor},
                                                 {false, 0, 2, 0, 7, ScaleHarmonicMinor},
                                                 {true, 0, 2, 0, 7, ScaleHarmonicMinor}};
    static const Derivation kFromIonian[] = {{true, 0, 0, 0, 0, ScaleIonian | ScaleLydian},
                                             {false, 0, 2, 0, 4, ScalePhrygian},
                                             {true, 0, 2, 0, 4, ScalePhrygian}};

    std::vector<std::unique_ptr<CMMusicNoteList>> derived;
    const auto derive = [&](CMMusicNoteList& source, const auto& derivations,
                            std::uint32_t sourceGains) {
        for (const Derivation& d : derivations) {
            auto pattern = DerivePattern(source, d.invert, d.a, d.b, d.c);
            pattern->root = static_cast<std::uint8_t>((source.root + d.rootMove) % 12);
            pattern->scaleMask = d.mask;
            derived.push_back(std::move(pattern));
        }
        source.scaleMask |= sourceGains;
    };
    for (const auto& pattern : m_patterns) {
        switch (pattern->scaleMask) {
        case ScaleDorian: derive(*pattern, kFromDorian, ScaleAeolian); break;
        case ScaleMixolydian: derive(*pattern, kFromMixolydian, ScaleLydianSeventh); break;
        case ScaleIonian: derive(*pattern, kFromIonian, ScaleLydian); break;
        default: break;
        }
    }
    for (auto& pattern : derived)
        AddTail(std::move(pattern));
}

void CMMusicPlayer::MarkPart(const char* partName)
{
    CMLibraryPart part;
    part.name = partName;
    part.patterns = static_cast<int>(m_patterns.size() - m_patternsInParts);
    m_patternsInParts = m_patterns.size();
    m_parts.push_back(part);
}
