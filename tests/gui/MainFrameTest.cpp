// The main window's wiring as it starts: every command an action with its texts, shown on the
// ribbon or in a menu, the value controls by identifier, the zoom slider, the five panes where
// they belong, the banner; the pane buttons and the docks keeping each other in step; the look
// applied, stored and found again at the next start. What the commands do is tested in tests/app.
#include "app/ApplicationLook.h"
#include "app/CMCommandTable.h"
#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CMainFrame.h"
#include "gui/COutputWnd.h"
#include "gui/Looks.h"
#include "gui/RibbonBar.h"
#include "tests/gui/WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

using MainFrameTest = InFreshFolder;

// Whether the window shows the action: on a button or in a menu, or as a check box or a label
// saying its caption.
bool Shows(const QWidget* frame, const QAction* action)
{
    for (const QWidget* widget : frame->findChildren<QWidget*>()) {
        const auto* box = qobject_cast<const QCheckBox*>(widget);
        const auto* label = qobject_cast<const QLabel*>(widget);
        if (widget->actions().contains(action) || (box && box->text() == action->text()) ||
            (label && label->text() == action->text()))
            return true;
    }
    return false;
}

}  // namespace

TEST_F(MainFrameTest, StartsWithEveryRibbonElementThePanesAndTheBanner)
{
    CMainFrame frame;
    CRibbonBar* ribbon = frame.Ribbon();
    ASSERT_EQ(ribbon->TabCount(), 2);
    EXPECT_EQ(ribbon->TabTitle(1), "&Others");
    for (const CMCommandInfo& command : CommandTable()) {
        const QAction* action = frame.Actions().Action(command.id);
        ASSERT_NE(action, nullptr) << command.id;
        EXPECT_EQ(action->text(), QString::fromUtf8(command.caption));
        EXPECT_EQ(action->statusTip(), QString::fromStdString(CommandDescription(command)));
        if (command.kind == CMCommandKind::Slider)
            continue;  // a slider shows no caption: found below by its identifier
        EXPECT_TRUE(Shows(&frame, action))
            << command.caption << " (" << command.id << ") is nowhere to be seen";
    }
    // The value controls answer by their identifiers, as the chart view's commands reach them.
    IMRibbonControls& controls = frame.Controls();
    controls.SetRange(CommandId::TempoSlider, 30, 360, 10);
    controls.SetPosition(CommandId::TempoSlider, 400);
    EXPECT_EQ(controls.GetPosition(CommandId::TempoSlider), 360);
    controls.SetText(CommandId::TempoBox, "160");
    EXPECT_EQ(controls.GetText(CommandId::TempoBox), "160");
    EXPECT_EQ(controls.GetItem(CommandId::PrecountList, 2), " 2 measures precount");
    EXPECT_EQ(frame.Actions().Action(CommandId::FilePrint)->shortcut(), QKeySequence::Print);
    // The actions' states come through the command route: the chart view carries Play, nothing
    // carries the clipboard's commands.
    EXPECT_TRUE(frame.Actions().Action(CommandId::Play)->isEnabled());
    EXPECT_FALSE(frame.Actions().Action(CommandId::EditCut)->isEnabled());

    const QSlider* zoom =
        frame.statusBar()->findChild<QWidget*>("Zoom Slider")->findChild<QSlider*>();
    EXPECT_EQ(zoom->minimum(), 50);
    EXPECT_EQ(zoom->maximum(), 250);
    const std::pair<CMPane, Qt::DockWidgetArea> places[] = {
        {CMPane::SongView, Qt::LeftDockWidgetArea},
        {CMPane::MusicianView, Qt::LeftDockWidgetArea},
        {CMPane::NetworkView, Qt::LeftDockWidgetArea},
        {CMPane::Output, Qt::BottomDockWidgetArea},
        {CMPane::Properties, Qt::RightDockWidgetArea}};
    for (const auto& [pane, area] : places)
        EXPECT_EQ(frame.dockWidgetArea(frame.Pane(pane)), area);
    const QList<QDockWidget*> tabbed = frame.tabifiedDockWidgets(frame.Pane(CMPane::SongView));
    EXPECT_TRUE(tabbed.contains(frame.Pane(CMPane::MusicianView)));
    EXPECT_TRUE(tabbed.contains(frame.Pane(CMPane::NetworkView)));
    // The banner reaches the output window.
    EXPECT_EQ(frame.OutputWindow()->OutputList()->model()->rowCount(), 5);
}

TEST_F(MainFrameTest, PaneButtonsFollowTheDocks)
{
    CMainFrame frame;
    frame.show();
    QCoreApplication::processEvents();  // the panes report being shown
    // A pane behind another's tab counts as shown.
    EXPECT_TRUE(frame.Actions().Action(CommandId::ViewMusicianView)->isChecked());
    QAction* toggle = frame.Actions().Action(CommandId::ViewOutput);
    QDockWidget* output = frame.Pane(CMPane::Output);
    toggle->trigger();
    EXPECT_TRUE(output->isHidden());
    toggle->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(output->isVisible());
    // A pane closed by its own button unchecks its ribbon button too.
    output->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(toggle->isChecked());
    frame.Actions().Action(CommandId::ViewStatusBar)->trigger();
    EXPECT_TRUE(frame.statusBar()->isHidden());
}

TEST_F(MainFrameTest, TheLookIsAppliedStoredAndComesBackAtTheNextStart)
{
    {
        CMainFrame frame;
        frame.Actions().Action(217)->trigger();
        EXPECT_EQ(QApplication::palette().color(QPalette::Window),
                  LookFor(217).palette.color(QPalette::Window));
    }
    CMainFrame next;
    EXPECT_TRUE(next.Actions().Action(217)->isChecked());
}
