// The document's dialogs, title, recent documents and file watch.
#include "gui/CDocumentShell.h"

#include "app/CMDocumentCommands.h"
#include "chart/qt/TextBytes.h"
#include "gui/CCommandActions.h"
#include "gui/CMainFrame.h"
#include "gui/CZimbrelView.h"
#include "gui/Profile.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

namespace {

const char* const kRecentKey = "RecentDocuments";
const char* const kSongFilter = "Zimbrel songs (*.zimbrel);;All files (*)";
constexpr int kSettleMilliseconds = 150;

QString FromBytes(const CMString& text)
{
    return TextFromBytes(text.View());
}

CMString ToBytes(const QString& text)
{
    return CMString(text.toUtf8().toStdString());
}

QString SongFolder()
{
    const QDir data(QStringLiteral("Data"));
    return data.exists() ? data.absolutePath() : QDir::currentPath();
}

}  // namespace

CDocumentShell::CDocumentShell(CMainFrame& frame)
    : QObject(&frame), m_frame(frame),
      m_profile(QStringLiteral("Corvix"), QStringLiteral("Zimbrel"))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_settle.start(); });
    connect(&m_settle, &QTimer::timeout, this, &CDocumentShell::FileChanged);
}

std::vector<CMString> CDocumentShell::StoredRecentFiles()
{
    std::vector<CMString> paths;
    for (const QString& path : Profile().value(QLatin1String(kRecentKey)).toStringList())
        paths.push_back(ToBytes(path));
    return paths;
}

void CDocumentShell::WriteOutput(const CMString& text)
{
    m_frame.Output().WriteOutput(text);
}

void CDocumentShell::RepaintChart()
{
    m_frame.RepaintChart();
}

CMString CDocumentShell::AskOpenPath()
{
    return ToBytes(
        QFileDialog::getOpenFileName(&m_frame, tr("Open"), SongFolder(), tr(kSongFilter)));
}

CMString CDocumentShell::AskImportPath()
{
    return ToBytes(QFileDialog::getOpenFileName(
        &m_frame, tr("Import iReal Pro Charts"), QDir::homePath(),
        tr("iReal Pro playlists and links (*.html *.htm *.txt);;All files (*)")));
}

CMString CDocumentShell::AskSavePath(const CMString& suggested)
{
    QString offered = FromBytes(suggested);
    if (QFileInfo(offered).isRelative())
        offered = QDir(SongFolder()).filePath(offered + QStringLiteral(".zimbrel"));
    QString path = QFileDialog::getSaveFileName(&m_frame, tr("Save As"), offered, tr(kSongFilter));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".zimbrel");
    return ToBytes(path);
}

CMSaveChoice CDocumentShell::AskSaveChanges(const CMString& title)
{
    const QMessageBox::StandardButton answer = QMessageBox::question(
        &m_frame, tr("Zimbrel"), tr("Save changes to '%1'?").arg(FromBytes(title)),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    switch (answer) {
    case QMessageBox::Save: return CMSaveChoice::Save;
    case QMessageBox::Discard: return CMSaveChoice::Discard;
    default: return CMSaveChoice::Cancel;
    }
}

bool CDocumentShell::AskReload(const CMString& title)
{
    return QMessageBox::question(&m_frame, tr("Zimbrel"),
                                 tr("'%1' has been changed by another program.\nRead it again and "
                                    "lose the changes made here?")
                                     .arg(FromBytes(title)),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void CDocumentShell::ShowError(const CMString& message)
{
    m_frame.Output().WriteOutput(message);
    QString text = FromBytes(message);
    if (text.startsWith(QLatin1String("Error : ")))
        text.remove(0, 8);
    // Window-modal but not waiting: the program may be starting, or a test running.
    auto* box =
        new QMessageBox(QMessageBox::Warning, tr("Zimbrel"), text, QMessageBox::Ok, &m_frame);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void CDocumentShell::DocumentShown(bool reloaded)
{
    if (CZimbrelView* view = m_frame.ChartView())
        view->DocumentShown(reloaded);
    m_frame.ShowDocumentInPanes();
    Watch();
}

void CDocumentShell::TitleChanged()
{
    m_frame.ShowDocumentTitle();
    m_frame.ShowDocumentInPanes();
    Watch();
}

void CDocumentShell::ShowRecentFiles(const std::vector<CMString>& paths)
{
    QMenu* menu = m_frame.RecentDocumentsMenu();
    menu->clear();
    int index = 0;
    for (const CMString& path : paths) {
        const QString file = FromBytes(path);
        QAction* entry = menu->addAction(
            QStringLiteral("&%1 %2").arg(index + 1).arg(QFileInfo(file).fileName()));
        entry->setToolTip(QDir::toNativeSeparators(file));
        entry->setStatusTip(QDir::toNativeSeparators(file));
        connect(entry, &QAction::triggered, this,
                [this, index] { m_frame.Documents().OpenRecent(index); });
        ++index;
    }
    menu->setEnabled(!paths.empty());
}

void CDocumentShell::RecentFilesChanged(const std::vector<CMString>& paths)
{
    ShowRecentFiles(paths);
    QStringList stored;
    for (const CMString& path : paths)
        stored << FromBytes(path);
    m_profile.setValue(QLatin1String(kRecentKey), stored);
}

void CDocumentShell::PostCommand(int id)
{
    QTimer::singleShot(0, &m_frame, [this, id] { m_frame.Actions().Execute(id); });
}

void CDocumentShell::Watch()
{
    const QString path = FromBytes(m_frame.Documents().Document().GetPath());
    if (path != m_watched && !m_watched.isEmpty())
        m_watcher.removePath(m_watched);
    m_watched = path;
    // Editors often save by renaming a new file over the old one: the watch then ends with the
    // old file and starts again on the new one.
    if (!path.isEmpty() && !m_watcher.files().contains(path) && QFileInfo::exists(path))
        m_watcher.addPath(path);
}

void CDocumentShell::FileChanged()
{
    Watch();
    m_frame.Documents().FileChangedOnDisk();
}
