// IMPlayShell: what the play command needs from the program around it: the "Output" and "Debug"
// tabs of the output pane (the terminal for zimbrel-cli), the wait cursor, and the player the
// chart view keeps for its lifetime.
#pragma once

#include "core/CMString.h"

class CMMCI;

class IMPlayShell {
public:
    virtual ~IMPlayShell() = default;
    // A message for the user; it may hold several lines.
    virtual void WriteOutput(const CMString& text) = 0;
    // Text for the "Debug" tab: the listing of what was played.
    virtual void WriteDebug(const CMString& text) = 0;
    virtual void SetWaitCursor(bool on) = 0;
    virtual CMMCI& GetPlayer() = 0;
};
