// The file commands and the document's life: see CMDocumentCommands.h.
#include "app/CMDocumentCommands.h"

#include "app/CommandIds.h"
#include "app/IRealImport.h"

#include <algorithm>
#include <filesystem>

namespace {

CMString AbsolutePath(const CMString& path)
{
    std::error_code failed;
    const std::filesystem::path absolute = std::filesystem::absolute(path.GetText(), failed);
    return failed ? path : CMString(absolute.lexically_normal().string());
}

}  // namespace

bool CMDocumentCommands::OpenFile(const CMString& path)
{
    return CanClose() && Load(path);
}

bool CMDocumentCommands::Load(const CMString& path)
{
    const CMString absolute = AbsolutePath(path);
    CMSongDocument opened;
    CMString error;
    if (!opened.Open(absolute.GetText(), error)) {
        m_shell.ShowError(error);
        return false;
    }
    m_document = std::move(opened);
    AddRecent(absolute);
    m_shell.DocumentShown(false);
    m_shell.TitleChanged();
    return true;
}

bool CMDocumentCommands::CanClose()
{
    if (!m_document.IsModified())
        return true;
    const CMString title = m_document.GetTitle();
    switch (m_shell.AskSaveChanges(title.IsEmpty() ? CMString("Untitled") : title)) {
    case CMSaveChoice::Save: return Save();
    case CMSaveChoice::Discard: return true;
    case CMSaveChoice::Cancel: break;
    }
    return false;
}

void CMDocumentCommands::New()
{
    if (!CanClose())
        return;
    m_document = CMSongDocument();
    m_shell.DocumentShown(false);
    m_shell.TitleChanged();
}

bool CMDocumentCommands::Save()
{
    if (m_document.GetPath().IsEmpty())
        return SaveAs();
    CMString error;
    if (!m_document.Save(error)) {
        m_shell.ShowError(error);
        return false;
    }
    m_shell.TitleChanged();
    return true;
}

bool CMDocumentCommands::SaveAs()
{
    const CMString oldPath = m_document.GetPath();
    const CMString title = m_document.GetTitle();
    const CMString chosen = m_shell.AskSavePath(title.IsEmpty() ? CMString("Untitled") : oldPath);
    if (chosen.IsEmpty())
        return false;
    const CMString path = AbsolutePath(chosen);
    CMString error;
    if (!m_document.SaveAs(path.GetText(), error)) {
        m_shell.ShowError(error);
        return false;
    }
    AddRecent(path);
    m_shell.TitleChanged();
    // The song list shows the new file.
    if (path != oldPath)
        m_shell.PostCommand(CommandId::Refresh);
    return true;
}

void CMDocumentCommands::AddRecent(const CMString& path)
{
    std::erase(m_recent, path);
    m_recent.insert(m_recent.begin(), path);
    if (m_recent.size() > kRecentCount)
        m_recent.resize(kRecentCount);
    m_shell.RecentFilesChanged(m_recent);
}

void CMDocumentCommands::SetRecentFiles(std::vector<CMString> paths)
{
    std::erase_if(paths, [](const CMString& path) { return path.IsEmpty(); });
    if (paths.size() > kRecentCount)
        paths.resize(kRecentCount);
    m_recent = std::move(paths);
}

void CMDocumentCommands::OpenRecent(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_recent.size())
        return;
    const CMString path = m_recent[static_cast<std::size_t>(index)];
    if (CanClose() && !Load(path)) {
        std::erase(m_recent, path);
        m_shell.RecentFilesChanged(m_recent);
    }
}

void CMDocumentCommands::FileChangedOnDisk()
{
    const CMString path = m_document.GetPath();
    CMString text;
    CMString ignored;  // an editor may be between writing and renaming: the next change comes
    if (path.IsEmpty() || !CMSongDocument::ReadSongFile(path.GetText(), text, ignored))
        return;
    if (text == m_document.GetSource())
        return;  // our own save, or a write that changed nothing
    if (m_document.IsModified() && !m_shell.AskReload(m_document.GetTitle()))
        return;
    m_document.Reload(text);
    m_shell.DocumentShown(true);
    m_shell.TitleChanged();
}

bool CMDocumentCommands::ImportFile(const CMString& path)
{
    CMString text, error;
    if (!CMSongDocument::ReadSongFile(path.GetText(), text, error)) {
        m_shell.ShowError(error);
        return false;
    }
    return ImportLinks(text.Str(), path);
}

bool CMDocumentCommands::ImportLinks(const std::string& text, const CMString& source)
{
    std::error_code ignored;  // a folder that cannot be made is named by the store below
    std::filesystem::create_directories("Data", ignored);
    std::vector<CMImportedSongFile> songs;
    std::string error;
    const bool imported = ImportIRealLinks(text, "Data/", songs, error);
    if (!imported) {
        m_shell.ShowError(CMString("Error : Cannot import from '" + source.Str() + "': " + error));
        return false;
    }
    if (!error.empty())
        m_shell.WriteOutput(CMString("Error : " + source.Str() + ": " + error));
    CMString first;
    for (const CMImportedSongFile& song : songs) {
        for (const std::string& warning : song.warnings)
            m_shell.WriteOutput(CMString(song.title + ": warning: " + warning));
        const CMStoredSongFile& stored = song.stored;
        if (stored.outcome == CMStoredSongFile::Outcome::Refused) {
            m_shell.WriteOutput(
                CMString("Error : '" + song.title + "' is not stored: " + stored.reason));
            continue;
        }
        m_shell.WriteOutput(CMString("'" + song.title + "' " +
                                     (stored.outcome == CMStoredSongFile::Outcome::Saved
                                          ? "has been imported into '"
                                          : "is already in '") +
                                     stored.path + "'"));
        if (first.IsEmpty())
            first = CMString(stored.path);
    }
    m_shell.PostCommand(CommandId::Refresh);  // the song list shows the new songs
    if (!first.IsEmpty())
        OpenFile(first);
    return true;
}

bool CMDocumentCommands::OnCommand(int id)
{
    switch (id) {
    case CommandId::FileNew:
    case CommandId::FileClose: New(); return true;
    case CommandId::FileOpen: {
        if (!CanClose())
            return true;
        const CMString path = m_shell.AskOpenPath();
        if (!path.IsEmpty())
            Load(path);
        return true;
    }
    case CommandId::FileSave: Save(); return true;
    case CommandId::FileSaveAs: SaveAs(); return true;
    case CommandId::FileImportIReal: {
        const CMString path = m_shell.AskImportPath();
        if (!path.IsEmpty())
            ImportFile(path);
        return true;
    }
    default: return false;
    }
}

bool CMDocumentCommands::OnUpdateCommand(int id, CMCommandUI&) const
{
    switch (id) {
    case CommandId::FileNew:
    case CommandId::FileClose:
    case CommandId::FileOpen:
    case CommandId::FileSave:
    case CommandId::FileSaveAs:
    case CommandId::FileImportIReal: return true;
    default: return false;
    }
}
