// CMStringList: an owning list of strings, ordered byte-wise when sorted.
#pragma once

#include "core/CMList.h"
#include "core/CMString.h"

class CMStringList : public CMOwningList<CMString> {
public:
    using CMOwningList<CMString>::AddHead;
    using CMOwningList<CMString>::AddTail;
    using CMOwningList<CMString>::AddSorted;

    Node* AddHead(const char* text) { return AddHead(std::make_unique<CMString>(text)); }
    Node* AddTail(const char* text) { return AddTail(std::make_unique<CMString>(text)); }
    // Forward ordered insertion from the head: behind the equal strings.
    Node* AddSorted(const char* text) { return AddSorted(std::make_unique<CMString>(text)); }
};
