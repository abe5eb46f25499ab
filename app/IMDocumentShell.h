// IMDocumentShell: what the document's commands need from the desktop program: the file dialogs
// and questions, a message box for what went wrong, the "Output" tab, and word that a document
// is shown (the chart view's initial update, the window title, the watch on the file) or that
// its name or modified mark changed.
#pragma once

#include "app/IMCompileShell.h"

#include <vector>

enum class CMSaveChoice { Save, Discard, Cancel };

class IMDocumentShell : public IMCompileShell {
public:
    // A song file to open; empty when the user cancelled.
    virtual CMString AskOpenPath() = 0;
    // A file holding iReal Pro links to import; empty when the user cancelled.
    virtual CMString AskImportPath() = 0;
    // A path to save the song as, offering `suggested`; empty when the user cancelled.
    virtual CMString AskSavePath(const CMString& suggested) = 0;
    // "Save changes to '<title>'?" before the song is closed.
    virtual CMSaveChoice AskSaveChanges(const CMString& title) = 0;
    // Whether to take the file as changed on disk, losing the edits not saved.
    virtual bool AskReload(const CMString& title) = 0;
    // A message box; the message is also the line written to "Output".
    virtual void ShowError(const CMString& message) = 0;
    // A different document, or the same read again, is now the one shown.
    virtual void DocumentShown(bool reloaded) = 0;
    // The title, the path or the modified mark changed.
    virtual void TitleChanged() = 0;
    // The recent documents changed (newest first).
    virtual void RecentFilesChanged(const std::vector<CMString>& paths) = 0;
    // Runs a command after the current one (Save As refreshes the song list).
    virtual void PostCommand(int id) = 0;
};
