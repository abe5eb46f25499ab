// The property grid: a two-column tree with a description area.
#include "gui/CPropertyGrid.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kDescriptionRole = Qt::UserRole;

void SetBold(QTreeWidgetItem* row, int column, bool bold)
{
    QFont font = row->font(column);
    font.setBold(bold);
    row->setFont(column, font);
}

}  // namespace

CPropertyGrid::CPropertyGrid(QWidget* parent)
    : QWidget(parent), m_tree(new QTreeWidget), m_description(new QLabel)
{
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({tr("Property"), tr("Value")});
    m_tree->setRootIsDecorated(true);
    m_tree->setAlternatingRowColors(true);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setStretchLastSection(true);
    m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long values are cut short
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_description->setTextFormat(Qt::RichText);
    m_description->setFrameShape(QFrame::StyledPanel);
    m_description->setMinimumHeight(m_description->fontMetrics().lineSpacing() * 3 + 8);
    m_description->setMargin(4);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_description);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* row) { ShowDescription(row); });
}

void CPropertyGrid::Clear()
{
    m_tree->clear();
    m_description->clear();
}

QTreeWidgetItem* CPropertyGrid::AddGroup(const QString& name)
{
    auto* group = new QTreeWidgetItem(m_tree, {name});
    group->setFirstColumnSpanned(true);
    SetBold(group, 0, true);
    group->setExpanded(true);
    return group;
}

QTreeWidgetItem* CPropertyGrid::AddRow(QTreeWidgetItem* group, const QString& name,
                                       const QString& value, const QString& description)
{
    auto* row = group ? new QTreeWidgetItem(group, {name, value})
                      : new QTreeWidgetItem(m_tree, {name, value});
    row->setData(0, kDescriptionRole, description);
    row->setToolTip(1, value);
    return row;
}

QTreeWidgetItem* CPropertyGrid::AddEditorRow(QTreeWidgetItem* group, const QString& name,
                                             QWidget* editor, const QString& description)
{
    QTreeWidgetItem* row = AddRow(group, name, QString(), description);
    m_tree->setItemWidget(row, 1, editor);
    return row;
}

void CPropertyGrid::SetModified(QTreeWidgetItem* row, bool modified)
{
    SetBold(row, 0, modified);
    SetBold(row, 1, modified);
    if (QWidget* editor = m_tree->itemWidget(row, 1)) {
        QFont font = editor->font();
        font.setBold(modified);
        editor->setFont(font);
    }
}

void CPropertyGrid::FitNames()
{
    m_tree->resizeColumnToContents(0);
    m_tree->setColumnWidth(0, m_tree->columnWidth(0) + 12);
}

void CPropertyGrid::ShowDescription(QTreeWidgetItem* row)
{
    if (!row) {
        m_description->clear();
        return;
    }
    m_description->setText(QStringLiteral("<b>%1</b><br>%2")
                               .arg(row->text(0).toHtmlEscaped(),
                                    row->data(0, kDescriptionRole).toString().toHtmlEscaped()));
}
