// CSongView: the song view pane: a toolbar with Properties and a tree of the songs in ./Data/ by
// title. Selecting a song asks the chart view to open it (32772); the context menu opens,
// compiles, edits (the desktop's text editor), copies, cuts and removes (to the trash) the song
// file. The folder is watched, so a song saved or downloaded there appears without Refresh.
#pragma once

#include "app/CMSongViewModel.h"
#include "app/IMSongView.h"

#include <QTimer>
#include <QWidget>

class CMainFrame;
class QFileSystemWatcher;
class QTreeWidget;

class CSongView : public QWidget, public IMSongView {
    Q_OBJECT
public:
    explicit CSongView(CMainFrame& frame);
    ~CSongView() override;

    // Fills the tree again from the song folder, the document's title selected and in sight.
    void Refill() override;
    // The selected song's title; empty when none is selected.
    CMString GetSelectedTitle() const override;
    // Selects `title` (none when it is not in the tree) without opening it.
    void ShowDocument(const CMString& title);
    QTreeWidget* Tree() const { return m_tree; }

    static constexpr const char* kFolder = "./Data/";

signals:
    // The user selected a song (its file), or none (empty).
    void songSelected(const QString& path);

private:
    void OnSelectionChanged();
    void ShowContextMenu(const QPoint& position);
    void Remove(const CMString& title);
    void WatchFolder();
    QString PathOf(const CMString& title) const;

    CMainFrame& m_frame;
    CMSongViewModel m_model;
    QTreeWidget* m_tree;
    QFileSystemWatcher* m_watcher;
    QTimer m_refillSoon;
    bool m_filling = false;
};
