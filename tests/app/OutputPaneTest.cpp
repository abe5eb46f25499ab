// The output pane's lists: splitting, the 4,000-line cap, where the selection goes, the prefixes,
// the banner, and the log file with its rotation, as a view of the list sees them.
#include "app/CMOutputPane.h"
#include "tests/FileContents.h"
#include "tests/TempDir.h"
#include "tests/WorkDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>

using Kelvar::Control::CQListBox;
using Kelvar::File::CQLogFile;

namespace {

// A view that checks the order a Qt model needs: each change announced with the list still as
// it was, confirmed with the list as it is now.
class CheckingView : public Kelvar::Control::IQListBoxView {
public:
    explicit CheckingView(const CQListBox& list) : m_list(list) {}
    void BeginInsertLines(int first, int last) override
    {
        EXPECT_EQ(first, m_list.GetCount());
        m_expected = last + 1;
        inserted += last - first + 1;
    }
    void EndInsertLines() override { EXPECT_EQ(m_list.GetCount(), m_expected); }
    void BeginRemoveLines(int first, int last) override
    {
        EXPECT_EQ(first, 0);
        m_expected = m_list.GetCount() - (last + 1);
        removed += last - first + 1;
    }
    void EndRemoveLines() override { EXPECT_EQ(m_list.GetCount(), m_expected); }
    void SelectionChanged(int line) override { selection = line; }

    int inserted = 0;
    int removed = 0;
    int selection = -2;

private:
    const CQListBox& m_list;
    int m_expected = 0;
};

CQListBox ListWithoutLog()
{
    CQListBox list;
    list.logFile.enabled = false;
    return list;
}

void AddNumberedLines(CQListBox& list, int count)
{
    for (int i = 0; i < count; ++i)
        list.AddLines(("line " + std::to_string(i)).c_str());
}

}  // namespace

TEST(OutputList, KeepsTheLast4000LinesAndFollowsTheEnd)
{
    CQListBox list = ListWithoutLog();
    CheckingView view(list);
    list.SetView(&view);
    AddNumberedLines(list, 4001);
    EXPECT_EQ(list.GetCount(), 4000);
    EXPECT_EQ(list.GetLine(0), "line 1");
    EXPECT_EQ(list.GetLine(3999), "line 4000");
    EXPECT_EQ(list.GetSelection(), 3999);
    EXPECT_EQ(view.selection, 3999);
    EXPECT_EQ(view.inserted, 4001);
    EXPECT_EQ(view.removed, 1);

    // One text of 4,001 lines does the same at once.
    std::string text;
    for (int i = 0; i < 4001; ++i)
        text += (i ? "\n" : "") + std::to_string(i);
    CQListBox big = ListWithoutLog();
    big.AddLines(text.c_str());
    EXPECT_EQ(big.GetCount(), 4000);
    EXPECT_EQ(big.GetLine(0), "1");
    EXPECT_EQ(big.GetSelection(), 3999);
}

TEST(OutputList, SplitsAtLineFeedsDropsCarriageReturnsAndLogsTheTextOnce)
{
    TempDir dir;
    CQListBox list;
    list.logFile.baseName = dir.Path("Zimbrel");
    list.AddLines("one\r\ntwo\nthree");
    list.AddLines("");
    list.AddLines(nullptr);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetLine(0), "one");
    EXPECT_EQ(list.GetLine(1), "two");
    EXPECT_EQ(list.GetLine(2), "three");
    EXPECT_EQ(FileContents(dir.Path("Zimbrel.log")), "one\r\ntwo\nthree\r\n");

    // A closing line feed adds an empty line, as the messages that end in one show.
    list.AddLines("Error : Cannot create MIDI file 'x'.\n");
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.GetLine(4), "");
}

TEST(OutputList, SelectionStaysWhereTheUserPutIt)
{
    struct Case {
        int linesBefore;
        int selected;  // chosen by the user before the text arrives
        int linesAdded;
        int selectedAfter;
    };
    const Case cases[] = {
        {10, 9, 2, 11},   // the last line: follows the end
        {10, 5, 2, 5},    // within the cap: does not move
        {3999, 5, 3, 3},  // two lines dropped: moves up by two
        {3999, 1, 5, 0},  // its line dropped: the first line
        {10, -1, 2, -1},  // nothing selected in a list with lines: nothing selected
        {0, -1, 1, 0},    // an empty list follows its end
        {4000, 3999, 4000, 3999},
    };
    for (const Case& c : cases) {
        CQListBox list = ListWithoutLog();
        AddNumberedLines(list, c.linesBefore);
        list.SetSelection(c.selected);
        std::string text = "new";
        for (int i = 1; i < c.linesAdded; ++i)
            text += "\nnew";
        list.AddLines(text.c_str());
        EXPECT_EQ(list.GetSelection(), c.selectedAfter)
            << c.linesBefore << " lines, line " << c.selected << " selected, " << c.linesAdded
            << " added";
    }
}

