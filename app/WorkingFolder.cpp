// Choosing and preparing the working folder.
#include "app/WorkingFolder.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

void CopyExampleSongs(const fs::path& examples, const fs::path& data)
{
    std::error_code error;
    for (fs::directory_iterator entry(examples, error), end; !error && entry != end;
         entry.increment(error)) {
        const fs::path& song = entry->path();
        if (song.extension() != ".zimbrel" || !entry->is_regular_file(error))
            continue;
        // A song that cannot be copied is left out; the others still arrive.
        std::error_code ignored;
        fs::copy_file(song, data / song.filename(), fs::copy_options::skip_existing, ignored);
    }
}

}  // namespace

std::string ChooseWorkingFolder(const std::string& current, const char* xdgDataHome,
                                const char* home)
{
    const fs::path here(current);
    if (Exists(here / "Data") || Exists(here / "Zimbrel.ini"))
        return current;
    // A relative XDG_DATA_HOME is ignored, as the freedesktop.org base directories are absolute.
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return (fs::path(xdgDataHome) / "zimbrel").string();
    if (home && *home)
        return (fs::path(home) / ".local" / "share" / "zimbrel").string();
    return {};
}

bool PrepareWorkingFolder(const std::string& folder, const std::string& examplesFolder,
                          std::string& error)
{
    const fs::path data = fs::path(folder) / "Data";
    if (Exists(data))
        return true;
    std::error_code code;
    fs::create_directories(data, code);
    if (code) {
        error = code.message();
        return false;
    }
    if (!examplesFolder.empty())
        CopyExampleSongs(examplesFolder, data);
    return true;
}
