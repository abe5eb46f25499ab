// The main window as it starts: every ribbon element with its texts, the status bar, the five
// panes where they belong, the output banner; the pane buttons showing, hiding and checking; the
// look stored and found again at the next start.
#include "app/ApplicationLook.h"
#include "app/CMCommandTable.h"
#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CMainFrame.h"
#include "gui/COutputWnd.h"
#include "gui/Looks.h"
#include "gui/RibbonBar.h"
#include "tests/TempDir.h"
#include "tests/WorkDir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Runs each test in a fresh working folder, so the log file lands there.
class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() : m_inside(m_folder.Root()) {}
    void SetUp() override
    {
        ASSERT_TRUE(m_inside.Entered());
        QSettings(QStringLiteral("Corvix"), QStringLiteral("Zimbrel")).clear();
    }

private:
    TempDir m_folder;
    WorkDir m_inside;
};

bool ShowsAction(const QWidget* ribbon, const QAction* action)
{
    for (const QToolButton* button : ribbon->findChildren<QToolButton*>()) {
        if (button->defaultAction() == action)
            return true;
    }
    for (const QCheckBox* box : ribbon->findChildren<QCheckBox*>()) {
        if (box->text() == action->text())
            return true;
    }
    for (const QLabel* label : ribbon->findChildren<QLabel*>()) {
        if (label->text() == action->text())
            return true;
    }
    return false;
}

