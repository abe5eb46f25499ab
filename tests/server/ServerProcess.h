// ServerProcess: zimbrel-server run as a child process on a free loopback port, for tests and
// measurements. The child dies with its parent and is stopped (and reaped) when this is destroyed.
#pragma once

#include "tests/FileContents.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

class ServerProcess {
public:
    ServerProcess() = default;
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;
    ~ServerProcess() { Stop(); }

    // Starts the server with its output in `logPath` and waits up to ten seconds for it to say
    // where it listens. Answers false when it does not.
    bool Start(const std::string& program, const std::string& database, const std::string& logPath,
               const std::vector<std::string>& extraArguments = {})
    {
        std::vector<std::string> arguments = {program, "--listen", "127.0.0.1:0", "--db", database};
        arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
        m_pid = fork();
        if (m_pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (log < 0 || dup2(log, 1) < 0 || dup2(log, 2) < 0)
                _exit(127);
            std::vector<char*> argv;
            for (std::string& argument : arguments)
                argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            const std::string text = FileContents(logPath);
            const std::string prefix = "Listening on 127.0.0.1:";
            if (text.rfind(prefix, 0) == 0) {
                m_port = static_cast<std::uint16_t>(std::stoi(text.substr(prefix.size())));
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    std::uint16_t GetPort() const { return m_port; }

    // The server's peak resident memory in KiB (VmHWM), or -1.
    long PeakMemoryKiB() const
    {
        std::ifstream status("/proc/" + std::to_string(m_pid) + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("VmHWM:", 0) == 0)
                return std::stol(line.substr(6));
        }
        return -1;
    }

    // Asks the server to stop and answers its exit status (-1 when it had to be killed).
    int Stop()
    {
        if (m_pid <= 0)
            return -1;
        kill(m_pid, SIGTERM);
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        pid_t done = 0;
        while ((done = waitpid(m_pid, &status, WNOHANG)) == 0 &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (done == 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
            status = -1;
        }
        m_pid = -1;
        return status < 0 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    std::uint16_t m_port = 0;
};
