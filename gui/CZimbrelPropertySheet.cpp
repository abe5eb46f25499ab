// The options sheet in tree look.
#include "gui/CZimbrelPropertySheet.h"

#include "app/CMOptionsSheet.h"
#include "gui/COptionsPages.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTreeWidth = 160;
constexpr int kPageRole = Qt::UserRole;

}  // namespace

CZimbrelPropertySheet::CZimbrelPropertySheet(CMOptionsSheet& sheet, QWidget* parent)
    : QDialog(parent), m_tree(new QTreeWidget), m_stack(new QStackedWidget)
{
    setWindowTitle(tr("Options"));
    m_stack->addWidget(new CPropGeneral(sheet));
    m_stack->addWidget(new CPropFont(sheet));
    m_stack->addWidget(new CPropAccount(sheet));
    m_stack->addWidget(new CPropTempo(sheet));

    m_tree->setHeaderHidden(true);
    m_tree->setFixedWidth(kTreeWidth);
    m_tree->setIconSize(QSize(16, 16));
    auto* category = new QTreeWidgetItem(m_tree, {tr("Settings")});
    category->setIcon(0, QIcon(QStringLiteral(":/icons/options.svg")));
    category->setFlags(Qt::ItemIsEnabled);
    const std::pair<const char*, const char*> pages[] = {{"General", "options"},
                                                         {"Font", "page-font"},
                                                         {"Account", "page-account"},
                                                         {"Tempo", "page-tempo"}};
    for (int page = 0; page < CMOptionsSheet::kPageCount; ++page) {
        auto* item = new QTreeWidgetItem(category, {tr(pages[page].first)});
        item->setIcon(0, QIcon(QStringLiteral(":/icons/%1.svg").arg(pages[page].second)));
        item->setData(0, kPageRole, page);
    }
    category->setExpanded(true);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && item->parent())
            m_stack->setCurrentIndex(item->data(0, kPageRole).toInt());
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* pagesAndTree = new QHBoxLayout;
    pagesAndTree->addWidget(m_tree);
    pagesAndTree->addWidget(m_stack, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pagesAndTree, 1);
    layout->addWidget(buttons);
    resize(640, 460);
    ShowPage(CMOptionsSheet::RememberedPage());
}

void CZimbrelPropertySheet::ShowPage(int page)
{
    m_tree->setCurrentItem(m_tree->topLevelItem(0)->child(page));
}

void CZimbrelPropertySheet::done(int result)
{
    CMOptionsSheet::RememberPage(m_stack->currentIndex());
    QDialog::done(result);
}
