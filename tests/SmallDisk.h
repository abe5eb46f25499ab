// SmallDisk: a tiny tmpfs mounted on a fresh folder for one test, so that writers meet a full
// disk as users do. Mounting needs root; elsewhere the disk is not there and the test skips.
#pragma once

#include "tests/TempDir.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <string>
#include <vector>

class SmallDisk {
public:
    // `size` in the tmpfs notation: "64k".
    explicit SmallDisk(const char* size = "64k")
    {
        if (geteuid() != 0)
            return;
        // In a mount namespace of the test's own, where one exists, the disk goes with the
        // process even when a crash skips the unmounting.
        if (unshare(CLONE_NEWNS) == 0)
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
        const std::string options = std::string("size=") + size;
        m_mounted = mount("tmpfs", m_dir.Root().c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            umount2(m_dir.Root().c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool IsMounted() const { return m_mounted; }
    std::string Path(const std::string& name) const { return m_dir.Path(name); }

    // Takes every free byte with a file of its own.
    void Fill() const
    {
        const int fd = open(Path("filler").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        const std::vector<char> block(4096, 'x');
        while (fd >= 0 && write(fd, block.data(), block.size()) > 0) {
        }
        const char byte = 'x';
        while (fd >= 0 && write(fd, &byte, 1) > 0) {
        }
        if (fd >= 0)
            close(fd);
    }

private:
    TempDir m_dir;
    bool m_mounted = false;
};
