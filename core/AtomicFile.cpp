// Atomic saves: see AtomicFile.h.
#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

static bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates the temporary file with the target's permissions, lets `fill` write it and renames it
// over the target once it is on disk.
static bool ReplaceFile(const char* path, mode_t newFileMode,
                        const std::function<bool(int fd, const char* temporaryPath)>& fill)
{
    if (!path || !*path) {
        errno = ENOENT;
        return false;
    }
    std::string temporary = std::string(path) + ".tmp.XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;

    struct stat existing;
    mode_t mode = newFileMode;
    if (stat(path, &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }
    bool ok = fchmod(fd, mode) == 0 && fill(fd, temporary.c_str()) && fsync(fd) == 0;
    int reason = ok ? 0 : errno;  // the first failure's, for the caller's message
    if (close(fd) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    if (ok && std::rename(temporary.c_str(), path) == 0)
        return true;
    if (ok)
        reason = errno;
    unlink(temporary.c_str());
    errno = reason;
    return false;
}

bool WriteFileAtomically(const char* path, std::string_view bytes, mode_t newFileMode)
{
    return ReplaceFile(path, newFileMode,
                       [bytes](int fd, const char*) { return WriteAll(fd, bytes); });
}

bool WriteFileAtomicallyWith(const char* path,
                             const std::function<bool(const char* temporaryPath)>& write,
                             mode_t newFileMode)
{
    // fsync of our own descriptor also syncs what `write` wrote through its own: both name the
    // same file.
    return ReplaceFile(path, newFileMode,
                       [&write](int, const char* temporaryPath) { return write(temporaryPath); });
}
