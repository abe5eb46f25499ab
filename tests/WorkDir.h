// WorkDir: makes a folder the working directory for one test and restores the previous one, for
// code that, like the program, keeps its files relative to the working directory.
#pragma once

#include <unistd.h>

#include <climits>
#include <string>

class WorkDir {
public:
    explicit WorkDir(const std::string& folder)
    {
        char previous[PATH_MAX];
        if (getcwd(previous, sizeof previous))
            m_previous = previous;
        m_entered = chdir(folder.c_str()) == 0;
    }
    ~WorkDir()
    {
        if (!m_previous.empty() && chdir(m_previous.c_str()) != 0)
            m_previous.clear();
    }
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;

    bool Entered() const { return m_entered; }

private:
    std::string m_previous;
    bool m_entered = false;
};
