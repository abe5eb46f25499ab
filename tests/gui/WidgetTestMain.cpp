// Test main for the widget tests: a widget application, offscreen without a display, and a
// profile (QSettings) of its own in a temporary folder, so no test reads or changes the user's.
#include "tests/TempDir.h"

#include <QApplication>
#include <QSettings>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // as the program: ./Zimbrel.ini keeps decimal points
    const TempDir profile;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(profile.Root()));
    return RUN_ALL_TESTS();
}
