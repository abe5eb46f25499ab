// IMChartViewShell: what the chart view's commands need from the window that shows the chart:
// the output pane's tabs, the wait cursor, the chart redrawn or shown at a new zoom, the source
// editor, the printing and export dialogs, the MIDI output devices listed without blocking, and a
// word when the buttons' states changed outside a command (the player stopping).
#pragma once

#include "app/IMCompileShell.h"

class IMChartViewShell : public IMCompileShell {
public:
    // Text for the "Debug" tab: the listing of what was played.
    virtual void WriteDebug(const CMString& text) = 0;
    virtual void SetWaitCursor(bool on) = 0;
    // Draws at `zoom` (1.0 is true size) with a scroll area of zoom x 17000 by zoom x 11000
    // thousandths of an inch.
    virtual void ZoomChanged(double zoom) = 0;
    // Lists the system's MIDI output devices away from the user-interface thread; the names
    // come back through CMChartViewModel::FillMidiOutList.
    virtual void RequestMidiOutDevices() = 0;
    // The source editor over `source`; true, with the text in `edited`, when the user confirmed.
    virtual bool EditSource(const CMString& source, CMString& edited) = 0;
    // Print, Quick Print, Print Preview or Print Setup, by command identifier.
    virtual void Print(int command) = 0;
    // Export as PDF, PNG, SVG, MusicXML or a songbook, by command identifier.
    virtual void Export(int command) = 0;
    virtual void UpdateCommands() = 0;
};
