// The song view: the tree, its context menu and the watched folder.
#include "gui/CSongView.h"

#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CMainFrame.h"
#include "gui/DesktopFiles.h"
#include "gui/PaneLayout.h"
#include "gui/ShownText.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QMenu>
#include <QMessageBox>
#include <QTreeWidget>

namespace C = CommandId;

namespace {

constexpr int kTitleRole = Qt::UserRole;  // the title's bytes
// Saving a song writes a temporary file and renames it: one refill for the whole burst.
constexpr int kRefillDelayMs = 150;

CMString TitleOf(const QTreeWidgetItem* item)
{
    return item ? CMString(item->data(0, kTitleRole).toByteArray().toStdString()) : CMString();
}

}  // namespace

CSongView::CSongView(CMainFrame& frame)
    : m_frame(frame), m_model([&frame](int id) { frame.PostCommand(id); }), m_tree(new QTreeWidget),
      m_watcher(new QFileSystemWatcher(this))
{
    LayOutPane(this, m_tree)->addAction(frame.Actions().Action(C::SongProperties));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setUniformRowHeights(true);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);

    frame.Router().AddTarget(CMCommandLayer::Frame, m_model);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CSongView::OnSelectionChanged);
    connect(m_tree, &QWidget::customContextMenuRequested, this, &CSongView::ShowContextMenu);
    m_refillSoon.setSingleShot(true);
    m_refillSoon.setInterval(kRefillDelayMs);
    connect(&m_refillSoon, &QTimer::timeout, this, &CSongView::Refill);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, &m_refillSoon,
            qOverload<>(&QTimer::start));
    Refill();
}

CSongView::~CSongView()
{
    m_frame.Router().RemoveTarget(m_model);
}

void CSongView::Refill()
{
    m_filling = true;
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    const CMSongTree songs = ReadSongTree(kFolder, m_frame.Document().GetTitle());
    const QIcon icon(QStringLiteral(":/icons/song.svg"));
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(songs.titles.size()));
    for (const CMString& title : songs.titles) {
        auto* item = new QTreeWidgetItem({ShownText(title.View())});
        item->setIcon(0, icon);
        item->setData(0, kTitleRole, QByteArray::fromStdString(title.Str()));
        items.append(item);
    }
    m_tree->addTopLevelItems(items);  // at once: a large song folder fills quickly
    if (songs.selected >= 0) {
        QTreeWidgetItem* selected = m_tree->topLevelItem(songs.selected);
        m_tree->setCurrentItem(selected);
        m_tree->scrollToItem(selected);
    }
    m_tree->setUpdatesEnabled(true);
    m_filling = false;
    WatchFolder();
}

void CSongView::WatchFolder()
{
    // Until the folder exists, the working folder is watched for its arrival.
    const QString folder = QDir(QString::fromLatin1(kFolder)).absolutePath();
    const QString watched = QDir(folder).exists() ? folder : QDir::currentPath();
    if (m_watcher->directories() == QStringList{watched})
        return;
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_watcher->addPath(watched);
}

CMString CSongView::GetSelectedTitle() const
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? CMString() : TitleOf(selected.first());
}

void CSongView::ShowDocument(const CMString& title)
{
    m_filling = true;
    m_tree->clearSelection();
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_tree->topLevelItem(i);
        if (!title.IsEmpty() && TitleOf(item) == title) {
            m_tree->setCurrentItem(item);
            m_tree->scrollToItem(item);
            break;
        }
    }
    m_filling = false;
}

QString CSongView::PathOf(const CMString& title) const
{
    return QFile::decodeName(QByteArray::fromStdString(SongFilePath(kFolder, title)));
}

void CSongView::OnSelectionChanged()
{
    if (m_filling)
        return;
    const CMString title = GetSelectedTitle();
    emit songSelected(title.IsEmpty() ? QString() : PathOf(title));
    if (!title.IsEmpty())
        m_frame.PostCommand(C::OpenSongFromList);
}

void CSongView::ShowContextMenu(const QPoint& position)
{
    QTreeWidgetItem* item = m_tree->itemAt(position);
    if (item)
        m_tree->setCurrentItem(item);
    const CMString title = TitleOf(item);
    const QString path = PathOf(title);
    QMenu menu(this);
    menu.addAction(tr("&Open"), this, [this] { m_frame.PostCommand(C::OpenSongFromList); });
    menu.addAction(tr("Open &With Text Editor"), this, [this, path] {
        OpenInTextEditor(path, this, [this](const QString& message) {
            m_frame.WriteOutput(CMString(message.toUtf8().toStdString()));
        });
    });
    menu.addAction(tr("&Compile"), this, [this, path] {
        CompileSongFile(QFile::encodeName(path).toStdString(), m_frame);
    });
    menu.addSeparator();
    menu.addAction(QIcon(QStringLiteral(":/icons/cut.svg")), tr("Cu&t"), this,
                   [path] { PutFileOnClipboard(path, true); });
    menu.addAction(QIcon(QStringLiteral(":/icons/copy.svg")), tr("&Copy"), this,
                   [path] { PutFileOnClipboard(path, false); });
    menu.addAction(tr("&Remove"), this, [this, title] { Remove(title); });
    menu.addSeparator();
    menu.addAction(m_frame.Actions().Action(C::SongProperties));
    for (QAction* action : menu.actions()) {
        if (action->data().isNull() && !action->isSeparator())
            action->setEnabled(item != nullptr);
    }
    menu.exec(m_tree->viewport()->mapToGlobal(position));
}

void CSongView::Remove(const CMString& title)
{
    const QString path = PathOf(title);
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, tr("Zimbrel"), ShownText(RemoveSongQuestion(title).View()),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    QFile file(path);
    if (!file.moveToTrash()) {
        const QString message =
            tr("Cannot move '%1' to the trash: %2").arg(path, file.errorString());
        m_frame.WriteOutput(CMString(("Error : " + message).toUtf8().toStdString()));
        QMessageBox::warning(this, tr("Zimbrel"), message);
        return;
    }
    Refill();
}
