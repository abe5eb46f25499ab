// The output list's rules: splitting, the line limit and where the selection goes.
#include "app/CQListBox.h"

#include <cstring>

namespace Kelvar::Control {

std::string LinePrefix(bool date, bool time, std::time_t when)
{
    if (!date && !time)
        return {};
    std::tm local{};
    localtime_r(&when, &local);
    const char* format = date && time ? "%Y/%m/%d %H:%M:%S" : date ? "%Y/%m/%d" : "%H:%M:%S";
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return std::string(text) + "  |  ";
}

std::string CQListBox::Prefix() const
{
    if (!showDate && !showTime)
        return {};
    return LinePrefix(showDate, showTime, m_clock ? m_clock() : std::time(nullptr));
}

void CQListBox::Append(const std::deque<std::string>& lines)
{
    const int first = GetCount();
    if (m_view)
        m_view->BeginInsertLines(first, first + static_cast<int>(lines.size()) - 1);
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    if (m_view)
        m_view->EndInsertLines();
}

int CQListBox::RemoveOldest()
{
    const int excess = GetCount() - kMaxLines;
    if (excess <= 0)
        return 0;
    if (m_view)
        m_view->BeginRemoveLines(0, excess - 1);
    m_lines.erase(m_lines.begin(), m_lines.begin() + excess);
    if (m_view)
        m_view->EndRemoveLines();
    return excess;
}

void CQListBox::AddLines(const char* text)
{
    if (!text || !*text)
        return;
    const int selected = m_selection;
    const int count = GetCount();

    const std::string prefix = Prefix();
    std::deque<std::string> lines(1, prefix);
    for (const char* c = text; *c; ++c) {
        if (*c == '\n')
            lines.push_back(prefix);
        else if (*c != '\r')
            lines.back() += *c;
    }
    Append(lines);
    logFile.Append(text);
    const int removed = RemoveOldest();

    const bool followedEnd = count == 0 ? selected < 0 : selected == count - 1;
    if (followedEnd)
        Select(GetCount() - 1);
    else if (selected < 0 || removed == 0)
        Select(selected);
    else
        Select(selected < removed ? 0 : selected - removed);
}

void CQListBox::Clear()
{
    if (m_lines.empty())
        return;
    if (m_view)
        m_view->BeginRemoveLines(0, GetCount() - 1);
    m_lines.clear();
    if (m_view)
        m_view->EndRemoveLines();
    Select(-1);
}

void CQListBox::SetSelection(int line)
{
    m_selection = line >= 0 && line < GetCount() ? line : -1;
}

void CQListBox::Select(int line)
{
    m_selection = line;
    if (m_view)
        m_view->SelectionChanged(line);
}

}  // namespace Kelvar::Control
