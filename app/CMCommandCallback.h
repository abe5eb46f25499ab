// CMCommandCallback: a command carried by one function and always enabled, for the commands
// that only open a window (the options sheet).
#pragma once

#include "app/IMCommandTarget.h"

#include <functional>
#include <utility>

class CMCommandCallback : public IMCommandTarget {
public:
    CMCommandCallback(int id, std::function<void()> run) : m_id(id), m_run(std::move(run)) {}

    bool OnCommand(int id) override
    {
        if (id != m_id)
            return false;
        m_run();
        return true;
    }
    bool OnUpdateCommand(int id, CMCommandUI&) const override { return id == m_id; }

private:
    int m_id;
    std::function<void()> m_run;
};
