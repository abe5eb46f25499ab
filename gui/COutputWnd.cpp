// The output pane's model, list views and tabs.
#include "gui/COutputWnd.h"

#include "app/CMOutputPane.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFont>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>

namespace {

// "Lucida Console" where it exists; fontconfig's monospace font elsewhere.
QFont OutputFont()
{
    QFont font(QStringLiteral("Lucida Console"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

COutputListModel::COutputListModel(Kelvar::Control::CQListBox& list, QObject* parent)
    : QAbstractListModel(parent), m_list(list)
{
    m_list.SetView(this);
}

COutputListModel::~COutputListModel()
{
    m_list.SetView(nullptr);
}

int COutputListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.GetCount();
}

QVariant COutputListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_list.GetCount())
        return {};
    // Lines are bytes; text that is not UTF-8 is shown as Latin-1.
    const std::string& line = m_list.GetLine(index.row());
    const QByteArray bytes = QByteArray::fromRawData(line.data(), static_cast<int>(line.size()));
    QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        text = QString::fromLatin1(bytes);
    return text;
}

void COutputListModel::BeginInsertLines(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
}

void COutputListModel::EndInsertLines()
{
    endInsertRows();
}

void COutputListModel::BeginRemoveLines(int first, int last)
{
    beginRemoveRows(QModelIndex(), first, last);
}

void COutputListModel::EndRemoveLines()
{
    endRemoveRows();
}

void COutputListModel::SelectionChanged(int line)
{
    emit selectionMoved(line);
}

COutputList::COutputList(Kelvar::Control::CQListBox& list, QWidget* parent)
    : QListView(parent), m_list(list), m_model(new COutputListModel(list, this))
{
    setModel(m_model);
    setFont(OutputFont());
    setUniformItemSizes(true);  // every row is one line high: no measuring 4,000 rows
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    ShowLine(list.GetSelection());
    connect(m_model, &COutputListModel::selectionMoved, this, &COutputList::ShowLine);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { m_list.SetSelection(current.row()); });
}

void COutputList::ShowLine(int line)
{
    if (line < 0) {
        clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(line);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

QString COutputList::SelectedText() const
{
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (const QModelIndex& row : rows)
        lines << row.data().toString();
    return lines.join(QLatin1Char('\n'));
}

void COutputList::CopySelection() const
{
    QApplication::clipboard()->setText(SelectedText());
}

void COutputList::keyPressEvent(QKeyEvent* event)
{
    // The view alone would copy only the current line.
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    QListView::keyPressEvent(event);
}

void COutputList::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    // The selected line stays in sight, the last one while the list follows its end.
    if (currentIndex().isValid())
        scrollTo(currentIndex());
}

void COutputList::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("&Copy"), this, &COutputList::CopySelection);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(selectionModel()->hasSelection());
    menu.addAction(tr("C&lear"), this, [this] { m_list.Clear(); });
    menu.addSeparator();
    QAction* all = menu.addAction(tr("Select &All"), this, &QListView::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}

COutputWnd::COutputWnd(CMOutputPane& pane, QWidget* parent)
    : QTabWidget(parent), m_output(new COutputList(pane.Output(), this)),
      m_debug(new COutputList(pane.Debug(), this))
{
    setDocumentMode(true);
    setTabPosition(QTabWidget::South);
    addTab(m_output, tr("Output"));
    addTab(m_debug, tr("Debug"));
}
