// The network view: toolbar, song list and poll timer around the network pane's logic.
#include "gui/CNetworkView.h"

#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CMainFrame.h"
#include "gui/CRegisterDlg.h"
#include "gui/PaneLayout.h"
#include "gui/ShownText.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

namespace C = CommandId;

namespace {

constexpr int kPollMs = 100;
constexpr int kRowRole = Qt::UserRole;  // the pane's row behind a line of the list
constexpr int kToolbarCommands[] = {C::NetConnect, C::NetLogIn, C::NetQuerySongList,
                                    C::NetDownloadSong, C::NetUploadSong};

}  // namespace

CNetworkView::CNetworkView(CMainFrame& frame)
    : m_frame(frame), m_pane(*this),
      m_commands(m_pane, [&frame] { return frame.Document().GetSong().path; }),
      m_list(new QTableWidget(0, 2)), m_allMenu(new QMenu(this))
{
    QToolBar* toolbar = LayOutPane(this, m_list);
    for (const int id : kToolbarCommands)
        toolbar->addAction(frame.Actions().Action(id));
    m_allMenu->addAction(frame.Actions().Action(C::NetDownloadAll));
    m_allMenu->addAction(frame.Actions().Action(C::NetUploadAll));
    auto* allButton = new QToolButton;
    allButton->setMenu(m_allMenu);
    allButton->setPopupMode(QToolButton::InstantPopup);
    allButton->setIcon(QIcon(QStringLiteral(":/icons/net-download-all.svg")));
    allButton->setToolTip(tr("Download or upload all songs"));
    toolbar->addWidget(allButton);

    m_list->setHorizontalHeaderLabels({tr("Song"), tr("Author")});
    m_list->setColumnWidth(0, 200);
    m_list->setColumnWidth(1, 100);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->setWordWrap(false);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(-1, Qt::AscendingOrder);  // the server's order until a header is clicked
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);

    frame.Router().AddTarget(CMCommandLayer::Frame, m_commands);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &CNetworkView::ShowSelection);
    connect(m_list, &QWidget::customContextMenuRequested, this, &CNetworkView::ShowContextMenu);
    connect(&m_poll, &QTimer::timeout, this, &CNetworkView::Poll);
    m_poll.start(kPollMs);  // also while the pane is hidden
}

CNetworkView::~CNetworkView()
{
    m_frame.Router().RemoveTarget(m_commands);
}

void CNetworkView::Poll()
{
    m_pane.Poll();
    const std::tuple<bool, bool, bool> state{m_pane.IsConnected(), m_pane.IsConnecting(),
                                             m_pane.IsLoggedIn()};
    if (state != m_shownState) {
        m_shownState = state;
        m_frame.Actions().RequestUpdate();
    }
}

void CNetworkView::WriteNetworkLog(const CMString& line)
{
    m_frame.Output().WriteDebug(line);
}

void CNetworkView::SongListChanged()
{
    m_list->setSortingEnabled(false);
    m_list->clearContents();
    const std::vector<CMSongListRow>& rows = m_pane.GetRows();
    m_list->setRowCount(static_cast<int>(rows.size()));
    const QIcon song(QStringLiteral(":/icons/song.svg"));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        auto* title = new QTableWidgetItem(song, ShownText(rows[row].title));
        title->setData(kRowRole, row);
        m_list->setItem(row, 0, title);
        m_list->setItem(row, 1, new QTableWidgetItem(ShownText(rows[row].author)));
    }
    m_list->resizeColumnsToContents();
    m_list->setSortingEnabled(true);
    ShowSelection();
}

void CNetworkView::ShowSelection()
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows(0))
        rows.push_back(index.data(kRowRole).toInt());
    m_commands.SetSelectedRows(std::move(rows));
}

void CNetworkView::ShowContextMenu(const QPoint& position)
{
    QMenu menu(this);
    for (const int id : kToolbarCommands)
        menu.addAction(m_frame.Actions().Action(id));
    menu.addSeparator();
    menu.addActions(m_allMenu->actions());
    menu.exec(m_list->viewport()->mapToGlobal(position));
}

bool CNetworkView::RunRegisterDialog(CMRegistration& registration)
{
    CRegisterDlg dialog(registration, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    registration = dialog.Fields();
    return true;
}
