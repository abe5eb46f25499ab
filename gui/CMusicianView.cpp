// The musician view: the tree of the model and the sort drop-down.
#include "gui/CMusicianView.h"

#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CMainFrame.h"
#include "gui/PaneLayout.h"
#include "gui/ShownText.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>

namespace C = CommandId;

namespace {

// The band or player behind a tree item.
constexpr int kBandRole = Qt::UserRole;
constexpr int kPlayerRole = Qt::UserRole + 1;

QIcon IconOf(CMMusicianImage image)
{
    const char* name = "folder";
    switch (image) {
    case CMMusicianImage::Folder: break;
    case CMMusicianImage::Band: name = "band"; break;
    case CMMusicianImage::Bass: name = "player-bass"; break;
    case CMMusicianImage::Piano: name = "player-piano"; break;
    case CMMusicianImage::Drums: name = "player-drums"; break;
    case CMMusicianImage::OtherPlayer: name = "player-other"; break;
    }
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

}  // namespace

CMusicianView::CMusicianView(CMainFrame& frame)
    : m_frame(frame), m_model(frame.BandList(), [this] { Fill(); }), m_tree(new QTreeWidget),
      m_sortButton(new QToolButton)
{
    auto* sortMenu = new QMenu(this);
    for (int id = C::SortAlphabetic; id <= C::GroupByType; ++id)
        sortMenu->addAction(frame.Actions().Action(id));
    m_sortButton->setMenu(sortMenu);
    m_sortButton->setPopupMode(QToolButton::InstantPopup);
    m_sortButton->setToolTip(tr("Sort"));
    LayOutPane(this, m_tree)->addWidget(m_sortButton);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);

    frame.Router().AddTarget(CMCommandLayer::Frame, m_model);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CMusicianView::OnSelectionChanged);
    Fill();
}

CMusicianView::~CMusicianView()
{
    m_frame.Router().RemoveTarget(m_model);
}

void CMusicianView::Fill()
{
    const QSignalBlocker quiet(m_tree);
    m_tree->clear();
    AddItems(nullptr, m_model.GetRoots());
    m_sortButton->setIcon(m_frame.Actions().Action(m_model.GetSortCommand())->icon());
}

void CMusicianView::AddItems(QTreeWidgetItem* parent, const std::vector<CMMusicianItem>& items)
{
    for (const CMMusicianItem& each : items) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
        item->setText(0, ShownText(each.text.View()));
        item->setIcon(0, IconOf(each.image));
        item->setData(0, kBandRole, QVariant::fromValue(each.band));
        item->setData(0, kPlayerRole, QVariant::fromValue(each.player));
        AddItems(item, each.children);
        item->setExpanded(each.expanded);
    }
}

void CMusicianView::OnSelectionChanged()
{
    const QList<QTreeWidgetItem*> items = m_tree->selectedItems();
    const QTreeWidgetItem* item = items.isEmpty() ? nullptr : items.first();
    const auto* band = item ? item->data(0, kBandRole).value<const CMMusicBand*>() : nullptr;
    const auto* player = item ? item->data(0, kPlayerRole).value<const CMMusicPlayer*>() : nullptr;
    if (band && ChooseBandInRibbon(*band, m_frame.Controls(), m_frame.Router()))
        m_frame.Actions().RequestUpdate();
    emit selected(band, player);
}
