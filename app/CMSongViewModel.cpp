// CMSongViewModel: see CMSongViewModel.h.
#include "app/CMSongViewModel.h"

#include "app/CMSongDocument.h"
#include "app/CommandIds.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace {

constexpr std::size_t kExtensionLength = 8;  // ".zimbrel"

// The tree's order: case left aside first, so "alpha" comes before "Beta", then byte by byte.
void SortAsTheTree(std::vector<CMString>& titles)
{
    std::vector<std::pair<std::string, CMString>> keyed;
    keyed.reserve(titles.size());
    for (CMString& title : titles)
        keyed.emplace_back(title.ToLower().Str(), std::move(title));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.Str() < b.second.Str();
    });
    for (std::size_t i = 0; i < titles.size(); ++i)
        titles[i] = std::move(keyed[i].second);
}

}  // namespace

CMSongTree ReadSongTree(const std::string& folder, const CMString& documentTitle)
{
    // The folder is read directly rather than through the sorted file list: the tree sorts on
    // its own, and a large folder must not cost the window a sort of its own in between.
    CMSongTree tree;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        std::error_code notThere;
        if (name.size() > kExtensionLength &&
            name.compare(name.size() - kExtensionLength, kExtensionLength, ".zimbrel") == 0 &&
            !entry.is_directory(notThere))
            tree.titles.emplace_back(
                std::string_view(name).substr(0, name.size() - kExtensionLength));
    }
    SortAsTheTree(tree.titles);
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
