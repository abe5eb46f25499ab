// CNetworkView: the network view pane: a toolbar (Connect, Log in, Query song list, Download
// song, Upload song, and a menu with Download all and Upload all songs), the song list with the
// columns "Song" and "Author", and the 100 ms timer that polls the connection. The conversation
// itself is the app's CMNetworkPane; its log goes to the "Debug" tab.
#pragma once

#include "app/CMNetworkCommands.h"
#include "app/CMNetworkPane.h"

#include <QTimer>
#include <QWidget>

#include <string>
#include <tuple>

class CMainFrame;
class CSongListModel;
class QMenu;
class QSortFilterProxyModel;
class QTableView;

class CNetworkView : public QWidget, public IMNetworkShell {
    Q_OBJECT
public:
    explicit CNetworkView(CMainFrame& frame);
    ~CNetworkView() override;

    // The settings the commands read the account and the server from; not owned.
    void SetSettings(const CMZimbrelIni* settings) { m_pane.SetSettings(settings); }
    const CMNetworkPane& Pane() const { return m_pane; }
    QTableView* SongList() const { return m_list; }

    // IMNetworkShell
    void WriteNetworkLog(const CMString& line) override;
    void SongListChanged() override;
    bool RunRegisterDialog(CMRegistration& registration) override;

private:
    void Poll();
    void FlushLog();
    void ShowSelection();
    void ShowContextMenu(const QPoint& position);

    CMainFrame& m_frame;
    CMNetworkPane m_pane;
    CMNetworkCommands m_commands;
    CSongListModel* m_rows;
    QSortFilterProxyModel* m_sorted;  // in the server's order until a header is clicked
    QTableView* m_list;
    QMenu* m_allMenu;  // Download all and Upload all
    QTimer m_poll;
    QTimer m_continue;  // goes on with song files to store or read
    QTimer m_flushLog;
    std::string m_log;                          // lines not yet in the output pane
    std::tuple<bool, bool, bool> m_shownState;  // connected, connecting, logged in
};
