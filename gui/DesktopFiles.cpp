// The desktop's text editor and clipboard for song files. The editor is the one xdg-mime names
// for text/plain (not the one for songs, which is this program); its desktop entry's Exec line
// gives the command.
#include "gui/DesktopFiles.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

namespace {

// The Exec line of a desktop entry, found where applications are installed; empty when none.
QString ExecLineOf(const QString& desktopFile)
{
    const QString path =
        QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopFile.trimmed());
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream lines(&file);
    bool inEntry = false;
    while (!lines.atEnd()) {
        const QString line = lines.readLine().trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("Exec=")))
            return line.mid(5);
    }
    return QString();
}

// The command of an Exec line for one file: the file in place of its field code (or added at the
// end), the other field codes dropped.
QStringList CommandFor(const QString& exec, const QString& path)
{
    QStringList command;
    bool placed = false;
    for (QString argument : QProcess::splitCommand(exec)) {
        if (argument.size() == 2 && argument[0] == QLatin1Char('%')) {
            if (QStringLiteral("fFuU").contains(argument[1]) && !placed) {
                command << path;
                placed = true;
            }
            continue;
        }
        command << argument.replace(QLatin1String("%%"), QLatin1String("%"));
    }
    if (!placed && !command.isEmpty())
        command << path;
    return command;
}

}  // namespace

void OpenInTextEditor(const QString& path, QObject* context,
                      const std::function<void(const QString&)>& failed)
{
    auto* query = new QProcess(context);
    const auto finish = [query, path, failed](bool asked) {
        const QString exec =
            asked ? ExecLineOf(QString::fromLocal8Bit(query->readAllStandardOutput())) : QString();
        query->deleteLater();
        const QStringList command = CommandFor(exec, path);
        if (!command.isEmpty() && QProcess::startDetached(command.first(), command.mid(1)))
            return;
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            failed(QStringLiteral("Error : No program to edit '%1' could be started").arg(path));
    };
    QObject::connect(query, &QProcess::finished, query, [finish] { finish(true); });
    QObject::connect(query, &QProcess::errorOccurred, query,
                     [finish](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             finish(false);
                     });
    query->start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                              QStringLiteral("text/plain")});
}

void PutFileOnClipboard(const QString& path, bool cut)
{
    const QUrl url = QUrl::fromLocalFile(path);
    auto* data = new QMimeData;
    data->setUrls({url});
    data->setText(path);
    const QByteArray action = cut ? "cut" : "copy";
    data->setData(QStringLiteral("x-special/gnome-copied-files"), action + '\n' + url.toEncoded());
    data->setData(QStringLiteral("application/x-kde-cutselection"), cut ? "1" : "0");
    QGuiApplication::clipboard()->setMimeData(data);
}
