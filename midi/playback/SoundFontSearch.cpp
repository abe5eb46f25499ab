// SoundFont search: see SoundFontSearch.h.
#include "midi/playback/SoundFontSearch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

bool IsReadableFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), R_OK) == 0;
}

bool HasSoundFontExtension(const std::filesystem::path& path)
{
    const CMString extension = CMString(path.extension().string()).ToLower();
    return extension == ".sf2" || extension == ".sf3";
}

// The first SoundFont file of `folder` by name, or empty.
std::string FirstSoundFontIn(const std::string& folder)
{
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (HasSoundFontExtension(entry.path()) && IsReadableFile(entry.path().string()))
            found.push_back(entry.path().string());
    return found.empty() ? std::string() : *std::min_element(found.begin(), found.end());
}

// The folders that were searched, each once, for the message when nothing was found.
std::string FoldersLookedIn(const CMSoundFontPlaces& places)
{
    std::vector<std::string> folders;
    const auto add = [&folders](const std::string& folder) {
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    };
    for (const std::string& file : places.files)
        add(std::filesystem::path(file).parent_path().string());
    for (const std::string& folder : places.folders)
        add(folder);
    std::string text;
    for (const std::string& folder : folders)
        text += (text.empty() ? "" : ", ") + folder;
    return text;
}

}  // namespace

CMString FindSoundFont(const CMString& setting, CMString& error, const CMSoundFontPlaces& places)
{
    if (!setting.IsEmpty()) {
        if (IsReadableFile(setting.Str()))
            return setting;
        struct stat info;
        const char* reason = stat(setting.GetText(), &info) != 0 ? std::strerror(errno)
                             : S_ISREG(info.st_mode)             ? "not readable"
                                                                 : "not a file";
        error.Format("The SoundFont '%s' cannot be read: %s.", setting.GetText(), reason);
        return CMString();
    }
    for (const std::string& file : places.files)
        if (IsReadableFile(file))
            return CMString(file);
    for (const std::string& folder : places.folders)
        if (const std::string file = FirstSoundFontIn(folder); !file.empty())
            return CMString(file);
    error.Format("No General MIDI SoundFont was found in %s. Install one (on Debian: "
                 "apt-get install fluid-soundfont-gm, or timgm6mb-soundfont for a small one) or "
                 "name one in the \"SoundFont\" setting of the \"Preferences\" section.",
                 FoldersLookedIn(places).c_str());
    return CMString();
}
