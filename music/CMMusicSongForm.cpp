// Form expansion: the measures of one section in the order they are played.
#include "music/CMMusicSong.h"

namespace {

using MeasureNode = CMListNode<CMMusicChordList>;
using Sequence = std::vector<const CMMusicChordList*>;

// The repeat being read: the measure it starts at, and the first ending that cuts its second
// pass short.
struct OpenRepeat {
    const MeasureNode* start = nullptr;
    const MeasureNode* firstEnding = nullptr;
};

// At a repeat end: the repeated measures once more, up to the first ending or to `end`.
void CloseRepeat(Sequence& sequence, OpenRepeat& repeat, const MeasureNode* end)
{
    const MeasureNode* const stop = repeat.firstEnding ? repeat.firstEnding : end;
    for (const MeasureNode* node = repeat.start; node && node != stop; node = node->next)
        sequence.push_back(node->element);
    repeat = OpenRepeat();
}

enum class AfterSign { Play, Skip, Stop };

// What the bar sign in front of a measure does: it may close or open a repeat, mark a first
// ending, leave the measure out (after a fine bar) or end the section (the coda sign, on the
// last time).
AfterSign ReadBarSign(Sequence& sequence, OpenRepeat& repeat, const MeasureNode* node,
                      bool lastTime)
{
    switch (node->element->barKind) {
    case FineBar: return AfterSign::Skip;
    case RepeatBegin:
        // A first-ending sign before the repeat belongs to no pass of it.
        repeat = OpenRepeat{node, nullptr};
        break;
    case RepeatEnd: CloseRepeat(sequence, repeat, node); break;
    case DoubleRepeat:
        CloseRepeat(sequence, repeat, node);
        repeat.start = node;
        break;
    case BranchBar:
        repeat.firstEnding = node;  // the first ending is not repeated
        break;
    case CodaBar: return lastTime ? AfterSign::Stop : AfterSign::Play;
    default: break;
    }
    return AfterSign::Play;
}

}  // namespace

void CMMusicSong::AppendSection(Sequence& sequence, int label, bool lastTime) const
{
    bool inside = false;
    OpenRepeat repeat;
    for (const MeasureNode* node = measures.GetHead(); node; node = node->next) {
        const CMMusicChordList& measure = *node->element;
        // The first measure after the section is not played, but the sign in front of it (a
        // repeat or a coda sign) still ends the section.
        bool outside = false;
        if (measure.labelCode != label) {
            if (!inside)
                continue;
            outside = true;
            inside = false;
        } else {
            inside = true;
        }
        const AfterSign sign = ReadBarSign(sequence, repeat, node, lastTime);
        if (sign == AfterSign::Stop)
            return;
        if (sign == AfterSign::Play && !outside)
            sequence.push_back(&measure);
    }
}
