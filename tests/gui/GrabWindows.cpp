// grab_windows OUTDIR [--download-all]: pictures of the desktop program's window, panes and
// dialogs for review, taken offscreen in the current folder (its Data/ and Zimbrel.ini). With a
// song server at the settings' "Server" and "Port" and an account in "Email" and "Password", the
// network view is pictured after a log-in and a query; --download-all then downloads every song
// into Data/. It prints the longest the event loop went without serving a 2 ms heartbeat during
// the conversation: how long the window could not answer the user.
#include "app/CMOptionsSheet.h"
#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CEditSourceDlg.h"
#include "gui/CMainFrame.h"
#include "gui/CMusicianView.h"
#include "gui/CNetworkView.h"
#include "gui/COutputWnd.h"
#include "gui/CRegisterDlg.h"
#include "gui/CZimbrelPropertySheet.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

namespace C = CommandId;

QString g_folder;

void Settle(int ms = 50)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

bool WaitFor(const std::function<bool()>& done, int ms = 30000)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return done();
}

// The longest gap between the beats of a 2 ms timer while it runs.
class Heartbeat {
public:
    Heartbeat()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longestNs = std::max(m_longestNs, m_since.nsecsElapsed());
            m_since.restart();
        });
        m_since.start();
        m_timer.start(2);
    }
    double LongestGapMs() const { return m_longestNs / 1e6; }
    // Taking a picture is no part of the conversation.
    void Pause() { m_timer.stop(); }
    void Resume()
    {
        m_since.restart();
        m_timer.start(2);
    }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_longestNs = 0;
};

void Save(QWidget* widget, const char* name)
{
    Settle();
    const QString path = g_folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!widget->grab().save(path))
        std::fprintf(stderr, "grab_windows: cannot write %s\n", qPrintable(path));
}

void GrabPanes(CMainFrame& frame)
{
    Save(&frame, "window");
    frame.ShowPane(CMPane::MusicianView, true);
    QTreeWidget* musicians = frame.MusicianView()->Tree();
    musicians->setCurrentItem(musicians->topLevelItem(0)->child(4));
    Save(&frame, "window-musicians");
    frame.Actions().Execute(C::GroupByType);
    Save(frame.Pane(CMPane::MusicianView), "pane-musicians-grouped");
    frame.Actions().Execute(C::SortAlphabetic);
}

void GrabNetwork(CMainFrame& frame, bool downloadAll)
{
    Heartbeat heartbeat;
    frame.ShowPane(CMPane::NetworkView, true);
    frame.OutputWindow()->setCurrentIndex(1);
    const CMNetworkPane& pane = frame.NetworkView()->Pane();
    if (!frame.Settings().email.IsEmpty()) {
        frame.Actions().Execute(C::NetConnect);
        WaitFor([&pane] { return pane.IsConnected() || !pane.IsConnecting(); });
        frame.Actions().Execute(C::NetLogIn);
        WaitFor([&pane] { return pane.IsLoggedIn() || pane.GetAwaitedReplies() == 0; });
        frame.Actions().Execute(C::NetQuerySongList);
        WaitFor([&pane] { return pane.GetAwaitedReplies() == 0; });
        frame.NetworkView()->SongList()->selectRow(0);
    }
    heartbeat.Pause();
    Save(&frame, "window-network");
    heartbeat.Resume();
    if (downloadAll) {
        frame.Actions().Execute(C::NetDownloadAll);
        WaitFor([&pane] { return pane.GetAwaitedReplies() == 0 && !pane.HasFileWork(); });
        Settle(500);
    }
    std::printf("longest the window did not answer during the conversation: %.1f ms\n",
                heartbeat.LongestGapMs());
}

void GrabOptions(CMainFrame& frame)
{
    CMOptionsSheet sheet(frame.Settings(), frame.ChartSettings());
    CZimbrelPropertySheet dialog(sheet, &frame);
    dialog.show();
    const char* const names[] = {"options-general", "options-font", "options-account",
                                 "options-tempo"};
    for (int page = 0; page < CMOptionsSheet::kOwnPageCount; ++page) {
        dialog.ShowPage(page);
        Save(&dialog, names[page]);
    }
    // The pages made from a section of the settings table ("Mixer").
    for (std::size_t i = 0; i < sheet.Sections().size(); ++i) {
        dialog.ShowPage(CMOptionsSheet::kOwnPageCount + static_cast<int>(i));
        const std::string name =
            "options-" + QString(sheet.Sections()[i].title).toLower().toStdString();
        Save(&dialog, name.c_str());
    }
    dialog.reject();
}

void GrabRegister(CMainFrame& frame)
{
    CRegisterDlg dialog({"", frame.Settings().email.Str(), ""}, &frame);
    dialog.show();
    Save(&dialog, "register");
    dialog.findChild<QLineEdit*>(QStringLiteral("User ID"))->setText(QStringLiteral("  Ann Lee  "));
    dialog.findChild<QLineEdit*>(QStringLiteral("E-mail"))
        ->setText(QStringLiteral("Ann+x@Example.ORG"));
    dialog.accept();
    Save(&dialog, "register-refused");
    dialog.findChild<QLineEdit*>(QStringLiteral("E-mail"))
        ->setText(QStringLiteral("ann@example.org"));
    dialog.findChild<QLineEdit*>(QStringLiteral("Password"))->setText(QStringLiteral("secret1"));
    QTimer::singleShot(300, [] {
        if (QWidget* question = QApplication::activeModalWidget()) {
            Save(question, "register-question");
            question->close();
        }
    });
    dialog.accept();
}

// The source editor's colours on a song with letters beyond ASCII, which take more bytes than
// characters, and the error band after a broken line.
void GrabEditSource()
{
    const QByteArray source = "title { Café Noir — Ü }\nlyricist { Zoë }\nchord {\n Cm7 | F7 | "
                              "B♭△7 | \"naïve\" E7alt ||\n}\n";
    CEditSourceDlg dialog(source);
    dialog.resize(640, 300);
    dialog.show();
    dialog.CheckNow();
    Settle(100);
    Save(&dialog, "edit-source");
}

}  // namespace

int main(int argc, char** argv)
{
    const bool downloadAll = argc == 3 && qstrcmp(argv[2], "--download-all") == 0;
    if (argc != 2 && !downloadAll) {
        std::fprintf(stderr, "usage: grab_windows OUTDIR [--download-all]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    g_folder = QString::fromLocal8Bit(argv[1]);
    CMainFrame frame;
    frame.resize(1280, 800);
    frame.OpenDocument(QStringLiteral("Data/Example.zimbrel"));
    frame.show();
    Settle(300);
    GrabPanes(frame);
    GrabNetwork(frame, downloadAll);
    GrabOptions(frame);
    GrabRegister(frame);
    GrabEditSource();
    return 0;
}
