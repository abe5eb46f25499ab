// The log file: rotation by renaming from the highest number down, then one append.
#include "app/CQLogFile.h"

#include <cstdio>
#include <sys/stat.h>

namespace Kelvar::File {

std::string CQLogFile::CurrentFileName() const
{
    return baseName + ".log";
}

std::string CQLogFile::OldFileName(int number) const
{
    char name[16];
    std::snprintf(name, sizeof name, "%03d", number);
    return baseName + name + ".log";
}

void CQLogFile::RotateIfFull() const
{
    struct stat status {};
    const std::string current = CurrentFileName();
    if (oldFiles == 0 || stat(current.c_str(), &status) != 0)
        return;
    if (static_cast<std::uint64_t>(status.st_size) < std::uint64_t{maxSizeKB} * 1024)
        return;
    // A single delete or rename that fails is passed over: the next write still goes somewhere.
    std::remove(OldFileName(oldFiles).c_str());
    for (int number = oldFiles - 1; number >= 1; --number)
        std::rename(OldFileName(number).c_str(), OldFileName(number + 1).c_str());
    std::rename(current.c_str(), OldFileName(1).c_str());
}

void CQLogFile::Append(std::string_view text) const
{
    if (!enabled || baseName.empty())
        return;
    RotateIfFull();
    std::FILE* file = std::fopen(CurrentFileName().c_str(), "ab");
    if (!file)
        return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fwrite("\r\n", 1, 2, file);
    std::fclose(file);
}

}  // namespace Kelvar::File
