// CMIniFile: reading the file whole and replacing it atomically.
#include "settings/CMIniFile.h"

#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace {

// A settings file is a few kilobytes; anything this large is not one.
constexpr off_t kLargestSettingsFile = 16 * 1024 * 1024;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// The whole file; a missing file is empty. False when it exists but cannot be read whole.
bool ReadWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    const FileDescriptor file(open(path, O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        return errno == ENOENT;
    struct stat status;
    if (fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > kLargestSettingsFile)
        return false;
    char buffer[8192];
    for (;;) {
        const ssize_t count = read(file.Get(), buffer, sizeof buffer);
        if (count == 0)
            return true;
        if (count < 0 && errno != EINTR)
            return false;
        if (count > 0)
            bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

}  // namespace

CMIniFile::CMIniFile(const char* name)
{
    if (name && *name)
        path = CMString("./") + CMString(name);
}

bool CMIniFile::ReadText(CMIniText& text) const
{
    std::string bytes;
    const bool ok = ReadWholeFile(path.GetText(), bytes);
    text = ok ? CMIniText(bytes) : CMIniText();
    return ok;
}

bool CMIniFile::WriteText(const CMIniText& text) const
{
    return WriteFileAtomically(path.GetText(), text.GetFileBytes(), 0600);
}

bool CMIniFile::Edit(const std::function<bool(IMIniStore&)>& edit) const
{
    CMIniText text;
    if (!ReadText(text))
        return false;
    const bool stored = edit(text);
    return WriteText(text) && stored;
}

CMString CMIniFile::ReadString(std::string_view section, std::string_view key,
                               const CMString& defaultValue) const
{
    CMIniText text;
    ReadText(text);
    return text.ReadString(section, key, defaultValue);
}

bool CMIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    // An existing file that cannot be read is never replaced: that would lose all it holds.
    CMIniText text;
    return ReadText(text) && text.WriteString(section, key, value) && WriteText(text);
}
