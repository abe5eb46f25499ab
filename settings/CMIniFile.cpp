// CMIniFile: reading the file whole and replacing it atomically.
#include "settings/CMIniFile.h"

#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

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

// Serialises the writers of the files in one folder, in this process and in others, from reading
// a file to renaming its new text over it, so that no write works from a text another has just
// replaced. The lock is on the folder: the file itself is replaced by every write (a lock on it
// would stay with the old file) and may not exist yet, and a lock file would stay behind. A
// folder that cannot be opened is written without the lock.
class FolderWriteLock {
public:
    explicit FolderWriteLock(const char* filePath)
    {
        const std::string_view path(filePath);
        const std::size_t slash = path.rfind('/');
        const std::string folder =
            slash == std::string_view::npos ? "." : std::string(path.substr(0, slash + 1));
        const int reason = errno;  // callers report the write's own failure
        m_fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        while (m_fd >= 0 && flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        errno = reason;
    }
    ~FolderWriteLock()
    {
        const int reason = errno;
        if (m_fd >= 0)
            close(m_fd);  // releases the lock
        errno = reason;
    }
    FolderWriteLock(const FolderWriteLock&) = delete;
    FolderWriteLock& operator=(const FolderWriteLock&) = delete;

private:
    int m_fd = -1;
};

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
    const FolderWriteLock lock(path.GetText());
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
    const FolderWriteLock lock(path.GetText());
    CMIniText text;
    return ReadText(text) && text.WriteString(section, key, value) && WriteText(text);
}
