// CMNetworkCommands: see CMNetworkCommands.h.
#include "app/CMNetworkCommands.h"

#include "app/CMNetworkPane.h"
#include "app/CommandIds.h"

namespace C = CommandId;

bool CMNetworkCommands::OnCommand(int id)
{
    switch (id) {
    case C::NetConnect: m_pane.Connect(); return true;
    case C::NetLogIn: m_pane.LogIn(); return true;
    case C::NetQuerySongList: m_pane.QuerySongList(); return true;
    case C::NetDownloadSong: m_pane.DownloadSelected(m_selectedRows); return true;
    case C::NetDownloadAll: m_pane.DownloadAll(); return true;
    case C::NetUploadAll: m_pane.UploadAll(); return true;
    case C::NetUploadSong: {
        const CMString path = m_currentSong();
        if (!path.IsEmpty())
            m_pane.Upload({path.Str()});
        return true;
    }
    default: return false;
    }
}

bool CMNetworkCommands::OnUpdateCommand(int id, CMCommandUI& ui) const
{
    const bool connected = m_pane.IsConnected();
    const bool loggedIn = connected && m_pane.IsLoggedIn();
    switch (id) {
    case C::NetConnect: ui.checked = connected || m_pane.IsConnecting(); return true;
    case C::NetLogIn:
        ui.enabled = connected;
        ui.checked = loggedIn;
        return true;
    case C::NetQuerySongList:
    case C::NetDownloadSong:
    case C::NetDownloadAll:
    case C::NetUploadAll: ui.enabled = loggedIn; return true;
    case C::NetUploadSong: ui.enabled = loggedIn && !m_currentSong().IsEmpty(); return true;
    default: return false;
    }
}
