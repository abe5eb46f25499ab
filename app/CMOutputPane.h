// CMOutputPane: the output pane's two line lists, "Output" (the banner, the compile and play
// messages) and "Debug" (the network log, the performance listing). Both copy every line into
// ./Zimbrel.log in the working folder. Whatever reports to the user writes here; the desktop
// program shows the two lists in tabs.
#pragma once

#include "app/CQListBox.h"
#include "core/CMString.h"

class CMOutputPane {
public:
    // Both lists log to ./Zimbrel.log; "Output" starts with the banner.
    CMOutputPane();

    void WriteOutput(const CMString& text) { m_output.AddLines(text.GetText()); }
    void WriteDebug(const CMString& text) { m_debug.AddLines(text.GetText()); }

    Kelvar::Control::CQListBox& Output() { return m_output; }
    Kelvar::Control::CQListBox& Debug() { return m_debug; }

private:
    Kelvar::Control::CQListBox m_output;
    Kelvar::Control::CQListBox m_debug;
};
