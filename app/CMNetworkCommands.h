// CMNetworkCommands: the network view's commands and their states. Connect (checked while
// connected, or while the connect is under way) is always enabled; Log in needs a connection and
// is checked while logged in; querying, downloading and uploading need both.
#pragma once

#include "app/IMCommandTarget.h"
#include "core/CMString.h"

#include <functional>
#include <vector>

class CMNetworkPane;

class CMNetworkCommands : public IMCommandTarget {
public:
    // `currentSong` answers the path of the document's file (empty when it has none).
    CMNetworkCommands(CMNetworkPane& pane, std::function<CMString()> currentSong)
        : m_pane(pane), m_currentSong(std::move(currentSong))
    {
    }

    // The rows of the song list the user has selected, for Download song.
    void SetSelectedRows(std::vector<int> rows) { m_selectedRows = std::move(rows); }

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CMCommandUI& ui) const override;

private:
    CMNetworkPane& m_pane;
    std::function<CMString()> m_currentSong;
    std::vector<int> m_selectedRows;
};
