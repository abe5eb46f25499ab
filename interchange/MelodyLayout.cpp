// Laying the melody out: the written measures of the note block become a stream of notes that
// fills the song's measures in turn, cut and tied where a bar line falls inside a note.
#include "interchange/MelodyLayout.h"

#include "music/MelodySpelling.h"

#include <algorithm>
#include <deque>

namespace {

constexpr int kWhole = 4 * kDivisionsPerQuarter;
constexpr int kMaxDots = 3;  // a thirty-second with three dots is still a whole number of divisions

// Values 6 and 7 (64th and 128th) only fill up what the song's values leave.
constexpr int kShortestValue = 7;

int DurationOf(int value, int dots, bool triplet)
{
    const int base = kWhole >> std::clamp(value, 0, kShortestValue);
    int duration = base, addition = base;
    for (int k = 0; k < dots; ++k) {
        addition /= 2;
        duration += addition;
    }
    return triplet ? duration * 2 / 3 : duration;
}

struct Piece {
    int value = 5;
    int dots = 0;
    bool triplet = false;
    int duration = 0;
};

// Note values adding up to `duration`, the longest first. A remainder shorter than any value
// keeps its exact length in the shortest value's look.
std::vector<Piece> GreedyPieces(int duration, bool withTriplets)
{
    std::vector<Piece> pieces;
    while (duration > 0) {
        Piece best;
        for (int value = 0; value <= kShortestValue; ++value)
            for (int dots = 0; dots <= 2; ++dots)
                for (const bool triplet : {false, true}) {
                    const int length = DurationOf(value, dots, triplet);
                    if ((!triplet || (withTriplets && dots == 0)) && length <= duration &&
                        length > best.duration)
                        best = {value, dots, triplet, length};
                }
        if (best.duration == 0)
            best = {kShortestValue, 0, false, duration};
        pieces.push_back(best);
        duration -= best.duration;
    }
    return pieces;
}

// Plain values where they make the length up exactly, triplet values where they do not.
std::vector<Piece> PiecesOf(int duration)
{
    std::vector<Piece> plain = GreedyPieces(duration, false);
    if (plain.back().duration == DurationOf(plain.back().value, plain.back().dots, false))
        return plain;
    return GreedyPieces(duration, true);
}

// A note of the stream with what is left of it to place.
struct Pending {
    CMLaidNote note;
    int remaining = 0;
    bool started = false;  // a piece is already placed: the rest is tied to it
};

// The note block cut at its bar lines (and label items); a last measure without notes is none.
std::vector<std::vector<const CMMusicNotation*>> WrittenMeasures(const CMMusicSong& song)
{
    std::vector<std::vector<const CMMusicNotation*>> measures(1);
    for (const CMMusicNotation* item : song.notes) {
        if (item->IsBar() || item->IsLabel())
            measures.emplace_back();
        else
            measures.back().push_back(item);
    }
    if (measures.back().empty())
        measures.pop_back();
    return measures;
}

CMLaidNote NoteOf(const CMMusicNotation& item, CMMelodySpeller& speller)
{
    CMLaidNote note;
    note.value = std::clamp<int>(item.value, 0, 5);
    note.dots = std::min<int>(item.dots, kMaxDots);
    note.triplet = item.tuplet == 3;
    note.rest = !item.IsPitch();
    if (!note.rest) {
        const CMMelodySpeller::Note spelled = speller.Spell(item);
        const int step = spelled.position + 4 * 7;  // middle C is C4
        note.letter = (step % 7 + 7) % 7;
        note.octave = (step - note.letter) / 7;
        note.alteration = spelled.alteration;
        note.accidental = spelled.accidental;
    }
    return note;
}

// Takes notes from the stream until the measure is full; a measure that got any fills up with
// rests.
void FillMeasure(std::deque<Pending>& stream, int length, std::vector<CMLaidNote>& measure)
{
    int position = 0;
    while (!stream.empty() && position < length) {
        Pending& pending = stream.front();
        const int take = std::min(pending.remaining, length - position);
        std::vector<Piece> pieces;
        if (!pending.started && take == pending.remaining)
            pieces.push_back({pending.note.value, pending.note.dots, pending.note.triplet, take});
        else
            pieces = PiecesOf(take);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            CMLaidNote note = pending.note;
            note.start = position;
            note.duration = pieces[k].duration;
            note.value = pieces[k].value;
            note.dots = pieces[k].dots;
            note.triplet = pieces[k].triplet;
            const bool tiedFrom = pending.started || k > 0;
            const bool tiedOn = k + 1 < pieces.size() || take < pending.remaining;
            note.tieStop = !note.rest && tiedFrom;
            note.tieStart = !note.rest && tiedOn;
            note.accidental = note.accidental && !tiedFrom;
            measure.push_back(note);
            position += note.duration;
        }
        pending.remaining -= take;
        pending.started = true;
        if (pending.remaining == 0)
            stream.pop_front();
    }
    if (!measure.empty() && position < length)
        for (const Piece& piece : PiecesOf(length - position)) {
            CMLaidNote rest;
            rest.rest = true;
            rest.start = position;
            rest.duration = piece.duration;
            rest.value = piece.value;
            rest.dots = piece.dots;
            rest.triplet = piece.triplet;
            measure.push_back(rest);
            position += piece.duration;
        }
}

