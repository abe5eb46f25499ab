// IMCompileShell: what the compile and play commands need from the program around them: a place
// for messages (the "Output" tab of the desktop program, the terminal of zimbrel-cli) and a way
// to redraw the chart.
#pragma once

#include "core/CMString.h"

class IMCompileShell {
public:
    virtual ~IMCompileShell() = default;
    // One message for the user; it may hold several lines.
    virtual void WriteOutput(const CMString& text) = 0;
    virtual void RepaintChart() = 0;
};
