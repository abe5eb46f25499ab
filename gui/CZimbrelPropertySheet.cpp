// The options sheet in tree look.
#include "gui/CZimbrelPropertySheet.h"

#include "app/CMOptionsSheet.h"
#include "gui/COptionsPages.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTreeWidth = 160;
constexpr int kPageRole = Qt::UserRole;

}  // namespace

CZimbrelPropertySheet::CZimbrelPropertySheet(CMOptionsSheet& sheet, QWidget* parent)
    : QDialog(parent), m_sheet(sheet), m_tree(new QTreeWidget), m_stack(new QStackedWidget)
{
    setWindowTitle(tr("Options"));
    m_stack->addWidget(new CPropGeneral(sheet));
    m_stack->addWidget(new CPropFont(sheet));
    m_stack->addWidget(new CPropAccount(sheet));
    m_stack->addWidget(new CPropTempo(sheet));
    for (const CMSectionPage& page : sheet.Sections())
        m_stack->addWidget(new CPropSection(sheet, page));

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
    const auto addPage = [category](const QString& title, const char* icon) {
        auto* item = new QTreeWidgetItem(category, {title});
        item->setIcon(0, QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
        item->setData(0, kPageRole, category->childCount() - 1);
    };
    for (const auto& [title, icon] : pages)
        addPage(tr(title), icon);
    for (const CMSectionPage& page : sheet.Sections())
        addPage(QString::fromUtf8(page.title), page.icon);
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
    // A page remembered from a sheet that had more pages opens the first.
    const QTreeWidgetItem* category = m_tree->topLevelItem(0);
    m_tree->setCurrentItem(category->child(page < category->childCount() ? page : 0));
}

void CZimbrelPropertySheet::done(int result)
{
    if (result == Accepted) {
        const std::string refusal = m_sheet.CheckSections();
        if (!refusal.empty()) {
            QMessageBox::warning(this, tr("Options"), QString::fromStdString(refusal));
            return;  // the user corrects the value
        }
    }
    CMOptionsSheet::RememberPage(m_stack->currentIndex());
    QDialog::done(result);
}
