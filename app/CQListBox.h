// Kelvar::Control::CQListBox: a list of text lines as the output pane shows them. Text comes in
// through AddLines, split at line feeds, with an optional date and time before each line; the
// whole text is copied into the log file; the list keeps its last 4,000 lines and a selection
// that follows the end while the user leaves it there. A view (the desktop program's Qt model)
// hears every change as it happens.
#pragma once

#include "app/CQLogFile.h"

#include <ctime>
#include <deque>
#include <functional>
#include <string>

namespace Kelvar::Control {

// What a view of the list is told: insertions and removals announced before and confirmed after
// they happen (the order Qt's item models need), and the selected line after each change.
class IQListBoxView {
public:
    virtual ~IQListBoxView() = default;
    virtual void BeginInsertLines(int first, int last) = 0;
    virtual void EndInsertLines() = 0;
    virtual void BeginRemoveLines(int first, int last) = 0;
    virtual void EndRemoveLines() = 0;
    virtual void SelectionChanged(int line) = 0;  // -1: none
};

class CQListBox {
public:
    static constexpr int kMaxLines = 4000;

    // Adds the lines of `text` (null or empty adds nothing), logs the text, drops the oldest
    // lines beyond the limit and moves the selection as the user would expect.
    void AddLines(const char* text);
    // Removes every line; the log file keeps what it has.
    void Clear();

    int GetCount() const { return static_cast<int>(m_lines.size()); }
    const std::string& GetLine(int line) const { return m_lines[static_cast<std::size_t>(line)]; }
    // The selected line, -1 for none.
    int GetSelection() const { return m_selection; }
    // Selects `line` (the user clicked it), -1 for none; lines outside the list select nothing.
    void SetSelection(int line);

    // The view told of every change; not owned, may be null.
    void SetView(IQListBoxView* view) { m_view = view; }
    // Where the date and time of the prefixes come from; the calendar clock unless set (tests).
    void SetClock(std::function<std::time_t()> clock) { m_clock = std::move(clock); }

    bool showDate = false;
    bool showTime = false;
    File::CQLogFile logFile;

private:
    std::string Prefix() const;
    void Append(const std::deque<std::string>& lines);
    int RemoveOldest();
    void Select(int line);

    std::deque<std::string> m_lines;
    int m_selection = -1;
    IQListBoxView* m_view = nullptr;
    std::function<std::time_t()> m_clock;
};

// The text put before each line: the date ("2026/12/06") and/or the time ("14:05:09") of `when`
// in local time, then "  |  "; empty when neither is asked for.
std::string LinePrefix(bool date, bool time, std::time_t when);

}  // namespace Kelvar::Control
