// The network view: toolbar, song list and poll timer around the network pane's logic.
#include "gui/CNetworkView.h"

#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CMainFrame.h"
#include "gui/CRegisterDlg.h"
#include "gui/PaneLayout.h"
#include "gui/ShownText.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace C = CommandId;

namespace {

constexpr int kPollMs = 100;
// While song files are stored or read the pane is polled this often, leaving time for the user.
constexpr int kContinueMs = 10;
constexpr int kToolbarCommands[] = {C::NetConnect, C::NetLogIn, C::NetQuerySongList,
                                    C::NetDownloadSong, C::NetUploadSong};

}  // namespace

// The pane's rows as a table: filled in no time however long the server's list is.
class CSongListModel : public QAbstractTableModel {
public:
    CSongListModel(const CMNetworkPane& pane, QObject* parent)
        : QAbstractTableModel(parent), m_pane(pane), m_song(QStringLiteral(":/icons/song.svg"))
    {
    }
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_pane.GetRows().size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const CMSongListRow& row = m_pane.GetRows()[static_cast<std::size_t>(index.row())];
        if (role == Qt::DisplayRole)
            return ShownText(index.column() == 0 ? row.title : row.author);
        if (role == Qt::DecorationRole && index.column() == 0)
            return m_song;
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return section == 0 ? CNetworkView::tr("Song") : CNetworkView::tr("Author");
    }

private:
    const CMNetworkPane& m_pane;
    QIcon m_song;
};

CNetworkView::CNetworkView(CMainFrame& frame)
    : m_frame(frame), m_pane(*this),
      m_commands(m_pane, [&frame] { return frame.Document().GetSong().path; }),
      m_rows(new CSongListModel(m_pane, this)), m_sorted(new QSortFilterProxyModel(this)),
      m_list(new QTableView), m_allMenu(new QMenu(this))
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

    m_sorted->setSourceModel(m_rows);
    m_sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_list->setModel(m_sorted);
    m_list->setColumnWidth(0, 200);
    m_list->setColumnWidth(1, 100);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->horizontalHeader()->setResizeContentsPrecision(200);  // a long list sizes quickly
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->setWordWrap(false);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(-1, Qt::AscendingOrder);  // the server's order until a header is clicked
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);

    frame.Router().AddTarget(CMCommandLayer::Frame, m_commands);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CNetworkView::ShowSelection);
    connect(m_list, &QWidget::customContextMenuRequested, this, &CNetworkView::ShowContextMenu);
    connect(&m_poll, &QTimer::timeout, this, &CNetworkView::Poll);
    m_poll.start(kPollMs);  // also while the pane is hidden
    // While song files are stored or read, the pane is polled more often until they are done.
    m_continue.setSingleShot(true);
    connect(&m_continue, &QTimer::timeout, this, &CNetworkView::Poll);
    connect(&frame.Actions(), &CCommandActions::commandExecuted, this, [this] {
        if (m_pane.HasFileWork())
            m_continue.start(kContinueMs);
    });
    m_flushLog.setSingleShot(true);
    connect(&m_flushLog, &QTimer::timeout, this, &CNetworkView::FlushLog);
}

CNetworkView::~CNetworkView()
{
    FlushLog();
    m_frame.Router().RemoveTarget(m_commands);
}

void CNetworkView::Poll()
{
    m_pane.Poll();
    if (m_pane.HasFileWork())
        m_continue.start(kContinueMs);
    const std::tuple<bool, bool, bool> state{m_pane.IsConnected(), m_pane.IsConnecting(),
                                             m_pane.IsLoggedIn()};
    if (state != m_shownState) {
        m_shownState = state;
        m_frame.Actions().RequestUpdate();
    }
}

void CNetworkView::WriteNetworkLog(const CMString& line)
{
    // A burst of lines (a song list, a download) reaches the list and the log file at once; with
    // "\r\n" between them the log file holds the same bytes as line by line.
    if (!m_log.empty())
        m_log += "\r\n";
    m_log += line.View();
    m_flushLog.start(0);
}

void CNetworkView::FlushLog()
{
    if (!m_log.empty())
        m_frame.Output().WriteDebug(CMString(std::exchange(m_log, {})));
}

void CNetworkView::SongListChanged()
{
    m_rows->Reset();
    m_list->resizeColumnsToContents();
    ShowSelection();
}

void CNetworkView::ShowSelection()
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows(0))
        rows.push_back(m_sorted->mapToSource(index).row());
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
