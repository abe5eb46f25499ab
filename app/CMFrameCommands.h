// CMFrameCommands: the commands the main frame carries itself: the panes and the status bar
// shown and hidden (checked while shown), the looks (the current one checked), About, Help
// Topics and Exit.
#pragma once

#include "app/IMCommandTarget.h"
#include "app/IMFrameShell.h"

#include <optional>

class CMFrameCommands : public IMCommandTarget {
public:
    explicit CMFrameCommands(IMFrameShell& shell) : m_shell(shell) {}

    // Applies the look stored at the last run (none stored: the default), without storing it.
    void StartLook(std::optional<int> stored);
    int GetLook() const { return m_look; }

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CMCommandUI& ui) const override;

    // The pane a "show or hide" command toggles; none for other commands.
    static std::optional<CMPane> PaneOf(int id);

private:
    IMFrameShell& m_shell;
    int m_look = 0;
};
