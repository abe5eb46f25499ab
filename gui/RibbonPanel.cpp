// Panel layout and the small elements.
#include "gui/RibbonPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;
constexpr int kRowHeight = 24;

}  // namespace

void FollowAction(QWidget* widget, QAction* action)
{
    const auto follow = [widget, action] {
        widget->setEnabled(action->isEnabled());
        widget->setToolTip(action->toolTip());
        widget->setStatusTip(action->statusTip());
    };
    follow();
    QObject::connect(action, &QAction::changed, widget, follow);
}

CRibbonPanel::CRibbonPanel(const QString& caption, QWidget* parent)
    : QWidget(parent), m_content(new QHBoxLayout)
{
    m_content->setContentsMargins(0, 0, 0, 0);
    m_content->setSpacing(4);
    auto* label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("PanelCaption"));
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 5, 2);
    layout->setSpacing(2);
    layout->addLayout(m_content, 1);
    layout->addWidget(label);
}

QToolButton* CRibbonPanel::AddLargeButton(QAction* action)
{
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(kLargeIcon, kLargeIcon));
    // Wide enough for the caption: a large button's caption is never cut.
    button->setMinimumWidth(
        std::max(54, button->fontMetrics().horizontalAdvance(action->text()) + 14));
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    button->setObjectName(QStringLiteral("LargeButton"));
    m_content->addWidget(button);
    return button;
}

void CRibbonPanel::AddColumn(std::initializer_list<QWidget*> rows)
{
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    for (QWidget* row : rows) {
        row->setParent(this);
        row->setFixedHeight(kRowHeight);
        column->addWidget(row);
    }
    column->addStretch(1);
    m_content->addLayout(column);
}

QToolButton* CRibbonPanel::SmallButton(QAction* action)
{
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setToolButtonStyle(action->icon().isNull() ? Qt::ToolButtonTextOnly
                                                       : Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(kSmallIcon, kSmallIcon));
    if (!action->icon().isNull())
        m_pictureButtons.append(button);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

QCheckBox* CRibbonPanel::CheckButton(QAction* action)
{
    auto* box = new QCheckBox(action->text(), this);
    box->setFocusPolicy(Qt::TabFocus);
    const auto follow = [box, action] { box->setChecked(action->isChecked()); };
    follow();
    FollowAction(box, action);
    connect(action, &QAction::changed, box, follow);
    connect(box, &QCheckBox::clicked, action, &QAction::trigger);
    return box;
}

QWidget* CRibbonPanel::Labelled(QAction* action, QWidget* control, int labelWidth)
{
    auto* row = new QWidget(this);
    auto* label = new QLabel(action->text(), row);
    if (labelWidth > 0)
        label->setFixedWidth(labelWidth);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(label);
    layout->addWidget(control, 1);
    label->setBuddy(control);
    FollowAction(row, action);
    return row;
}

int CRibbonPanel::FullWidth() const
{
    return m_compact ? m_fullWidth : minimumSizeHint().width();
}

void CRibbonPanel::SetCompact(bool compact)
{
    if (compact && !m_compact)
        m_fullWidth = minimumSizeHint().width();
    m_compact = compact;
    for (QToolButton* button : m_pictureButtons)
        button->setToolButtonStyle(compact ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}

void CRibbonPanel::paintEvent(QPaintEvent*)
{
    // Lets the ribbon's style sheet draw the panel's background and border.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
