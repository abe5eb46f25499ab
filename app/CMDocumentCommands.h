// CMDocumentCommands: the song document and the file commands that change it: New, Open, Save
// (through a temporary file renamed over the old one), Save As, Close and the recent documents;
// the question "save changes?" before unsaved edits would be lost; and the song's file changed on
// disk by another program, read again unless there are edits to lose. A file that cannot be read
// or written says so in a message box and changes nothing.
#pragma once

#include "app/CMSongDocument.h"
#include "app/IMCommandTarget.h"
#include "app/IMDocumentShell.h"

#include <string>
#include <vector>

class CMDocumentCommands : public IMCommandTarget {
public:
    static constexpr int kRecentCount = 8;

    explicit CMDocumentCommands(IMDocumentShell& shell) : m_shell(shell) {}

    CMSongDocument& Document() { return m_document; }
    const CMSongDocument& Document() const { return m_document; }

    // Opens the song at `path` (made absolute) as the document, once the current one may close.
    // False when it may not or the file cannot be read; the current document then stays.
    bool OpenFile(const CMString& path);
    // Asks to save unsaved edits before the document goes. False when the user cancelled or the
    // song could not be saved.
    bool CanClose();
    // Opens entry `index` of the recent documents; one that cannot be read leaves the list.
    void OpenRecent(int index);
    void SetRecentFiles(std::vector<CMString> paths);
    const std::vector<CMString>& GetRecentFiles() const { return m_recent; }
    // The document's file was changed by another program: read again and recompiled when it
    // differs from the source, unless there are unsaved edits the user chooses to keep.
    void FileChangedOnDisk();
    // Imports the songs of the iReal Pro links in `text` (read from `source`, named in messages)
    // into ./Data/ as zimbrel-cli import does, says in "Output" what was stored and what the song
    // language could not hold, and opens the first song, once the current one may close. False,
    // with a message box, when no song was imported.
    bool ImportLinks(const std::string& text, const CMString& source);
    // The same for the links of a file (a playlist saved as HTML, or a text); a file that
    // cannot be read is a message box.
    bool ImportFile(const CMString& path);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CMCommandUI& ui) const override;

private:
    // Opens the file without asking about the current document.
    bool Load(const CMString& path);
    void New();
    bool Save();
    bool SaveAs();
    void AddRecent(const CMString& path);

    IMDocumentShell& m_shell;
    CMSongDocument m_document;
    std::vector<CMString> m_recent;  // absolute paths, newest first
};
