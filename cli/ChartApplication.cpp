// Qt's GUI application for the commands that draw: see ChartApplication.h.
#include "cli/ChartApplication.h"

#include "app/ChartFiles.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Qt draws offscreen when there is no display to talk to.
void ChooseQtPlatform()
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

// Qt's notes about its own set-up (a missing runtime folder of the offscreen platform) are no
// news for someone drawing a chart; real warnings still reach standard error.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg ||
        message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "zimbrel-cli: Qt: %s\n", qPrintable(message));
}

}  // namespace

CliChartApplication::CliChartApplication()
{
    ChooseQtPlatform();
    qInstallMessageHandler(QtMessages);
    m_application = std::make_unique<QGuiApplication>(m_argc, m_argv);
    const std::string warning = MusicFontWarning();
    if (!warning.empty())
        std::fprintf(stderr, "zimbrel-cli: warning: %s\n", warning.c_str());
}
