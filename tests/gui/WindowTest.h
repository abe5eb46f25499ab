// What the widget tests share: a test run in a fresh working folder with an empty profile, so the
// files a window writes (the log, Zimbrel.ini, Data/) land there; serving events until something
// happens; and answering the modal window a command opens.
#pragma once

#include "tests/TempDir.h"
#include "tests/WorkDir.h"

#include <QApplication>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

class InFreshFolder : public ::testing::Test {
protected:
    InFreshFolder() : m_inside(m_folder.Root()) {}
    void SetUp() override
    {
        ASSERT_TRUE(m_inside.Entered());
        QSettings(QStringLiteral("Corvix"), QStringLiteral("Zimbrel")).clear();
        std::filesystem::create_directories("Data");
    }
    std::string Path(const std::string& name) const { return m_folder.Path(name); }

private:
    TempDir m_folder;
    WorkDir m_inside;
};

// Serves events until `done` holds, for ten seconds at most; whether it holds.
inline bool WaitFor(const std::function<bool()>& done)
{
    return QTest::qWaitFor(done, 10000);
}

// Runs `answer` on the next modal window that opens.
template <typename Window>
void AnswerNextModal(std::function<void(Window&)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        answer(*window);
    });
}
