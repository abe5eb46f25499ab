// The ribbon's tab row, pages and colours.
#include "gui/RibbonBar.h"

#include "gui/RibbonPanel.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPageHeight = 96;

QString StyleSheet(const CRibbonColours& c, const QPalette& palette)
{
    const QColor highlight = palette.color(QPalette::Highlight);
    QColor hover = highlight;
    hover.setAlpha(60);
    QColor pressed = highlight;
    pressed.setAlpha(110);
    const auto rgba = [](const QColor& colour) {
        return QStringLiteral("rgba(%1,%2,%3,%4)")
            .arg(colour.red())
            .arg(colour.green())
            .arg(colour.blue())
            .arg(colour.alpha());
    };
    return QStringLiteral(
               "CRibbonBar { background: %1; border-bottom: 1px solid %4; }"
               "#RibbonTabRow { background: %2; }"
               "QPushButton#RibbonTab { border: 1px solid transparent; border-bottom: none;"
               "  padding: 4px 16px; margin-top: 3px; background: transparent; color: %8; }"
               "QPushButton#RibbonTab:hover { background: %6; }"
               "QPushButton#RibbonTab:checked { background: %1; border-color: %4;"
               "  border-top-left-radius: 3px; border-top-right-radius: 3px; }"
               "QToolButton#ApplicationButton { background: %5; color: %9; border: none;"
               "  padding: 4px 18px; margin: 3px 6px 0 0; font-weight: bold;"
               "  border-top-left-radius: 3px; border-top-right-radius: 3px; }"
               "QToolButton#ApplicationButton::menu-indicator { image: none; }"
               "CRibbonPanel { border-right: 1px solid %4; }"
               "QLabel#PanelCaption { color: %3; }"
               "CRibbonBar QToolButton { border: 1px solid transparent; border-radius: 3px;"
               "  padding: 1px 3px; background: transparent; }"
               "CRibbonBar QToolButton:hover { background: %6; border-color: %7; }"
               "CRibbonBar QToolButton:pressed, CRibbonBar QToolButton:checked"
               "  { background: %7; border-color: %7; }"
               "CRibbonBar QToolButton::menu-indicator { image: none; }")
        .arg(c.panel.name(), c.tabRow.name(), c.caption.name(), c.border.name(), c.accent.name(),
             rgba(hover), rgba(pressed), palette.color(QPalette::WindowText).name(),
             c.accentText.name());
}

}  // namespace

CRibbonBar::CRibbonBar(QWidget* parent)
    : QWidget(parent), m_tabRow(new QWidget(this)), m_tabLayout(new QHBoxLayout),
      m_quickLayout(new QHBoxLayout), m_appButton(new QToolButton(m_tabRow)),
      m_tabs(new QButtonGroup(this)), m_pages(new QStackedWidget(this))
{
    m_tabRow->setObjectName(QStringLiteral("RibbonTabRow"));
    m_tabRow->setAttribute(Qt::WA_StyledBackground);
    m_appButton->setObjectName(QStringLiteral("ApplicationButton"));
    m_appButton->setText(tr("File"));
    m_appButton->setPopupMode(QToolButton::InstantPopup);
    m_appButton->setToolTip(tr("<b>File</b><br>New, open, save and print songs"));

    m_tabLayout->setContentsMargins(0, 0, 0, 0);
    m_tabLayout->setSpacing(2);
    m_quickLayout->setContentsMargins(0, 0, 0, 0);
    m_quickLayout->setSpacing(1);
    auto* row = new QHBoxLayout(m_tabRow);
    row->setContentsMargins(4, 0, 6, 0);
    row->setSpacing(0);
    row->addWidget(m_appButton, 0, Qt::AlignBottom);
    row->addLayout(m_tabLayout);
    row->addStretch(1);
    row->addLayout(m_quickLayout);

    m_pages->setFixedHeight(kPageHeight);
    // A window narrower than the panels cuts them off at the right instead of refusing to shrink.
    m_pages->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 1);
    layout->setSpacing(0);
    layout->addWidget(m_tabRow);
    layout->addWidget(m_pages);

    connect(m_tabs, &QButtonGroup::idClicked, m_pages, &QStackedWidget::setCurrentIndex);
    auto* fileKey = new QShortcut(QKeySequence(tr("Alt+F")), this);
    connect(fileKey, &QShortcut::activated, this, &CRibbonBar::ShowApplicationMenu);
}

