// CDocumentShell: the windows around the song document: the file dialogs, the "save changes?"
// and "read it again?" questions, message boxes, the window title with its modified mark, the
// "Recent Documents" menu (kept in the profile), and the watch on the song's file that reads it
// again within half a second of another program writing it.
#pragma once

#include "app/IMDocumentShell.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QSettings>
#include <QTimer>

class CMainFrame;

class CDocumentShell : public QObject, public IMDocumentShell {
    Q_OBJECT
public:
    explicit CDocumentShell(CMainFrame& frame);

    // The recent documents stored at the last run.
    static std::vector<CMString> StoredRecentFiles();
    // Shows `paths` in the "Recent Documents" menu.
    void ShowRecentFiles(const std::vector<CMString>& paths);

    // IMDocumentShell
    void WriteOutput(const CMString& text) override;
    void RepaintChart() override;
    CMString AskOpenPath() override;
    CMString AskImportPath() override;
    CMString AskSavePath(const CMString& suggested) override;
    CMSaveChoice AskSaveChanges(const CMString& title) override;
    bool AskReload(const CMString& title) override;
    void ShowError(const CMString& message) override;
    void DocumentShown(bool reloaded) override;
    void TitleChanged() override;
    void RecentFilesChanged(const std::vector<CMString>& paths) override;
    void PostCommand(int id) override;

private:
    // Watches the document's file, if it has one.
    void Watch();
    void FileChanged();

    CMainFrame& m_frame;
    QSettings m_profile;  // kept, so that it writes the disk later, not while a song opens
    QFileSystemWatcher m_watcher;
    QTimer m_settle;  // lets a burst of writes end before the file is read
    QString m_watched;
};
