// Helpers of the settings tests: running a piece of a test in a child process as an ordinary
// user, so that permissions hold even when the tests run as root.
#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

// Runs `work` in a child process, as the user "nobody" when the tests run as root, and answers
// what it answered; empty when the child could not be set up. `fileSizeLimit` (bytes, when not
// negative) makes larger writes fail as they do on a full disk.
inline std::optional<bool> RunAsOrdinaryUser(const std::function<bool()>& work,
                                             long fileSizeLimit = -1)
{
    const pid_t child = fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        if (fileSizeLimit >= 0) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(fileSizeLimit),
                               static_cast<rlim_t>(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        _exit(work() ? 0 : 1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}
