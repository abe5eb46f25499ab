// IMSongView: what the chart view needs from the song view, the tree of the songs in ./Data/:
// to be filled again (the Refresh command, after Save As) and the title of the song the user
// selected (the command that opens a song from the list).
#pragma once

#include "core/CMString.h"

class IMSongView {
public:
    virtual ~IMSongView() = default;
    virtual void Refill() = 0;
    // The selected item's text; empty when nothing is selected.
    virtual CMString GetSelectedTitle() const = 0;
};
