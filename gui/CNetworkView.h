// CNetworkView: the network view pane: a toolbar (Connect, Log in, Query song list, Download
// song, Upload song, and a menu with Download all and Upload all songs), the song list with the
// columns "Song" and "Author", and the 100 ms timer that polls the connection. The conversation
// itself is the app's CMNetworkPane; its log goes to the "Debug" tab.
#pragma once

#include "app/CMNetworkCommands.h"
#include "app/CMNetworkPane.h"

#include <QTimer>
#include <QWidget>

#include <tuple>

class CMainFrame;
class QMenu;
class QTableWidget;

class CNetworkView : public QWidget, public IMNetworkShell {
    Q_OBJECT
public:
    explicit CNetworkView(CMainFrame& frame);
    ~CNetworkView() override;

    // The settings the commands read the account and the server from; not owned.
    void SetSettings(const CMZimbrelIni* settings) { m_pane.SetSettings(settings); }
    const CMNetworkPane& Pane() const { return m_pane; }
    QTableWidget* SongList() const { return m_list; }

    // IMNetworkShell
    void WriteNetworkLog(const CMString& line) override;
    void SongListChanged() override;
    bool RunRegisterDialog(CMRegistration& registration) override;

private:
    void Poll();
    void ShowSelection();
    void ShowContextMenu(const QPoint& position);

    CMainFrame& m_frame;
    CMNetworkPane m_pane;
    CMNetworkCommands m_commands;
    QTableWidget* m_list;
    QMenu* m_allMenu;  // Download all and Upload all
    QTimer m_poll;
    std::tuple<bool, bool, bool> m_shownState;  // connected, connecting, logged in
};
