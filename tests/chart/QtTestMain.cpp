// Test main for the tests that draw with Qt: the GUI application must exist before any font is
// used. The tests run with QT_QPA_PLATFORM=offscreen.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
