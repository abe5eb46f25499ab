// Importing iReal links: reading the links, converting the songs and storing them.
#include "app/IRealImport.h"

#include "interchange/IRealChart.h"
#include "interchange/IRealLink.h"
#include "net/CMSongTitle.h"
#include "net/CMZimbrelRecords.h"

std::string SongFileTitle(const std::string& title)
{
    std::string name;
    for (const char c : title) {
        if (c == '/' || c == '\\')
            name += '-';
        else if (c == '@')
            name += " at ";
        else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            name += c;
    }
    for (std::size_t at; (at = name.find("..")) != std::string::npos;)
        name.erase(at, 1);
    if (name.size() > kMaxSongTitleBytes) {
        std::size_t end = kMaxSongTitleBytes;
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
            --end;  // not inside a UTF-8 character
        name.resize(end);
    }
    const std::size_t first = name.find_first_not_of(' ');
    name = first == std::string::npos ? ""
                                      : name.substr(first, name.find_last_not_of(' ') - first + 1);
    return name.empty() ? "Untitled" : name;
}

bool ImportIRealLinks(const std::string& text, const std::string& folder,
                      std::vector<CMImportedSongFile>& songs, std::string& error)
{
    songs.clear();
    error.clear();
    const std::vector<std::string> links = FindIRealLinks(text);
    if (links.empty()) {
        error = "it holds no irealb:// or irealbook:// link";
        return false;
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        CMIRealPlaylist playlist;
        std::string problem;
        if (!ReadIRealLink(links[i], playlist, problem)) {
            error +=
                (error.empty() ? "" : "; ") + ("link " + std::to_string(i + 1) + ": " + problem);
            continue;
        }
        for (const CMIRealSong& song : playlist.songs) {
            const CMImportedSong imported = ImportIRealSong(song, playlist.name);
            std::string name = SongFileTitle(imported.title);
            if (!imported.composer.empty())
                name += "@" + SongFileTitle(imported.composer);
            CMZimbrelSong stored(name, imported.source, "");
            songs.push_back(
                {imported.title, StoreDownloadedSong(folder, stored), imported.warnings});
        }
    }
    return !songs.empty();
}
