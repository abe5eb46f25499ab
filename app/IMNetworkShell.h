// IMNetworkShell: what the network pane's logic needs from the program around it: the network log
// (the "Debug" tab of the desktop program, the terminal of zimbrel-cli), a redraw of the song
// list, and the register dialog.
#pragma once

#include "core/CMString.h"
#include "net/CMAccountRules.h"

class IMNetworkShell {
public:
    virtual ~IMNetworkShell() = default;
    // One line of the network log.
    virtual void WriteNetworkLog(const CMString& line) = 0;
    // The pane's song rows changed.
    virtual void SongListChanged() {}
    // Shows the register dialog filled with `registration`; true, with the checked values typed,
    // when the user confirms. Without a dialog nothing is registered.
    virtual bool RunRegisterDialog(CMRegistration& /*registration*/) { return false; }
};
