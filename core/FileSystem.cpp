// FileSystem: see FileSystem.h.
#include "core/FileSystem.h"

#include "core/CMStringList.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <string>
#include <string_view>

bool IsSameFile(const char* path, const char* otherPath)
{
    struct stat one, other;
    return path && otherPath && stat(path, &one) == 0 && stat(otherPath, &other) == 0 &&
           one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

bool ListFiles(CMStringList& names, const char* pattern)
{
    const std::string_view text(pattern ? pattern : "");
    const std::size_t separator = text.find_last_of('/');
    const std::string folder =
        separator == std::string_view::npos ? "." : std::string(text.substr(0, separator + 1));
    const std::string wildcard(separator == std::string_view::npos ? text
                                                                   : text.substr(separator + 1));
    DIR* directory = opendir(folder.c_str());
    if (!directory)
        return true;  // nothing matches
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || fnmatch(wildcard.c_str(), name.c_str(), 0) != 0)
            continue;
        struct stat info;
        if (stat((folder + name).c_str(), &info) != 0 || S_ISDIR(info.st_mode))
            continue;
        names.AddTail(name.c_str());
    }
    closedir(directory);
    names.Sort();
    return true;
}
