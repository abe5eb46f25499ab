// Qt's GUI application for the commands that draw (chart, songbook), in zimbrel-cli-chart. Qt
// draws without a display: with neither DISPLAY nor WAYLAND_DISPLAY set it is told to work
// offscreen, so that nobody has to set QT_QPA_PLATFORM.
#pragma once

#include <QGuiApplication>

#include <memory>

class CliChartApplication {
public:
    // Starts Qt and says on standard error when the music font is missing.
    CliChartApplication();

private:
    int m_argc = 1;
    char m_name[12] = "zimbrel-cli";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_application;
};
