// zimbrel, the desktop program: reads the command line, settles the working folder, hands the
// file to a program already running there or becomes that program, and shows the main window
// with the song (and, unless asked not to, the splash window). `--screenshot` saves the painted
// window as a PNG and ends, for pictures and tests without a screen.
#include "app/DesktopStart.h"
#include "app/WorkingFolder.h"
#include "gui/CMainFrame.h"
#include "gui/CSplashWnd.h"
#include "gui/SingleInstance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>
#include <QWindow>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unistd.h>

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct StartOptions {
    QString workdir;
    QString file;        // absolute
    QString screenshot;  // absolute; empty: run normally
    std::optional<CMWindowSize> size;
    bool splash = true;
};

void PrintError(const QString& message)
{
    std::fprintf(stderr, "zimbrel: %s\n", qPrintable(message));
}

// Parses the command line; exits on --help, --version and bad usage.
StartOptions ParseCommandLine(const QApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Zimbrel: chord charts, lead sheets and a virtual jazz trio."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption workdir(QStringLiteral("workdir"),
                                     QStringLiteral("Work in DIR (its Data/ and Zimbrel.ini)."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                      QStringLiteral("Start without the splash window."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save the painted main window as a PNG image in FILE and end."),
        QStringLiteral("FILE"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("The window's size, e.g. 1280x800."),
                                  QStringLiteral("WxH"));
    parser.addOptions({workdir, noSplash, screenshot, size});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The song to open."),
                                 QStringLiteral("[FILE]"));
    if (!parser.parse(app.arguments())) {
        PrintError(parser.errorText());
        std::exit(kExitUsage);
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(kExitDone);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (parser.positionalArguments().size() > 1) {
        PrintError(QStringLiteral("one song at a time"));
        std::exit(kExitUsage);
    }

    StartOptions options;
    options.workdir = parser.value(workdir);
    options.splash = !parser.isSet(noSplash) && !parser.isSet(screenshot);
    // Named files are taken from where the program was started, before it moves to its folder.
    if (!parser.positionalArguments().isEmpty())
        options.file = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    if (parser.isSet(screenshot))
        options.screenshot = QFileInfo(parser.value(screenshot)).absoluteFilePath();
    if (parser.isSet(size)) {
        options.size = ParseWindowSize(parser.value(size).toStdString());
        if (!options.size) {
            PrintError(QStringLiteral("--size takes WIDTHxHEIGHT, each from 200 to 10000"));
            std::exit(kExitUsage);
        }
    }
    return options;
}

// Where the example songs are: installed beside the program, or in the source tree it was
// built from.
QString ExampleSongsFolder()
{
    const QStringList candidates = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zimbrel/Data"),
        QStringLiteral(ZIMBREL_SOURCE_DIR "/Data"),
    };
    for (const QString& folder : candidates) {
        if (QFileInfo(folder).isDir())
            return QDir(folder).absolutePath();
    }
    return QString();
}

// Moves into the working folder. Answers a message for the user when the usual folder could not
// be prepared (the program then works where it was started); exits when --workdir fails.
QString EnterWorkingFolder(const StartOptions& options)
{
    if (!options.workdir.isEmpty()) {
        if (!QDir::setCurrent(options.workdir)) {
            PrintError(QStringLiteral("cannot work in '%1'").arg(options.workdir));
            std::exit(kExitFailed);
        }
        return QString();
    }
    const std::string folder = ChooseWorkingFolder(
        QDir::currentPath().toStdString(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (folder.empty() || folder == QDir::currentPath().toStdString())
        return QString();
    std::string error;
    if (!PrepareWorkingFolder(folder, ExampleSongsFolder().toStdString(), error) ||
        !QDir::setCurrent(QString::fromStdString(folder))) {
        return QStringLiteral("Error : Cannot use the folder '%1': %2")
            .arg(QString::fromStdString(folder), QString::fromStdString(error));
    }
    return QString();
}

// Qt's notes about the offscreen platform's set-up are no news for someone taking a picture;
// real warnings still reach standard error.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg ||
        message.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
        message.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "zimbrel: Qt: %s\n", qPrintable(message));
}

// Saves the window once it has been shown and painted, then ends the program.
void SaveScreenshotWhenPainted(CMainFrame& frame, const QString& path)
{
    auto* poll = new QTimer(&frame);
    QObject::connect(poll, &QTimer::timeout, &frame, [&frame, path, poll] {
        if (!frame.windowHandle() || !frame.windowHandle()->isExposed())
            return;
        poll->stop();
        QCoreApplication::processEvents();  // the pending paints
        QSaveFile file(path);
        const bool saved =
            file.open(QIODevice::WriteOnly) && frame.grab().save(&file, "PNG") && file.commit();
        if (!saved)
            PrintError(QStringLiteral("cannot write '%1': %2").arg(path, file.errorString()));
        QCoreApplication::exit(saved ? kExitDone : kExitFailed);
    });
    poll->start(5);
}

}  // namespace

int main(int argc, char* argv[])
{
    // A screenshot needs no screen: without one, draw offscreen.
    const bool screenshot = [argc, argv] {
        for (int i = 1; i < argc; ++i) {
            if (qstrcmp(argv[i], "--screenshot") == 0)
                return true;
        }
        return false;
    }();
    if (screenshot && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (screenshot)
        qInstallMessageHandler(QtMessages);

    QApplication app(argc, argv);
    // Qt took the user's locale; ./Zimbrel.ini keeps its decimals with a point whatever it is.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QStringLiteral("Corvix"));
    QCoreApplication::setApplicationName(QStringLiteral("Zimbrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZIMBREL_VERSION_TEXT));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.corvix.Zimbrel"));
    const StartOptions options = ParseCommandLine(app);
    const QString folderMessage = EnterWorkingFolder(options);

    SingleInstance instance(
        QString::fromStdString(InstanceName(getuid(), QDir::currentPath().toStdString())));
    if (options.screenshot.isEmpty()) {
        if (instance.HandOver(options.file))
            return kExitDone;
        instance.Listen();
    }

    CMainFrame frame;
    if (!folderMessage.isEmpty())
        frame.WriteOutput(folderMessage.toUtf8().constData());
    if (options.size)
        frame.resize(options.size->width, options.size->height);
    // A song that cannot be read has said why; an empty document is shown instead.
    if (options.file.isEmpty() || !frame.OpenDocument(options.file))
        frame.NewDocument();
    QObject::connect(&instance, &SingleInstance::fileRequested, &frame,
                     [&frame](const QString& file) {
                         if (!file.isEmpty())
                             frame.OpenDocument(file);
                         if (frame.isMinimized())
                             frame.showNormal();
                         frame.raise();
                         frame.activateWindow();
                     });
    frame.show();
    if (options.splash)
        new CSplashWnd(&frame);
    if (!options.screenshot.isEmpty())
        SaveScreenshotWhenPainted(frame, options.screenshot);
    return app.exec();
}
