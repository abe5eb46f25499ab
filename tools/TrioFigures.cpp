// The figures of a trio performance: see TrioFigures.h.
#include "tools/TrioFigures.h"

#include "music/CMMusicSong.h"
#include "performance/ChordScale.h"
#include "performance/GenerateMidi.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace {

constexpr std::uint32_t kBar = 384;
// A push strikes the next chord on the off-beat before it: 26 ticks early as written, up to 40
// when the swing eases towards even eighths, a few ticks more when played loosely; a bossa nova's
// last off-beat (48 ticks before the bar) still belongs to its own chord.
constexpr std::uint32_t kEarly = 44;

struct Note {
    std::uint32_t tick;
    int key;
    int velocity;
};

std::vector<Note> NotesOf(const CMMidiSequence& midi, int channel, std::uint32_t startTick)
{
    std::vector<Note> notes;
    for (const CMTimedMidiEvent& event : midi.GetEvents())
        if (event.IsNoteOn() && (event.status & 0x0F) == channel && event.tick >= startTick)
            notes.push_back({static_cast<std::uint32_t>(event.tick), event.data1, event.data2});
    std::stable_sort(notes.begin(), notes.end(),
                     [](const Note& a, const Note& b) { return a.tick < b.tick; });
    return notes;
}

double Share(int part, int whole)
{
    return whole > 0 ? static_cast<double>(part) / whole : 0.0;
}

// The chord sounding at `tick`, a push early counting for the next one; null between chords.
const CMChordAsPlayed* ChordAt(const std::vector<CMChordAsPlayed>& chords, std::uint32_t tick)
{
    const auto after = std::upper_bound(
        chords.begin(), chords.end(), tick + kEarly,
        [](std::uint32_t t, const CMChordAsPlayed& chord) { return t < chord.tick; });
    if (after == chords.begin())
        return nullptr;
    const CMChordAsPlayed& chord = *std::prev(after);
    return tick + kEarly < chord.tick + chord.length ? &chord : nullptr;
}

// Keys struck together (the same tick), in time order.
std::vector<std::pair<std::uint32_t, std::vector<int>>> Strikes(const std::vector<Note>& notes)
{
    std::vector<std::pair<std::uint32_t, std::vector<int>>> strikes;
    for (const Note& note : notes) {
        if (strikes.empty() || strikes.back().first != note.tick)
            strikes.push_back({note.tick, {}});
        strikes.back().second.push_back(note.key);
    }
    return strikes;
}

void MeasurePiano(const std::vector<Note>& piano, const std::vector<CMChordAsPlayed>& chords,
                  CMTrioFigures& figures)
{
    // The top voice of the first and last strike under each chord.
    std::map<const CMChordAsPlayed*, std::pair<int, int>> tops;
    int inScale = 0;
    for (const auto& [tick, keys] : Strikes(piano)) {
        const CMChordAsPlayed* chord = ChordAt(chords, tick);
        if (!chord)
            continue;
        const int top = *std::max_element(keys.begin(), keys.end());
        auto [place, isNew] = tops.insert({chord, {top, top}});
        place->second.second = top;
        const std::uint16_t scaleNotes = ScaleNotes(chord->scaleMask);
        if (scaleNotes == 0)
            continue;
        for (const int key : keys) {
            ++figures.pianoNotes;
            const bool fits = scaleNotes >> (((key - chord->root) % 12 + 12) % 12) & 1;
            inScale += fits ? 1 : 0;
        }
    }
    figures.pianoInScale = Share(inScale, figures.pianoNotes);
    int moved = 0;
    int leaps = 0;
    for (std::size_t i = 1; i < chords.size(); ++i) {
        const auto before = tops.find(&chords[i - 1]);
        const auto now = tops.find(&chords[i]);
        if (before == tops.end() || now == tops.end() ||
            chords[i - 1].tick + chords[i - 1].length != chords[i].tick)
            continue;
        const int move = std::abs(now->second.first - before->second.second);
        moved += move;
        leaps += move > 7 ? 1 : 0;
        ++figures.topVoiceChanges;
    }
    figures.topVoiceMove = figures.topVoiceChanges ? double(moved) / figures.topVoiceChanges : 0;
    figures.topVoiceLeaps = Share(leaps, figures.topVoiceChanges);
}

