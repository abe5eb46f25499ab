// The command route and the frame's own commands: which target answers, what a command without
// a target shows, the panes and the status bar toggled and checked, and the looks chosen,
// applied and stored.
#include "app/ApplicationLook.h"
#include "app/CMCommandRouter.h"
#include "app/CMCommandTable.h"
#include "app/CMFrameCommands.h"
#include "app/CommandIds.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

class FakeFrame : public IMFrameShell {
public:
    bool IsPaneVisible(CMPane pane) const override { return visible.count(pane) > 0; }
    void ShowPane(CMPane pane, bool show) override
    {
        if (show)
            visible.insert(pane);
        else
            visible.erase(pane);
    }
    bool IsStatusBarVisible() const override { return statusBar; }
    void ShowStatusBar(bool show) override { statusBar = show; }
    void ApplyLook(int look) override { applied.push_back(look); }
    void StoreLook(int look) override { stored.push_back(look); }
    void ShowAbout() override { ++abouts; }
    void ShowHelpTopics() override {}
    void Exit() override {}

    std::set<CMPane> visible = {CMPane::Output};
    bool statusBar = true;
    std::vector<int> applied;
    std::vector<int> stored;
    int abouts = 0;
};

// A target that carries one command, checked, and counts its runs.
class OneCommand : public IMCommandTarget {
public:
    explicit OneCommand(int id) : m_id(id) {}
    bool OnCommand(int id) override
    {
        if (id != m_id)
            return false;
        ++runs;
        return true;
    }
    bool OnUpdateCommand(int id, CMCommandUI& ui) const override
    {
        ui.checked = true;
        return id == m_id;
    }
    int runs = 0;

private:
    int m_id;
};

}  // namespace

TEST(CommandRouter, TheViewAnswersBeforeTheFrameAndUncarriedCommandsAreDisabled)
{
    FakeFrame frame;
    CMFrameCommands frameCommands(frame);
    OneCommand view(CommandId::AppAbout);
    CMCommandRouter router;
    router.AddTarget(CMCommandLayer::Frame, frameCommands);
    router.AddTarget(CMCommandLayer::View, view);  // added later, still asked first

    EXPECT_TRUE(router.Execute(CommandId::AppAbout));
    EXPECT_EQ(view.runs, 1);
    EXPECT_EQ(frame.abouts, 0);
    EXPECT_TRUE(router.Update(CommandId::AppAbout).checked);

    router.RemoveTarget(view);
    EXPECT_TRUE(router.Execute(CommandId::AppAbout));
    EXPECT_EQ(frame.abouts, 1);

    EXPECT_FALSE(router.Execute(CommandId::Play));
    const CMCommandUI play = router.Update(CommandId::Play);
    EXPECT_FALSE(play.enabled);
    EXPECT_FALSE(play.checked);
}

TEST(FrameCommands, PaneAndStatusBarButtonsShowHideAndCheck)
{
    FakeFrame frame;
    CMFrameCommands commands(frame);
    const std::map<int, CMPane> panes = {{CommandId::ViewSongView, CMPane::SongView},
                                         {CommandId::ViewMusicianView, CMPane::MusicianView},
                                         {CommandId::ViewNetworkView, CMPane::NetworkView},
                                         {CommandId::ViewOutput, CMPane::Output},
                                         {CommandId::ViewProperties, CMPane::Properties}};
    for (const auto& [id, pane] : panes) {
        CMCommandUI before;
        ASSERT_TRUE(commands.OnUpdateCommand(id, before));
        ASSERT_TRUE(commands.OnCommand(id));
        CMCommandUI after;
        commands.OnUpdateCommand(id, after);
        EXPECT_NE(before.checked, after.checked) << id;
        EXPECT_EQ(after.checked, frame.IsPaneVisible(pane)) << id;
        EXPECT_TRUE(after.enabled);
    }
    ASSERT_TRUE(commands.OnCommand(CommandId::ViewStatusBar));
    CMCommandUI statusBar;
    commands.OnUpdateCommand(CommandId::ViewStatusBar, statusBar);
    EXPECT_FALSE(frame.statusBar || statusBar.checked);
}

TEST(FrameCommands, LooksAreAppliedCheckedAndStored)
{
    FakeFrame frame;
    CMFrameCommands commands(frame);
    commands.StartLook(std::nullopt);  // nothing stored: the dark default
    EXPECT_EQ(frame.applied, std::vector<int>{216});
    EXPECT_TRUE(frame.stored.empty());

    ASSERT_TRUE(commands.OnCommand(217));  // applied and stored: tests/gui, MainFrameTest
    for (const CMLookInfo& look : ApplicationLooks()) {
        CMCommandUI ui;
        ASSERT_TRUE(commands.OnUpdateCommand(look.id, ui));
        EXPECT_EQ(ui.checked, look.id == 217) << look.id;
    }

    // 211 to 214 keep the colour of the 215 to 218 family, blue outside it.
    commands.OnCommand(212);
    EXPECT_EQ(commands.GetLook(), 217);
    commands.OnCommand(206);
    commands.OnCommand(214);
    EXPECT_EQ(commands.GetLook(), 215);

    const std::pair<int, int> started[] = {{205, 205}, {219, 219}, {213, 216},
                                           {0, 216},   {220, 216}, {-1, 216}};
    for (const auto& [stored, shown] : started) {
        commands.StartLook(stored);
        EXPECT_EQ(commands.GetLook(), shown) << stored;
    }
}

TEST(CommandTable, IdentifiersAreUniqueAndPromptsSplitIntoDescriptionAndTitle)
{
    std::set<int> ids;
    for (const CMCommandInfo& command : CommandTable())
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;
    EXPECT_EQ(FindCommand(12345), nullptr);

    const CMCommandInfo* songView = FindCommand(CommandId::ViewSongView);
    ASSERT_NE(songView, nullptr);
    EXPECT_EQ(CommandDescription(*songView), "Show or hide the song view");
    EXPECT_EQ(CommandTooltipTitle(*songView), "Toggle Song View");
    ASSERT_EQ(RepeatListItems().size(), 11u);
    EXPECT_EQ(RepeatListItems()[2], " Repeat twice");
    EXPECT_EQ(RepeatListItems()[10], " Repeat 10 times");
}
