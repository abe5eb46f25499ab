// The panes and the options sheet in the main window: the whole song-server conversation from the
// network view against zimbrel-server on loopback (connect, register through the dialog, log in,
// upload, query, download into ./Data/, the song appearing in the song view), the song view
// driving the chart view (open song from list, Refresh, Edit song), and the options sheet's OK
// (the chart drawn again) and Cancel.
#include "app/CMOptionsSheet.h"
#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CEditSourceDlg.h"
#include "gui/CMainFrame.h"
#include "gui/CNetworkView.h"
#include "gui/CSongView.h"
#include "gui/CSourceEdit.h"
#include "gui/CZimbrelPropertySheet.h"
#include "gui/CZimbrelView.h"
#include "settings/CMChartSettings.h"
#include "settings/CMZimbrelIni.h"
#include "tests/FileContents.h"
#include "tests/gui/WindowTest.h"
#include "tests/server/ServerProcess.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

namespace C = CommandId;

bool DebugHas(CMainFrame& frame, const std::string& line)
{
    const auto& debug = frame.Output().Debug();
    for (int i = 0; i < debug.GetCount(); ++i)
        if (debug.GetLine(i) == line)
            return true;
    return false;
}

using PanesTest = InFreshFolder;

}  // namespace

TEST_F(PanesTest, WholeConversationFromTheNetworkView)
{
    ServerProcess server;
    ASSERT_TRUE(server.Start(ZIMBREL_SERVER_PROGRAM, "songs.sqlite", "server.log",
                             {"--fast-password-hashing"}));
    WriteFileContents("Data/Blues.zimbrel", "title { Blues }\nchord { F7 | Bb7 | F7 | F7 ||\n}\n");
    CMainFrame frame;
    frame.Settings().port = server.GetPort();
    const CMNetworkPane& pane = frame.NetworkView()->Pane();
    CCommandActions& actions = frame.Actions();
    actions.Execute(C::NetConnect);
    ASSERT_TRUE(WaitFor([&pane] { return pane.IsConnected(); }));
    EXPECT_TRUE(WaitFor([&] { return actions.Action(C::NetLogIn)->isEnabled(); }));

    // No account stored: Log in opens the register dialog, which asks before it closes.
    AnswerNextModal<QDialog>([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("User ID")->setText(" ann ");
        dialog.findChild<QLineEdit*>("E-mail")->setText("Ann@Example.org");
        dialog.findChild<QLineEdit*>("Password")->setText("secret1");
        AnswerNextModal<QMessageBox>(
            [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
        dialog.accept();
    });
    actions.Execute(C::NetLogIn);
    ASSERT_TRUE(WaitFor([&] { return DebugHas(frame, "Registered successfully"); }));

    frame.Settings().email = "ann@example.org";
    frame.Settings().password = "secret1";
    actions.Execute(C::NetLogIn);
    ASSERT_TRUE(WaitFor([&pane] { return pane.IsLoggedIn(); }));
    frame.OpenDocument("Data/Blues.zimbrel");
    actions.Execute(C::NetUploadSong);
    ASSERT_TRUE(WaitFor([&] { return DebugHas(frame, "Uploaded successfully"); }));

    // The song goes from the folder and comes back from the server.
    QTreeWidget* songs = frame.SongView()->Tree();
    std::filesystem::remove("Data/Blues.zimbrel");
    ASSERT_TRUE(WaitFor([songs] { return songs->topLevelItemCount() == 0; }));
    actions.Execute(C::NetQuerySongList);
    QTableView* list = frame.NetworkView()->SongList();
    ASSERT_TRUE(WaitFor([list] { return list->model()->rowCount() == 1; }));
    EXPECT_EQ(list->model()->index(0, 0).data(), "Blues");
    list->selectRow(0);
    actions.Execute(C::NetDownloadSong);
    ASSERT_TRUE(WaitFor([songs] { return songs->topLevelItemCount() == 1; }));
    EXPECT_EQ(FileContents("Data/Blues.zimbrel"),
              "title { Blues }\nchord { F7 | Bb7 | F7 | F7 ||\n}\n");
    actions.Execute(C::NetConnect);
    EXPECT_FALSE(actions.Action(C::NetConnect)->isChecked());
}

TEST_F(PanesTest, TheSongViewOpensRefreshesAndEditsThroughTheChartView)
{
    const std::string blues = "title { Blues }\nchord { F7 | Bb7 | F7 | F7 ||\n}\n";
    WriteFileContents("Data/Blues.zimbrel", blues);
    WriteFileContents("Data/alpha.zimbrel", "title { Alpha }\nchord { C | }\n");
    CMainFrame frame;
    QTreeWidget* songs = frame.SongView()->Tree();
    ASSERT_EQ(songs->topLevelItemCount(), 2);
    EXPECT_EQ(songs->topLevelItem(0)->text(0), "alpha");

    // Chosen by hand, a title posts open song from list, which reads the song view's choice.
    songs->setCurrentItem(songs->topLevelItem(1));
    ASSERT_TRUE(WaitFor([&frame] { return frame.Document().GetTitle() == "Blues"; }));

    // Refresh fills the tree at once, the document's title still chosen.
    WriteFileContents("Data/Coda.zimbrel", "title { Coda }\nchord { G7 | C | }\n");
    frame.Actions().Execute(C::Refresh);
    ASSERT_EQ(songs->topLevelItemCount(), 3);
    EXPECT_EQ(frame.SongView()->GetSelectedTitle(), "Blues");

    // The pane's Properties button posts Edit song: the source editor opens on the document and
    // hands the edit back to it.
    QByteArray shown;
    frame.Actions().Execute(C::SongProperties);
    AnswerNextModal<CEditSourceDlg>([&shown](CEditSourceDlg& editor) {
        shown = editor.Bytes();
        editor.Editor()->setPlainText("title { Short }\nchord { Dm7 | G7 | }\n");
        editor.accept();
    });
    ASSERT_TRUE(WaitFor([&frame] { return frame.isWindowModified(); }));
    EXPECT_EQ(shown.toStdString(), blues);
    EXPECT_EQ(frame.Document().GetSource(), "title { Short }\nchord { Dm7 | G7 | }\n");
}

TEST_F(PanesTest, OptionsSheetTakesItsValuesOnOkOnly)
{
    WriteFileContents("Data/Minor.zimbrel",
                      "title { Minor }\nchord { Am7 | Dm7 | E7 | Am7 ||\n}\n");
    CMainFrame frame;
    frame.resize(1000, 700);
    ASSERT_TRUE(frame.OpenDocument("Data/Minor.zimbrel"));
    const auto chart = [&frame] { return frame.ChartView()->viewport()->grab().toImage(); };
    const QImage before = chart();
    const auto choose = [](QDialog& dialog, const char* list, const char* item) {
        auto* box = dialog.findChild<QComboBox*>(list);
        box->setCurrentIndex(box->findText(item));
    };
    AnswerNextModal<CZimbrelPropertySheet>([&choose](CZimbrelPropertySheet& sheet) {
        EXPECT_EQ(sheet.Stack()->currentIndex(), CMOptionsSheet::GeneralPage);
        choose(sheet, "User-defined key", "+3");
        choose(sheet, "Chord style", "Symbol");
        sheet.ShowPage(CMOptionsSheet::TempoPage);
        sheet.accept();
    });
    frame.Actions().Execute(C::Options);
    EXPECT_EQ(frame.Settings().userDefinedKey, 3);
    EXPECT_EQ(frame.ChartSettings().chordStyle, 3);
    EXPECT_NE(chart(), before);  // drawn again with the chords as symbols
    const std::string saved = FileContents("Zimbrel.ini");

    AnswerNextModal<CZimbrelPropertySheet>([&choose](CZimbrelPropertySheet& sheet) {
        EXPECT_EQ(sheet.Stack()->currentIndex(), CMOptionsSheet::TempoPage);  // remembered
        choose(sheet, "User-defined key", "-7");
        sheet.reject();
    });
    frame.Actions().Execute(C::Options);
    EXPECT_EQ(frame.Settings().userDefinedKey, 3);
    EXPECT_EQ(FileContents("Zimbrel.ini"), saved);
    CMOptionsSheet::RememberPage(CMOptionsSheet::GeneralPage);
}
