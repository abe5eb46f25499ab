// IMFrameShell: what the frame's commands need from the main window: its panes and status bar
// shown and hidden, the look applied and stored, the About box, the help and the end of the
// program.
#pragma once

enum class CMPane { SongView, MusicianView, NetworkView, Output, Properties };

class IMFrameShell {
public:
    virtual ~IMFrameShell() = default;
    virtual bool IsPaneVisible(CMPane pane) const = 0;
    virtual void ShowPane(CMPane pane, bool show) = 0;
    virtual bool IsStatusBarVisible() const = 0;
    virtual void ShowStatusBar(bool show) = 0;
    // Shows the look (one of the table's identifiers) on every window.
    virtual void ApplyLook(int look) = 0;
    // Remembers the look for the next start.
    virtual void StoreLook(int look) = 0;
    virtual void ShowAbout() = 0;
    virtual void ShowHelpTopics() = 0;
    virtual void Exit() = 0;
};
