// CMMusicChordList: an owning list of chord items with the bar kind in front of it and the label
// of the section it belongs to. It serves as a song's item list, its key list and one measure.
#pragma once

#include "core/CMList.h"
#include "music/CMMusicChord.h"
#include "music/LabelCodes.h"

#include <cstdint>

class CMMusicChordList : public CMOwningList<CMMusicChord> {
public:
    CMMusicChordList() = default;
    CMMusicChordList(const CMMusicChordList& other) : CMOwningList<CMMusicChord>()
    {
        *this = other;
    }
    CMMusicChordList& operator=(const CMMusicChordList& other)
    {
        CopyFrom(other);
        barKind = other.barKind;
        labelCode = other.labelCode;
        return *this;
    }
    CMMusicChordList(CMMusicChordList&&) noexcept = default;
    CMMusicChordList& operator=(CMMusicChordList&&) noexcept = default;

    // Appends a copy of an item.
    void AddCopy(const CMMusicChord& item) { AddTail(std::make_unique<CMMusicChord>(item)); }

    std::uint8_t barKind = BarNone;
    std::uint8_t labelCode = LabelTheme;
};