// A bar's drums as keys and onsets to the nearest 32nd note: looseness of a few ticks makes no
// bar new, another figure does.
void MeasureDrums(const std::vector<Note>& drums, std::uint32_t startTick, CMTrioFigures& figures)
{
    std::map<std::uint32_t, std::vector<std::pair<int, std::uint32_t>>> bars;
    for (const Note& note : drums) {
        const std::uint32_t rounded = (note.tick - startTick + 6) / 12 * 12;
        bars[rounded / kBar].push_back({note.key, rounded % kBar});
    }
    std::set<std::vector<std::pair<int, std::uint32_t>>> kinds;
    for (auto& [bar, strokes] : bars) {
        std::sort(strokes.begin(), strokes.end());
        kinds.insert(strokes);
    }
    figures.drumBars = static_cast<int>(bars.size());
    figures.distinctDrumBars = Share(static_cast<int>(kinds.size()), figures.drumBars);
}

void MeasureBass(const std::vector<Note>& bass, const std::vector<CMChordAsPlayed>& chords,
                 std::uint32_t startTick, CMTrioFigures& figures)
{
    std::set<std::uint32_t> bars;
    std::set<std::uint32_t> wobbling;
    for (std::size_t i = 0; i < bass.size(); ++i) {
        const std::uint32_t bar = (bass[i].tick - startTick) / kBar;
        bars.insert(bar);
        if (i == 0 || i + 1 >= bass.size())
            continue;
        const int step = std::abs(bass[i].key - bass[i - 1].key);
        if (bass[i - 1].key == bass[i + 1].key && step >= 1 && step <= 2)
            wobbling.insert(bar);
    }
    figures.bassBars = static_cast<int>(bars.size());
    figures.bassWobbleBars = Share(static_cast<int>(wobbling.size()), figures.bassBars);
    // The bass note nearest each chord's start, within a 32nd note.
    int onRoot = 0;
    for (const CMChordAsPlayed& chord : chords) {
        const Note* nearest = nullptr;
        for (const Note& note : bass) {
            const long distance = std::labs(long(note.tick) - long(chord.tick));
            if (distance <= 12 &&
                (!nearest || distance < std::labs(long(nearest->tick) - long(chord.tick))))
                nearest = &note;
        }
        ++figures.chordStarts;
        onRoot += nearest && nearest->key % 12 == chord.bass ? 1 : 0;
    }
    figures.bassOnChordRoot = Share(onRoot, figures.chordStarts);
}

double OnGrid(const std::vector<Note>& notes, std::uint32_t startTick)
{
    int on = 0;
    for (const Note& note : notes) {
        const std::uint32_t phase = (note.tick - startTick) % 96;
        on += phase % 24 == 0 || phase % 32 == 0 ? 1 : 0;
    }
    return Share(on, static_cast<int>(notes.size()));
}

}  // namespace

std::vector<CMChordAsPlayed> ChordsAsPlayed(const CMMusicSong& song, int repeats, bool intro,
                                            bool verse, int transpose, std::uint32_t startTick)
{
    const CMSongKey key = song.GetKey();
    std::vector<CMChordAsPlayed> chords;
    std::uint32_t tick = startTick;
    const CMMusicChord* sounding = nullptr;
    for (const CMMusicChordList* measure : ExpandForm(song, repeats, intro, verse))
        for (const CMMusicChord* item : *measure) {
            if (!item->IsSlash())
                sounding = item;
            const auto length = static_cast<std::uint32_t>(BeatsOf(item->length) * 96);
            if (sounding && !sounding->parenthesized) {
                CMChordAsPlayed chord;
                chord.tick = tick;
                chord.length = length;
                chord.scaleMask = ScaleFor(*sounding, key.pitchClass, key.minor);
                chord.root = ((sounding->GetSemitone() + transpose) % 12 + 12) % 12;
                chord.bass = sounding->HasBass()
                                 ? ((sounding->bass.GetSemitone() + transpose) % 12 + 12) % 12
                                 : chord.root;
                chords.push_back(chord);
            }
            tick += length;
        }
    return chords;
}

CMTrioFigures MeasureTrio(const CMMidiSequence& midi, const std::vector<CMChordAsPlayed>& chords,
                          std::uint32_t startTick, CMTrioChannels channels)
{
    CMTrioFigures figures;
    const std::vector<Note> bass = NotesOf(midi, channels.bass, startTick);
    const std::vector<Note> piano = NotesOf(midi, channels.piano, startTick);
    const std::vector<Note> drums = NotesOf(midi, channels.drums, startTick);
    MeasurePiano(piano, chords, figures);
    MeasureDrums(drums, startTick, figures);
    MeasureBass(bass, chords, startTick, figures);
    std::set<int> velocities;
    for (const auto* part : {&bass, &piano, &drums})
        for (const Note& note : *part)
            velocities.insert(note.velocity);
    figures.distinctVelocities = static_cast<int>(velocities.size());
    figures.onGrid = {OnGrid(bass, startTick), OnGrid(piano, startTick), OnGrid(drums, startTick)};
    return figures;
}