// Brackets over runs of triplets, each as long as two of its first note's plain value.
void BracketTriplets(std::vector<CMLaidNote>& measure)
{
    CMLaidNote* first = nullptr;
    int span = 0, filled = 0;
    for (std::size_t i = 0; i < measure.size(); ++i) {
        CMLaidNote& note = measure[i];
        if (!note.triplet)
            continue;
        if (!first) {
            first = &note;
            note.tupletStart = true;
            span = 2 * DurationOf(note.value, 0, false);
            filled = 0;
        }
        filled += note.duration;
        const bool runEnds = i + 1 == measure.size() || !measure[i + 1].triplet;
        if (filled >= span || runEnds) {
            note.tupletStop = true;
            first = nullptr;
        }
    }
}

// Each lyric on the note that starts at its beat, or the next one of the measure without a lyric.
void PlaceLyrics(const CMMusicSong& song, CMLaidMelody& laid)
{
    int beat = 0;
    bool previousHyphen = false;
    for (const CMString* token : song.lyrics) {
        if (*token == "~" || *token == "|")
            continue;
        if (*token == "/") {
            ++beat;
            continue;
        }
        const int measure = beat / 4;
        const int start = beat % 4 * kDivisionsPerQuarter;
        ++beat;
        std::string text = token->Str();
        if (measure >= static_cast<int>(laid.measures.size())) {
            laid.warnings.push_back("the lyric '" + text + "' comes after the last measure");
            continue;
        }
        auto& notes = laid.measures[static_cast<std::size_t>(measure)];
        const auto note = std::find_if(notes.begin(), notes.end(), [&](const CMLaidNote& n) {
            return !n.rest && !n.tieStop && n.lyric.empty() && n.start >= start;
        });
        if (note == notes.end()) {
            laid.looseLyrics.push_back({measure, start, text});
            previousHyphen = false;
            continue;
        }
        const bool hyphen = text.size() > 1 && text.back() == '-';
        if (hyphen)
            text.pop_back();
        note->lyric = text;
        note->syllabic =
            previousHyphen ? (hyphen ? "middle" : "end") : (hyphen ? "begin" : "single");
        previousHyphen = hyphen;
    }
}

}  // namespace

CMLaidMelody LayMelody(const CMMusicSong& song, const CMKeyTransposition& display, int measureCount,
                       int measureLength)
{
    CMLaidMelody laid;
    laid.measures.resize(static_cast<std::size_t>(std::max(measureCount, 0)));
    const std::vector<std::vector<const CMMusicNotation*>> written = WrittenMeasures(song);
    CMMelodySpeller speller(KeySignatureAccidentals(DisplayKey(song, 0).key),
                            KeySignatureAccidentals(display.key), display.interval);
    std::deque<Pending> stream;
    for (std::size_t m = 0; m < laid.measures.size(); ++m) {
        if (m < written.size()) {
            for (const CMMusicNotation* item : written[m]) {
                CMLaidNote note = NoteOf(*item, speller);
                stream.push_back({note, DurationOf(note.value, note.dots, note.triplet), false});
            }
            speller.NextMeasure();
        }
        FillMeasure(stream, measureLength, laid.measures[m]);
        BracketTriplets(laid.measures[m]);
    }
    const std::size_t unplaced =
        written.size() > laid.measures.size() ? written.size() - laid.measures.size() : 0;
    if (!stream.empty() || unplaced > 0)
        laid.warnings.push_back("the melody runs past the last measure; what follows is left out");
    PlaceLyrics(song, laid);
    return laid;
}