void CRibbonBar::SetApplicationMenu(QMenu* menu)
{
    m_appButton->setMenu(menu);
}

void CRibbonBar::AddQuickAccess(QAction* action)
{
    auto* button = new QToolButton(m_tabRow);
    button->setDefaultAction(action);
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    m_quickLayout->addWidget(button);
}

void CRibbonBar::AddRightMenu(const QString& text, const QIcon& icon, QMenu* menu)
{
    auto* button = new QToolButton(m_tabRow);
    button->setText(text);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(text.isEmpty() ? Qt::ToolButtonIconOnly
                                              : Qt::ToolButtonTextBesideIcon);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    if (m_quickLayout->count() > 0 &&
        !m_quickLayout->itemAt(m_quickLayout->count() - 1)->spacerItem())
        m_quickLayout->addSpacing(10);
    m_quickLayout->addWidget(button);
}

void CRibbonBar::AddTab(const QString& title)
{
    auto* tab = new QPushButton(title, m_tabRow);
    tab->setObjectName(QStringLiteral("RibbonTab"));
    tab->setCheckable(true);
    tab->setFocusPolicy(Qt::NoFocus);
    const int index = static_cast<int>(m_pageLayouts.size());
    m_tabs->addButton(tab, index);
    m_tabLayout->addWidget(tab, 0, Qt::AlignBottom);

    auto* page = new QWidget(m_pages);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    m_pages->addWidget(page);
    m_pageLayouts.push_back(layout);
    if (index == 0)
        SetCurrentTab(0);
}

CRibbonPanel* CRibbonBar::AddPanel(const QString& caption)
{
    QHBoxLayout* layout = m_pageLayouts.back();
    auto* panel = new CRibbonPanel(caption, layout->parentWidget());
    layout->insertWidget(layout->count() - 1, panel);
    return panel;
}

int CRibbonBar::TabCount() const
{
    return static_cast<int>(m_pageLayouts.size());
}

QString CRibbonBar::TabTitle(int index) const
{
    const QAbstractButton* tab = m_tabs->button(index);
    return tab ? tab->text() : QString();
}

int CRibbonBar::CurrentTab() const
{
    return m_pages->currentIndex();
}

void CRibbonBar::SetCurrentTab(int index)
{
    if (QAbstractButton* tab = m_tabs->button(index)) {
        tab->setChecked(true);
        m_pages->setCurrentIndex(index);
    }
}

void CRibbonBar::ShowApplicationMenu()
{
    m_appButton->showMenu();
}

void CRibbonBar::SetLook(const CLook& look)
{
    setStyleSheet(StyleSheet(look.ribbon, look.palette));
    SetCompact(width() < FullWidth());
}

int CRibbonBar::FullWidth() const
{
    // The widest page with every caption shown; compact panels would measure less.
    int width = 0;
    for (QHBoxLayout* page : m_pageLayouts) {
        int pageWidth = page->contentsMargins().left() + page->contentsMargins().right();
        for (const CRibbonPanel* panel : page->parentWidget()->findChildren<CRibbonPanel*>())
            pageWidth += panel->FullWidth();
        width = std::max(width, pageWidth);
    }
    return width;
}

void CRibbonBar::SetCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    for (CRibbonPanel* panel : findChildren<CRibbonPanel*>())
        panel->SetCompact(compact);
}

void CRibbonBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SetCompact(width() < FullWidth());
}

void CRibbonBar::paintEvent(QPaintEvent*)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