bool InMenus(const QWidget* frame, const QAction* action)
{
    for (const QMenu* menu : frame->findChildren<QMenu*>()) {
        if (menu->actions().contains(action))
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
    EXPECT_EQ(ribbon->TabTitle(0), "&Home");
    EXPECT_EQ(ribbon->TabTitle(1), "&Others");

    for (const CMCommandInfo& command : CommandTable()) {
        const QAction* action = frame.Actions().Action(command.id);
        ASSERT_NE(action, nullptr) << command.id;
        EXPECT_EQ(action->text(), QString::fromUtf8(command.caption));
        EXPECT_EQ(action->statusTip(), QString::fromStdString(CommandDescription(command)));
        if (command.kind == CMCommandKind::Slider)
            continue;  // a slider shows no caption: found below by its identifier
        EXPECT_TRUE(ShowsAction(&frame, action) || InMenus(&frame, action))
            << command.caption << " (" << command.id << ") is nowhere to be seen";
    }
    // The value controls answer by their identifiers, as the chart view's commands reach them.
    IMRibbonControls& controls = frame.Controls();
    for (const int slider : {CommandId::TransposeSlider, CommandId::TempoSlider}) {
        controls.SetRange(slider, 30, 360, 10);
        controls.SetPosition(slider, 400);
        EXPECT_EQ(controls.GetPosition(slider), 360) << slider;
    }
    controls.SetText(CommandId::TempoBox, "160");
    EXPECT_EQ(controls.GetText(CommandId::TempoBox), "160");
    EXPECT_EQ(controls.GetItemCount(CommandId::RepeatList), 11);
    EXPECT_EQ(controls.GetItem(CommandId::PrecountList, 2), " 2 measures precount");
    controls.AddItem(CommandId::BandList, " Zimbrel Trio");
    controls.SetCurSel(CommandId::BandList, 0);
    EXPECT_EQ(controls.GetCurSel(CommandId::BandList), 0);
    EXPECT_EQ(controls.GetItem(CommandId::BandList, 0), " Zimbrel Trio");

    EXPECT_EQ(frame.Actions().Action(CommandId::FileNew)->shortcut(), QKeySequence::New);
    EXPECT_EQ(frame.Actions().Action(CommandId::FilePrint)->shortcut(), QKeySequence::Print);
    // The chart view carries its commands and the options sheet; nothing carries the clipboard's.
    EXPECT_TRUE(frame.Actions().Action(CommandId::Play)->isEnabled());
    EXPECT_FALSE(frame.Actions().Action(CommandId::EditCut)->isEnabled());
    EXPECT_TRUE(frame.Actions().Action(CommandId::Options)->isEnabled());
    EXPECT_TRUE(frame.Actions().Action(CommandId::ViewOutput)->isEnabled());

    const QStatusBar* status = frame.statusBar();
    QStringList texts;
    for (const QLabel* label : status->findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("Pane 1"));
    EXPECT_TRUE(texts.contains("Zoom"));
    const QWidget* zoom = status->findChild<QWidget*>("Zoom Slider");
    ASSERT_NE(zoom, nullptr);
    const QSlider* slider = zoom->findChild<QSlider*>();
    EXPECT_EQ(slider->minimum(), 50);
    EXPECT_EQ(slider->maximum(), 250);
    EXPECT_EQ(slider->value(), 100);

    const std::pair<CMPane, Qt::DockWidgetArea> places[] = {
        {CMPane::SongView, Qt::LeftDockWidgetArea},
        {CMPane::MusicianView, Qt::LeftDockWidgetArea},
        {CMPane::NetworkView, Qt::LeftDockWidgetArea},
        {CMPane::Output, Qt::BottomDockWidgetArea},
        {CMPane::Properties, Qt::RightDockWidgetArea}};
    for (const auto& [pane, area] : places)
        EXPECT_EQ(frame.dockWidgetArea(frame.Pane(pane)), area);
    EXPECT_EQ(frame.Pane(CMPane::SongView)->windowTitle(), "Song View");
    const QList<QDockWidget*> tabbed = frame.tabifiedDockWidgets(frame.Pane(CMPane::SongView));
    EXPECT_TRUE(tabbed.contains(frame.Pane(CMPane::MusicianView)));
    EXPECT_TRUE(tabbed.contains(frame.Pane(CMPane::NetworkView)));

    const QAbstractItemModel* output = frame.OutputWindow()->OutputList()->model();
    ASSERT_EQ(output->rowCount(), 5);
    EXPECT_EQ(output->index(1, 0).data().toString(), "Zimbrel");
    EXPECT_EQ(frame.OutputWindow()->tabText(0), "Output");
    EXPECT_EQ(frame.OutputWindow()->tabText(1), "Debug");
}

TEST_F(MainFrameTest, PaneButtonsShowHideAndCheck)
{
    CMainFrame frame;
    frame.show();
    QCoreApplication::processEvents();  // the panes report being shown
    // A pane behind another's tab counts as shown.
    for (const int id :
         {CommandId::ViewSongView, CommandId::ViewMusicianView, CommandId::ViewNetworkView,
          CommandId::ViewOutput, CommandId::ViewProperties})
        EXPECT_TRUE(frame.Actions().Action(id)->isChecked()) << id;
    QAction* toggle = frame.Actions().Action(CommandId::ViewOutput);
    QDockWidget* output = frame.Pane(CMPane::Output);
    ASSERT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_TRUE(output->isHidden());
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(output->isVisible());
    EXPECT_TRUE(toggle->isChecked());

    // A pane closed by its own button unchecks its ribbon button too.
    output->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(toggle->isChecked());

    QAction* statusBar = frame.Actions().Action(CommandId::ViewStatusBar);
    statusBar->trigger();
    EXPECT_TRUE(frame.statusBar()->isHidden());
    EXPECT_FALSE(statusBar->isChecked());
}

TEST_F(MainFrameTest, TheLookIsStoredAndComesBackAtTheNextStart)
{
    {
        CMainFrame frame;
        EXPECT_TRUE(frame.Actions().Action(kDefaultLook)->isChecked());
        EXPECT_EQ(QApplication::palette().color(QPalette::Window),
                  LookFor(kDefaultLook).palette.color(QPalette::Window));
        frame.Actions().Action(217)->trigger();
        EXPECT_TRUE(frame.Actions().Action(217)->isChecked());
        EXPECT_FALSE(frame.Actions().Action(kDefaultLook)->isChecked());
    }
    EXPECT_EQ(QSettings(QStringLiteral("Corvix"), QStringLiteral("Zimbrel"))
                  .value("ApplicationLook")
                  .toInt(),
              217);
    CMainFrame next;
    EXPECT_TRUE(next.Actions().Action(217)->isChecked());
    EXPECT_EQ(QApplication::palette().color(QPalette::Window),
              LookFor(217).palette.color(QPalette::Window));

    // A damaged profile entry gives the default look.
    QSettings(QStringLiteral("Corvix"), QStringLiteral("Zimbrel"))
        .setValue("ApplicationLook", "purple");
    CMainFrame damaged;
    EXPECT_TRUE(damaged.Actions().Action(kDefaultLook)->isChecked());
}
