// Form expansion: the measures of one section in the order they are played.
#include "music/CMMusicSong.h"

void CMMusicSong::AppendSection(std::vector<const CMMusicChordList*>& sequence, int label,
                                bool lastTime) const
{
    using Node = CMListNode<CMMusicChordList>;
    const auto appendRange = [&](const Node* from, const Node* to) {
        for (const Node* node = from; node && node != to; node = node->next)
            sequence.push_back(node->element);
    };

    bool inside = false;
    const Node* repeatStart = nullptr;
    const Node* repeatEnd = nullptr;
    for (const Node* node = measures.GetHead(); node; node = node->next) {
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

        switch (measure.barKind) {
        case FineBar: continue;
        case RepeatBegin:
            // A first-ending sign before the repeat belongs to no pass of it.
            repeatStart = node;
            repeatEnd = nullptr;
            break;
        case RepeatEnd:
            if (repeatStart)
                appendRange(repeatStart, repeatEnd ? repeatEnd : node);
            repeatStart = repeatEnd = nullptr;
            break;
        case DoubleRepeat:
            if (repeatStart)
                appendRange(repeatStart, repeatEnd ? repeatEnd : node);
            repeatStart = node;
            repeatEnd = nullptr;
            break;
        case BranchBar:
            repeatEnd = node;  // the first ending is not repeated
            break;
        case CodaBar:
            if (lastTime)
                return;
            break;
        default: break;
        }
        if (!outside)
            sequence.push_back(&measure);
    }
}
