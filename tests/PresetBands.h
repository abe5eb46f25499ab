// The preset bands and musicians, built once for all the tests of a program.
#pragma once

#include "performance/CMMusicBand.h"

inline const CMMusicBandList& PresetBands()
{
    static const CMMusicBandList bands = [] {
        CMMusicBandList list;
        list.BuildPresets();
        return list;
    }();
    return bands;
}
