// The properties pane.
#include "gui/CPropertiesWnd.h"

#include "app/CommandIds.h"
#include "gui/CCommandActions.h"
#include "gui/CMainFrame.h"
#include "gui/CPropertyGrid.h"
#include "gui/ShownText.h"

#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace C = CommandId;

CPropertiesWnd::CPropertiesWnd(CMainFrame& frame)
    : m_frame(frame), m_model([this] { Fill(); }), m_grid(new CPropertyGrid)
{
    auto* toolbar = new QToolBar;
    toolbar->setIconSize(QSize(16, 16));
    toolbar->addAction(frame.Actions().Action(C::PropertiesCategorized));
    toolbar->addAction(frame.Actions().Action(C::PropertiesAlphabetical));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_grid, 1);
    frame.Router().AddTarget(CMCommandLayer::Frame, m_model);
}

CPropertiesWnd::~CPropertiesWnd()
{
    m_frame.Router().RemoveTarget(m_model);
}

void CPropertiesWnd::Fill()
{
    m_grid->Clear();
    const bool grouped = m_model.IsCategorized();
    QTreeWidgetItem* group = nullptr;
    QString groupName;
    for (const CMProperty& property : m_model.GetShown()) {
        if (grouped && (!group || groupName != ShownText(property.group))) {
            groupName = ShownText(property.group);
            group = m_grid->AddGroup(groupName);
        }
        m_grid->AddRow(group, ShownText(property.name), ShownText(property.value),
                       ShownText(property.description));
    }
    m_grid->Tree()->setRootIsDecorated(grouped);
    m_grid->FitNames();
}