TEST(OutputList, PrefixesLinesWithDateAndTime)
{
    setenv("TZ", "UTC", 1);
    tzset();
    static constexpr std::time_t when = 1796565909;  // 2026-12-06 14:05:09 UTC
    EXPECT_EQ(Kelvar::Control::LinePrefix(true, true, when), "2026/12/06 14:05:09  |  ");
    EXPECT_EQ(Kelvar::Control::LinePrefix(true, false, when), "2026/12/06  |  ");
    EXPECT_EQ(Kelvar::Control::LinePrefix(false, true, when), "14:05:09  |  ");
    EXPECT_EQ(Kelvar::Control::LinePrefix(false, false, when), "");

    CQListBox list = ListWithoutLog();
    list.showTime = true;
    list.SetClock([] { return when; });
    list.AddLines("a\nb");
    EXPECT_EQ(list.GetLine(0), "14:05:09  |  a");
    EXPECT_EQ(list.GetLine(1), "14:05:09  |  b");
}

TEST(OutputPane, StartsWithTheBannerInOutputAndInZimbrelLog)
{
    TempDir dir;
    WorkDir inside(dir.Root());
    ASSERT_TRUE(inside.Entered());
    CMOutputPane pane;
    const char* const banner[] = {"==================================================", "Zimbrel",
                                  "    ver 1.00", " ",
                                  "=================================================="};
    ASSERT_EQ(pane.Output().GetCount(), 5);
    std::string logged;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pane.Output().GetLine(i), banner[i]);
        logged += std::string(banner[i]) + "\r\n";
    }
    EXPECT_EQ(pane.Debug().GetCount(), 0);
    pane.WriteDebug("->Logon(01)");
    EXPECT_EQ(FileContents(dir.Path("Zimbrel.log")), logged + "->Logon(01)\r\n");
}

TEST(LogFile, RotatesAtExactlyTheLimitIntoTenOlderFiles)
{
    TempDir dir;
    CQLogFile log;
    log.baseName = dir.Path("Zimbrel");
    EXPECT_EQ(log.OldFileName(1), dir.Path("Zimbrel001.log"));
    for (int number = 1; number <= 10; ++number)
        WriteFileContents(log.OldFileName(number), std::to_string(number));

    // One byte short of 1,024 KB: no rotation.
    WriteFileContents(log.CurrentFileName(), std::string(1048575, 'a'));
    log.Append("b");
    EXPECT_EQ(FileContents(log.CurrentFileName()).size(), 1048575u + 3);
    EXPECT_EQ(FileContents(log.OldFileName(1)), "1");

    WriteFileContents(log.CurrentFileName(), std::string(1048576, 'a'));
    log.Append("next");
    EXPECT_EQ(FileContents(log.CurrentFileName()), "next\r\n");
    EXPECT_EQ(FileContents(log.OldFileName(1)), std::string(1048576, 'a'));
    for (int number = 2; number <= 10; ++number)
        EXPECT_EQ(FileContents(log.OldFileName(number)), std::to_string(number - 1));
    struct stat status {};
    EXPECT_NE(stat(log.OldFileName(11).c_str(), &status), 0);

    // Without older files to keep the file only grows.
    CQLogFile unrotated;
    unrotated.baseName = dir.Path("Single");
    unrotated.oldFiles = 0;
    WriteFileContents(unrotated.CurrentFileName(), std::string(1048576, 'a'));
    unrotated.Append("x");
    EXPECT_EQ(FileContents(unrotated.CurrentFileName()).size(), 1048576u + 3);
}

TEST(LogFile, ALogThatCannotBeWrittenIsSkipped)
{
    TempDir dir;
    CQListBox list;
    list.logFile.baseName = dir.Path("missing/folder/Zimbrel");
    list.AddLines("still shown");
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetLine(0), "still shown");
}
