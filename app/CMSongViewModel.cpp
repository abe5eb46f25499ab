// CMSongViewModel: see CMSongViewModel.h.
#include "app/CMSongViewModel.h"

#include "app/CMSongDocument.h"
#include "app/CommandIds.h"
#include "core/CMFile.h"
#include "core/CMStringList.h"

#include <algorithm>

namespace {

constexpr std::size_t kExtensionLength = 8;  // ".zimbrel"

// The tree's order: case left aside first, so "alpha" comes before "Beta".
bool TreeOrder(const CMString& a, const CMString& b)
{
    const CMString lowerA = a.ToLower(), lowerB = b.ToLower();
    return lowerA != lowerB ? lowerA.Str() < lowerB.Str() : a.Str() < b.Str();
}

}  // namespace

CMSongTree ReadSongTree(const std::string& folder, const CMString& documentTitle)
{
    CMSongTree tree;
    CMStringList files;
    if (!CMFile::ListFiles(files, (folder + "*.zimbrel").c_str()))
        return tree;
    for (const CMString* file : files) {
        const std::string_view name = file->View();
        if (name.size() > kExtensionLength)
            tree.titles.emplace_back(std::string(name.substr(0, name.size() - kExtensionLength)));
    }
    std::stable_sort(tree.titles.begin(), tree.titles.end(), TreeOrder);
    const auto found = std::find(tree.titles.begin(), tree.titles.end(), documentTitle);
    if (!documentTitle.IsEmpty() && found != tree.titles.end())
        tree.selected = static_cast<int>(found - tree.titles.begin());
    return tree;
}

std::string SongFilePath(const std::string& folder, const CMString& title)
{
    return folder + title.Str() + ".zimbrel";
}

void CompileSongFile(const std::string& path, IMCompileShell& shell)
{
    CMSongDocument document;
    CMString readError;
    if (document.Open(path.c_str(), readError))
        document.ReportOpening(shell);
    else
        shell.WriteOutput(readError);
}

CMString RemoveSongQuestion(const CMString& title)
{
    CMString question;
    question.Format("Move the song '%s' to the trash?", title.GetText());
    return question;
}

bool CMSongViewModel::OnCommand(int id)
{
    if (id != CommandId::SongProperties)
        return false;
    m_post(CommandId::EditSong);
    return true;
}

bool CMSongViewModel::OnUpdateCommand(int id, CMCommandUI&) const
{
    return id == CommandId::SongProperties;
}
