// CMCommandRouter: hands each command to the first target that carries it, the chart view before
// the document, the document before the frame, and asks the same target for the command's
// state. A command that no target carries is disabled, so a button never promises what nothing
// does.
#pragma once

#include "app/IMCommandTarget.h"

#include <vector>

enum class CMCommandLayer { View, Document, Frame };

class CMCommandRouter {
public:
    // Adds a target, asked after the targets of earlier layers and of its own layer added
    // before it. Not owned: it must outlive the router or be removed.
    void AddTarget(CMCommandLayer layer, IMCommandTarget& target);
    void RemoveTarget(const IMCommandTarget& target);

    // Runs command `id`; false when no target carries it.
    bool Execute(int id);
    // The command's state: the carrying target's answer, or disabled when none carries it.
    CMCommandUI Update(int id) const;

private:
    struct Entry {
        CMCommandLayer layer;
        IMCommandTarget* target;
    };
    std::vector<Entry> m_targets;
};
